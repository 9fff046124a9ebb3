// Arbitrary bytes through the feed reader; what it accepts is written and must read again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/Error.h"
#include "feed/FeedDocument.h"
#include "feed/RSSReader.h"
#include "feed/RSSWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  using namespace quillcast;
  FeedDocument document;
  try {
    LoadRSSText(document, std::string(reinterpret_cast<const char*>(data), size));
  } catch (const QuillError&) {
    return 0;
  }
  const std::string written = GetRSSText(document);
  if (written.empty()) return 0;
  FeedDocument again;
  LoadRSSText(again, written);  // what we wrote must read back
  if (again.ItemCDS().RecordCount() != document.ItemCDS().RecordCount()) std::abort();
  if (GetRSSText(again) != written) std::abort();  // and a second save changes nothing
  return 0;
}
