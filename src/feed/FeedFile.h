// Feed files on disk: the one path that Open, Save and the command-line tool share.
#pragma once

#include <string>
#include <string_view>

#include "feed/FeedDocument.h"

namespace quillcast {

bool FileExists(const std::string& path);

// Every line break (CR, LF or CR LF) made CR LF, with CR LF after the last line; empty text
// stays empty.
std::string ToCrLfLines(std::string text);

// The whole file as Open reads it: a file that starts with a UTF-16 or UTF-32 byte-order mark
// is decoded first, line breaks become CR LF and the text ends at the first NUL. Raises
// "Cannot open file \"%s\". %s" with the system's reason.
std::string ReadFeedFile(const std::string& path);

// Writes RSS text as Save does: every line ended with CR LF, the target replaced atomically.
// Raises "Cannot create file \"%s\". %s"; the previous file is then left whole.
void WriteFeedFile(const std::string& path, std::string rss_text);

// Open: the file's text read into the document.
void LoadFeedFile(FeedDocument& document, const std::string& path);
// Save: the document's RSS text written to the file, then Modified cleared.
void SaveFeedFile(FeedDocument& document, const std::string& path);

}  // namespace quillcast
