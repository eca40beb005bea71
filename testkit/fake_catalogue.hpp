#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A stand-in for the catalogue service, the icon CDN, the product website and the loader's
// release host, all at once: an HTTP server on 127.0.0.1 (port chosen by the system) with its
// own thread. While it lives, endpoints() points every host at it.
//
// Each path answers with a Reply the test sets; a path with none answers 404. The helpers
// below set the replies of the service's own routes.
class FakeCatalogue {
 public:
  struct Reply {
    int status = 200;
    std::string body;
    std::string contentType = "application/octet-stream";
    std::vector<std::pair<std::string, std::string>> headers;  // extra ones, e.g. Location
    int delayMs = 0;  // wait before answering (cut short when the server stops)
    // Answer only once each of these paths has been asked for (or the server stops): puts
    // concurrent requests in a known order without waiting on the clock.
    std::vector<std::string> after;
    bool truncated = false;  // announce the whole body, send half, then drop the connection
    double stallAt = 0;  // when above 0: send this fraction of the body, then hold until the server stops
    int dropFirst = 0;  // when above 0: only the first this many requests break off (half the
                        // body, or as stallAt says); later ones get the whole body
  };

  struct Request {
    std::string method, path, body;
    std::map<std::string, std::string> headers;  // names in lower case
    std::string header(const std::string& lowerCaseName) const;  // "" when absent
  };

  FakeCatalogue();
  ~FakeCatalogue();
  FakeCatalogue(const FakeCatalogue&) = delete;
  FakeCatalogue& operator=(const FakeCatalogue&) = delete;

  std::string url() const;  // "http://127.0.0.1:<port>"

  void answer(const std::string& path, Reply reply);
  void serve(const std::string& path, std::string body, int status = 200);  // as octet-stream
  void redirect(const std::string& path, const std::string& toPath, int status = 302);

  // The service's paths.
  static constexpr const char* indexPath = "/c/valheim/api/v1/package/";
  static constexpr const char* createCodePath = "/api/experimental/legacyprofile/create/";
  static constexpr const char* updateNoticePath = "/version.json";
  static std::string downloadPath(const std::string& ns, const std::string& name, const std::string& version);

  // The package list, optionally sent gzip-encoded.
  void setPackageList(const std::string& list, bool gzipped = false);
  // The latest-version lookup of one package answers with `version`.
  void setLatest(const std::string& ns, const std::string& name, const std::string& version);
  // The README of one version, as the service wraps it: {"markdown": ...}.
  void setReadme(const std::string& ns, const std::string& name, const std::string& version,
                 const std::string& markdown);
  // The changelog of one version, wrapped the same way; nullopt answers {"markdown": null}, as the
  // service does for a version without one. A version with neither answers 404.
  void setChangelog(const std::string& ns, const std::string& name, const std::string& version,
                    const std::optional<std::string>& markdown);
  // The download address answers with a redirect to a CDN path that serves `archive`.
  void addPackage(const std::string& ns, const std::string& name, const std::string& version,
                  const std::string& archive);
  // A stored profile text under a new code, fetched through a redirect as the service does.
  // POSTs to createCodePath store their body the same way, unless a Reply is set for that path.
  std::string addProfileCode(const std::string& storedText);
  void setUpdateNotice(const std::string& json);

  // Conditions of a slow network, for every reply: a wait before each answer, and bodies sent
  // at most this fast on each connection (0: unthrottled).
  void setLatency(int milliseconds);
  void setBandwidth(int64_t bytesPerSecond);
  // From hold() to release(), requests wait before they are answered: an operation stays busy for
  // as long as a test looks at it, however fast the machine.
  void hold();
  void release();

  // Every request so far, oldest first.
  std::vector<Request> requests() const;
  int requestCount(const std::string& path) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
