#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/http.hpp"
#include "catalogue/package.hpp"
#include "foundation/app_error.hpp"

// The app's update notice, from version.json on the product website.
struct AppUpdate {
  std::string version;
  std::optional<std::string> page, notes;
  bool operator==(const AppUpdate&) const = default;
};

// Every exchange with the catalogue service. All calls block and are safe from any thread;
// the app runs them on workers. A request that gets no complete response throws Http::NetworkError.
namespace Thunderstore {
using Http::Progress;

// Package list and its cache encoding (pure).
std::vector<TSPackage> decodeIndex(std::string_view json);
// The same, reading `json` in place instead of from a copy (the list runs to tens of megabytes):
// only its capacity may grow, by a few bytes of padding the reader needs past the end.
std::vector<TSPackage> decodeIndex(std::string& json);
std::string encodeCache(const std::vector<TSPackage>& packages);
std::vector<TSPackage> decodeCache(std::string_view json);  // strict: every key required
// The catalogue ids (TSPackage::uuid) and archive sizes (TSPackage::size) live in a file of their
// own beside the cache, one "fullName uuid" or "fullName uuid size" line per package that has
// either ("-" for a missing id); reading fills them in for the packages listed.
std::string encodeIds(const std::vector<TSPackage>& packages);
void applyIds(std::vector<TSPackage>& packages, std::string_view lines);

// The index, from the six-hour cache or the network, falling back to any readable cache.
std::vector<TSPackage> loadIndex(bool refresh);
// Blocks until every index-cache write that loadIndex started has finished (they outlive the load).
void waitForCacheWrites();
std::optional<double> cacheAge();  // seconds, nullopt without a cache file

std::optional<std::string> latestVersion(const std::string& ns, const std::string& name);
// The texts the catalogue keeps beside each package version, as Markdown (or whatever HTML the
// author wrote). See documents.cpp.
enum class PackageDocument { readme, changelog };
// Longer documents are cut to this many bytes, on a character boundary: nobody scrolls further in a
// sheet, and the views lay out the whole text at once.
inline constexpr size_t maxDocumentBytes = 200'000;

// One document of one version; nullopt when the catalogue has none (404, null) and on any failure
// (logged): the sheet then says there is none. Bytes that are not UTF-8 become U+FFFD.
std::optional<std::string> fetchDocument(PackageDocument kind, const std::string& ns, const std::string& name,
                                         const std::string& version);
std::optional<std::string> fetchReadme(const std::string& ns, const std::string& name,
                                       const std::string& version);
std::optional<std::string> fetchChangelog(const std::string& ns, const std::string& name,
                                          const std::string& version);
// The document from the cache folder, else fetched and kept there: a version's texts never change.
// Only documents found are kept, so one that was missing is asked for again next time.
std::optional<std::string> cachedDocument(PackageDocument kind, const std::string& ns,
                                          const std::string& name, const std::string& version);
// A download the server refused: its status, for a caller that words it without the address.
struct DownloadRefused : AppError {
  DownloadRefused(long answered, const std::string& url)
      : AppError("Download failed (" + std::to_string(answered) + "): " + url), status(answered) {}
  long status;
};
// Streams to a temporary file and moves it to `to` only on status 200. A transfer that breaks off
// (connection lost, 30 s without a byte) is retried from the start up to three times.
void download(const std::string& url, const std::filesystem::path& to, const Progress& progress = {});

std::string fetchProfileCode(const std::string& code);  // the archive bytes
std::string createProfileCode(std::string_view zip);  // the new code
// The text stored for a code: "#r2modman", a line feed, then the archive in Base64 (pure).
std::string encodeProfileCodeBody(std::string_view zip);
std::optional<std::string> decodeProfileCodeBody(std::string_view body);  // nullopt: not Base64

// The notice when it names a version newer than `runningVersion`; nullopt on any failure.
std::optional<AppUpdate> fetchUpdateNotice(const std::string& runningVersion);

std::string indexURL();
std::string pageURL(const std::string& ns, const std::string& name);
std::string downloadURL(const std::string& ns, const std::string& name, const std::string& version);
std::optional<std::string> iconURL(const std::string& ns, const std::string& name,
                                   const std::string& version);
}  // namespace Thunderstore
