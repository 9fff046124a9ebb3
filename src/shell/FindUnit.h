// TFindForm: looks for text in the active document's items, one step per Find Next.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "common/qt/Prompts.h"

namespace quillcast {

class TMDIChild;

class TFindForm : public QDialog {
  Q_OBJECT

 public:
  // `active_document` gives the document the search runs on (none: Find Next is disabled).
  TFindForm(Prompts& prompts, std::function<TMDIChild*()> active_document,
            QWidget* parent = nullptr);

  void FindNextExecute();
  void FindNextUpdate();
  // Shows the window with its text box focused.
  void ShowFind();

  QLineEdit* find_what() const { return find_what_; }
  QPushButton* find_button() const { return find_button_; }
  QCheckBox* match_case() const { return match_case_; }
  QRadioButton* up() const { return up_; }
  QRadioButton* down() const { return down_; }
  const QString& LastFindText() const { return last_find_text_; }

 private:
  Prompts& prompts_;
  std::function<TMDIChild*()> active_document_;
  QLineEdit* find_what_;
  QPushButton* find_button_;
  QPushButton* cancel_button_;
  QCheckBox* match_case_;
  QRadioButton* up_;
  QRadioButton* down_;
  QString last_find_text_;
};

}  // namespace quillcast
