#include "feed/XmlText.h"

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

// The characters that need a second look in character data and in attribute values.
struct SpecialChars {
  bool text[256] = {};
  bool attribute[256] = {};
  constexpr SpecialChars() {
    for (unsigned char c : {'&', '<', '>', '\r', '\n'}) text[c] = true;
    for (unsigned char c : {'&', '<', '>', '"', '\t', '\r', '\n'}) attribute[c] = true;
  }
};
constexpr SpecialChars kSpecial;

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
  while (from < text.size() && !kSpecial.text[static_cast<unsigned char>(text[from])]) ++from;
  return from;
}

}  // namespace

void AppendEscapedText(std::string& out, std::string_view text) {
  size_t start = 0;
  for (size_t i = NextTextSpecial(text, 0); i < text.size(); i = NextTextSpecial(text, i + 1)) {
    const char* replacement;
    size_t also_skip = 0;
    switch (text[i]) {
      case '&':
        replacement = "&amp;";
        break;
      case '<':
        replacement = "&lt;";
        break;
      case '>':
        replacement = "&gt;";
        break;
      case '\r':
        replacement = "\r\n";
        if (i + 1 < text.size() && text[i + 1] == '\n') also_skip = 1;
        break;
      case '\n':
        replacement = "\r\n";
        break;
      default:
        continue;
    }
    out.append(text, start, i - start);
    out += replacement;
    i += also_skip;
    start = i + 1;
  }
  out.append(text, start, text.size() - start);
}

void AppendEscapedAttribute(std::string& out, std::string_view value) {
  size_t start = 0;
  for (size_t i = 0; i < value.size(); ++i) {
    if (!kSpecial.attribute[static_cast<unsigned char>(value[i])]) continue;
    const char* replacement;
    switch (value[i]) {
      case '&':
        replacement = "&amp;";
        break;
      case '<':
        replacement = "&lt;";
        break;
      case '>':
        replacement = "&gt;";
        break;
      case '"':
        replacement = "&quot;";
        break;
      case '\t':
        replacement = "&#9;";
        break;
      case '\n':
        replacement = "&#10;";
        break;
      case '\r':
        replacement = "&#13;";
        break;
      default:
        continue;
    }
    out.append(value, start, i - start);
    out += replacement;
    start = i + 1;
  }
  out.append(value, start, value.size() - start);
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
