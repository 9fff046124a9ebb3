#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/ServerProcess.h"
#include "support/TempDir.h"
#include "transfer/InternetDMUnit.h"
#include "transfer/SiteLists.h"

namespace quillcast {
namespace {

using testing::FreePort;
using testing::ReadFile;
using testing::ServerProcess;
using testing::TempDir;
using testing::WaitForPort;
using testing::WriteFile;

constexpr char kFeed[] =
    "<?xml version=\"1.0\"?>\r\n<rss version=\"2.0\"><channel>\r\n"
    "<title>Up</title></channel></rss>\r\n";

std::string Lf(std::string text) {
  std::string out;
  for (char c : text) {
    if (c != '\r') out += c;
  }
  return out;
}

// --- Site lists -------------------------------------------------------------------------------

TEST(SiteListsTest, RemotePathSplit) {
  const struct {
    const char* filename;
    RemotePath path;
  } cases[] = {{"/www/feed.xml", {"/www", "feed.xml"}},
               {"www\\news\\feed.xml", {"www/news", "feed.xml"}},
               {"/feed.xml", {"/", "feed.xml"}},
               {"feed.xml", {"", "feed.xml"}},
               {"/www/", {"/www", ""}},
               {"/www//feed.xml", {"/www//", "feed.xml"}},
               {"c:feed.xml", {"c:", "feed.xml"}},
               {"", {"", ""}}};
  for (const auto& c : cases) EXPECT_EQ(SplitRemotePath(c.filename), c.path) << c.filename;
}

TEST(SiteListsTest, RecordsReadWithTheirDefaultsAndFtpIniStaysPrivate) {
  TempDir dir;
  ProfileFile ftp = FtpSitesFile(dir.File("ftp.ini"));
  WriteFile(dir.File("ftp.ini"), "[A]\nPort=0x15\nPasive=2\n[B]\nPort=abc\nPasive=yes\n[Empty]\n");
  ::chmod(dir.File("ftp.ini").c_str(), 0600);
  EXPECT_EQ(ReadFTPSiteRecord(ftp, "a").port, 21);
  EXPECT_TRUE(ReadFTPSiteRecord(ftp, "A").passive);
  EXPECT_EQ(ReadFTPSiteRecord(ftp, "B").port, 21);
  EXPECT_FALSE(ReadFTPSiteRecord(ftp, "B").passive);
  EXPECT_FALSE(ftp.SectionExists("Empty"));
  EXPECT_EQ(ftp.ReadSections(), (std::vector<std::string>{"A", "B", "Empty"}));

  ProfileFile fresh = FtpSitesFile(dir.File("sub/ftp.ini"));
  WriteFTPSiteRecord(fresh, "Home", {"ftp.example.org", 2121, true, "me", "s3cret", "/www/f.xml"});
  struct stat st {};
  ASSERT_EQ(::stat(dir.File("sub/ftp.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(ReadFile(dir.File("sub/ftp.ini")),
            "[Home]\nHost=ftp.example.org\nPort=2121\nPasive=1\nUsername=me\nPassword=s3cret\n"
            "Filename=/www/f.xml\n");
  WriteFTPSiteRecord(fresh, "Home", {"h", 21, false, "", "", ""});
  ASSERT_EQ(::stat(dir.File("sub/ftp.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u) << "a write keeps the mode";
}

TEST(SiteListsTest, HttpUrlsGetTheirScheme) {
  EXPECT_EQ(WithHttpScheme("https://example.org/feed.xml"), "https://example.org/feed.xml");
  EXPECT_EQ(WithHttpScheme("HTTP://example.org/"), "HTTP://example.org/");
  EXPECT_EQ(WithHttpScheme("example.org/feed.xml"), "http://example.org/feed.xml");
  EXPECT_EQ(WithHttpScheme("ftp://example.org/"), "http://ftp://example.org/");
  EXPECT_EQ(WithHttpScheme(""), "http://");
}

// --- Proxies ----------------------------------------------------------------------------------

TEST(ProxyTest, SchemeProxyTable) {
  const struct {
    const char* list;
    const char* scheme;
    const char* host;
    int port;
  } cases[] = {{"cache:8080", "HTTP", "cache", 8080},
               {"cache:8080", "FTP", "cache", 8080},
               {"HTTP=web:80;FTP=files:2121", "HTTP", "web", 80},
               {"HTTP=web:80;FTP=files:2121", "FTP", "files", 2121},
               {"cache", "HTTP", "", 0},
               {"cache:x", "HTTP", "cache", 0},
               {"", "HTTP", "", 0}};
  for (const auto& c : cases) {
    const SchemeProxy proxy = GetSchemeProxy(c.scheme, c.list);
    EXPECT_EQ(proxy.host, c.host) << c.list << " " << c.scheme;
    EXPECT_EQ(proxy.port, c.port) << c.list << " " << c.scheme;
  }
}

TEST(ProxyTest, TheListComesFromTheEnvironment) {
  EXPECT_EQ(GetSystemProxyList({}), "");
  EXPECT_EQ(GetSystemProxyList({{"http_proxy", "http://web:3128/"}, {"FTP_PROXY", "files:2121"}}),
            "HTTP=web:3128;FTP=files:2121");
  EXPECT_EQ(GetSystemProxyList({{"all_proxy", "http://user:pw@cache:8080"}}), "cache:8080");
  EXPECT_EQ(GetSystemProxyList({{"https_proxy", "https://secure:443"}, {"ALL_PROXY", "all:1"}}),
            "HTTPS=secure:443;HTTP=all:1;FTP=all:1");
  EXPECT_EQ(GetSchemeProxy("HTTP", GetSystemProxyList({{"HTTP_PROXY", "web"}})).port, 80);
}

TEST(ProxyTest, NoProxyExemptsHosts) {
  EXPECT_TRUE(IsProxyExempt("localhost", "localhost,.example.org"));
  EXPECT_TRUE(IsProxyExempt("feeds.example.org", "localhost, .example.org"));
  EXPECT_TRUE(IsProxyExempt("example.org", "example.org"));
  EXPECT_FALSE(IsProxyExempt("badexample.org", "example.org"));
  EXPECT_TRUE(IsProxyExempt("anything", "*"));
  EXPECT_FALSE(IsProxyExempt("example.org", ""));
  EXPECT_EQ(HostOfUrl("http://user@Host.example:8080/x?y"), "Host.example");
  EXPECT_EQ(HostOfUrl("https://[::1]:8443/"), "::1");
}

// --- FTP against a real server ------------------------------------------------------------------

class FtpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(root_ + "/www");
    port_ = FreePort();
    server_ = std::make_unique<ServerProcess>(std::vector<std::string>{
        "/usr/bin/python3", "-m", "pyftpdlib", "-i", "127.0.0.1", "-p", std::to_string(port_), "-w",
        "-d", root_, "-u", "user", "-P", "secret"});
    ASSERT_TRUE(WaitForPort(port_)) << "the FTP server did not start";
  }

  TFTPDesc Site(bool passive = true, const char* password = "secret") const {
    return {"127.0.0.1", "user", password, port_, passive};
  }

  TempDir dir_;
  std::string root_ = dir_.File("ftp-root");
  int port_ = 0;
  std::unique_ptr<ServerProcess> server_;
  TInternetDM internet_;
  TProxyDesc no_proxy_;
};

TEST_F(FtpTest, UploadAndDownloadPassiveAndActive) {
  for (bool passive : {true, false}) {
    SCOPED_TRACE(passive ? "passive" : "active");
    const auto up = internet_.FTPUpload(Site(passive), no_proxy_, kFeed, "feed.xml", "/www", false);
    ASSERT_TRUE(up) << up.detail;
    // The transfer is in ASCII mode: the server stores its own line ends.
    EXPECT_EQ(Lf(ReadFile(root_ + "/www/feed.xml")), Lf(kFeed));
    std::string text = "before";
    const auto down =
        internet_.FTPDownload(Site(passive), no_proxy_, text, "feed.xml", "/www", false);
    ASSERT_TRUE(down) << down.detail;
    EXPECT_EQ(Lf(text), Lf(kFeed));
    std::remove((root_ + "/www/feed.xml").c_str());
  }
}

TEST_F(FtpTest, AnEmptyDirectoryUsesTheLoginDirectory) {
  ASSERT_TRUE(internet_.FTPUpload(Site(), no_proxy_, "", "empty.xml", "", false));
  EXPECT_TRUE(std::filesystem::exists(root_ + "/empty.xml"));
  EXPECT_EQ(ReadFile(root_ + "/empty.xml"), "") << "an empty text stores an empty file";
}

TEST_F(FtpTest, FailuresLeaveTheTextAlone) {
  std::string text = "unchanged";
  EXPECT_FALSE(internet_.FTPUpload(Site(true, "wrong"), no_proxy_, kFeed, "f.xml", "/www", false));
  EXPECT_FALSE(internet_.FTPDownload(Site(), no_proxy_, text, "missing.xml", "/www", false));
  EXPECT_FALSE(internet_.FTPDownload(Site(), no_proxy_, text, "f.xml", "/no/such/dir", false));
  EXPECT_EQ(text, "unchanged");
  const auto nameless = internet_.FTPUpload(Site(), no_proxy_, kFeed, "", "/www", false);
  EXPECT_FALSE(nameless) << "no file name: nothing is published under a name nobody chose";
  EXPECT_TRUE(std::filesystem::is_empty(root_ + "/www"));
}

// --- HTTP against a real server and a real proxy -------------------------------------------------

class HttpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    port_ = FreePort();
    server_ = std::make_unique<ServerProcess>(std::vector<std::string>{
        "/usr/bin/python3", QUILLCAST_TEST_SUPPORT "/http_server.py", std::to_string(port_)});
    ASSERT_TRUE(WaitForPort(port_)) << "the HTTP server did not start";
  }

  std::string Url(const char* path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }

  int port_ = 0;
  std::unique_ptr<ServerProcess> server_;
  TInternetDM internet_;
  TProxyDesc no_proxy_;
};

TEST_F(HttpTest, StatusCodes) {
  std::string text = "before";
  ASSERT_TRUE(internet_.HTTPDownload(no_proxy_, Url("/feed.xml"), text, false));
  EXPECT_NE(text.find("<title>Served</title>"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << "the body byte for byte";

  text = "before";
  ASSERT_TRUE(internet_.HTTPDownload(no_proxy_, Url("/empty"), text, false));
  EXPECT_EQ(text, "") << "204: success with no body";

  for (const char* path : {"/moved", "/missing", "/broken"}) {
    text = "unchanged";
    EXPECT_FALSE(internet_.HTTPDownload(no_proxy_, Url(path), text, false)) << path;
    EXPECT_EQ(text, "unchanged") << path;
  }
  text = "unchanged";
  EXPECT_FALSE(internet_.HTTPDownload(no_proxy_, "http://127.0.0.1:1/feed.xml", text, false));
}

TEST_F(HttpTest, HeadersAndCookies) {
  std::string text;
  ASSERT_TRUE(internet_.HTTPDownload(no_proxy_, Url("/headers"), text, false));
  EXPECT_NE(text.find("User-Agent: Mozilla/5.0 (compatible; Orvel Quillcast/1.0)"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("Accept: text/html, */*"), std::string::npos) << text;
  EXPECT_NE(text.find("Content-Type: text/html"), std::string::npos) << text;

  EXPECT_FALSE(internet_.HTTPDownload(no_proxy_, Url("/cookie.xml"), text, false))
      << "no cookie yet";
  ASSERT_TRUE(internet_.HTTPDownload(no_proxy_, Url("/feed.xml"), text, false));
  EXPECT_TRUE(internet_.HTTPDownload(no_proxy_, Url("/cookie.xml"), text, false))
      << "the cookie is sent back on a later request";
}

TEST_F(HttpTest, GoesThroughTheProxyItIsGiven) {
  TempDir dir;
  const int proxy_port = FreePort();
  const std::string log = dir.File("tinyproxy.log");
  WriteFile(dir.File("tinyproxy.conf"),
            "Port " + std::to_string(proxy_port) +
                "\nListen 127.0.0.1\nTimeout 30\nAllow 127.0.0.1\nLogLevel Info\nLogFile \"" + log +
                "\"\nMaxClients 10\n");
  ServerProcess proxy({"/usr/bin/tinyproxy", "-d", "-c", dir.File("tinyproxy.conf")});
  ASSERT_TRUE(WaitForPort(proxy_port)) << "tinyproxy did not start";

  std::string text;
  const TProxyDesc through{"127.0.0.1", "", "", proxy_port, 0};
  ASSERT_TRUE(internet_.HTTPDownload(through, Url("/feed.xml"), text, true));
  // The proxy writes its log in its own time.
  bool logged = false;
  for (int i = 0; i < 100 && !logged; ++i) {
    logged = ReadFile(log).find("GET " + Url("/feed.xml")) != std::string::npos;
    if (!logged) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_TRUE(logged) << "the request went through the proxy";

  // The proxy logs more about a connection after its request; only requests are counted.
  const auto requests = [&] {
    const std::string text = ReadFile(log);
    const std::string request = "GET " + Url("/feed.xml");
    int count = 0;
    for (size_t at = text.find(request); at != std::string::npos; at = text.find(request, at + 1)) {
      ++count;
    }
    return count;
  };
  ASSERT_TRUE(internet_.HTTPDownload(through, Url("/feed.xml"), text, false));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(requests(), 1) << "without the flag the proxy is not used";
}

}  // namespace
}  // namespace quillcast
