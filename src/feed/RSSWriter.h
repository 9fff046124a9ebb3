// Writing a feed document as RSS text.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "feed/FeedDocument.h"

namespace quillcast {

// Ends pending edits (a refusal such as "Channel field \"%s\" is required!" stops here), then
// returns the feed as UTF-8 RSS text: declaration, two-space indentation, CR LF after every
// line, mapped fields in table order, then each record's extra XML, items newest first. No
// empty element or attribute is written; a document with nothing in it gives empty text.
std::string GetRSSText(FeedDocument& document);

// The same text handed on in pieces, for writing a large feed without holding all of it.
using RSSSink = std::function<void(std::string_view)>;
void WriteRSS(FeedDocument& document, const RSSSink& sink);

}  // namespace quillcast
