// Small helpers for the tests of reading and writing feeds.
#pragma once

#include <memory>
#include <string>

#include "common/Error.h"
#include "feed/FeedDocument.h"
#include "feed/RSSReader.h"
#include "feed/RSSWriter.h"

namespace quillcast::testing {

inline std::unique_ptr<FeedDocument> Load(const std::string& text) {
  auto doc = std::make_unique<FeedDocument>();
  LoadRSSText(*doc, text);
  return doc;
}

// Open followed by Save, as text.
inline std::string Rewrite(const std::string& text) { return GetRSSText(*Load(text)); }

inline std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const QuillError& error) {
    return error.what();
  }
  return "(no error)";
}

// The lines of CR LF text joined with LF, for readable expectations.
inline std::string Lf(const std::string& crlf) {
  std::string out;
  for (size_t i = 0; i < crlf.size(); ++i) {
    if (crlf[i] == '\r' && i + 1 < crlf.size() && crlf[i + 1] == '\n') continue;
    out += crlf[i];
  }
  return out;
}

}  // namespace quillcast::testing
