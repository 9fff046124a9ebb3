#include "feed/TextEncoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <vector>

#include "common/Ascii.h"
#include "common/Utf8.h"

namespace quillcast {
namespace {

enum class Wide { kUtf16LE, kUtf16BE, kUtf32LE, kUtf32BE };

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

std::optional<Wide> WideByteOrderMark(std::string_view b, size_t& mark_size) {
  using namespace std::string_view_literals;
  if (StartsWith(b, "\xFF\xFE\x00\x00"sv)) return mark_size = 4, Wide::kUtf32LE;
  if (StartsWith(b, "\x00\x00\xFE\xFF"sv)) return mark_size = 4, Wide::kUtf32BE;
  if (StartsWith(b, "\xFF\xFE"sv)) return mark_size = 2, Wide::kUtf16LE;
  if (StartsWith(b, "\xFE\xFF"sv)) return mark_size = 2, Wide::kUtf16BE;
  return std::nullopt;
}

// Wide text without a mark, recognised by how "<?" is spelt.
std::optional<Wide> WideWithoutMark(std::string_view b) {
  using namespace std::string_view_literals;
  if (StartsWith(b, "<\0\0\0?\0\0\0"sv)) return Wide::kUtf32LE;
  if (StartsWith(b, "\0\0\0<\0\0\0?"sv)) return Wide::kUtf32BE;
  if (StartsWith(b, "<\0?\0"sv)) return Wide::kUtf16LE;
  if (StartsWith(b, "\0<\0?"sv)) return Wide::kUtf16BE;
  return std::nullopt;
}

std::string DecodeWide(std::string_view b, Wide kind) {
  const auto byte = [&](size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[i]));
  };
  std::string out;
  out.reserve(b.size());
  if (kind == Wide::kUtf32LE || kind == Wide::kUtf32BE) {
    const bool le = kind == Wide::kUtf32LE;
    size_t i = 0;
    for (; i + 4 <= b.size(); i += 4) {
      const std::uint32_t cp =
          le ? byte(i) | byte(i + 1) << 8 | byte(i + 2) << 16 | byte(i + 3) << 24
             : byte(i) << 24 | byte(i + 1) << 16 | byte(i + 2) << 8 | byte(i + 3);
      utf8::AppendCodePoint(out, cp);
    }
    if (i < b.size()) out += utf8::kReplacement;
    return out;
  }
  const bool le = kind == Wide::kUtf16LE;
  const auto unit = [&](size_t i) {
    return le ? byte(i) | byte(i + 1) << 8 : byte(i) << 8 | byte(i + 1);
  };
  size_t i = 0;
  for (; i + 2 <= b.size(); i += 2) {
    const std::uint32_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 4 <= b.size()) {
      const std::uint32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        utf8::AppendCodePoint(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    utf8::AppendCodePoint(out, u);  // a lone surrogate becomes U+FFFD
  }
  if (i < b.size()) out += utf8::kReplacement;
  return out;
}

std::string Lowercase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = ascii::Lower(c);
  return out;
}

// Encodings whose 8-bit form is read as UTF-8.
bool ReadsAsUtf8(const std::string& name) {
  return name.empty() || name == "utf-8" || name == "utf8" || name == "us-ascii" ||
         name == "ascii" || StartsWith(name, "utf-16") || StartsWith(name, "utf-32") ||
         StartsWith(name, "ucs-2") || StartsWith(name, "ucs-4") || name == "unicode" ||
         name == "utf16" || name == "utf32";
}

// Converts with iconv; bytes the encoding does not define become U+FFFD.
std::optional<std::string> ConvertToUtf8(const std::string& text, const std::string& encoding) {
  iconv_t cd = ::iconv_open("UTF-8", encoding.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  out.reserve(text.size() + text.size() / 2 + 16);
  std::vector<char> chunk(64 * 1024);
  char* in = const_cast<char*>(text.data());
  size_t in_left = text.size();
  while (in_left > 0) {
    char* dst = chunk.data();
    size_t dst_left = chunk.size();
    const size_t rc = ::iconv(cd, &in, &in_left, &dst, &dst_left);
    out.append(chunk.data(), chunk.size() - dst_left);
    if (rc == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL: a byte the encoding does not define, or a cut sequence at the end.
      out += utf8::kReplacement;
      ++in;
      --in_left;
      ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  char* dst = chunk.data();
  size_t dst_left = chunk.size();
  ::iconv(cd, nullptr, nullptr, &dst, &dst_left);
  out.append(chunk.data(), chunk.size() - dst_left);
  ::iconv_close(cd);
  return out;
}

}  // namespace

std::optional<std::string> DecodeWideText(std::string_view bytes) {
  size_t mark = 0;
  const auto kind = WideByteOrderMark(bytes, mark);
  if (!kind) return std::nullopt;
  return DecodeWide(bytes.substr(mark), *kind);
}

std::string DeclaredEncoding(std::string_view text) {
  const size_t decl = text.substr(0, 1024).find("<?xml");
  if (decl == std::string_view::npos) return {};
  const size_t end = text.find("?>", decl);
  const std::string_view head =
      text.substr(decl, end == std::string_view::npos ? 1024 : end - decl);
  size_t at = head.find("encoding");
  if (at == std::string_view::npos) return {};
  at += 8;
  while (at < head.size() && (head[at] == ' ' || head[at] == '=' || head[at] == '\t' ||
                              head[at] == '\r' || head[at] == '\n')) {
    ++at;
  }
  if (at >= head.size() || (head[at] != '"' && head[at] != '\'')) return {};
  const char quote = head[at];
  const size_t close = head.find(quote, at + 1);
  if (close == std::string_view::npos) return {};
  return std::string(head.substr(at + 1, close - at - 1));
}

std::string DecodeXmlText(std::string text) {
  if (auto wide = DecodeWideText(text)) return std::move(*wide);
  if (const auto kind = WideWithoutMark(text)) return DecodeWide(text, *kind);
  if (StartsWith(text, "\xEF\xBB\xBF")) text.erase(0, 3);
  const std::string encoding = Lowercase(DeclaredEncoding(text));
  // What the converter gives is checked too: a name it takes for UTF-8 itself ("UTF\xED8")
  // makes it copy the bytes unchecked.
  if (!ReadsAsUtf8(encoding)) {
    if (auto converted = ConvertToUtf8(text, encoding)) text = std::move(*converted);
  }
  if (utf8::IsValid(text)) return text;
  return utf8::Sanitize(text);
}

}  // namespace quillcast
