// Package archives: fetched through the download cache, unpacked only when complete and readable.

#include <filesystem>

#include "catalogue/thunderstore.hpp"
#include "foundation/app_error.hpp"
#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/package_id.hpp"
#include "foundation/scoped_dir.hpp"
#include "installer/download_cache.hpp"
#include "installer/installer.hpp"
#include "installer/internal.hpp"

namespace Installer {
namespace detail {
std::string archiveName(const std::string& ns, const std::string& name, const std::string& version) {
  return packageKey(ns, name, version) + ".zip";
}

}  // namespace detail

bool archiveCached(const std::string& ns, const std::string& name, const std::string& version) noexcept {
  return DownloadCache::contains(detail::archiveName(ns, name, version));
}

namespace detail {
namespace {
// Unpacks the fetched archive through a link at `workFile`, so that messages name the work file.
void unpackAs(const DownloadCache::Archive& archive, const path& workFile, const path& to) {
  if (archive.file != workFile) {
    std::error_code ec;
    std::filesystem::create_symlink(archive.file, workFile, ec);
    if (ec) return FS::unzip(archive.file, to);
  }
  FS::unzip(workFile, to);
}
}  // namespace

void unpackArchive(const std::string& name, const std::string& url, const path& workFile, const path& to,
                   const Progress& progress) {
  DownloadCache::Archive archive = DownloadCache::fetch(name, url, workFile, progress);
  try {
    return unpackAs(archive, workFile, to);
  } catch (const AppError&) {
    if (!archive.reused) {
      DownloadCache::discard(name);  // not kept for another try either
      throw;
    }
  }
  // A cached copy damaged since it was stored (or evicted meanwhile) is fetched again.
  Log::write("download cache: " + name + " is unreadable; downloading it again");
  DownloadCache::discard(name);
  FS::remove(workFile);
  FS::remove(to);
  unpackAs(DownloadCache::fetch(name, url, workFile, progress), workFile, to);
}
}  // namespace detail
}  // namespace Installer
