// TItemInspectorForm: every editable field of the active document's current item at once,
// in a tool window that shares the item grid's current item.
#pragma once

#include <QTabWidget>
#include <string>
#include <vector>

#include "common/qt/Prompts.h"
#include "editors/ToolWindow.h"
#include "feed/DataSet.h"

class QComboBox;
class QLineEdit;
class QToolButton;

namespace quillcast {

class DataNavigator;
class EditDialogs;
class FieldLink;

class TItemInspectorForm : public ToolWindow {
  Q_OBJECT

 public:
  TItemInspectorForm(std::string settings_path, Prompts& prompts, EditDialogs& dialogs,
                     QWidget* parent = nullptr);

  // The item table the boxes show and edit, or none.
  void SetItemDataSet(DataSet* items);
  DataSet* ItemDataSet() const { return items_; }

  void LoadSettings();
  void SaveSettings();

  QLineEdit* BoxOf(const std::string& field) const;
  QComboBox* type_box() const { return type_box_; }
  QToolButton* ButtonNamed(const QString& name) const;
  DataNavigator* navigator() const { return navigator_; }
  QTabWidget* pages() const { return pages_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  bool Guard(const std::function<void()>& action);
  QLineEdit* AddBox(const char* field, bool limit_length = true);
  QToolButton* AddButton(const char* name, bool tab_stop, void (TItemInspectorForm::*handler)());
  void EditSetPost(const char* field, const std::string& text);

  void LinkPreviewButtonClick();
  void SourceURLButtonClick();
  void EncURLButtonClick();
  void PubDateButtonClick();
  void DescButtonClick();

  std::string settings_path_;
  Prompts& prompts_;
  EditDialogs& dialogs_;
  DataSet* items_ = nullptr;
  DataNavigator* navigator_ = nullptr;
  QTabWidget* pages_ = nullptr;
  QComboBox* type_box_ = nullptr;
  std::vector<FieldLink*> links_;
};

}  // namespace quillcast
