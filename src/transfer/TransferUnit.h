// TTransferForm: the FTP and HTTP site lists, their Add, Edit and Remove, and the transfer
// itself, which runs off the user-interface thread behind a progress dialog with Cancel.
#pragma once

#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <string>

#include "common/AppPaths.h"
#include "common/qt/Prompts.h"
#include "transfer/InternetDMUnit.h"
#include "transfer/SiteLists.h"

namespace quillcast {

class TTransferForm : public QDialog {
  Q_OBJECT

 public:
  enum class Use { kManage, kUpload, kDownload };

  TTransferForm(Use use, AppPaths paths, Prompts& prompts, TInternetDM& internet,
                QWidget* parent = nullptr);

  std::string FeedText;
  bool Succeeded = false;

  void LoadFTPSites();
  void LoadHTTPSites();
  void AddButtonClick();
  void EditButtonClick();
  void RemoveButtonClick();
  void TransferButtonClick();

  struct FTPSiteData {
    TFTPDesc site;
    TProxyDesc proxy;
    RemotePath path;
    bool use_proxy = false;
  };
  FTPSiteData ReadFTPSite(const QString& name) const;
  struct HTTPSiteData {
    std::string url;
    TProxyDesc proxy;
    bool use_proxy = false;
  };
  HTTPSiteData ReadHTTPSite(const QString& name) const;

  QTabWidget* pages() const { return pages_; }
  QListWidget* ftp_sites() const { return ftp_sites_; }
  QListWidget* http_sites() const { return http_sites_; }
  QPushButton* transfer_button() const { return transfer_button_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool OnFTPPage() const { return pages_->currentIndex() == 0; }
  // Runs a transfer off the user-interface thread; the windows keep painting and Cancel ends it.
  TransferResult Run(const std::function<TransferResult(const TransferProgress&)>& job);
  void Report(bool ok, bool upload);

  Use use_;
  AppPaths paths_;
  Prompts& prompts_;
  TInternetDM& internet_;
  QTabWidget* pages_;
  QListWidget* ftp_sites_;
  QListWidget* http_sites_;
  QPushButton* transfer_button_;
};

}  // namespace quillcast
