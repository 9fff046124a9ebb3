#include "common/Error.h"

#include <cstring>

namespace quillcast {

std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(pattern.size() + 64);
  auto next = args.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '%' && i + 1 < pattern.size()) {
      const char kind = pattern[i + 1];
      if (kind == '%') {
        out += '%';
        ++i;
        continue;
      }
      if ((kind == 's' || kind == 'd') && next != args.end()) {
        out += *next++;
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

std::string SystemReason(int error_number) {
  std::string reason = std::strerror(error_number);
  if (!reason.empty() && reason.back() != '.') reason += '.';
  return reason;
}

}  // namespace quillcast
