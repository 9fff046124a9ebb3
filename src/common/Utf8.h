// UTF-8 helpers: widths count characters, and nothing ever cuts a character in half.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillcast::utf8 {

// Number of characters (code points) in well-formed UTF-8 text.
size_t CharCount(std::string_view text);

// The first `max_chars` characters of the text.
std::string_view Left(std::string_view text, size_t max_chars);

// True when the text is well-formed UTF-8.
bool IsValid(std::string_view text);

// The text with every byte sequence that is not well-formed UTF-8 replaced by U+FFFD.
std::string Sanitize(std::string_view text);

void AppendCodePoint(std::string& out, char32_t code_point);

inline constexpr char kReplacement[] = "\xEF\xBF\xBD";

}  // namespace quillcast::utf8
