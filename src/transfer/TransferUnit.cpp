#include "transfer/TransferUnit.h"

#include <QApplication>
#include <QEventLoop>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QProgressDialog>
#include <QTimer>
#include <QVBoxLayout>
#include <atomic>
#include <thread>

#include "common/ResourceStr.h"
#include "common/qt/ErrorGuard.h"
#include "common/qt/QtText.h"
#include "transfer/FTPSettingsUnit.h"

namespace quillcast {
namespace {

QString Selected(const QListWidget* list) {
  const QListWidgetItem* item = list->currentItem();
  return item != nullptr && item->isSelected() ? item->text() : QString();
}

// The system proxy for an address, unless no_proxy exempts its host. An https address takes
// the HTTPS entry, or the one proxy of a plain list.
TProxyDesc ProxyFor(const std::string& scheme, const std::string& host, bool& use_proxy) {
  TProxyDesc proxy;
  use_proxy = false;
  if (IsProxyExempt(host)) return proxy;
  const std::string list = GetSystemProxyList();
  if (scheme == "HTTPS" && list.find("HTTPS=") == std::string::npos &&
      list.find('=') != std::string::npos) {
    return proxy;
  }
  const SchemeProxy found = GetSchemeProxy(scheme, list);
  proxy.Host = found.host;
  proxy.Port = found.port;
  use_proxy = !proxy.Host.empty();
  return proxy;
}

}  // namespace

TTransferForm::TTransferForm(Use use, AppPaths paths, Prompts& prompts, TInternetDM& internet,
                             QWidget* parent)
    : QDialog(parent), use_(use), paths_(std::move(paths)), prompts_(prompts), internet_(internet) {
  setWindowTitle("Transfer");
  setObjectName("TransferForm");
  pages_ = new QTabWidget(this);
  pages_->setObjectName("PageControl");
  ftp_sites_ = new QListWidget;
  ftp_sites_->setObjectName("FTPSitesLB");
  ftp_sites_->setSortingEnabled(true);
  http_sites_ = new QListWidget;
  http_sites_->setObjectName("HTTPSitesLB");
  http_sites_->setSortingEnabled(true);
  pages_->addTab(ftp_sites_, "FTP Sites");
  pages_->addTab(http_sites_, "HTTP Sites");
  pages_->setMinimumSize(217, 201);

  auto* add = new QPushButton("&Add", this);
  auto* edit = new QPushButton("&Edit", this);
  auto* remove = new QPushButton("&Remove", this);
  add->setObjectName("AddButton");
  edit->setObjectName("EditButton");
  remove->setObjectName("RemoveButton");
  transfer_button_ = new QPushButton(use == Use::kDownload ? "&Download" : "&Upload", this);
  transfer_button_->setObjectName("TransferButton");
  auto* close = new QPushButton("&Close", this);
  close->setObjectName("CancelButton");
  for (QPushButton* button : {add, edit, remove, close}) button->setAutoDefault(false);
  transfer_button_->setDefault(use != Use::kManage);
  transfer_button_->setVisible(use != Use::kManage);

  connect(add, &QPushButton::clicked, this, &TTransferForm::AddButtonClick);
  connect(edit, &QPushButton::clicked, this, &TTransferForm::EditButtonClick);
  connect(remove, &QPushButton::clicked, this, &TTransferForm::RemoveButtonClick);
  connect(transfer_button_, &QPushButton::clicked, this, &TTransferForm::TransferButtonClick);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  connect(ftp_sites_, &QListWidget::doubleClicked, this, &TTransferForm::TransferButtonClick);
  connect(http_sites_, &QListWidget::doubleClicked, this, &TTransferForm::TransferButtonClick);

  auto* side = new QVBoxLayout;
  side->addWidget(add);
  side->addWidget(edit);
  side->addWidget(remove);
  side->addStretch();
  auto* rule = new QFrame(this);
  rule->setFrameShape(QFrame::HLine);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(transfer_button_);
  bottom->addWidget(close);
  auto* layout = new QGridLayout(this);
  layout->addWidget(pages_, 0, 0);
  layout->addLayout(side, 0, 1);
  layout->addWidget(rule, 1, 0, 1, 2);
  layout->addLayout(bottom, 2, 0, 1, 2);

  if (use == Use::kUpload) pages_->setTabVisible(1, false);
  if (use == Use::kDownload) pages_->setCurrentIndex(1);
  LoadFTPSites();
  LoadHTTPSites();
}

void TTransferForm::LoadFTPSites() {
  ftp_sites_->clear();
  for (const std::string& name : FtpSitesFile(paths_.FtpSitesFile()).ReadSections()) {
    ftp_sites_->addItem(Q(name));
  }
  ftp_sites_->setCurrentItem(nullptr);
}

void TTransferForm::LoadHTTPSites() {
  http_sites_->clear();
  for (const std::string& name : HttpSitesFile(paths_.HttpSitesFile()).ReadSections()) {
    http_sites_->addItem(Q(name));
  }
  http_sites_->setCurrentItem(nullptr);
}

void TTransferForm::AddButtonClick() {
  if (OnFTPPage()) {
    EditFTPSite(paths_.FtpSitesFile(), res::kNewFTPSite, prompts_, this);
    LoadFTPSites();
  } else {
    EditHTTPSite(paths_.HttpSitesFile(), res::kNewHTTPSite, prompts_, this);
    LoadHTTPSites();
  }
}

void TTransferForm::EditButtonClick() {
  const QString name = Selected(OnFTPPage() ? ftp_sites_ : http_sites_);
  if (name.isNull()) return;
  if (OnFTPPage()) {
    EditFTPSite(paths_.FtpSitesFile(), name, prompts_, this);
    LoadFTPSites();
  } else {
    EditHTTPSite(paths_.HttpSitesFile(), name, prompts_, this);
    LoadHTTPSites();
  }
}

void TTransferForm::RemoveButtonClick() {
  const bool ftp = OnFTPPage();
  const QString name = Selected(ftp ? ftp_sites_ : http_sites_);
  if (name.isNull()) return;
  if (!prompts_.Confirm(QString(ftp ? res::kDeleteFTPSite : res::kDeleteHTTPSite).arg(name)))
    return;
  Guarded(prompts_, [&] {
    if (ftp) {
      DeleteFTPSite(paths_.FtpSitesFile(), name);
    } else {
      DeleteHTTPSite(paths_.HttpSitesFile(), name);
    }
  });
  ftp ? LoadFTPSites() : LoadHTTPSites();
}

TTransferForm::FTPSiteData TTransferForm::ReadFTPSite(const QString& name) const {
  const FTPSite stored = ReadFTPSiteRecord(FtpSitesFile(paths_.FtpSitesFile()), S(name));
  FTPSiteData data;
  data.site = {stored.host, stored.username, stored.password, stored.port, stored.passive};
  data.proxy =
      ProxyFor("FTP",
               HostOfUrl(stored.host.find("://") == std::string::npos ? "ftp://" + stored.host
                                                                      : stored.host),
               data.use_proxy);
  data.path = SplitRemotePath(stored.filename);
  return data;
}

TTransferForm::HTTPSiteData TTransferForm::ReadHTTPSite(const QString& name) const {
  HTTPSiteData data;
  data.url = ReadHTTPSiteURL(HttpSitesFile(paths_.HttpSitesFile()), S(name));
  const bool https = Q(data.url).startsWith("https://", Qt::CaseInsensitive);
  data.proxy = ProxyFor(https ? "HTTPS" : "HTTP", HostOfUrl(data.url), data.use_proxy);
  return data;
}

TransferResult TTransferForm::Run(
    const std::function<TransferResult(const TransferProgress&)>& job) {
  std::atomic<bool> cancelled{false};
  std::atomic<std::uint64_t> bytes{0};
  std::atomic<bool> finished{false};
  TransferResult result;
  QProgressDialog progress("Transferring...", "Cancel", 0, 0, this);
  progress.setWindowTitle("Transfer");
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(300);
  QEventLoop loop;
  std::thread worker([&] {
    result = job([&](std::uint64_t done) {
      bytes = done;
      return !cancelled.load();
    });
    finished = true;
    QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
  });
  QTimer tick;
  connect(&tick, &QTimer::timeout, &progress,
          [&] { progress.setLabelText(QString("Transferring... %1 bytes").arg(bytes.load())); });
  connect(&progress, &QProgressDialog::canceled, &progress, [&] { cancelled = true; });
  tick.start(100);
  if (!finished) loop.exec();
  worker.join();
  if (cancelled) result = {false, "Cancelled."};
  return result;
}

void TTransferForm::Report(bool ok, bool upload) {
  QApplication::processEvents();
  if (ok) {
    prompts_.ShowMessage(Prompts::Kind::kInformation, upload ? res::kUploaded : res::kDownloaded);
    Succeeded = true;
  } else {
    prompts_.ShowMessage(Prompts::Kind::kError, upload ? res::kNotUploaded : res::kNotDownloaded);
  }
}

void TTransferForm::TransferButtonClick() {
  if (use_ == Use::kManage) return;
  if (OnFTPPage()) {
    const QString name = Selected(ftp_sites_);
    if (name.isNull()) {
      prompts_.ShowMessage(Prompts::Kind::kWarning, res::kSelectFTPSite);
      return;
    }
    const FTPSiteData data = ReadFTPSite(name);
    const bool upload = use_ == Use::kUpload;
    std::string text = FeedText;
    const TransferResult result = Run([&](const TransferProgress& progress) {
      return upload ? internet_.FTPUpload(data.site, data.proxy, text, data.path.file_name,
                                          data.path.directory, data.use_proxy, progress)
                    : internet_.FTPDownload(data.site, data.proxy, text, data.path.file_name,
                                            data.path.directory, data.use_proxy, progress);
    });
    if (result && !upload) FeedText = std::move(text);
    Report(result.ok, upload);
  } else {
    const QString name = Selected(http_sites_);
    if (name.isNull()) {
      prompts_.ShowMessage(Prompts::Kind::kWarning, res::kSelectHTTPSite);
      return;
    }
    const HTTPSiteData data = ReadHTTPSite(name);
    std::string text = FeedText;
    const TransferResult result = Run([&](const TransferProgress& progress) {
      return internet_.HTTPDownload(data.proxy, data.url, text, data.use_proxy, progress);
    });
    if (result) FeedText = std::move(text);
    Report(result.ok, false);
  }
  if (Succeeded) accept();
}

void TTransferForm::keyPressEvent(QKeyEvent* event) {
  // Enter on a list transfers with the selected site, as the Transfer button does.
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      (ftp_sites_->hasFocus() || http_sites_->hasFocus())) {
    if (use_ != Use::kManage) TransferButtonClick();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace quillcast
