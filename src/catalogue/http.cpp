#include "catalogue/http.hpp"

#include <curl/curl.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "catalogue/endpoints.hpp"
#include "catalogue/thunderstore_seams.hpp"
#include "foundation/app_version.hpp"
#include "foundation/words.hpp"

namespace {
std::atomic<double> g_timeoutScale{1.0};

// Process-wide state: libcurl initialised once, a share object for the DNS and TLS-session
// caches, and a pool of idle easy handles, each keeping its open connections for reuse.
// Connections are reused through the pool rather than the share object because libcurl does
// not support one connection cache used by concurrent threads.
class Client {
 public:
  Client() {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    share_ = curl_share_init();
    curl_share_setopt(share_, CURLSHOPT_LOCKFUNC, &Client::lock);
    curl_share_setopt(share_, CURLSHOPT_UNLOCKFUNC, &Client::unlock);
    curl_share_setopt(share_, CURLSHOPT_USERDATA, this);
    curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
    curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
  }

  // Never destroyed: requests (the detached cache write's caller among them) may still run
  // while the process exits.
  static Client& shared() {
    static Client* client = new Client;
    return *client;
  }

  CURLSH* share() const { return share_; }

  CURL* take() {
    {
      std::lock_guard guard{poolLock_};
      if (!idle_.empty()) {
        CURL* handle = idle_.back();
        idle_.pop_back();
        curl_easy_reset(handle);  // keeps the handle's connections
        return handle;
      }
    }
    CURL* handle = curl_easy_init();
    if (!handle) throw std::bad_alloc();
    return handle;
  }

  void give(CURL* handle) {
    std::lock_guard guard{poolLock_};
    if (idle_.size() < maxIdle) {
      idle_.push_back(handle);
      return;
    }
    curl_easy_cleanup(handle);
  }

 private:
  static constexpr size_t maxIdle = 8;

  static void lock(CURL*, curl_lock_data data, curl_lock_access, void* self) {
    static_cast<Client*>(self)->locks_[data].lock();
  }
  static void unlock(CURL*, curl_lock_data data, void* self) {
    static_cast<Client*>(self)->locks_[data].unlock();
  }

  CURLSH* share_ = nullptr;
  std::mutex locks_[CURL_LOCK_DATA_LAST];
  std::mutex poolLock_;
  std::vector<CURL*> idle_;
};

struct HandleBack {
  void operator()(CURL* handle) const { Client::shared().give(handle); }
};
using Handle = std::unique_ptr<CURL, HandleBack>;

struct ListFree {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// What one transfer needs inside libcurl's callbacks. A callback never lets an exception
// through C code: it keeps the first one and stops the transfer, and perform() rethrows it.
struct Transfer {
  using Clock = std::chrono::steady_clock;
  std::function<void(const char*, size_t)> sink;
  const Http::Progress* progress = nullptr;
  curl_off_t lastReported = -1;
  std::exception_ptr failure;
  std::chrono::milliseconds stallLimit{0};  // 0: no limit
  Clock::time_point lastByte = Clock::now();
  bool stalled = false;

  static size_t write(char* data, size_t, size_t count, void* self) {
    auto* t = static_cast<Transfer*>(self);
    try {
      t->sink(data, count);
      return count;
    } catch (...) {
      t->failure = std::current_exception();
      return 0;  // anything but `count` aborts the transfer
    }
  }

  static int xferinfo(void* self, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t) {
    auto* t = static_cast<Transfer*>(self);
    if (now == t->lastReported) {
      t->stalled = t->stallLimit.count() > 0 && Clock::now() - t->lastByte > t->stallLimit;
      return t->stalled ? 1 : 0;  // anything but 0 aborts the transfer
    }
    t->lastReported = now;
    t->lastByte = Clock::now();
    if (!t->progress || !*t->progress) return 0;
    try {
      (*t->progress)(int64_t(now), total > 0 ? std::optional<int64_t>(total) : std::nullopt);
      return 0;
    } catch (...) {
      t->failure = std::current_exception();
      return 1;  // aborts the transfer
    }
  }
};

long curlMilliseconds(double seconds) { return std::max(1L, long(seconds * 1000 * g_timeoutScale.load())); }

// What every request carries: its address and time limits, the shared caches, the user agent,
// redirects over HTTP(S) only and every encoding libcurl can decode.
void setCommonOptions(CURL* h, const Http::Request& request) {
  curl_easy_setopt(h, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(h, CURLOPT_SHARE, Client::shared().share());
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(h, CURLOPT_USERAGENT, Http::userAgent().c_str());
  curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, curlMilliseconds(request.timeout));
  curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, curlMilliseconds(std::min(request.timeout, 30.0)));
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
#if LIBCURL_VERSION_NUM >= 0x075500
  curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
#endif
  curl_easy_setopt(h, CURLOPT_ACCEPT_ENCODING, "");
}

// The sentence macOS shows for a failed transfer of this kind.
std::string macSentence(CURLcode code, long osErrno) {
  if (osErrno == ENETUNREACH || osErrno == ENETDOWN)
    return Words::translate("Http", "The Internet connection appears to be offline.");
  switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
      return Words::translate("Http", "A server with the specified hostname could not be found.");
    case CURLE_OPERATION_TIMEDOUT: return Words::translate("Http", "The request timed out.");
    case CURLE_COULDNT_CONNECT: return Words::translate("Http", "Could not connect to the server.");
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_USE_SSL_FAILED:
      return Words::translate(
          "Http", "An SSL error has occurred and a secure connection to the server cannot be made.");
    default:  // cut short, reset, nothing received, a broken HTTP/2 stream...
      return Words::translate("Http", "The network connection was lost.");
  }
}

long perform(const Http::Request& request, Transfer& transfer) {
  Handle handle{Client::shared().take()};
  CURL* h = handle.get();
  char error[CURL_ERROR_SIZE] = "";

  std::unique_ptr<curl_slist, ListFree> headers;
  auto addHeader = [&](const std::string& line) {
    curl_slist* grown = curl_slist_append(headers.get(), line.c_str());
    if (!grown) throw std::bad_alloc();
    headers.release();
    headers.reset(grown);
  };
  for (const auto& line : request.headers) addHeader(line);

  setCommonOptions(h, request);
  curl_easy_setopt(h, CURLOPT_ERRORBUFFER, error);
  if (request.method == "POST") {
    curl_easy_setopt(h, CURLOPT_POST, 1L);
    curl_easy_setopt(h, CURLOPT_POSTFIELDS, request.body.data());
    curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(request.body.size()));
    addHeader("Expect:");  // no "100-continue" round trip before larger bodies
  }
  curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &Transfer::write);
  curl_easy_setopt(h, CURLOPT_WRITEDATA, &transfer);
  if (request.stallTimeout > 0)
    transfer.stallLimit = std::chrono::milliseconds(curlMilliseconds(request.stallTimeout));
  if ((transfer.progress && *transfer.progress) || transfer.stallLimit.count() > 0) {
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &Transfer::xferinfo);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
  }

  CURLcode code = curl_easy_perform(h);
  curl_easy_setopt(h, CURLOPT_ERRORBUFFER, nullptr);  // `error` dies with this frame
  if (transfer.failure) std::rethrow_exception(transfer.failure);
  if (transfer.stalled)
    throw Http::NetworkError(
        Words::fill(Words::translate("Http", "The download stalled: nothing arrived for %1 seconds."),
                    {std::to_string(long(request.stallTimeout))}),
        "");
  if (code != CURLE_OK) {
    long osErrno = 0;
    curl_easy_getinfo(h, CURLINFO_OS_ERRNO, &osErrno);
    throw Http::NetworkError(macSentence(code, osErrno), error[0] ? error : curl_easy_strerror(code));
  }
  long status = 0;
  curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
  return status;
}

struct FileClose {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
}  // namespace

namespace Thunderstore {
void setTimeoutScale(double factor) { g_timeoutScale.store(factor); }
}  // namespace Thunderstore

namespace Http {
const std::string& userAgent() {
  static const std::string agent =
      std::string("Quernhold/") + App::version + " (macOS; +" + endpoints().website + ")";
  return agent;
}

Response fetch(const Request& request) {
  Response response;
  Transfer transfer{.sink = [&](const char* data, size_t size) {
    if (size > request.maxBody - response.body.size())
      throw std::length_error("reply longer than " + std::to_string(request.maxBody) + " bytes");
    response.body.append(data, size);
  }};
  response.status = perform(request, transfer);
  return response;
}

long fetchToFile(const Request& request, const std::filesystem::path& file, const Progress& progress) {
  std::unique_ptr<std::FILE, FileClose> out{std::fopen(file.c_str(), "wb")};
  if (!out)
    throw std::filesystem::filesystem_error("Couldn’t create the download file", file,
                                            std::error_code(errno, std::generic_category()));
  auto fail = [&] {
    throw std::filesystem::filesystem_error("Couldn’t write the download file", file,
                                            std::error_code(errno, std::generic_category()));
  };
  Transfer transfer{.sink =
                        [&](const char* data, size_t size) {
                          if (std::fwrite(data, 1, size, out.get()) != size) fail();
                        },
                    .progress = &progress};
  long status = perform(request, transfer);
  if (std::fclose(out.release()) != 0) fail();
  return status;
}

void pause(double seconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(long(seconds * 1000 * g_timeoutScale.load())));
}
}  // namespace Http
