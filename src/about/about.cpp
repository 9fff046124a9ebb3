#include "about/about.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QMimeDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <QVBoxLayout>

#include "about/FileVersionInfo.h"
#include "common/qt/QtText.h"

namespace quillcast {
namespace {

constexpr char kWebSite[] = "quillcast.orvel.example";
constexpr char kEmail[] = "support@orvel.example";

// The banner across the top: the product's name on a band of the house colours.
class Banner : public QWidget {
 public:
  explicit Banner(QWidget* parent) : QWidget(parent) { setFixedHeight(50); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QLinearGradient band(0, 0, width(), 0);
    band.setColorAt(0, QColor("#24466c"));
    band.setColorAt(1, QColor("#3b6ea5"));
    painter.fillRect(rect(), band);
    painter.setPen(QColor("#f08a24"));
    painter.setBrush(QColor("#f08a24"));
    painter.drawEllipse(QPoint(28, 25), 11, 11);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPointSizeF(font.pointSizeF() + 7);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(rect().adjusted(50, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     "Orvel Quillcast");
  }
};

std::string DesktopTypeName(const std::string& path) {
  return S(QMimeDatabase().mimeTypeForFile(Q(path)).comment());
}

}  // namespace

TAboutBox::TAboutBox(const std::string& executable, std::function<void(const QString&)> open_url,
                     QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      open_url_(std::move(open_url)) {
  setWindowTitle("About");
  setObjectName("AboutBox");
  setFixedSize(351, 301);
  auto* banner = new Banner(this);
  banner->setObjectName("HeaderImage");
  auto* rule = new QFrame(this);
  rule->setFrameShape(QFrame::HLine);

  auto* contact = new QGroupBox("Contact info", this);
  web_site_ = new QLabel(kWebSite, contact);
  web_site_->setObjectName("WebSiteLabel");
  email_ = new QLabel(kEmail, contact);
  email_->setObjectName("EmailLabel");
  for (QLabel* label : {web_site_, email_}) {
    label->setCursor(Qt::PointingHandCursor);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Highlight));
    label->setPalette(palette);
    label->installEventFilter(this);
  }
  auto* contact_layout = new QHBoxLayout(contact);
  contact_layout->addWidget(web_site_);
  contact_layout->addWidget(email_);

  auto* details = new QLabel("Product details:", this);
  QFont bold = details->font();
  bold.setBold(true);
  details->setFont(bold);
  memo_ = new QPlainTextEdit(this);
  memo_->setObjectName("AboutMemo");
  memo_->setReadOnly(true);
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setLineWrapMode(QPlainTextEdit::WidgetWidth);

  close_button_ = new QPushButton("Close", this);
  close_button_->setObjectName("CloseButton");
  close_button_->setFixedSize(131, 25);
  connect(close_button_, &QPushButton::clicked, this, &QDialog::reject);

  auto* body = new QVBoxLayout;
  body->setContentsMargins(15, 6, 15, 10);
  body->addWidget(contact);
  body->addWidget(details);
  body->addWidget(memo_, 1);
  body->addWidget(close_button_, 0, Qt::AlignRight);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(banner);
  layout->addWidget(rule);
  layout->addLayout(body, 1);

  // Seven lines, always, in this order; a missing value leaves its label alone.
  const TFileVersionInfo info = ReadFileVersionInfo(executable, DesktopTypeName);
  const std::pair<const char*, const std::string*> lines[] = {
      {"Copyright: ", &info.LegalCopyRight},   {"Company: ", &info.CompanyName},
      {"Product Name: ", &info.ProductName},   {"Product Version: ", &info.ProductVersion},
      {"File Version: ", &info.FileVersion},   {"Comments: ", &info.Comments},
      {"Description: ", &info.FileDescription}};
  for (const auto& [label, value] : lines) memo_->appendPlainText(label + Q(*value));
  memo_->moveCursor(QTextCursor::Start);
}

QString TAboutBox::ContactAddress(const QString& label_text) {
  return (label_text.contains('@') ? "mailto:" : "http://") + label_text;
}

void TAboutBox::ContactLabelClick(QLabel* label) {
  if (open_url_) open_url_(ContactAddress(label->text()));
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease && (watched == web_site_ || watched == email_)) {
    ContactLabelClick(static_cast<QLabel*>(watched));
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void ShowAboutBox(QWidget* parent) {
  TAboutBox box(
      S(QApplication::applicationFilePath()),
      [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); }, parent);
  box.exec();
}

}  // namespace quillcast
