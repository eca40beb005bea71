#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "catalogue/http.hpp"

// Downloaded archives kept for reuse by every profile and across restarts, in the cache folder's
// "downloads" folder: one file per package version ("<ns>-<name>-<version>.zip") or loader build.
// The folder is bounded; the least recently used archives go first, the loader pack and the
// loader last. Archives arrive under a temporary name and are renamed once complete, so a
// half-downloaded archive is never taken for a cached one.
namespace DownloadCache {
using std::filesystem::path;

inline constexpr uint64_t defaultLimit = uint64_t(2) << 30;

path folder();

struct Archive {
  path file;
  bool reused = false;  // taken from the cache: no request was made
};

// The archive `name`, from the cache when it is there, else downloaded from `url` into it.
// The download first lands at `workFile`; when the cache cannot take it (read-only, full) or
// `name` is not a plain file name, it stays there and is used from there.
Archive fetch(const std::string& name, const std::string& url, const path& workFile,
              const Http::Progress& progress = {});
bool contains(const std::string& name) noexcept;
// Removes one archive, for one that turned out unreadable.
void discard(const std::string& name) noexcept;
// Removes every archive; returns the bytes freed.
uint64_t clear() noexcept;
// The bound in bytes (defaultLimit until changed).
void setLimit(uint64_t bytes);
}  // namespace DownloadCache
