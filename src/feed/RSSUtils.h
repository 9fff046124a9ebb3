// RSS dates and the skip-list encodings.
//
// Dates are instants (seconds since the epoch, UTC). RSS date text is always written in GMT;
// conversions to and from local time use the local zone's rules in force at that instant.
#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillcast {

using DateTime = std::chrono::sys_seconds;

// Indexed by the day of the week, Monday = 1 ... Sunday = 7.
inline constexpr std::array<std::string_view, 8> DayNames = {"",    "Mon", "Tue", "Wed",
                                                             "Thu", "Fri", "Sat", "Sun"};
// Indexed 1 to 12.
inline constexpr std::array<std::string_view, 13> MonthNames = {
    "", "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The values the skip-period dialogs offer, in their order.
inline constexpr char kSkipDayValues[] = "Monday,Tuesday,Wednesday,Thursday,Friday,Saturday,Sunday";
inline constexpr char kSkipHourValues[] =
    "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23";

// A date and time on the local clock.
struct LocalDateTime {
  int year = 1970;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

DateTime Now();
// The instant a local clock reading stands for, under the zone rules in force then. A reading
// that falls into a daylight-saving gap is taken as the zone's mktime does.
DateTime LocalToDateTime(const LocalDateTime& local);
LocalDateTime DateTimeToLocal(DateTime instant);

// 'Mon, 05 Jan 2004 13:45:07 GMT': GMT, English names, ":" separators, whatever the locale.
std::string DateTimeToRSSDate(DateTime instant);

// Reads RFC 822/1123 dates (optional day name, day of one or two digits, month names in any
// letter case, two- or four-digit year, optional seconds, zone GMT, UT, UTC, Z, the US zones or
// +hhmm/-hhmm) and the W3C date-time form. Blanks around the text are ignored. Anything else,
// and any impossible date, gives no value.
std::optional<DateTime> ParseRSSDate(std::string_view text);
// As ParseRSSDate, with the current time for text that cannot be read. Never fails.
DateTime RSSDateToDateTime(std::string_view text);

// '<day>Monday</day><day>Sunday</day>' with tag "day" gives 'Monday,Sunday'.
std::string TagListToCommaList(std::string_view text, std::string_view tag);
// The values of a comma list: commas and blanks separate them, a value in double quotes may
// hold both, and two commas in a row give an empty value.
std::vector<std::string> SplitCommaList(std::string_view text);
// 'Monday, Sunday' with tag "day" gives '<day>Monday</day><day>Sunday</day>'.
std::string CommaListToTagList(std::string_view text, std::string_view tag);

enum class SkipRewrite { kEscape, kUnescape };
// Turns the markup inside the first <name>...</name> of RSS text into character data
// (escape) or back into markup (unescape). Only the exact tag forms are recognised.
void RewriteSkipElement(std::string& text, std::string_view name, SkipRewrite direction);

}  // namespace quillcast
