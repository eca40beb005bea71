// Addresses, the user agent, and the small exchanges: latest versions, downloads, update notice.
#include "catalogue/thunderstore.hpp"

#include <nlohmann/json.hpp>

#include "catalogue/endpoints.hpp"
#include "catalogue/http.hpp"
#include "foundation/app_error.hpp"
#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/package_id.hpp"
#include "foundation/scoped_dir.hpp"

namespace Thunderstore {
namespace {
// True when `text` is made only of characters an address may hold unescaped
// (RFC 3986 unreserved and reserved characters, and "%").
bool formsAddress(std::string_view text) {
  constexpr std::string_view allowed =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~:/?#[]@!$&'()*+,;=%";
  return !text.empty() && text.find_first_not_of(allowed) == std::string_view::npos;
}

// A text member of a JSON object, or nullopt when absent, null or of another type.
std::optional<std::string> textMember(const nlohmann::json& object, const char* key) {
  auto it = object.find(key);
  if (it == object.end() || !it->is_string()) return std::nullopt;
  return it->get<std::string>();
}

// {"version": text, "page"?: text, "notes"?: text}; a present member of another type fails.
std::optional<AppUpdate> decodeUpdate(std::string_view body) {
  auto json = nlohmann::json::parse(body, nullptr, false);
  if (!json.is_object()) return std::nullopt;
  auto version = textMember(json, "version");
  if (!version) return std::nullopt;
  AppUpdate update{.version = *version};
  for (auto [key, field] : {std::pair{"page", &update.page}, std::pair{"notes", &update.notes}}) {
    auto it = json.find(key);
    if (it == json.end() || it->is_null()) continue;
    if (!it->is_string()) return std::nullopt;
    *field = it->get<std::string>();
  }
  return update;
}

// A download is tried once and retried up to three times when the transfer breaks off.
constexpr int downloadAttempts = 4;
}  // namespace

std::string indexURL() { return endpoints().catalogue + "/c/valheim/api/v1/package/"; }

std::string pageURL(const std::string& ns, const std::string& name) {
  return endpoints().catalogue + "/c/valheim/p/" + ns + "/" + name + "/";
}

std::string downloadURL(const std::string& ns, const std::string& name, const std::string& version) {
  return endpoints().catalogue + "/package/download/" + ns + "/" + name + "/" + version + "/";
}

std::optional<std::string> iconURL(const std::string& ns, const std::string& name,
                                   const std::string& version) {
  std::string url = endpoints().icons + "/live/repository/icons/" + packageKey(ns, name, version) + ".png";
  if (!formsAddress(url)) return std::nullopt;
  return url;
}

std::optional<std::string> latestVersion(const std::string& ns, const std::string& name) {
  try {
    auto reply = Http::fetch(
        {.url = endpoints().catalogue + "/api/experimental/package/" + ns + "/" + name + "/", .timeout = 20});
    if (reply.status == 200) {
      auto json = nlohmann::json::parse(reply.body, nullptr, false);
      if (json.is_object()) {
        auto latest = json.find("latest");
        if (latest != json.end() && latest->is_object())
          if (auto version = textMember(*latest, "version_number")) return version;
      }
    }
  } catch (const std::exception&) {
    // Any failure means "unknown"; the line below records it.
  }
  Log::write("latest lookup failed: " + packageKey(ns, name));
  return std::nullopt;
}

void download(const std::string& url, const std::filesystem::path& to, const Progress& progress) {
  const ScopedDir temp;
  auto file = *temp / "download";
  long status = 0;
  // A transfer cut short starts again from the first byte, after a pause that grows each time.
  for (int attempt = 1;; ++attempt) {
    try {
      status = Http::fetchToFile({.url = url, .timeout = 300, .stallTimeout = 30}, file, progress);
      break;
    } catch (const Http::NetworkError& e) {
      if (attempt == downloadAttempts) {
        Log::write("download failed (" + e.logged() + "): " + url);
        throw;
      }
      Log::write("download retry " + std::to_string(attempt) + " (" + e.logged() + "): " + url);
      Http::pause(0.5 * (1 << (attempt - 1)));
    }
  }
  if (status != 200) {
    Log::write("download failed http=" + std::to_string(status) + ": " + url);
    throw DownloadRefused(status, url);
  }
  FS::move(file, to);
}

std::optional<AppUpdate> fetchUpdateNotice(const std::string& runningVersion) {
  try {
    // The notice changes without warning, so any cached copy on the way is bypassed.
    auto reply = Http::fetch({.url = endpoints().website + "/version.json",
                              .timeout = 15,
                              .headers = {"Cache-Control: no-cache", "Pragma: no-cache"}});
    if (reply.status != 200) return std::nullopt;
    auto update = decodeUpdate(reply.body);
    if (!update || !Version::newer(update->version, runningVersion)) return std::nullopt;
    Log::write("app update available: " + runningVersion + " -> " + update->version);
    return update;
  } catch (const std::exception&) {
    return std::nullopt;  // the notice is optional; a failure stays silent
  }
}
}  // namespace Thunderstore
