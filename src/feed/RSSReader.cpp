#include "feed/RSSReader.h"

#include <algorithm>
#include <bitset>
#include <cstring>
#include <memory>
#include <optional>
#include <pugixml.hpp>
#include <vector>

#include "common/Ascii.h"
#include "common/Error.h"
#include "common/ResourceStr.h"
#include "feed/RSSMapping.h"
#include "feed/TextEncoding.h"
#include "feed/XmlPrune.h"
#include "feed/XmlText.h"

namespace quillcast {
namespace {

// Comments, processing instructions and the document type are not read; no entity of a DTD
// is ever expanded.
constexpr unsigned kParseOptions = pugi::parse_default;

constexpr int kMaxRemovableDepth = 64;

[[noreturn]] void ThrowNotValid() { throw QuillError(res::kNotValidRSS); }

using ascii::EqualsIgnoringCase;
using ascii::TrimSpace;

// The text of an element that holds only text; false when it holds elements.
bool ElementText(pugi::xml_node element, std::string& text) {
  text.clear();
  for (auto child = element.first_child(); child; child = child.next_sibling()) {
    const auto type = child.type();
    if (type == pugi::node_pcdata || type == pugi::node_cdata) {
      text += child.value();
    } else if (type == pugi::node_element) {
      return false;
    }
  }
  return true;
}

// The text of an element that holds elements: those that hold nothing go first, as they
// would on writing, and what is left must be text alone.
bool PrunedText(pugi::xml_node element, std::string& text) {
  PruneEmptyNodes(element);
  return ElementText(element, text);
}

bool HoldsText(pugi::xml_node element) {
  for (auto child = element.first_child(); child; child = child.next_sibling()) {
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) return true;
  }
  return false;
}

// A skip list that reached the reader as elements (its markup was not turned into text, for
// instance because the first "<skipDays>" of the text stood in a comment): its children as
// tag text.
bool SkipListMarkup(pugi::xml_node element, std::string& text) {
  struct Collect : pugi::xml_writer {
    std::string& out;
    explicit Collect(std::string& o) : out(o) {}
    void write(const void* data, size_t size) override {
      out.append(static_cast<const char*>(data), size);
    }
  } collect(text);
  text.clear();
  for (auto child = element.first_child(); child; child = child.next_sibling()) {
    // An empty element as start and end tag, as the writer rebuilds one.
    child.print(collect, "", pugi::format_raw | pugi::format_no_empty_element_tags,
                pugi::encoding_utf8);
  }
  return true;
}

// True when the "<" at `at` begins the channel's first `name` element, the one read into its
// field: it stands in markup, not inside a comment, a CDATA section, a processing instruction,
// the document type or a tag; the elements open around it are rss and its first channel; and no
// `name` element came before it there. Only the text before `at` is looked at.
bool OpensChannelList(std::string_view text, size_t at, std::string_view name) {
  constexpr size_t npos = std::string_view::npos;
  std::vector<std::string_view> open_elements;
  int channels = 0;     // opened in rss; only the first is read as the channel
  bool listed = false;  // a `name` element was opened in that channel
  size_t pos = 0;
  while (true) {
    const size_t lt = text.find('<', pos);
    if (lt == npos || lt > at) return false;
    if (lt == at) {
      return !listed && channels == 1 && open_elements.size() == 2 && open_elements[0] == "rss" &&
             open_elements[1] == "channel";
    }
    const std::string_view rest = text.substr(lt);
    size_t end = npos;
    const auto past = [&](std::string_view terminator, size_t from) {
      const size_t found = text.find(terminator, from);
      return found == npos ? npos : found + terminator.size();
    };
    if (rest.starts_with("<!--")) {
      end = past("-->", lt + 4);
    } else if (rest.starts_with("<![CDATA[")) {
      end = past("]]>", lt + 9);
    } else if (rest.starts_with("<?")) {
      end = past("?>", lt + 2);
    } else if (rest.starts_with("<!")) {
      const size_t bracket = text.find('[', lt);
      const size_t close = text.find('>', lt);
      end = bracket < close ? past("]>", bracket) : past(">", lt);
    } else if (rest.starts_with("</")) {
      end = past(">", lt);
      if (end == npos) return false;
      // Markup that does not nest here may stand in the other skip list, which becomes text;
      // this list is then read from the tree.
      const std::string_view tag = ascii::TrimSpace(text.substr(lt + 2, end - lt - 3));
      if (open_elements.empty() || open_elements.back() != tag) return false;
      open_elements.pop_back();
    } else {
      // A start tag: its name, then its ">", which a quoted attribute value may hold too.
      size_t i = lt + 1;
      while (i < text.size() && !ascii::IsSpace(text[i]) && text[i] != '>' && text[i] != '/') ++i;
      const std::string_view tag = text.substr(lt + 1, i - lt - 1);
      if (tag.empty()) return false;
      char quote = 0;
      for (; i < text.size() && (quote != 0 || text[i] != '>'); ++i) {
        if (quote != 0) {
          if (text[i] == quote) quote = 0;
        } else if (text[i] == '"' || text[i] == '\'') {
          quote = text[i];
        }
      }
      if (i == text.size()) return false;
      if (open_elements.size() == 1 && tag == "channel") ++channels;
      if (open_elements.size() == 2 && channels == 1 && tag == name) listed = true;
      if (text[i - 1] != '/') open_elements.push_back(tag);
      end = i + 1;
    }
    if (end == npos || end > at) return false;
    pos = end;
  }
}

// Turns the markup of the first skip list into character data, so the list reaches its field
// whole, as it stands in the file, with the white space between its elements. Left alone when
// that first "<name>" is not the channel's own list, where rewriting would change a comment, a
// CDATA section or an extension; the channel's list is then read from the tree.
bool EscapeSkipList(std::string& text, std::string_view name) {
  const std::string open = "<" + std::string(name) + ">";
  const size_t first = text.find(open);
  if (first == std::string::npos || !OpensChannelList(text, first, name)) return false;
  const size_t start = first + open.size();
  const size_t close = text.find("</" + std::string(name) + ">", start);
  if (close == std::string::npos) return false;
  // "&" is escaped too, so references read back as written and "&lt;" in a value never comes
  // back as markup.
  std::string content;
  AppendEscapedText(content, std::string_view(text).substr(start, close - start));
  text.replace(start, close - start, content);
  return true;
}

// The value a field takes from text in a file; nothing when the text cannot be read as the
// field's kind (the original is then kept as extra XML).
std::optional<Value> FileValue(FieldKind kind, std::string_view text) {
  if (text.empty()) return Value{};
  switch (kind) {
    case FieldKind::kText:
      return Value{std::string(text)};
    case FieldKind::kInteger: {
      std::string_view digits = TrimSpace(text);
      bool negative = false;
      if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
      }
      if (digits.empty() || digits.size() > 19) return std::nullopt;
      std::int64_t number = 0;
      for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        if (number > (INT64_MAX - (c - '0')) / 10) return std::nullopt;
        number = number * 10 + (c - '0');
      }
      return Value{negative ? -number : number};
    }
    case FieldKind::kBoolean: {
      const std::string_view word = TrimSpace(text);
      if (EqualsIgnoringCase(word, "true")) return Value{true};
      if (EqualsIgnoringCase(word, "false")) return Value{false};
      return std::nullopt;
    }
    case FieldKind::kDateTime:
      break;
  }
  return std::nullopt;
}

// An element that is there but empty keeps its place as empty text; an empty attribute is
// nothing, as writing would prune it.
std::optional<Value> ElementValue(FieldKind kind, std::string_view text) {
  if (text.empty() && kind == FieldKind::kText) return Value{std::string()};
  return FileValue(kind, text);
}

// Keeps an element no field maps, unless it is empty once cleaned.
bool KeepElement(std::string& out, pugi::xml_node element, int depth) {
  if (PruneEmptyNodes(element)) return false;
  AppendElement(out, element, depth);
  return true;
}

class RecordReader {
 public:
  RecordReader(const DataSet& table, const std::vector<PlaceGroup>& groups, int depth)
      : table_(table), groups_(groups), depth_(depth) {}

  // The skip list elements whose markup was turned into text before parsing.
  void SetTextLists(std::vector<std::string_view> names) { text_lists_ = std::move(names); }

  // Reads one channel or item element; `on_other` sees each child element that is not one of
  // the record's places and returns true when it took it.
  template <typename OnOther>
  std::unique_ptr<Record> Read(pugi::xml_node element, OnOther&& on_other) {
    auto owned = std::make_unique<Record>();
    Record& record = *owned;
    record.values.resize(static_cast<size_t>(table_.FieldCount()));
    for (auto attribute : element.attributes()) {
      AppendAttribute(record.extra.attributes, attribute.name(), attribute.value());
    }
    std::bitset<64> filled;
    layout_.clear();
    elements_.clear();
    for (pugi::xml_node child = element.first_child(), next; child; child = next) {
      next = child.next_sibling();  // `on_other` may remove the child
      if (child.type() != pugi::node_element) continue;
      const int g = FindGroup(child.name());
      if (g >= 0 && !filled[static_cast<size_t>(g)] && ReadGroup(child, groups_[g], record)) {
        filled.set(static_cast<size_t>(g));
        layout_.push_back(ExtraXml::kMappedElement | static_cast<std::uint64_t>(g));
      } else if (!on_other(child) && KeepElement(elements_, child, depth_ + 1)) {
        layout_.push_back(elements_.size());
      }
    }
    // Built in scratch space and copied once, at their final size.
    record.extra.layout.assign(layout_.begin(), layout_.end());
    record.extra.elements = elements_;
    return owned;
  }

 private:
  bool IsTextList(const char* name) const {
    return std::find(text_lists_.begin(), text_lists_.end(), name) != text_lists_.end();
  }

  int FindGroup(const char* name) const {
    for (size_t i = 0; i < groups_.size(); ++i) {
      if (std::strcmp(groups_[i].element, name) == 0) return static_cast<int>(i);
    }
    return -1;
  }

  FieldKind KindOf(const Place* place) const { return table_.Field(place->field).kind; }

  bool ReadGroup(pugi::xml_node element, const PlaceGroup& group, Record& record) {
    if (group.text != nullptr) {
      // A skip list holds markup: its text when that was made from its markup, otherwise
      // its children printed as markup.
      const bool read = group.text->skip_list
                            ? (IsTextList(group.element) ? ElementText(element, text_)
                                                         : SkipListMarkup(element, text_))
                            : ElementText(element, text_) || PrunedText(element, text_);
      if (!read) return false;
      const auto value = ElementValue(KindOf(group.text), text_);
      if (!value) return false;
      record.values[static_cast<size_t>(group.text->field)] = *value;
    } else if (HoldsText(element)) {
      return false;  // no field takes its text, so the element is kept whole
    }
    ExtraXml::Part* part = nullptr;
    const auto part_for = [&]() -> ExtraXml::Part& {
      if (part == nullptr) part = &record.extra.PartFor(group.element);
      return *part;
    };
    for (auto attribute : element.attributes()) {
      const Place* place = nullptr;
      for (const Place* p : group.attributes) {
        if (std::strcmp(p->attribute, attribute.name()) == 0) place = p;
      }
      auto& slot = place ? record.values[static_cast<size_t>(place->field)] : scratch_;
      const auto value = place && std::holds_alternative<std::monostate>(slot)
                             ? FileValue(KindOf(place), attribute.value())
                             : std::nullopt;
      if (value) {
        slot = *value;
      } else {
        AppendAttribute(part_for().attributes, attribute.name(), attribute.value());
      }
    }
    if (group.children.empty()) return true;
    std::bitset<8> seen;
    for (auto child = element.first_child(); child; child = child.next_sibling()) {
      if (child.type() != pugi::node_element) continue;
      bool taken = false;
      for (size_t i = 0; i < group.children.size() && !taken; ++i) {
        const Place* p = group.children[i];
        if (seen[i] || std::strcmp(p->child, child.name()) != 0) continue;
        // The child is cleaned as a kept one would be; one with attributes left, or elements,
        // stays whole, so that reading what was written finds the same.
        PruneEmptyNodes(child);
        if (child.first_attribute() || !ElementText(child, text_)) break;
        const auto value = ElementValue(KindOf(p), text_);
        if (!value) break;
        record.values[static_cast<size_t>(p->field)] = *value;
        seen.set(i);
        taken = true;
      }
      if (!taken) KeepElement(part_for().elements, child, depth_ + 2);
    }
    return true;
  }

  const DataSet& table_;
  const std::vector<PlaceGroup>& groups_;
  int depth_;
  std::vector<std::string_view> text_lists_;
  std::string text_;
  Value scratch_;
  std::vector<std::uint64_t> layout_;
  std::string elements_;
};

}  // namespace

void TrimBeforeMarkup(std::string& text) {
  if (text.size() < 2) return;
  const size_t first = std::string_view(text).substr(0, text.size() - 1).find('<');
  if (first != std::string::npos && first > 0) text.erase(0, first);
}

void LoadRSSText(FeedDocument& document, std::string text) {
  text = DecodeXmlText(std::move(text));
  // The skip lists' markup becomes character data, so each list reaches its field whole.
  std::vector<std::string_view> text_lists;
  for (const char* name : {"skipDays", "skipHours"}) {
    if (EscapeSkipList(text, name)) text_lists.emplace_back(name);
  }
  TrimBeforeMarkup(text);
  if (text.empty()) ThrowNotValid();

  std::unique_ptr<Record> channel;
  std::vector<std::unique_ptr<Record>> items;
  ExtraXml rss_extra;
  {
    pugi::xml_document xml;
    if (!xml.load_buffer_inplace(text.data(), text.size(), kParseOptions, pugi::encoding_utf8)) {
      ThrowNotValid();
    }
    const pugi::xml_node rss = xml.document_element();
    if (std::strcmp(rss.name(), "rss") != 0) ThrowNotValid();
    pugi::xml_node channel_element = rss.child("channel");
    if (!channel_element) ThrowNotValid();

    RecordReader item_reader(document.ItemCDS(), ItemGroups(), kItemDepth);
    RecordReader channel_reader(document.RSSCDS(), ChannelGroups(), kChannelDepth);
    channel_reader.SetTextLists(std::move(text_lists));
    channel = channel_reader.Read(channel_element, [&](pugi::xml_node child) {
      if (std::strcmp(child.name(), "item") != 0) return false;
      items.push_back(item_reader.Read(child, [](pugi::xml_node) { return false; }));
      // Its nodes are done with: pugixml frees their memory page by page, so a large feed
      // never holds its whole tree and its whole model at once. Removing a node recurses
      // through its tree, so a deeply nested one stays until the document goes.
      if (!NestsDeeperThan(child, kMaxRemovableDepth)) channel_element.remove_child(child);
      return true;
    });
    for (auto attribute : rss.attributes()) {
      if (std::strcmp(attribute.name(), "version") == 0) {
        if (attribute.value()[0] != '\0')
          channel->values[kChVersion] = std::string(attribute.value());
      } else {
        AppendAttribute(rss_extra.attributes, attribute.name(), attribute.value());
      }
    }
    for (auto child = rss.first_child(); child; child = child.next_sibling()) {
      if (child.type() == pugi::node_element && child != channel_element) {
        KeepElement(rss_extra.elements, child, kChannelDepth);
      }
    }
  }
  std::string().swap(text);

  std::vector<std::unique_ptr<Record>> channels;
  channels.push_back(std::move(channel));
  document.RSSCDS().LoadRecords(std::move(channels));
  document.ItemCDS().LoadRecords(std::move(items));
  document.RssExtra() = std::move(rss_extra);
  document.SetModified(false);
}

}  // namespace quillcast
