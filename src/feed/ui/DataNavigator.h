// A record navigator bar: First, Prior, Next, Last, Insert, Delete, Post and Cancel for one
// table, enabled as the table's position and state allow.
#pragma once

#include <QToolButton>
#include <QWidget>
#include <array>
#include <functional>

#include "common/qt/Prompts.h"
#include "feed/DataSet.h"

namespace quillcast {

class DataNavigator : public QWidget, private DataSetObserver {
  Q_OBJECT

 public:
  enum Button { kFirst, kPrior, kNext, kLast, kInsert, kDelete, kPost, kCancel, kButtonCount };
  using Guard = std::function<bool(const std::function<void()>&)>;

  DataNavigator(DataSet* table, Prompts& prompts, Guard guard, QWidget* parent = nullptr);
  ~DataNavigator() override;

  void SetTable(DataSet* table);
  QToolButton* button(Button b) const { return buttons_[b]; }
  void HideButton(Button b) { buttons_[b]->hide(); }
  // Runs before every button, so that text typed into a bound box reaches its field first.
  void SetBeforeAction(std::function<bool()> before) { before_action_ = std::move(before); }

 private:
  void Click(Button b);
  void UpdateButtons();
  void DataSetReset() override { UpdateButtons(); }
  void RowInserted(int) override { UpdateButtons(); }
  void RowRemoved(int) override { UpdateButtons(); }
  void CursorMoved(int) override { UpdateButtons(); }
  void StateChanged(DataSetState) override { UpdateButtons(); }

  DataSet* table_;
  Prompts& prompts_;
  Guard guard_;
  std::function<bool()> before_action_;
  std::array<QToolButton*, kButtonCount> buttons_{};
};

}  // namespace quillcast
