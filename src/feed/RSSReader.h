// Reading RSS text into a feed document.
#pragma once

#include <string>

#include "feed/FeedDocument.h"

namespace quillcast {

// Drops everything before the first "<" (a byte-order mark, blank lines, junk); the text's
// last character is never examined.
void TrimBeforeMarkup(std::string& text);

// Replaces the document's content with the feed in `text`: one channel record, its items
// newest first, and everything no field maps kept as the records' extra XML. Modified is false
// afterwards. Text that is not an RSS 2.0 feed raises "This is not valid RSS 2.0 file." and
// leaves the document as it was.
void LoadRSSText(FeedDocument& document, std::string text);

}  // namespace quillcast
