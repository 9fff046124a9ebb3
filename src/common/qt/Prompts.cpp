#include "common/qt/Prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "common/ResourceStr.h"

namespace quillcast {
namespace {

QWidget* ParentOr(QWidget* parent) {
  return parent != nullptr ? parent : QApplication::activeWindow();
}

}  // namespace

void QtPrompts::ShowError(const QString& message) {
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(res::kAppTitle), message,
                  QMessageBox::Ok, ParentOr(parent_));
  box.exec();
}

void QtPrompts::ShowMessage(Kind kind, const QString& text) {
  const auto [icon, title] = [kind]() -> std::pair<QMessageBox::Icon, const char*> {
    switch (kind) {
      case Kind::kWarning:
        return {QMessageBox::Warning, "Warning"};
      case Kind::kError:
        return {QMessageBox::Critical, "Error"};
      case Kind::kInformation:
        break;
    }
    return {QMessageBox::Information, "Information"};
  }();
  QMessageBox box(icon, title, text, QMessageBox::Ok, ParentOr(parent_));
  box.exec();
}

bool QtPrompts::Confirm(const QString& text) {
  QMessageBox box(QMessageBox::Question, "Confirm", text, QMessageBox::NoButton, ParentOr(parent_));
  QPushButton* yes = box.addButton("&Yes", QMessageBox::YesRole);
  box.addButton("&No", QMessageBox::NoRole);
  box.setDefaultButton(yes);
  box.exec();
  return box.clickedButton() == yes;
}

Prompts::Answer QtPrompts::AskYesNoCancel(const QString& text) {
  QMessageBox box(QMessageBox::Warning, "Warning", text,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, ParentOr(parent_));
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::kYes;
    case QMessageBox::No:
      return Answer::kNo;
    default:
      return Answer::kCancel;
  }
}

bool QtPrompts::AskOkCancel(const QString& text) {
  QMessageBox box(QMessageBox::Question, "Confirm", text, QMessageBox::Ok | QMessageBox::Cancel,
                  ParentOr(parent_));
  return box.exec() == QMessageBox::Ok;
}

std::optional<QString> QtPrompts::PickFileToOpen(const FileRequest& request) {
  QFileDialog dialog(ParentOr(parent_), request.title, request.folder);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setNameFilters(request.filters);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

std::optional<QString> QtPrompts::PickFileToSave(const FileRequest& request) {
  QFileDialog dialog(ParentOr(parent_), request.title, request.folder);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters(request.filters);
  dialog.setDefaultSuffix(request.default_suffix);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  dialog.setSizeGripEnabled(true);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

}  // namespace quillcast
