#include "editors/GetTextUnit.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "common/ProfileFile.h"
#include "common/qt/DialogButtons.h"
#include "common/qt/ErrorGuard.h"

namespace quillcast {

TGetTextForm::TGetTextForm(std::string settings_path, Prompts& prompts,
                           std::function<void(const QStringList&)> show_html, QWidget* parent)
    : QDialog(parent),
      settings_path_(std::move(settings_path)),
      prompts_(prompts),
      show_html_(std::move(show_html)) {
  setWindowTitle("Text");
  setObjectName("GetTextForm");
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  setSizeGripEnabled(true);
  resize(423, 335);

  memo_ = new QPlainTextEdit(this);
  memo_->setObjectName("Memo");
  memo_->setTabChangesFocus(false);

  word_wrap_action_ = new QAction("Word Wrap", this);
  word_wrap_action_->setCheckable(true);
  word_wrap_box_ = new QCheckBox("Word Wrap", this);
  word_wrap_box_->setObjectName("WordWrapCheckBox");
  connect(word_wrap_box_, &QCheckBox::clicked, this, [this] { SetWordWrap(!WordWrap()); });

  html_button_ = new QPushButton("&HTML Preview", this);
  html_button_->setObjectName("HTMLButton");
  html_button_->setMinimumSize(79, 25);
  html_button_->setAutoDefault(false);
  const OkCancel buttons = MakeOkCancel(this, [this] {
    accepted_ = true;
    return true;
  });
  ok_button_ = buttons.ok;
  cancel_button_ = buttons.cancel;
  ok_button_->setMinimumSize(75, 25);
  cancel_button_->setMinimumSize(75, 25);
  connect(html_button_, &QPushButton::clicked, this, &TGetTextForm::HTMLButtonClick);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(word_wrap_box_);
  bottom->addStretch();
  bottom->addWidget(html_button_);
  bottom->addWidget(ok_button_);
  bottom->addWidget(cancel_button_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(3, 3, 3, 3);
  layout->addWidget(memo_, 1);
  layout->addLayout(bottom);
  setTabOrder(memo_, cancel_button_);
  setTabOrder(cancel_button_, ok_button_);
  setTabOrder(ok_button_, html_button_);
  setTabOrder(html_button_, word_wrap_box_);
  LoadSettings();
}

void TGetTextForm::SetText(const QString& text) {
  QString lines = text;
  lines.replace("\r\n", "\n").replace('\r', '\n');
  memo_->setPlainText(lines);
}

QString TGetTextForm::Text() const {
  QString text = memo_->toPlainText();
  return text.replace('\n', "\r\n");
}

bool TGetTextForm::WordWrap() const { return memo_->lineWrapMode() == QPlainTextEdit::WidgetWidth; }

void TGetTextForm::SetWordWrap(bool wrap) {
  memo_->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  memo_->setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
  word_wrap_action_->setChecked(wrap);
  word_wrap_box_->setChecked(wrap);
}

void TGetTextForm::LoadSettings() {
  SetWordWrap(ProfileFile(settings_path_).ReadBool("GetTextForm", "WordWrap", true));
}

void TGetTextForm::SaveSettings() {
  ProfileFile(settings_path_).WriteBool("GetTextForm", "WordWrap", WordWrap());
}

void TGetTextForm::HTMLButtonClick() {
  // The box's own lines, not the wrapped display.
  const QStringList lines = memo_->toPlainText().split('\n');
  if (show_html_) Guarded(prompts_, [&] { show_html_(lines); });
}

void TGetTextForm::done(int result) {
  // Every way of closing stores the word wrap, a cancelled dialog too.
  Guarded(prompts_, [this] { SaveSettings(); });
  QDialog::done(result);
}

}  // namespace quillcast
