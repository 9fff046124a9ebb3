#include <QListWidget>
#include <QTimer>
#include <filesystem>

#include "common/ResourceStr.h"
#include "support/ServerProcess.h"
#include "transfer/FTPSettingsUnit.h"
#include "transfer/SiteLists.h"
#include "transfer/TransferService.h"
#include "transfer/TransferUnit.h"
#include "ui/UiFixture.h"

namespace quillcast {
namespace {

using testing::FreePort;
using testing::ReadFile;
using testing::ServerProcess;
using testing::WaitForPort;
using testing::WriteFile;

class SiteDialogsTest : public testing::MainWindowFixture {
 protected:
  std::string Ftp() const { return paths_.FtpSitesFile(); }
  std::string Http() const { return paths_.HttpSitesFile(); }
  QString Exists(const char* name) { return QString(res::kFTPSiteExists).arg(name); }
};

TEST_F(SiteDialogsTest, AddingOverANameInOtherCaseAsksAndKeepsTheStoredSpelling) {
  WriteFile(Ftp(), "[Home]\nHost=old\n");
  TFTPSettingsForm form(Ftp(), prompts_);
  form.SiteName = res::kNewFTPSite;
  form.LoadSite();
  form.site_edit()->setText("home");
  form.host_edit()->setText("new.example");
  prompts_.confirmations = {false};
  EXPECT_FALSE(form.SaveSite());
  EXPECT_EQ(prompts_.log.back(),
            "confirm: FTP site \"home\" already exists.\n\rDo you want to overwrite it?");
  EXPECT_EQ(ReadFile(Ftp()), "[Home]\nHost=old\n");
  prompts_.confirmations = {true};
  EXPECT_TRUE(form.SaveSite());
  const std::string file = ReadFile(Ftp());
  EXPECT_EQ(file.find("[Home]\n"), 0u);
  EXPECT_NE(file.find("Host=new.example"), std::string::npos);
  EXPECT_EQ(file.find("[home]"), std::string::npos);
}

TEST_F(SiteDialogsTest, RenamingRules) {
  WriteFile(Ftp(), "[A]\nHost=a\n[B]\nHost=b\n");
  {
    TFTPSettingsForm form(Ftp(), prompts_);
    form.SiteName = "A";
    form.LoadSite();
    EXPECT_EQ(form.host_edit()->text(), "a");
    form.site_edit()->setText("C");
    EXPECT_TRUE(form.SaveSite());
    EXPECT_TRUE(prompts_.log.isEmpty()) << "a new name asks nothing";
    const auto sections = FtpSitesFile(Ftp()).ReadSections();
    EXPECT_EQ(sections, (std::vector<std::string>{"B", "C"}))
        << "the renamed site moves to the end";
  }
  {
    TFTPSettingsForm form(Ftp(), prompts_);
    form.SiteName = "B";
    form.LoadSite();
    form.site_edit()->setText("b");
    prompts_.confirmations = {true};
    EXPECT_TRUE(form.SaveSite());
    EXPECT_EQ(prompts_.log.size(), 1) << "a change of letter case only is a rename that asks";
    EXPECT_EQ(FtpSitesFile(Ftp()).ReadSections(), (std::vector<std::string>{"C", "b"}));
  }
  {
    TFTPSettingsForm form(Ftp(), prompts_);
    form.SiteName = "C";
    form.LoadSite();
    form.port_edit()->setValue(2121);
    EXPECT_TRUE(form.SaveSite());
    EXPECT_EQ(prompts_.log.size(), 1) << "an unchanged name writes in place without asking";
    EXPECT_EQ(ReadFTPSiteRecord(FtpSitesFile(Ftp()), "C").port, 2121);
  }
}

TEST_F(SiteDialogsTest, TheProvisionalNameCountsAsNew) {
  WriteFile(Ftp(), "[New FTP Site]\nHost=x\n");
  TFTPSettingsForm form(Ftp(), prompts_);
  form.SiteName = res::kNewFTPSite;
  form.LoadSite();
  EXPECT_EQ(form.host_edit()->text(), "x");
  prompts_.confirmations = {false};
  EXPECT_FALSE(form.SaveSite());
  EXPECT_EQ(prompts_.log.size(), 1);
  form.site_edit()->setText("Renamed");
  EXPECT_TRUE(form.SaveSite());
  EXPECT_EQ(FtpSitesFile(Ftp()).ReadSections(),
            (std::vector<std::string>{"New FTP Site", "Renamed"}));
}

TEST_F(SiteDialogsTest, HttpUrlsKeepHttpAndHttpsInAnyCase) {
  const struct {
    const char* typed;
    const char* saved;
  } cases[] = {{"https://example.org/feed.xml", "https://example.org/feed.xml"},
               {"HTTP://example.org/", "HTTP://example.org/"},
               {"example.org/feed.xml", "http://example.org/feed.xml"},
               {"", "http://"}};
  int n = 0;
  for (const auto& c : cases) {
    THTTPSettingsForm form(Http(), prompts_);
    form.SiteName = res::kNewHTTPSite;
    form.LoadSite();
    const QString name = QString("Site %1").arg(++n);
    form.site_edit()->setText(name);
    form.url_edit()->setText(c.typed);
    EXPECT_TRUE(form.SaveSite());
    EXPECT_EQ(ReadHTTPSiteURL(HttpSitesFile(Http()), S(name)), c.saved);
  }
  THTTPSettingsForm again(Http(), prompts_);
  again.SiteName = res::kNewHTTPSite;
  again.site_edit()->setText("site 1");
  again.url_edit()->setText("feeds.example");
  prompts_.confirmations = {false};
  EXPECT_FALSE(again.SaveSite());
  EXPECT_EQ(again.url_edit()->text(), "http://feeds.example")
      << "the field shows the scheme at once";
}

TEST_F(SiteDialogsTest, TransferDialogListsWarnsAndRemoves) {
  WriteFile(Ftp(), "[zeta]\nHost=z\n[Alpha]\nHost=a\n");
  TInternetDM internet;
  TTransferForm manage(TTransferForm::Use::kManage, paths_, prompts_, internet);
  EXPECT_FALSE(manage.transfer_button()->isVisibleTo(&manage));
  ASSERT_EQ(manage.ftp_sites()->count(), 2);
  EXPECT_EQ(manage.ftp_sites()->item(0)->text(), "Alpha") << "sorted";
  manage.TransferButtonClick();
  EXPECT_TRUE(prompts_.log.isEmpty()) << "managing starts nothing";

  TTransferForm upload(TTransferForm::Use::kUpload, paths_, prompts_, internet);
  EXPECT_FALSE(upload.pages()->isTabVisible(1));
  upload.TransferButtonClick();
  EXPECT_EQ(prompts_.log.back(), "message: Please select FTP site from the list.");

  TTransferForm download(TTransferForm::Use::kDownload, paths_, prompts_, internet);
  EXPECT_EQ(download.pages()->currentIndex(), 1);
  EXPECT_EQ(download.transfer_button()->text(), "&Download");
  download.TransferButtonClick();
  EXPECT_EQ(prompts_.log.back(), "message: Please select HTTP site from the list.");

  manage.pages()->setCurrentIndex(0);
  manage.ftp_sites()->setCurrentRow(0);
  prompts_.confirmations = {true};
  manage.RemoveButtonClick();
  EXPECT_EQ(prompts_.log.back(), "confirm: Are you sure you want to delete FTP site \"Alpha\"?");
  ASSERT_EQ(manage.ftp_sites()->count(), 1);
  EXPECT_EQ(manage.ftp_sites()->currentItem(), nullptr);
  EXPECT_EQ(FtpSitesFile(Ftp()).ReadSections(), std::vector<std::string>{"zeta"});
}

// Select a site in the transfer dialog once it is up, and press its transfer button.
void TransferWith(int page, const char* site) {
  QTimer::singleShot(0, [page, site] {
    auto* form = qobject_cast<TTransferForm*>(QApplication::activeModalWidget());
    ASSERT_NE(form, nullptr);
    form->pages()->setCurrentIndex(page);
    QListWidget* list = page == 0 ? form->ftp_sites() : form->http_sites();
    const auto found = list->findItems(site, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    list->setCurrentItem(found.front());
    form->transfer_button()->click();
  });
}

TEST_F(SiteDialogsTest, DownloadFromAnHttpSiteOpensANewDocument) {
  const int port = FreePort();
  ServerProcess server(
      {"/usr/bin/python3", QUILLCAST_TEST_DATA "/../support/http_server.py", std::to_string(port)});
  ASSERT_TRUE(WaitForPort(port));
  WriteFile(Http(), "[Test]\nURL=http://127.0.0.1:" + std::to_string(port) + "/feed.xml\n");
  TInternetDM internet;
  TransferService service(paths_, prompts_, internet, nullptr);
  Main().SetTransfer(&service);
  Main().FileNewExecute();
  TransferWith(1, "Test");
  Main().FileDownloadExecute();
  EXPECT_EQ(prompts_.log.back(), "message: File has been downloaded successfully.");
  ASSERT_NE(Main().ActiveChild(), nullptr);
  EXPECT_EQ(Main().ActiveChild()->Caption(), "New RSS File2");
  EXPECT_EQ(Main().ActiveChild()->RSSCDS().AsString("title"), "Served");
  Main().SetTransfer(nullptr);
}

TEST_F(SiteDialogsTest, UploadStoresTheDocumentsTextOnTheFtpServer) {
  const std::string root = dir_.File("ftp-root");
  std::filesystem::create_directories(root + "/www");
  const int port = FreePort();
  ServerProcess server({"/usr/bin/python3", "-m", "pyftpdlib", "-i", "127.0.0.1", "-p",
                        std::to_string(port), "-w", "-d", root, "-u", "me", "-P", "pw"});
  ASSERT_TRUE(WaitForPort(port));
  WriteFile(Ftp(), "[Mine]\nHost=127.0.0.1\nPort=" + std::to_string(port) +
                       "\nPasive=1\nUsername=me\nPassword=pw\nFilename=/www/feed.xml\n");
  TInternetDM internet;
  TransferService service(paths_, prompts_, internet, nullptr);
  Main().SetTransfer(&service);
  WriteFile(File("local.xml"), testing::kSmallFeed);
  TMDIChild* child = Main().OpenDocument(Q(File("local.xml")));
  TransferWith(0, "Mine");
  Main().FileUploadExecute();
  EXPECT_EQ(prompts_.log.back(), "message: File has been uploaded successfully.");
  // The upload is in ASCII mode: the server keeps its own line ends, the text is the same.
  std::string expected = child->GetRSSText();
  std::string stored = ReadFile(root + "/www/feed.xml");
  std::erase(expected, '\r');
  std::erase(stored, '\r');
  EXPECT_EQ(stored, expected);
  EXPECT_FALSE(child->Modified());
  Main().SetTransfer(nullptr);
}

}  // namespace
}  // namespace quillcast
