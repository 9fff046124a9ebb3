#include "feed/FeedDocument.h"

#include "common/Error.h"
#include "common/ResourceStr.h"
#include "feed/XmlText.h"

namespace quillcast {
namespace {

FieldDef Text(const char* name, int width, const char* label = "") {
  return FieldDef{name, FieldKind::kText, width, label, false, false, true, {}, {}};
}

FieldDef Integer(const char* name, const char* label = "") {
  return FieldDef{name, FieldKind::kInteger, 0, label, false, false, true, {}, {}};
}

// A skip list is stored as its markup, references and all, and shown as a comma list of the
// values that markup reads as; it is never cut, so a long list stays well-formed markup.
FieldDef SkipList(const char* name, const char* tag) {
  FieldDef def = Text(name, 255);
  def.cut_to_width = false;
  def.get_text = [tag](const Value& value) {
    const auto* text = std::get_if<std::string>(&value);
    return text ? DecodeReferences(TagListToCommaList(*text, tag)) : std::string();
  };
  def.set_text = [tag](std::string_view text) -> Value {
    std::string escaped;
    AppendEscapedText(escaped, text);
    std::string tags = CommaListToTagList(escaped, tag);
    if (tags.empty()) return {};
    return tags;
  };
  return def;
}

std::vector<FieldDef> ChannelFields() {
  FieldDef version = Text("version", 3);
  version.required = true;
  return {version,
          Text("title", 255),
          Text("link", 255),
          Text("description", 32768),
          Text("language", 10),
          Text("copyright", 255),
          Text("pubDate", 40),
          Text("lastBuildDate", 40),
          Text("category", 255),
          Text("category_domain", 255),
          Text("docs", 255),
          Text("generator", 255),
          Text("cloud_domain", 255),
          Integer("port"),
          Text("path", 255),
          Text("registerProcedure", 255),
          Text("protocol", 20),
          Integer("ttl"),
          Text("url", 255),
          Text("image_title", 255),
          Text("image_link", 255),
          Integer("width"),
          Integer("height"),
          Text("image_description", 255),
          Text("rating", 255),
          Text("textInput_title", 255),
          Text("textInput_description", 255),
          Text("name", 255),
          Text("textInput_link", 255),
          Text("managingEditor", 255),
          Text("webMaster", 255),
          SkipList("skipHours", "hour"),
          SkipList("skipDays", "day")};
}

std::vector<FieldDef> ItemFields() {
  FieldDef perma{"isPermaLink", FieldKind::kBoolean, 0, "Perma link", false, false, true, {}, {}};
  FieldDef date_time{"DateTime", FieldKind::kDateTime, 0, "", false, true, true, {}, {}};
  return {Text("title", 255, "Title"),
          Text("link", 255, "Link"),
          Text("description", 32768, "Description"),
          Text("author", 255, "Author"),
          Text("category", 255, "Category"),
          Text("domain", 255, "Domain"),
          Text("comments", 255, "Comments"),
          Text("enclosure_url", 255, "Enclosure URL"),
          Integer("length", "Enclosure length (bytes)"),
          Text("type", 20, "Enclosure type"),
          Text("pubDate", 40, "Publication date"),
          Text("guid", 255, "GUID"),
          perma,
          Text("source", 15, "Source"),
          Text("source_url", 255, "Source URL"),
          date_time};
}

bool IsNullOrEmpty(const Value& value) {
  const auto* text = std::get_if<std::string>(&value);
  return std::holds_alternative<std::monostate>(value) || (text != nullptr && text->empty());
}

}  // namespace

const std::vector<FieldDef>& FeedDocument::ItemFieldDefs() {
  static const std::vector<FieldDef> fields = ItemFields();
  return fields;
}

FeedDocument::FeedDocument()
    : rss_cds_("RSSCDS", ChannelFields()), item_cds_("ItemCDS", ItemFieldDefs()) {
  auto& channel = rss_cds_.hooks;
  channel.on_new_record = [this] {
    rss_cds_.SetValue(kChVersion, std::string("2.0"));
    rss_cds_.SetValue(kChGenerator, std::string(res::kGeneratorName));
  };
  channel.before_post = [this] { CheckChannel(); };
  channel.after_post = [this] { modified_ = true; };

  auto& items = item_cds_.hooks;
  // Editing an item edits the channel record that holds it.
  items.before_edit = [this] {
    if (!rss_cds_.Editing()) rss_cds_.Edit();
  };
  items.on_new_record = [this] {
    try {
      CheckChannel();
    } catch (const QuillError&) {
      throw QuillError(res::kDefineChannelFirst);
    }
  };
  items.before_post = [this] { CheckChannel(); };
  items.after_post = [this] {
    UpdateItemCount();
    modified_ = true;
  };
  items.after_delete = [this] {
    modified_ = true;
    UpdateItemCount();
  };
  items.after_open = [this] { UpdateItemCount(); };
  items.calculate_fields = [](Record& record) {
    const auto* date = std::get_if<std::string>(&record.values[kItPubDate]);
    record.values[kItDateTime] = RSSDateToDateTime(date ? *date : std::string());
  };
  // Newest first.
  items.index_key = [](const Record& record) {
    return -std::get<DateTime>(record.values[kItDateTime]).time_since_epoch().count();
  };

  rss_cds_.Open();
  item_cds_.Open();
}

void FeedDocument::CheckChannel() const {
  static constexpr struct {
    int field;
    const char* label;
  } kRequired[] = {{kChTitle, "Title"}, {kChLink, "Link"}, {kChDescription, "Description"}};
  for (const auto& required : kRequired) {
    if (IsNullOrEmpty(rss_cds_.Get(required.field))) {
      throw QuillError(Format(res::kChannelFieldRequired, {required.label}));
    }
  }
}

void FeedDocument::EndPendingEdits() {
  item_cds_.CheckBrowseMode();
  rss_cds_.CheckBrowseMode();
}

void FeedDocument::UpdateItemCount() {
  if (on_item_count_changed) on_item_count_changed(item_cds_.RecordCount());
}

}  // namespace quillcast
