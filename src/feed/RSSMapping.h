// The one table that ties each field to its place in RSS 2.0, read in both directions.
#pragma once

#include <span>
#include <vector>

#include "feed/FeedDocument.h"

namespace quillcast {

// Where a field's value lives, relative to its record's element (channel or item):
//   element                  the text of a child element ("title")
//   element + attribute      an attribute of that child ("enclosure" @ "url")
//   element + child          the text of a grandchild ("image" / "url")
// A skip list is the markup inside its element, kept as tag text.
struct Place {
  int field;
  const char* element;
  const char* child = nullptr;
  const char* attribute = nullptr;
  bool skip_list = false;
};

// Channel places in field order; `version` is the rss element's attribute and is not here.
inline constexpr Place kChannelPlaces[] = {
    {kChTitle, "title"},
    {kChLink, "link"},
    {kChDescription, "description"},
    {kChLanguage, "language"},
    {kChCopyright, "copyright"},
    {kChPubDate, "pubDate"},
    {kChLastBuildDate, "lastBuildDate"},
    {kChCategory, "category"},
    {kChCategoryDomain, "category", nullptr, "domain"},
    {kChDocs, "docs"},
    {kChGenerator, "generator"},
    {kChCloudDomain, "cloud", nullptr, "domain"},
    {kChPort, "cloud", nullptr, "port"},
    {kChPath, "cloud", nullptr, "path"},
    {kChRegisterProcedure, "cloud", nullptr, "registerProcedure"},
    {kChProtocol, "cloud", nullptr, "protocol"},
    {kChTtl, "ttl"},
    {kChUrl, "image", "url"},
    {kChImageTitle, "image", "title"},
    {kChImageLink, "image", "link"},
    {kChWidth, "image", "width"},
    {kChHeight, "image", "height"},
    {kChImageDescription, "image", "description"},
    {kChRating, "rating"},
    {kChTextInputTitle, "textInput", "title"},
    {kChTextInputDescription, "textInput", "description"},
    {kChName, "textInput", "name"},
    {kChTextInputLink, "textInput", "link"},
    {kChManagingEditor, "managingEditor"},
    {kChWebMaster, "webMaster"},
    {kChSkipHours, "skipHours", nullptr, nullptr, true},
    {kChSkipDays, "skipDays", nullptr, nullptr, true},
};

inline constexpr Place kItemPlaces[] = {
    {kItTitle, "title"},
    {kItLink, "link"},
    {kItDescription, "description"},
    {kItAuthor, "author"},
    {kItCategory, "category"},
    {kItDomain, "category", nullptr, "domain"},
    {kItComments, "comments"},
    {kItEnclosureUrl, "enclosure", nullptr, "url"},
    {kItLength, "enclosure", nullptr, "length"},
    {kItType, "enclosure", nullptr, "type"},
    {kItPubDate, "pubDate"},
    {kItGuid, "guid"},
    {kItIsPermaLink, "guid", nullptr, "isPermaLink"},
    {kItSource, "source"},
    {kItSourceUrl, "source", nullptr, "url"},
};

// The skip lists' tag names.
inline const char* SkipTag(int channel_field) {
  return channel_field == kChSkipDays ? "day" : "hour";
}

// The places that share one element of a record ("image" holds six fields), in table order.
// A record's layout names its mapped elements by their index in this list.
struct PlaceGroup {
  const char* element = nullptr;
  const Place* text = nullptr;  // the element's own text
  std::vector<const Place*> attributes;
  std::vector<const Place*> children;
  std::vector<const Place*> places;
};

const std::vector<PlaceGroup>& ChannelGroups();
const std::vector<PlaceGroup>& ItemGroups();

// Depths of the elements in the written document, for indentation.
inline constexpr int kChannelDepth = 1;
inline constexpr int kItemDepth = 2;

}  // namespace quillcast
