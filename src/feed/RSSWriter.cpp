#include "feed/RSSWriter.h"

#include <bitset>
#include <cstring>
#include <functional>
#include <optional>
#include <pugixml.hpp>

#include "common/Ascii.h"
#include "feed/RSSMapping.h"
#include "feed/XmlText.h"

namespace quillcast {
namespace {

constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

// An empty text read from a file is written back as an empty element; only null is left out.
bool IsNull(const Value& value) { return std::holds_alternative<std::monostate>(value); }

// True when an attribute of that name stands in the ` name="value"` text.
bool HasAttribute(std::string_view attributes, std::string_view name) {
  for (size_t at = attributes.find(name); at != std::string_view::npos;
       at = attributes.find(name, at + 1)) {
    if (at > 0 && attributes[at - 1] == ' ' && attributes.substr(at + name.size(), 1) == "=") {
      return true;
    }
  }
  return false;
}

// Extra attributes, less those a field now writes.
void AppendExtraAttributes(std::string& out, std::string_view extra, std::string_view written) {
  if (written.empty()) {
    out += extra;
    return;
  }
  // Each extra attribute is ` name="value"` with the value escaped, so '"' only closes values.
  size_t pos = 0;
  while (pos < extra.size()) {
    const size_t eq = extra.find('=', pos);
    const size_t close = extra.find('"', extra.find('"', eq) + 1);
    const std::string_view attribute = extra.substr(pos, close + 1 - pos);
    const std::string_view name = extra.substr(pos + 1, eq - pos - 1);
    if (!HasAttribute(written, name)) out += attribute;
    pos = close + 1;
  }
}

// An element whose content goes on the lines below it. If nothing is written into it, Close
// takes it back as pruning would, or leaves it self-closed when it has attributes or must stay.
class OpenElement {
 public:
  OpenElement(std::string& out, int depth, std::string_view name, std::string_view attributes,
              bool keep_when_empty = false)
      : out_(out),
        depth_(depth),
        name_(name),
        mark_(out.size()),
        keep_(keep_when_empty || !attributes.empty()) {
    AppendIndent(out_, depth_);
    out_ += '<';
    out_ += name_;
    out_ += attributes;
    attributes_end_ = out_.size();
    out_ += ">\r\n";
    body_ = out_.size();
  }

  // `has_content` says that content was written and handed on already.
  bool Close(bool has_content = false) {
    if (out_.size() != body_ || has_content) {
      AppendIndent(out_, depth_);
      out_ += "</";
      out_ += name_;
      out_ += ">\r\n";
      return true;
    }
    if (!keep_) {
      out_.resize(mark_);
      return false;
    }
    out_.resize(attributes_end_);
    out_ += " />\r\n";
    return true;
  }

 private:
  std::string& out_;
  int depth_;
  std::string_view name_;
  size_t mark_;
  size_t attributes_end_ = 0;
  size_t body_ = 0;
  bool keep_;
};

void AppendTextElement(std::string& out, int depth, std::string_view name,
                       std::string_view attributes, std::optional<std::string_view> text) {
  if (!text && attributes.empty()) return;
  AppendIndent(out, depth);
  out += '<';
  out += name;
  out += attributes;
  if (!text || text->empty()) {
    out += " />\r\n";
    return;
  }
  out += '>';
  AppendEscapedText(out, *text);
  out += "</";
  out += name;
  out += ">\r\n";
}

using ascii::IsSpace;

// Character data without markup whose every "&" starts a proper reference.
bool IsCleanText(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '<' || text[i] == '>') return false;
    if (text[i] != '&') continue;
    const size_t semicolon = text.find(';', i);
    if (semicolon == std::string_view::npos) return false;
    const std::string_view name = text.substr(i + 1, semicolon - i - 1);
    const bool named =
        name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "apos";
    const bool numeric =
        name.size() > 1 && name[0] == '#' &&
        name.find_first_not_of(name[1] == 'x' ? "0123456789abcdefABCDEF" : "0123456789",
                               name[1] == 'x' ? 2 : 1) == std::string_view::npos &&
        name.size() > (name[1] == 'x' ? 2u : 1u);
    if (!named && !numeric) return false;
    i = semicolon;
  }
  return true;
}

// True when tag text is a well-formed list of <tag>value</tag> (or <tag/>) elements with
// white space and comments between them.
bool IsWellFormedTagList(std::string_view text, std::string_view tag) {
  const std::string open = "<" + std::string(tag) + ">";
  const std::string close = "</" + std::string(tag) + ">";
  const std::string empty = "<" + std::string(tag) + "/>";
  size_t pos = 0;
  while (true) {
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
    if (pos == text.size()) return true;
    if (text.substr(pos, 4) == "<!--") {
      const size_t end = text.find("-->", pos + 4);
      if (end == std::string_view::npos ||
          text.substr(pos + 4, end - pos - 4).find("--") != std::string_view::npos) {
        return false;
      }
      pos = end + 3;
      continue;
    }
    if (text.substr(pos, empty.size()) == empty) {
      pos += empty.size();
      continue;
    }
    if (text.substr(pos, open.size()) != open) return false;
    pos += open.size();
    const size_t end = text.find(close, pos);
    if (end == std::string_view::npos || !IsCleanText(text.substr(pos, end - pos))) return false;
    pos = end + close.size();
  }
}

// A skip list goes out as the markup it holds when that markup is well-formed; otherwise its
// values are written again as proper elements.
std::string SkipListMarkup(const std::string& tag_text, const char* tag) {
  if (IsWellFormedTagList(tag_text, tag)) return tag_text;
  std::string markup;
  const std::string values = TagListToCommaList(tag_text, tag);
  size_t start = 0;
  while (start <= values.size()) {
    const size_t comma = std::min(values.find(',', start), values.size());
    markup += '<';
    markup += tag;
    markup += '>';
    // The list holds markup, so a value that is already proper character data goes as it is.
    const std::string_view value = std::string_view(values).substr(start, comma - start);
    if (IsCleanText(value)) {
      markup += value;
    } else {
      AppendEscapedText(markup, value);
    }
    markup += "</";
    markup += tag;
    markup += '>';
    start = comma + 1;
  }
  return markup;
}

// The text a value is written as; numbers are spelt out in `scratch`.
std::string_view ValueText(const Value& value, std::string& scratch) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* number = std::get_if<std::int64_t>(&value)) {
    scratch = std::to_string(*number);
    return scratch;
  }
  if (const auto* flag = std::get_if<bool>(&value)) return *flag ? "true" : "false";
  return {};
}

class RecordWriter {
 public:
  RecordWriter(std::string& out, const std::vector<PlaceGroup>& groups, int depth)
      : out_(out), groups_(groups), depth_(depth) {}

  // Writes the record's element with its fields and extra XML, in the order the record's
  // children had in its file. A record with nothing in it still gets its element, so that what
  // was saved opens again with the same records.
  void Write(const char* element, const Record& record, const std::function<bool()>& more = {}) {
    OpenElement open(out_, depth_, element, record.extra.attributes, true);
    const ExtraXml& extra = record.extra;
    std::bitset<64> written;
    size_t kept_from = 0;
    for (const std::uint64_t entry : extra.layout) {
      if (entry & ExtraXml::kMappedElement) {
        const size_t g = entry & ~ExtraXml::kMappedElement;
        if (g >= groups_.size() || written[g]) continue;
        WriteGroup(groups_[g], record);
        written.set(g);
      } else if (entry >= kept_from && entry <= extra.elements.size()) {
        out_.append(extra.elements, kept_from, entry - kept_from);
        kept_from = entry;
      }
    }
    for (size_t g = 0; g < groups_.size(); ++g) {
      if (!written[g]) WriteGroup(groups_[g], record);
    }
    out_.append(extra.elements, kept_from);
    const bool more_written = more && more();
    open.Close(more_written);
  }

 private:
  void WriteGroup(const PlaceGroup& group, const Record& record) {
    const char* element = group.element;
    const ExtraXml::Part* part = record.extra.FindPart(element);
    std::string& attributes = attributes_;
    attributes.clear();
    for (const Place* place : group.attributes) {
      const Value& value = record.values[static_cast<size_t>(place->field)];
      if (!IsNull(value)) AppendAttribute(attributes, place->attribute, ValueText(value, scratch_));
    }
    if (part != nullptr) {
      const std::string written = attributes;
      AppendExtraAttributes(attributes, part->attributes, written);
    }

    const Value* text =
        group.text ? &record.values[static_cast<size_t>(group.text->field)] : nullptr;
    if (text != nullptr && group.text->skip_list && !IsNull(*text)) {
      WriteSkipList(element, attributes, std::get<std::string>(*text), SkipTag(group.text->field));
      return;
    }
    if (group.children.empty() && (part == nullptr || part->elements.empty())) {
      if (text != nullptr && !IsNull(*text)) {
        AppendTextElement(out_, depth_ + 1, element, attributes, ValueText(*text, scratch_));
      } else {
        AppendTextElement(out_, depth_ + 1, element, attributes, std::nullopt);
      }
      return;
    }
    OpenElement open(out_, depth_ + 1, element, attributes);
    for (const Place* place : group.children) {
      const Value& value = record.values[static_cast<size_t>(place->field)];
      if (IsNull(value)) continue;
      AppendTextElement(out_, depth_ + 2, place->child, {}, ValueText(value, scratch_));
    }
    if (part != nullptr) out_ += part->elements;
    open.Close();
  }

  void WriteSkipList(const char* element, const std::string& attributes,
                     const std::string& tag_text, const char* tag) {
    AppendIndent(out_, depth_ + 1);
    out_ += '<';
    out_ += element;
    out_ += attributes;
    out_ += '>';
    AppendWithCrLf(out_, SkipListMarkup(tag_text, tag));
    out_ += "</";
    out_ += element;
    out_ += ">\r\n";
  }

  std::string& out_;
  const std::vector<PlaceGroup>& groups_;
  int depth_;
  std::string attributes_;
  std::string scratch_;
};

}  // namespace

void WriteRSS(FeedDocument& document, const RSSSink& sink) {
  document.EndPendingEdits();
  const DataSet& channel = document.RSSCDS();
  const DataSet& items = document.ItemCDS();
  const ExtraXml& rss_extra = document.RssExtra();
  const Record* channel_record = channel.IsEmpty() ? nullptr : &channel.RecordAt(0);

  std::string rss_attributes;
  if (channel_record != nullptr && !IsNull(channel_record->values[kChVersion])) {
    std::string scratch;
    AppendAttribute(rss_attributes, "version",
                    ValueText(channel_record->values[kChVersion], scratch));
  }
  rss_attributes += rss_extra.attributes;
  // A document with nothing in it has no rss element, and so no text at all.
  if (channel_record == nullptr && rss_attributes.empty() && rss_extra.elements.empty()) return;

  // Written piece by piece, so that saving a large feed never holds all of its text.
  constexpr size_t kPiece = 1 << 20;
  std::string out;
  out.reserve(2 * kPiece);
  out += kDeclaration;
  OpenElement rss(out, 0, "rss", rss_attributes);
  if (channel_record != nullptr) {
    RecordWriter item_writer(out, ItemGroups(), kItemDepth);
    RecordWriter(out, ChannelGroups(), kChannelDepth).Write("channel", *channel_record, [&] {
      for (int row = 0; row < items.RecordCount(); ++row) {
        item_writer.Write("item", items.RecordAt(row));
        if (out.size() >= kPiece) {
          sink(out);
          out.clear();
        }
      }
      return items.RecordCount() > 0;
    });
  }
  out += rss_extra.elements;
  rss.Close(channel_record != nullptr);
  sink(out);
}

std::string GetRSSText(FeedDocument& document) {
  std::string text;
  WriteRSS(document, [&](std::string_view piece) { text += piece; });
  return text;
}

}  // namespace quillcast
