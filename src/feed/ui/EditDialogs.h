// The seam to the editing aids the document window and the inspector call: the long-text
// dialog, the date and skip-period pickers and the HTML preview. Each picker takes the current
// value and returns true with the new one when the user confirms; on false it is untouched.
#pragma once

#include <string>

namespace quillcast {

class EditDialogs {
 public:
  virtual ~EditDialogs() = default;
  virtual bool GetText(std::string& text) = 0;
  // RFC 822 date text in and out.
  virtual bool GetDateTime(std::string& date_text) = 0;
  // Comma lists in and out.
  virtual bool GetSkipDays(std::string& list) = 0;
  virtual bool GetSkipHours(std::string& list) = 0;
  virtual void PreviewURL(const std::string& url) = 0;
};

}  // namespace quillcast
