// One feed: the channel table RSSCDS (at most one record) and its items in ItemCDS, newest
// first, with the rules every view of the feed relies on.
#pragma once

#include <functional>

#include "feed/DataSet.h"

namespace quillcast {

// Channel fields in table order.
enum ChannelField : int {
  kChVersion,
  kChTitle,
  kChLink,
  kChDescription,
  kChLanguage,
  kChCopyright,
  kChPubDate,
  kChLastBuildDate,
  kChCategory,
  kChCategoryDomain,
  kChDocs,
  kChGenerator,
  kChCloudDomain,
  kChPort,
  kChPath,
  kChRegisterProcedure,
  kChProtocol,
  kChTtl,
  kChUrl,
  kChImageTitle,
  kChImageLink,
  kChWidth,
  kChHeight,
  kChImageDescription,
  kChRating,
  kChTextInputTitle,
  kChTextInputDescription,
  kChName,
  kChTextInputLink,
  kChManagingEditor,
  kChWebMaster,
  kChSkipHours,
  kChSkipDays,
  kChannelFieldCount
};

// Item fields in table order: the order of copying, pasting and searching.
enum ItemField : int {
  kItTitle,
  kItLink,
  kItDescription,
  kItAuthor,
  kItCategory,
  kItDomain,
  kItComments,
  kItEnclosureUrl,
  kItLength,
  kItType,
  kItPubDate,
  kItGuid,
  kItIsPermaLink,
  kItSource,
  kItSourceUrl,
  kItDateTime,
  kItemFieldCount
};

class FeedDocument {
 public:
  FeedDocument();
  FeedDocument(const FeedDocument&) = delete;

  // The item table's fields, for views that are built before any document exists.
  static const std::vector<FieldDef>& ItemFieldDefs();
  FeedDocument& operator=(const FeedDocument&) = delete;

  DataSet& RSSCDS() { return rss_cds_; }
  const DataSet& RSSCDS() const { return rss_cds_; }
  DataSet& ItemCDS() { return item_cds_; }
  const DataSet& ItemCDS() const { return item_cds_; }

  // True after any post or item deletion; false after reading and after saving.
  bool Modified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }
  // What the close check asks: changed, or a channel edit still open.
  bool HasUnsavedChanges() const { return modified_ || rss_cds_.Editing(); }

  // Raises "Channel field \"%s\" is required!" for the first of title, link and description
  // that is empty, reading the channel's edit buffer where one is open.
  void CheckChannel() const;

  // Posts changed edit buffers and cancels unchanged ones, items first.
  void EndPendingEdits();

  // Attributes of the rss element other than version (namespace declarations ...) and any
  // elements beside the channel.
  ExtraXml& RssExtra() { return rss_extra_; }
  const ExtraXml& RssExtra() const { return rss_extra_; }

  // Told the new item count whenever it may have changed (the main window's UpdateItemCount).
  std::function<void(int)> on_item_count_changed;

 private:
  void UpdateItemCount();

  DataSet rss_cds_;
  DataSet item_cds_;
  ExtraXml rss_extra_;
  bool modified_ = false;
};

}  // namespace quillcast
