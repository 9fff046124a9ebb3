// Turning the bytes of a feed into UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillcast {

// Text that starts with a UTF-16 or UTF-32 byte-order mark, decoded to UTF-8 without the mark;
// nothing for any other text.
std::optional<std::string> DecodeWideText(std::string_view bytes);

// The name in the XML declaration's encoding="..." near the start of the text; empty when
// there is none.
std::string DeclaredEncoding(std::string_view text);

// The text of an XML document as UTF-8: a byte-order mark (UTF-8, UTF-16, UTF-32) or the XML
// declaration decides, UTF-8 when neither says. A declaration naming a 16- or 32-bit encoding
// in text without a mark is taken as UTF-8 (the text was decoded already). Byte sequences that
// are invalid in their encoding become U+FFFD.
std::string DecodeXmlText(std::string text);

}  // namespace quillcast
