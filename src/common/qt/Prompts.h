// The one seam for message boxes and file pickers, so that tests can answer them.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace quillcast {

class Prompts {
 public:
  enum class Kind { kWarning, kError, kInformation };
  enum class Answer { kYes, kNo, kCancel };

  virtual ~Prompts() = default;

  // The standard error box: the application title, the message, OK.
  virtual void ShowError(const QString& message) = 0;
  // "Warning", "Error" or "Information" with OK.
  virtual void ShowMessage(Kind kind, const QString& text) = 0;
  // "Confirm" with "&Yes" and "&No"; true only for Yes.
  virtual bool Confirm(const QString& text) = 0;
  // A warning with Yes, No and Cancel; closing the box counts as Cancel.
  virtual Answer AskYesNoCancel(const QString& text) = 0;
  // A confirmation with OK and Cancel; true only for OK.
  virtual bool AskOkCancel(const QString& text) = 0;

  struct FileRequest {
    QString title;           // empty: the platform's own title
    QStringList filters;     // "RSS XML File (*.xml)" ...
    QString folder;          // where the picker opens
    QString default_suffix;  // added to a name typed without one
  };
  // The chosen path, or nothing when the picker was cancelled.
  virtual std::optional<QString> PickFileToOpen(const FileRequest& request) = 0;
  // Asks before replacing an existing file.
  virtual std::optional<QString> PickFileToSave(const FileRequest& request) = 0;
};

// Qt's message boxes and file dialogs, parented to `parent` (may be null).
class QtPrompts : public Prompts {
 public:
  explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void ShowError(const QString& message) override;
  void ShowMessage(Kind kind, const QString& text) override;
  bool Confirm(const QString& text) override;
  Answer AskYesNoCancel(const QString& text) override;
  bool AskOkCancel(const QString& text) override;
  std::optional<QString> PickFileToOpen(const FileRequest& request) override;
  std::optional<QString> PickFileToSave(const FileRequest& request) override;

 private:
  QWidget* parent_;
};

}  // namespace quillcast
