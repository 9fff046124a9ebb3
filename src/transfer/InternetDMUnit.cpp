#include "transfer/InternetDMUnit.h"

#include <curl/curl.h>

#include <cstdlib>
#include <cstring>
#include <mutex>

#include "common/Ascii.h"
#include "common/ProfileFile.h"

extern char** environ;

namespace quillcast {
namespace {

void GlobalInit() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Transfer {
  std::string* received = nullptr;
  const std::string* sent = nullptr;
  size_t sent_at = 0;
  const TransferProgress* progress = nullptr;
  bool too_large = false;
};

size_t Receive(char* data, size_t size, size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  const size_t bytes = size * count;
  if (transfer->received->size() + bytes > TInternetDM::kMaxDownloadBytes) {
    transfer->too_large = true;
    return 0;
  }
  transfer->received->append(data, bytes);
  return bytes;
}

size_t Send(char* buffer, size_t size, size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  const size_t room = size * count;
  const size_t left = transfer->sent->size() - transfer->sent_at;
  const size_t bytes = std::min(room, left);
  std::memcpy(buffer, transfer->sent->data() + transfer->sent_at, bytes);
  transfer->sent_at += bytes;
  return bytes;
}

int Progress(void* user, curl_off_t down_total, curl_off_t down_now, curl_off_t up_total,
             curl_off_t up_now) {
  (void)down_total;
  (void)up_total;
  auto* transfer = static_cast<Transfer*>(user);
  if (transfer->progress == nullptr || !*transfer->progress) return 0;
  return (*transfer->progress)(static_cast<std::uint64_t>(down_now + up_now)) ? 0 : 1;
}

// Percent-encodes one path part of an FTP URL.
std::string EncodePath(const std::string& part) {
  std::string out;
  for (unsigned char c : part) {
    if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
      out += static_cast<char>(c);
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    }
  }
  return out;
}

bool StartsWithIgnoringCase(const std::string& text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         ascii::EqualsIgnoringCase(std::string_view(text).substr(0, prefix.size()), prefix);
}

// The site's host without a scheme, and what the scheme asks for.
struct FtpEndpoint {
  std::string scheme = "ftp";
  std::string host;
  bool tls = false;
};

FtpEndpoint EndpointOf(const std::string& host) {
  FtpEndpoint endpoint;
  endpoint.host = host;
  if (StartsWithIgnoringCase(host, "ftps://")) {
    endpoint.host = host.substr(7);
    endpoint.tls = true;
  } else if (StartsWithIgnoringCase(host, "sftp://")) {
    endpoint.scheme = "sftp";
    endpoint.host = host.substr(7);
  } else if (StartsWithIgnoringCase(host, "ftp://")) {
    endpoint.host = host.substr(6);
  }
  while (!endpoint.host.empty() && endpoint.host.back() == '/') endpoint.host.pop_back();
  return endpoint;
}

}  // namespace

std::string HostOfUrl(const std::string& url) {
  std::string rest = url;
  const size_t scheme = rest.find("://");
  if (scheme != std::string::npos) rest = rest.substr(scheme + 3);
  rest = rest.substr(0, rest.find_first_of("/?#"));
  const size_t at = rest.rfind('@');
  if (at != std::string::npos) rest = rest.substr(at + 1);
  if (!rest.empty() && rest.front() == '[') return rest.substr(1, rest.find(']') - 1);
  return rest.substr(0, rest.find(':'));
}

namespace {

void SetProxy(CURL* curl, const TProxyDesc& proxy, bool use_proxy, bool tunnel) {
  if (!use_proxy || proxy.Host.empty()) {
    // An empty proxy also keeps libcurl from reading the environment by itself.
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    return;
  }
  const std::string address = "http://" + proxy.Host + ":" + std::to_string(proxy.Port);
  curl_easy_setopt(curl, CURLOPT_PROXY, address.c_str());
  curl_easy_setopt(curl, CURLOPT_NOPROXY, "");
  if (tunnel) curl_easy_setopt(curl, CURLOPT_HTTPPROXYTUNNEL, 1L);
  if (!proxy.Username.empty()) {
    curl_easy_setopt(curl, CURLOPT_PROXYUSERNAME, proxy.Username.c_str());
    curl_easy_setopt(curl, CURLOPT_PROXYPASSWORD, proxy.Password.c_str());
    curl_easy_setopt(curl, CURLOPT_PROXYAUTH, proxy.Option != 0 ? CURLAUTH_BASIC : CURLAUTH_ANY);
  }
}

void SetCommon(CURL* curl, Transfer& transfer, char* error_buffer) {
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, TInternetDM::kConnectTimeoutSeconds);
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error_buffer);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, Progress);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE,
                   static_cast<curl_off_t>(TInternetDM::kMaxDownloadBytes));
}

TransferResult Outcome(CURLcode code, const char* error_buffer, const Transfer& transfer) {
  if (code == CURLE_OK) return {true, {}};
  if (transfer.too_large) return {false, "The file is larger than 256 MiB."};
  return {false, error_buffer[0] != '\0' ? error_buffer : curl_easy_strerror(code)};
}

}  // namespace

TInternetDM::TInternetDM() : http_(nullptr) {
  GlobalInit();
  // Cookies live in memory for the rest of the run, shared by every HTTP request.
  CURLSH* share = curl_share_init();
  curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
  http_ = share;
}

TInternetDM::~TInternetDM() { curl_share_cleanup(static_cast<CURLSH*>(http_)); }

TransferResult TInternetDM::FTPUpload(const TFTPDesc& site, const TProxyDesc& proxy,
                                      const std::string& text, const std::string& remote_file,
                                      const std::string& remote_dir, bool use_proxy,
                                      const TransferProgress& progress) {
  std::string copy = text;
  return FTPTransfer(Direction::kUpload, site, proxy, copy, remote_file, remote_dir, use_proxy,
                     progress);
}

TransferResult TInternetDM::FTPDownload(const TFTPDesc& site, const TProxyDesc& proxy,
                                        std::string& text, const std::string& remote_file,
                                        const std::string& remote_dir, bool use_proxy,
                                        const TransferProgress& progress) {
  return FTPTransfer(Direction::kDownload, site, proxy, text, remote_file, remote_dir, use_proxy,
                     progress);
}

TransferResult TInternetDM::FTPTransfer(Direction direction, const TFTPDesc& site,
                                        const TProxyDesc& proxy, std::string& text,
                                        const std::string& remote_file,
                                        const std::string& remote_dir, bool use_proxy,
                                        const TransferProgress& progress) {
  // A feed is always stored under the name the user gave; without one there is nothing to do.
  if (remote_file.empty()) return {false, "The site's file path names no file."};
  const FtpEndpoint endpoint = EndpointOf(site.Host);
  if (endpoint.host.empty()) return {false, "The site names no host."};
  const bool sftp = endpoint.scheme == "sftp";
  const int port = sftp && site.Port == 21 ? 22 : site.Port;

  // An absolute directory keeps its leading slash as %2F; an empty one sends no CWD at all.
  std::string path;
  if (!remote_dir.empty()) {
    path = remote_dir.front() == '/' && !sftp ? "%2F" + EncodePath(remote_dir.substr(1))
                                              : EncodePath(remote_dir);
    if (path.back() != '/') path += '/';
  }
  const std::string url = endpoint.scheme + "://" + endpoint.host + ":" + std::to_string(port) +
                          "/" + path + EncodePath(remote_file);

  CURL* curl = curl_easy_init();
  if (curl == nullptr) return {false, "The transfer could not start."};
  char error_buffer[CURL_ERROR_SIZE] = {};
  Transfer transfer;
  std::string received;
  transfer.received = &received;
  transfer.sent = &text;
  transfer.progress = &progress;
  SetCommon(curl, transfer, error_buffer);
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_USERNAME, site.Username.c_str());
  curl_easy_setopt(curl, CURLOPT_PASSWORD, site.Password.c_str());
  if (!sftp) {
    curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, 1L);  // TYPE A
    curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_SINGLECWD));
    if (site.Passive) {
      curl_easy_setopt(curl, CURLOPT_FTP_USE_EPSV, 0L);  // PASV
    } else {
      curl_easy_setopt(curl, CURLOPT_FTPPORT, "-");  // PORT
      curl_easy_setopt(curl, CURLOPT_FTP_USE_EPRT, 0L);
    }
    if (endpoint.tls) curl_easy_setopt(curl, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
  }
  SetProxy(curl, proxy, use_proxy, true);
  if (direction == Direction::kUpload) {
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, Send);
    curl_easy_setopt(curl, CURLOPT_READDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(text.size()));
  } else {
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Receive);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
  }
  const CURLcode code = curl_easy_perform(curl);
  curl_easy_cleanup(curl);
  TransferResult result = Outcome(code, error_buffer, transfer);
  if (result && direction == Direction::kDownload) text.swap(received);
  return result;
}

TransferResult TInternetDM::HTTPDownload(const TProxyDesc& proxy, const std::string& url,
                                         std::string& text, bool use_proxy,
                                         const TransferProgress& progress) {
  CURL* curl = curl_easy_init();
  if (curl == nullptr) return {false, "The transfer could not start."};
  curl_easy_setopt(curl, CURLOPT_SHARE, static_cast<CURLSH*>(http_));
  curl_easy_setopt(curl, CURLOPT_COOKIEFILE, "");
  char error_buffer[CURL_ERROR_SIZE] = {};
  Transfer transfer;
  std::string received;
  transfer.received = &received;
  transfer.progress = &progress;
  SetCommon(curl, transfer, error_buffer);
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(curl, CURLOPT_USERAGENT, kUserAgent);
  curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, nullptr);
  curl_slist* headers = nullptr;
  headers = curl_slist_append(headers, "Accept: text/html, */*");
  headers = curl_slist_append(headers, "Content-Type: text/html");
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Receive);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  SetProxy(curl, proxy, use_proxy, false);
  const CURLcode code = curl_easy_perform(curl);
  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  curl_easy_cleanup(curl);
  curl_slist_free_all(headers);
  TransferResult result = Outcome(code, error_buffer, transfer);
  if (result && (status < 200 || status > 299)) {
    result = {false, "The server answered " + std::to_string(status) + "."};
  }
  if (result) text.swap(received);
  return result;
}

// --- Proxies ------------------------------------------------------------------------------------

namespace {

// "http://user:pw@host:3128/" gives "host:3128".
std::string HostAndPort(const std::string& value) {
  std::string rest = value;
  const size_t scheme = rest.find("://");
  if (scheme != std::string::npos) rest = rest.substr(scheme + 3);
  rest = rest.substr(0, rest.find('/'));
  const size_t at = rest.rfind('@');
  if (at != std::string::npos) rest = rest.substr(at + 1);
  if (!rest.empty() && rest.find(':') == std::string::npos) rest += ":80";
  return rest;
}

std::string Lookup(const std::map<std::string, std::string>& environment,
                   const std::string& lower) {
  std::string upper = lower;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const std::string& key : {lower, upper}) {
    const auto it = environment.find(key);
    if (it != environment.end() && !it->second.empty()) return it->second;
  }
  return {};
}

std::map<std::string, std::string> Environment() {
  std::map<std::string, std::string> environment;
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const size_t eq = text.find('=');
    if (eq != std::string::npos) environment.emplace(text.substr(0, eq), text.substr(eq + 1));
  }
  return environment;
}

}  // namespace

std::string GetSystemProxyList(const std::map<std::string, std::string>& environment) {
  const std::string all = Lookup(environment, "all_proxy");
  std::string list;
  for (const auto& [scheme, variable] : {std::pair<const char*, const char*>{"HTTP", "http_proxy"},
                                         {"HTTPS", "https_proxy"},
                                         {"FTP", "ftp_proxy"}}) {
    const std::string value = Lookup(environment, variable);
    if (value.empty()) continue;
    list += (list.empty() ? "" : ";") + std::string(scheme) + "=" + HostAndPort(value);
  }
  if (!all.empty()) {
    // One proxy for every scheme without one of its own: the plain entry serves them.
    if (list.empty()) return HostAndPort(all);
    for (const char* scheme : {"HTTP", "HTTPS", "FTP"}) {
      if (list.find(std::string(scheme) + "=") == std::string::npos) {
        list += ";" + std::string(scheme) + "=" + HostAndPort(all);
      }
    }
  }
  return list;
}

std::string GetSystemProxyList() { return GetSystemProxyList(Environment()); }

SchemeProxy GetSchemeProxy(const std::string& scheme, const std::string& proxy_list) {
  SchemeProxy proxy;
  if (proxy_list.empty()) return proxy;
  const std::string key = scheme + "=";
  std::string entry = proxy_list;
  // The first occurrence of the key counts, even inside another entry.
  const size_t at = proxy_list.find(key);
  if (at != std::string::npos) {
    const size_t start = at + key.size();
    const size_t end = proxy_list.find(';', start);
    entry = proxy_list.substr(start, end == std::string::npos ? std::string::npos : end - start);
  }
  const size_t colon = entry.find(':');
  if (colon == std::string::npos) return proxy;
  proxy.host = entry.substr(0, colon);
  int port = 0;
  proxy.port = ParseProfileInteger(entry.substr(colon + 1), port) && port > 0 ? port : 0;
  return proxy;
}

SchemeProxy GetSchemeProxy(const std::string& scheme) {
  return GetSchemeProxy(scheme, GetSystemProxyList());
}

bool IsProxyExempt(const std::string& host, const std::string& no_proxy) {
  if (host.empty()) return false;
  size_t start = 0;
  while (start <= no_proxy.size()) {
    const size_t comma = std::min(no_proxy.find(',', start), no_proxy.size());
    std::string entry(ascii::TrimSpace(std::string_view(no_proxy).substr(start, comma - start)));
    start = comma + 1;
    if (entry.empty()) continue;
    if (entry == "*") return true;
    if (entry.front() == '.') entry.erase(0, 1);
    if (ascii::EqualsIgnoringCase(host, entry)) return true;
    if (host.size() > entry.size() && host[host.size() - entry.size() - 1] == '.' &&
        ascii::EqualsIgnoringCase(std::string_view(host).substr(host.size() - entry.size()),
                                  entry)) {
      return true;
    }
  }
  return false;
}

bool IsProxyExempt(const std::string& host) {
  const auto environment = Environment();
  return IsProxyExempt(host, Lookup(environment, "no_proxy"));
}

}  // namespace quillcast
