// A package version's README and changelog: fetched from the catalogue, kept in the cache folder.
#include <nlohmann/json.hpp>

#include "catalogue/endpoints.hpp"
#include "catalogue/http.hpp"
#include "catalogue/thunderstore.hpp"
#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/package_id.hpp"
#include "foundation/paths.hpp"
#include "foundation/text.hpp"

namespace Thunderstore {
namespace {
// A reply is the document as JSON, escapes and all; past this it is not read at all.
constexpr size_t maxReplyBytes = 8 << 20;

std::string_view pathPart(PackageDocument kind) {
  return kind == PackageDocument::readme ? "readme" : "changelog";
}

// Valid UTF-8 of at most maxDocumentBytes, cut before a character that would not fit whole.
std::string bounded(std::string_view text) {
  std::string out = Text::toValidUTF8(text);
  if (out.size() <= maxDocumentBytes) return out;
  size_t end = maxDocumentBytes;
  while (end > 0 && (static_cast<unsigned char>(out[end]) & 0xC0) == 0x80) --end;
  out.resize(end);
  return out;
}

// Where a document is kept: "readme/<Owner-Name-1.2.3>.md" in the cache folder. The names come
// from the catalogue; one that is not a plain file name is never used as one.
std::optional<std::filesystem::path> cacheFile(PackageDocument kind, const std::string& ns,
                                               const std::string& name, const std::string& version) {
  const std::string key = packageKey(ns, name, version);
  constexpr std::string_view plain = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_.";
  if (key.find_first_not_of(plain) != std::string::npos || key.front() == '.') return std::nullopt;
  return Paths::cache() / pathPart(kind) / (key + ".md");
}
}  // namespace

std::optional<std::string> fetchDocument(PackageDocument kind, const std::string& ns, const std::string& name,
                                         const std::string& version) {
  const std::string_view what = pathPart(kind);
  try {
    auto reply = Http::fetch({.url = endpoints().catalogue + "/api/experimental/package/" + ns + "/" + name +
                                     "/" + version + "/" + std::string(what) + "/",
                              .timeout = 20,
                              .maxBody = maxReplyBytes});
    if (reply.status == 200) {
      // Raw bytes that are not UTF-8 would fail the whole reply; they are mended first.
      auto json = nlohmann::json::parse(Text::toValidUTF8(reply.body), nullptr, false);
      if (json.is_object()) {
        auto markdown = json.find("markdown");
        if (markdown != json.end() && markdown->is_string()) return bounded(markdown->get<std::string>());
      }
    }
  } catch (const std::exception&) {
    // Any failure means "none"; the line below records it.
  }
  Log::write(std::string(what) + " lookup failed: " + packageKey(ns, name) + " " + version);
  return std::nullopt;
}

std::optional<std::string> fetchReadme(const std::string& ns, const std::string& name,
                                       const std::string& version) {
  return fetchDocument(PackageDocument::readme, ns, name, version);
}

std::optional<std::string> fetchChangelog(const std::string& ns, const std::string& name,
                                          const std::string& version) {
  return fetchDocument(PackageDocument::changelog, ns, name, version);
}

std::optional<std::string> cachedDocument(PackageDocument kind, const std::string& ns,
                                          const std::string& name, const std::string& version) {
  const auto file = cacheFile(kind, ns, name, version);
  if (file && FS::exists(*file)) {
    try {
      std::string kept = FS::readFile(*file, maxDocumentBytes);
      if (Text::isValidUTF8(kept)) return kept;
    } catch (const std::exception&) {
      // An unreadable copy is fetched again and replaced.
    }
  }
  auto document = fetchDocument(kind, ns, name, version);
  if (document && file) {
    try {
      FS::mkdir(file->parent_path());
      FS::writeAtomic(*file, *document);
    } catch (const std::exception& e) {
      Log::write(std::string(pathPart(kind)) + " cache write failed: " + e.what());
    }
  }
  return document;
}
}  // namespace Thunderstore
