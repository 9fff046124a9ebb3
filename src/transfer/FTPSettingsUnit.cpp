#include "transfer/FTPSettingsUnit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "common/ResourceStr.h"
#include "common/qt/DialogButtons.h"
#include "common/qt/ErrorGuard.h"
#include "common/qt/QtText.h"
#include "transfer/SiteLists.h"

namespace quillcast {
namespace {

// The naming rules both dialogs share: adding over an existing name, or renaming onto one,
// asks first; a rename erases the old section. Returns false when the user says no.
bool ClaimName(ProfileFile& file, QString& site_name, const QString& entered,
               const char* provisional, const char* question, Prompts& prompts) {
  const bool adding = site_name == provisional;
  const bool renaming = !adding && entered != site_name;
  if ((adding || renaming) && file.SectionExists(S(entered))) {
    if (!prompts.Confirm(QString(question).arg(entered))) return false;
  }
  if (renaming) file.EraseSection(S(site_name));
  site_name = entered;
  return true;
}

// OK saves; a refused write is shown and the dialog stays open.
void AddOkCancel(QDialog* dialog, QGridLayout* grid, int row, QPushButton*& ok,
                 const std::function<bool()>& save, Prompts& prompts) {
  const OkCancel buttons = MakeOkCancel(dialog, [save, &prompts] {
    bool saved = false;
    Guarded(prompts, [&] { saved = save(); });
    return saved;
  });
  ok = buttons.ok;
  auto* row_layout = new QHBoxLayout;
  row_layout->addStretch();
  row_layout->addWidget(buttons.ok);
  row_layout->addWidget(buttons.cancel);
  grid->addLayout(row_layout, row, 0, 1, 2);
}

}  // namespace

TFTPSettingsForm::TFTPSettingsForm(std::string file, Prompts& prompts, QWidget* parent)
    : QDialog(parent), file_(std::move(file)), prompts_(prompts) {
  setWindowTitle("FTP Settings");
  setObjectName("FTPSettingsForm");
  site_ = new QLineEdit(this);
  site_->setObjectName("FTPSiteEdit");
  site_->setMinimumWidth(209);
  host_ = new QLineEdit(this);
  host_->setObjectName("HostEdit");
  port_ = new QSpinBox(this);
  port_->setObjectName("PortSE");
  port_->setRange(0, 65000);
  port_->setValue(21);
  passive_ = new QCheckBox("Passive", this);
  passive_->setObjectName("PasiveCB");
  username_ = new QLineEdit(this);
  username_->setObjectName("UsernameEdit");
  password_ = new QLineEdit(this);
  password_->setObjectName("PasswordEdit");
  password_->setEchoMode(QLineEdit::Password);
  filename_ = new QLineEdit(this);
  filename_->setObjectName("FilenameEdit");
  filename_->setMinimumWidth(261);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(6, 6, 6, 6);
  const auto labelled = [this](const char* text, QWidget* field) {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    auto* label = new QLabel(text, box);
    label->setBuddy(field);
    layout->addWidget(label);
    layout->addWidget(field);
    return box;
  };
  grid->addWidget(labelled("Site name:", site_), 0, 0, 1, 2);
  grid->addWidget(labelled("Host:", host_), 1, 0);
  grid->addWidget(labelled("Port:", port_), 1, 1);
  grid->addWidget(passive_, 2, 1);
  grid->addWidget(labelled("Username:", username_), 3, 0);
  grid->addWidget(labelled("Password:", password_), 3, 1);
  grid->addWidget(labelled("File path:", filename_), 4, 0, 1, 2);
  AddOkCancel(
      this, grid, 5, ok_button_, [this] { return SaveSite(); }, prompts_);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  site_->setFocus();
}

void TFTPSettingsForm::LoadSite() {
  site_->setText(SiteName);
  const FTPSite site = ReadFTPSiteRecord(FtpSitesFile(file_), S(SiteName));
  host_->setText(Q(site.host));
  port_->setValue(site.port);  // pulled into 0 to 65000
  passive_->setChecked(site.passive);
  username_->setText(Q(site.username));
  password_->setText(Q(site.password));
  filename_->setText(Q(site.filename));
}

bool TFTPSettingsForm::SaveSite() {
  ProfileFile file = FtpSitesFile(file_);
  if (!ClaimName(file, SiteName, site_->text(), res::kNewFTPSite, res::kFTPSiteExists, prompts_)) {
    return false;
  }
  bool ok = false;
  const int port = port_->text().toInt(&ok);
  WriteFTPSiteRecord(file, S(SiteName),
                     {S(host_->text()), ok ? port : 0, passive_->isChecked(), S(username_->text()),
                      S(password_->text()), S(filename_->text())});
  return true;
}

THTTPSettingsForm::THTTPSettingsForm(std::string file, Prompts& prompts, QWidget* parent)
    : QDialog(parent), file_(std::move(file)), prompts_(prompts) {
  setWindowTitle("HTTP Settings");
  setObjectName("HTTPSettingsForm");
  site_ = new QLineEdit(this);
  site_->setObjectName("HTTPSiteEdit");
  site_->setMinimumWidth(209);
  url_ = new QLineEdit(this);
  url_->setObjectName("URLEdit");
  url_->setMinimumWidth(209);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->addWidget(new QLabel("Site name:", this), 0, 0, 1, 2);
  grid->addWidget(site_, 1, 0, 1, 2);
  grid->addWidget(new QLabel("URL:", this), 2, 0, 1, 2);
  grid->addWidget(url_, 3, 0, 1, 2);
  AddOkCancel(
      this, grid, 4, ok_button_, [this] { return SaveSite(); }, prompts_);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  site_->setFocus();
}

void THTTPSettingsForm::LoadSite() {
  site_->setText(SiteName);
  url_->setText(Q(ReadHTTPSiteURL(HttpSitesFile(file_), S(SiteName))));
}

bool THTTPSettingsForm::SaveSite() {
  // The scheme goes in front at once, whether or not the save goes through.
  url_->setText(Q(WithHttpScheme(S(url_->text()))));
  ProfileFile file = HttpSitesFile(file_);
  if (!ClaimName(file, SiteName, site_->text(), res::kNewHTTPSite, res::kHTTPSiteExists,
                 prompts_)) {
    return false;
  }
  WriteHTTPSiteURL(file, S(SiteName), S(url_->text()));
  return true;
}

void EditFTPSite(const std::string& file, const QString& name, Prompts& prompts, QWidget* parent) {
  TFTPSettingsForm form(file, prompts, parent);
  form.SiteName = name;
  form.LoadSite();
  form.setWindowTitle(form.windowTitle() + " - " + name);
  form.exec();
}

void EditHTTPSite(const std::string& file, const QString& name, Prompts& prompts, QWidget* parent) {
  THTTPSettingsForm form(file, prompts, parent);
  form.SiteName = name;
  form.LoadSite();
  form.setWindowTitle(form.windowTitle() + " - " + name);
  form.exec();
}

void DeleteFTPSite(const std::string& file, const QString& name) {
  ProfileFile sites = FtpSitesFile(file);
  sites.EraseSection(S(name));
}

void DeleteHTTPSite(const std::string& file, const QString& name) {
  ProfileFile sites = HttpSitesFile(file);
  sites.EraseSection(S(name));
}

}  // namespace quillcast
