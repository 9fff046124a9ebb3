#include "feed/XmlText.h"

#include "common/Utf8.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quillcast {
namespace {

// Hands pugixml's output on with CR LF line ends.
class CrLfWriter : public pugi::xml_writer {
 public:
  explicit CrLfWriter(std::string& out) : out_(out) {}
  void write(const void* data, size_t size) override {
    AppendWithCrLf(out_, std::string_view(static_cast<const char*>(data), size));
  }

 private:
  std::string& out_;
};

}  // namespace

void AppendWithCrLf(std::string& out, std::string_view text) {
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    out.append(text, start, i - start);
    out += "\r\n";
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  out.append(text, start, text.size() - start);
}

namespace {

// What each character becomes in character data and in attribute values; null: itself.
struct Escapes {
  const char* replacement[256] = {};
  bool crlf_is_one_break = false;  // a CR LF pair is written as one line break
};

constexpr Escapes MakeTextEscapes() {
  Escapes e;
  e.replacement[static_cast<unsigned char>('&')] = "&amp;";
  e.replacement[static_cast<unsigned char>('<')] = "&lt;";
  e.replacement[static_cast<unsigned char>('>')] = "&gt;";
  e.replacement[static_cast<unsigned char>('\r')] = "\r\n";
  e.replacement[static_cast<unsigned char>('\n')] = "\r\n";
  e.crlf_is_one_break = true;
  return e;
}

constexpr Escapes MakeAttributeEscapes() {
  Escapes e;
  e.replacement[static_cast<unsigned char>('&')] = "&amp;";
  e.replacement[static_cast<unsigned char>('<')] = "&lt;";
  e.replacement[static_cast<unsigned char>('>')] = "&gt;";
  e.replacement[static_cast<unsigned char>('"')] = "&quot;";
  e.replacement[static_cast<unsigned char>('\t')] = "&#9;";
  e.replacement[static_cast<unsigned char>('\n')] = "&#10;";
  e.replacement[static_cast<unsigned char>('\r')] = "&#13;";
  return e;
}

constexpr Escapes kTextEscapes = MakeTextEscapes();
constexpr Escapes kAttributeEscapes = MakeAttributeEscapes();

// The position of the first character at or after `from` that character data cannot hold as
// it is; sixteen bytes at a time where SSE2 is there.
size_t NextTextSpecial(std::string_view text, size_t from) {
#if defined(__SSE2__)
  const __m128i amp = _mm_set1_epi8('&'), lt = _mm_set1_epi8('<'), gt = _mm_set1_epi8('>'),
                cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  while (from + 16 <= text.size()) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + from));
    const __m128i hits = _mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(chunk, amp), _mm_cmpeq_epi8(chunk, lt)),
        _mm_or_si128(_mm_cmpeq_epi8(chunk, gt),
                     _mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf))));
    const int mask = _mm_movemask_epi8(hits);
    if (mask != 0) return from + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
    from += 16;
  }
#endif
  while (from < text.size() &&
         kTextEscapes.replacement[static_cast<unsigned char>(text[from])] == nullptr) {
    ++from;
  }
  return from;
}

size_t NextAttributeSpecial(std::string_view text, size_t from) {
  while (from < text.size() &&
         kAttributeEscapes.replacement[static_cast<unsigned char>(text[from])] == nullptr) {
    ++from;
  }
  return from;
}

// Copies the text, replacing the characters `next` finds by their escapes.
template <typename Next>
void AppendEscaped(std::string& out, std::string_view text, const Escapes& escapes, Next next) {
  size_t start = 0;
  for (size_t i = next(text, 0); i < text.size(); i = next(text, i + 1)) {
    out.append(text, start, i - start);
    out += escapes.replacement[static_cast<unsigned char>(text[i])];
    if (escapes.crlf_is_one_break && text[i] == '\r' && i + 1 < text.size() &&
        text[i + 1] == '\n') {
      ++i;
    }
    start = i + 1;
  }
  out.append(text, start, text.size() - start);
}

}  // namespace

void AppendEscapedText(std::string& out, std::string_view text) {
  AppendEscaped(out, text, kTextEscapes, NextTextSpecial);
}

std::string DecodeReferences(std::string_view text) {
  static constexpr std::pair<std::string_view, char> kNamed[] = {
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
  std::string out;
  out.reserve(text.size());
  size_t start = 0;
  for (size_t amp = text.find('&'); amp != std::string_view::npos; amp = text.find('&', amp + 1)) {
    const size_t semicolon = text.find(';', amp);
    if (semicolon == std::string_view::npos) break;
    const std::string_view name = text.substr(amp + 1, semicolon - amp - 1);
    std::string decoded;
    for (const auto& [entity, c] : kNamed) {
      if (name == entity) decoded = c;
    }
    if (decoded.empty() && name.size() > 1 && name[0] == '#') {
      const bool hex = name[1] == 'x';
      const std::string_view digits = name.substr(hex ? 2 : 1);
      char32_t code = 0;
      bool ok = !digits.empty() && digits.size() <= 8;
      for (char d : digits) {
        const int v = d >= '0' && d <= '9'          ? d - '0'
                      : hex && d >= 'a' && d <= 'f' ? d - 'a' + 10
                      : hex && d >= 'A' && d <= 'F' ? d - 'A' + 10
                                                    : -1;
        if (v < 0) ok = false;
        code = code * (hex ? 16 : 10) + static_cast<char32_t>(v < 0 ? 0 : v);
      }
      if (ok && code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
        utf8::AppendCodePoint(decoded, code);
      }
    }
    if (decoded.empty()) continue;
    out.append(text, start, amp - start);
    out += decoded;
    start = semicolon + 1;
    amp = semicolon;
  }
  out.append(text, start, text.size() - start);
  return out;
}

void AppendEscapedAttribute(std::string& out, std::string_view value) {
  AppendEscaped(out, value, kAttributeEscapes, NextAttributeSpecial);
}

void AppendAttribute(std::string& out, std::string_view name, std::string_view value) {
  out += ' ';
  out += name;
  out += "=\"";
  AppendEscapedAttribute(out, value);
  out += '"';
}

void AppendIndent(std::string& out, int depth) { out.append(static_cast<size_t>(depth) * 2, ' '); }

namespace {

// Deeper content goes on one line: indenting it line by line would grow with the square of
// its depth.
constexpr int kMaxIndentedDepth = 16;

}  // namespace

bool NestsDeeperThan(pugi::xml_node element, int limit) {
  int depth = 0;
  pugi::xml_node node = element;
  while (node) {
    if (node.first_child()) {
      node = node.first_child();
      if (++depth > limit) return true;
      continue;
    }
    while (node != element && !node.next_sibling()) {
      node = node.parent();
      --depth;
    }
    if (node == element) break;
    node = node.next_sibling();
  }
  return false;
}

void AppendElement(std::string& out, pugi::xml_node element, int depth) {
  CrLfWriter writer(out);
  if (NestsDeeperThan(element, kMaxIndentedDepth)) {
    AppendIndent(out, depth);
    element.print(writer, "", pugi::format_raw, pugi::encoding_utf8);
    out += "\r\n";
    return;
  }
  element.print(writer, "  ", pugi::format_indent, pugi::encoding_utf8,
                static_cast<unsigned>(depth));
}

}  // namespace quillcast
