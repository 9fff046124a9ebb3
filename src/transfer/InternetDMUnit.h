// TInternetDM: the transfer service. Blocking FTP upload and download and HTTP download over
// libcurl, with a progress callback that can abort, and the system's proxy setting.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace quillcast {

struct TFTPDesc {
  std::string Host;  // "host", or "ftps://host" (explicit TLS), or "sftp://host"
  std::string Username;
  std::string Password;
  std::int32_t Port = 21;
  bool Passive = false;
};

struct TProxyDesc {
  std::string Host;  // empty: no proxy
  std::string Username;
  std::string Password;
  std::int32_t Port = 0;
  std::uint8_t Option = 0;
};

// Told of the bytes moved so far; returning false ends the transfer as a failure.
using TransferProgress = std::function<bool(std::uint64_t bytes_done)>;

// What a failed transfer ran into, for the log of a test or a curious user; the dialogs show
// their own messages.
struct TransferResult {
  bool ok = false;
  std::string detail;
  explicit operator bool() const { return ok; }
};

class TInternetDM {
 public:
  TInternetDM();
  ~TInternetDM();
  TInternetDM(const TInternetDM&) = delete;
  TInternetDM& operator=(const TInternetDM&) = delete;

  static constexpr long kConnectTimeoutSeconds = 30;
  static constexpr std::uint64_t kMaxDownloadBytes = 256ull << 20;
  static constexpr char kUserAgent[] = "Mozilla/5.0 (compatible; Orvel Quillcast/1.0)";

  TransferResult FTPUpload(const TFTPDesc& site, const TProxyDesc& proxy, const std::string& text,
                           const std::string& remote_file, const std::string& remote_dir,
                           bool use_proxy, const TransferProgress& progress = {});
  // On success `text` holds the file's bytes; on failure it is unchanged.
  TransferResult FTPDownload(const TFTPDesc& site, const TProxyDesc& proxy, std::string& text,
                             const std::string& remote_file, const std::string& remote_dir,
                             bool use_proxy, const TransferProgress& progress = {});
  // Any 2xx status is a success, the body byte for byte; redirects are failures. Cookies are
  // kept for the rest of the run.
  TransferResult HTTPDownload(const TProxyDesc& proxy, const std::string& url, std::string& text,
                              bool use_proxy, const TransferProgress& progress = {});

 private:
  enum class Direction { kUpload, kDownload };
  TransferResult FTPTransfer(Direction direction, const TFTPDesc& site, const TProxyDesc& proxy,
                             std::string& text, const std::string& remote_file,
                             const std::string& remote_dir, bool use_proxy,
                             const TransferProgress& progress);

  void* http_;  // the cookies HTTP requests share for the run
};

// The system's proxy list as "HTTP=host:port;HTTPS=host:port;FTP=host:port", or "host:port"
// when one proxy serves all, read from the standard environment variables (http_proxy,
// https_proxy, ftp_proxy, all_proxy, in either letter case); empty when none is set.
std::string GetSystemProxyList(const std::map<std::string, std::string>& environment);
std::string GetSystemProxyList();

struct SchemeProxy {
  std::string host;
  int port = 0;
};
// The proxy entry for a scheme ("FTP", "HTTP", "HTTPS") in a proxy list.
SchemeProxy GetSchemeProxy(const std::string& scheme, const std::string& proxy_list);
SchemeProxy GetSchemeProxy(const std::string& scheme);

// The host name of a URL ("http://user@host:8080/x" gives "host").
std::string HostOfUrl(const std::string& url);

// True when no_proxy (a comma list of host names, domain suffixes, or "*") exempts the host.
bool IsProxyExempt(const std::string& host, const std::string& no_proxy);
bool IsProxyExempt(const std::string& host);

}  // namespace quillcast
