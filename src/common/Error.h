// Errors carry the English message the user sees; the UI's one guard shows them.
#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quillcast {

class QuillError : public std::runtime_error {
 public:
  explicit QuillError(const std::string& message) : std::runtime_error(message) {}
};

// Fills the "%s" and "%d" markers of a message pattern with the arguments, in order.
// "%%" stands for one percent sign; markers without an argument stay as they are.
std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args);

// The system's reason for the current errno value, as the error box shows it.
std::string SystemReason(int error_number);

}  // namespace quillcast
