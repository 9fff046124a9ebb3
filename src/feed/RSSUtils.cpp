#include "feed/RSSUtils.h"

#include <cstdio>
#include <ctime>

#include "common/Ascii.h"

namespace quillcast {
namespace {

using std::chrono::days;
using std::chrono::hours;
using std::chrono::minutes;
using std::chrono::seconds;

using ascii::EqualsIgnoringCase;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A small cursor over the date text.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
  bool Accept(char c) {
    if (Peek() != c) return false;
    ++pos_;
    return true;
  }
  void SkipBlanks() {
    while (!AtEnd() && IsBlank(text_[pos_])) ++pos_;
  }
  // Reads between min and max digits; false when fewer than min are there.
  bool Digits(size_t min, size_t max, int& value, size_t* count = nullptr) {
    size_t n = 0;
    value = 0;
    while (n < max && IsDigit(Peek())) {
      value = value * 10 + (text_[pos_++] - '0');
      ++n;
    }
    if (count != nullptr) *count = n;
    return n >= min;
  }
  std::string_view Word() {
    const size_t start = pos_;
    while (IsAlpha(Peek())) ++pos_;
    return text_.substr(start, pos_ - start);
  }
  std::string_view Rest() const { return text_.substr(pos_); }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

std::optional<DateTime> MakeInstant(int year, int month, int day, int hour, int minute, int second,
                                    int offset_minutes) {
  if (year < 1 || year > 9999 || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 ||
      second > 59) {
    return std::nullopt;
  }
  const std::chrono::year_month_day date{std::chrono::year(year),
                                         std::chrono::month(static_cast<unsigned>(month)),
                                         std::chrono::day(static_cast<unsigned>(day))};
  if (!date.ok()) return std::nullopt;
  return std::chrono::sys_days(date) + hours(hour) + minutes(minute) + seconds(second) -
         minutes(offset_minutes);
}

int MonthFromName(std::string_view word) {
  static constexpr std::array<std::string_view, 13> kLong = {
      "",     "January", "February",  "March",   "April",    "May",     "June",
      "July", "August",  "September", "October", "November", "December"};
  for (int m = 1; m <= 12; ++m) {
    if (EqualsIgnoringCase(word, MonthNames[m]) || EqualsIgnoringCase(word, kLong[m])) return m;
  }
  return 0;
}

bool IsDayName(std::string_view word) {
  static constexpr std::array<std::string_view, 8> kLong = {
      "", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
  for (int d = 1; d <= 7; ++d) {
    if (EqualsIgnoringCase(word, DayNames[d]) || EqualsIgnoringCase(word, kLong[d])) return true;
  }
  return false;
}

// The zone's offset east of Greenwich in minutes; nothing for a zone it does not know.
std::optional<int> ZoneOffset(std::string_view zone) {
  if (zone.empty()) return 0;
  if (zone[0] == '+' || zone[0] == '-') {
    Scanner s(zone.substr(1));
    int hh = 0, mm = 0;
    if (!s.Digits(2, 2, hh)) return std::nullopt;
    s.Accept(':');
    if (!s.Digits(2, 2, mm) || !s.AtEnd() || mm > 59) return std::nullopt;
    const int offset = hh * 60 + mm;
    return zone[0] == '-' ? -offset : offset;
  }
  struct Named {
    std::string_view name;
    int hours;
  };
  static constexpr Named kZones[] = {{"GMT", 0},  {"UT", 0},   {"UTC", 0},  {"Z", 0},
                                     {"EST", -5}, {"EDT", -4}, {"CST", -6}, {"CDT", -5},
                                     {"MST", -7}, {"MDT", -6}, {"PST", -8}, {"PDT", -7}};
  for (const auto& z : kZones) {
    if (EqualsIgnoringCase(zone, z.name)) return z.hours * 60;
  }
  return std::nullopt;
}

std::optional<DateTime> ParseRfc822(std::string_view text) {
  Scanner s(text);
  if (IsAlpha(s.Peek())) {
    if (!IsDayName(s.Word())) return std::nullopt;
    s.SkipBlanks();
    s.Accept(',');
    s.SkipBlanks();
  }
  int day = 0, year = 0, hour = 0, minute = 0, second = 0;
  size_t year_digits = 0;
  if (!s.Digits(1, 2, day)) return std::nullopt;
  s.SkipBlanks();
  const int month = MonthFromName(s.Word());
  if (month == 0) return std::nullopt;
  s.SkipBlanks();
  if (!s.Digits(2, 4, year, &year_digits) || year_digits == 3) return std::nullopt;
  if (year_digits == 2) year += year < 50 ? 2000 : 1900;
  s.SkipBlanks();
  if (!s.Digits(1, 2, hour) || !s.Accept(':') || !s.Digits(2, 2, minute)) return std::nullopt;
  if (s.Accept(':') && !s.Digits(2, 2, second)) return std::nullopt;
  s.SkipBlanks();
  const auto offset = ZoneOffset(s.Rest());
  if (!offset) return std::nullopt;
  return MakeInstant(year, month, day, hour, minute, second, *offset);
}

// 2004-01-05, 2004-01-05T13:45, 2004-01-05T13:45:07.25Z, 2004-01-05T13:45:07+02:00 ...
std::optional<DateTime> ParseW3C(std::string_view text) {
  Scanner s(text);
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  if (!s.Digits(4, 4, year) || !s.Accept('-') || !s.Digits(2, 2, month) || !s.Accept('-') ||
      !s.Digits(2, 2, day)) {
    return std::nullopt;
  }
  if (!s.AtEnd()) {
    if (!s.Accept('T') && !s.Accept('t') && !s.Accept(' ')) return std::nullopt;
    if (!s.Digits(2, 2, hour) || !s.Accept(':') || !s.Digits(2, 2, minute)) return std::nullopt;
    if (s.Accept(':')) {
      if (!s.Digits(2, 2, second)) return std::nullopt;
      if (s.Accept('.')) {
        int fraction = 0;
        if (!s.Digits(1, 9, fraction)) return std::nullopt;
        while (IsDigit(s.Peek())) s.Digits(1, 9, fraction);
      }
    }
  }
  std::string_view zone = s.Rest();
  if (zone == "z") zone = "Z";
  const auto offset = ZoneOffset(zone);
  if (!offset) return std::nullopt;
  return MakeInstant(year, month, day, hour, minute, second, *offset);
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  if (text.find(from) == std::string::npos) return;
  std::string out;
  out.reserve(text.size());
  size_t pos = 0;
  for (size_t hit; (hit = text.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
    out.append(text, pos, hit - pos);
    out += to;
  }
  out.append(text, pos, std::string::npos);
  text.swap(out);
}

bool IsSeparatorByte(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 1 && u <= 32;
}

}  // namespace

DateTime Now() { return std::chrono::floor<seconds>(std::chrono::system_clock::now()); }

DateTime LocalToDateTime(const LocalDateTime& local) {
  std::tm tm{};
  tm.tm_year = local.year - 1900;
  tm.tm_mon = local.month - 1;
  tm.tm_mday = local.day;
  tm.tm_hour = local.hour;
  tm.tm_min = local.minute;
  tm.tm_sec = local.second;
  tm.tm_isdst = -1;
  return DateTime(seconds(::mktime(&tm)));
}

LocalDateTime DateTimeToLocal(DateTime instant) {
  const std::time_t t = instant.time_since_epoch().count();
  std::tm tm{};
  ::localtime_r(&t, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string DateTimeToRSSDate(DateTime instant) {
  const auto day_start = std::chrono::floor<days>(instant);
  const std::chrono::year_month_day date(day_start);
  const std::chrono::hh_mm_ss time(instant - day_start);
  const unsigned weekday = std::chrono::weekday(day_start).iso_encoding();
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.3s, %02u %.3s %04d %02d:%02d:%02d GMT",
                DayNames[weekday].data(), static_cast<unsigned>(date.day()),
                MonthNames[static_cast<unsigned>(date.month())].data(),
                static_cast<int>(date.year()), static_cast<int>(time.hours().count()),
                static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count()));
  return buffer;
}

std::optional<DateTime> ParseRSSDate(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (text.size() >= 5 && IsDigit(text[0]) && IsDigit(text[3]) && text[4] == '-') {
    return ParseW3C(text);
  }
  return ParseRfc822(text);
}

DateTime RSSDateToDateTime(std::string_view text) { return ParseRSSDate(text).value_or(Now()); }

std::string TagListToCommaList(std::string_view text, std::string_view tag) {
  const std::string open = "<" + std::string(tag) + ">";
  const std::string close = "</" + std::string(tag) + ">";
  std::string result(text);
  ReplaceAll(result, close + open, ",");
  ReplaceAll(result, close, "");
  ReplaceAll(result, open, "");
  return result;
}

std::vector<std::string> SplitCommaList(std::string_view text) {
  // Text ends at a NUL, as it would in the list's own reader.
  text = text.substr(0, text.find('\0'));
  std::vector<std::string> values;
  const auto add = [&](std::string_view value) { values.emplace_back(value); };
  size_t p = 0;
  const auto skip_separators = [&] {
    while (p < text.size() && IsSeparatorByte(text[p])) ++p;
  };
  skip_separators();
  while (p < text.size()) {
    if (text[p] == '"') {
      std::string value;
      ++p;
      while (p < text.size()) {
        if (text[p] == '"') {
          if (p + 1 < text.size() && text[p + 1] == '"') {
            value += '"';
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        value += text[p++];
      }
      add(value);
    } else {
      const size_t start = p;
      while (p < text.size() && !IsSeparatorByte(text[p]) && text[p] != ',') ++p;
      add(text.substr(start, p - start));
    }
    skip_separators();
    if (p < text.size() && text[p] == ',') {
      if (p + 1 == text.size()) add("");
      ++p;
      skip_separators();
    }
  }
  return values;
}

std::string CommaListToTagList(std::string_view text, std::string_view tag) {
  std::string result;
  for (const std::string& value : SplitCommaList(text)) {
    result += '<';
    result += tag;
    result += '>';
    result += value;
    result += "</";
    result += tag;
    result += '>';
  }
  return result;
}

void RewriteSkipElement(std::string& text, std::string_view name, SkipRewrite direction) {
  const std::string open = "<" + std::string(name) + ">";
  const std::string close = "</" + std::string(name) + ">";
  const size_t open_at = text.find(open);
  const size_t close_at = text.find(close);
  if (open_at == std::string::npos || close_at == std::string::npos) return;
  const size_t content_start = open_at + open.size();
  if (close_at < content_start) return;
  std::string content = text.substr(content_start, close_at - content_start);
  if (direction == SkipRewrite::kEscape) {
    ReplaceAll(content, "<", "&lt;");
    ReplaceAll(content, ">", "&gt;");
  } else {
    ReplaceAll(content, "&lt;", "<");
    ReplaceAll(content, "&gt;", ">");
  }
  text.replace(content_start, close_at - content_start, content);
}

}  // namespace quillcast
