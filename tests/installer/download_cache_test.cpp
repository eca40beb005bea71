// Archives kept in the download cache: reuse, repair, the bound, and a cache that cannot be written.
#include <gmock/gmock.h>

#include "installer/download_cache.hpp"
#include "installer/installer.hpp"
#include "installer_fixture.hpp"
#include "testkit/fake_catalogue.hpp"
#include "testkit/zip_builder.hpp"

namespace {
class DownloadCacheTest : public InstallerTest {
 protected:
  void TearDown() override { DownloadCache::setLimit(DownloadCache::defaultLimit); }
  // Publishes Author-<name> 1.0.0 with one plug-in file and returns its download path.
  std::string publish(const std::string& name, size_t size = 10) {
    catalogue.addPackage("Author", name, "1.0.0",
                         zipBytes({{"plugins/" + name + ".dll", incompressible(size)}}));
    return FakeCatalogue::downloadPath("Author", name, "1.0.0");
  }
  void install(const std::string& name, const Profile& into) {
    Installer::installMod({"Author", name, "1.0.0", std::nullopt, true, true}, "1.0.0", into);
  }
  // Brings a version into the cache the way a sync's look-ahead does; its work folder goes.
  static void fetch(const std::string& ns, const std::string& name) {
    FS::remove(Installer::unpackMod(ns, name, ns == "denikson" ? "5.4.2202" : "1.0.0"));
  }
  static fs::path cached(const std::string& name) {
    return DownloadCache::folder() / ("Author-" + name + "-1.0.0.zip");
  }
  // Marks a cached archive as last used `hoursAgo` hours ago.
  static void age(const fs::path& file, int hoursAgo) {
    fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::hours(hoursAgo));
  }
  FakeCatalogue catalogue;
  Profile second{.id = "0A1B2C3D-0000-4000-8000-000000000002", .name = "Second"};
};

TEST_F(DownloadCacheTest, ASecondProfileReusesTheArchiveAndADamagedCopyIsDownloadedAgain) {
  const std::string path = publish("Mod");
  install("Mod", profile);
  install("Mod", second);
  EXPECT_EQ(catalogue.requestCount(path), 1);
  EXPECT_EQ(filesUnder(second.dir() / "BepInEx/plugins"), Files{"Author-Mod/Mod.dll"});

  FS::writeAtomic(cached("Mod"), "damaged since it was stored");
  install("Mod", second);
  EXPECT_EQ(catalogue.requestCount(path), 2);
  EXPECT_TRUE(logHas("Author-Mod-1.0.0.zip is unreadable; downloading it again"));
  EXPECT_NE(readFile(cached("Mod")), "damaged since it was stored");
  EXPECT_TRUE(fs::is_empty(tmp()));
  EXPECT_EQ(filesUnder(DownloadCache::folder()), Files{"Author-Mod-1.0.0.zip"})
      << "no temporary file is left";
}

// The least recently used go first: an archive taken from the cache counts as just used, and the
// loader pack and the loader's release go last. What a crash left half-written goes after an hour.
TEST_F(DownloadCacheTest, TheBoundEvictsTheLeastRecentlyUsedAndTheLoaderLast) {
  for (auto name : {"Old", "Older", "Recent"}) publish(name, 1000);
  catalogue.addPackage("denikson", "BepInExPack_Valheim", "5.4.2202",
                       zipBytes({{"pack.dll", incompressible(1000)}}));
  fetch("denikson", "BepInExPack_Valheim");
  for (auto name : {"Old", "Older", "Recent"}) fetch("Author", name);
  const fs::path pack = DownloadCache::folder() / "denikson-BepInExPack_Valheim-5.4.2202.zip";
  const uint64_t each = fs::file_size(cached("Old"));
  const fs::path loader = DownloadCache::folder() / "BepInEx_macos_x64_5.4.23.2.zip";
  writeFile(loader, std::string(each, 'l'));
  const fs::path stalePart = DownloadCache::folder() / ".Author-Gone-1.0.0.zip.1.part";
  const fs::path freshPart = DownloadCache::folder() / ".Author-Going-1.0.0.zip.2.part";
  writeFile(stalePart, "half");
  writeFile(freshPart, "half");
  age(loader, 10), age(pack, 9), age(cached("Old"), 8), age(cached("Older"), 7), age(cached("Recent"), 1);
  age(stalePart, 2);
  fetch("Author", "Old");  // from the cache: now the most recently used
  EXPECT_EQ(catalogue.requestCount(FakeCatalogue::downloadPath("Author", "Old", "1.0.0")), 1);

  DownloadCache::setLimit(5 * each + 100);  // room for five archives: the next one evicts one
  publish("New", 1000);
  install("New", profile);
  EXPECT_FALSE(fs::exists(cached("Older")));
  for (const fs::path& kept : {cached("Old"), cached("Recent"), cached("New"), pack, loader, freshPart})
    EXPECT_TRUE(fs::exists(kept)) << kept;
  EXPECT_FALSE(fs::exists(stalePart));

  fs::remove(freshPart);
  DownloadCache::setLimit(each);  // only the newest stays, whatever it is
  publish("Newest", 1000);
  fetch("Author", "Newest");
  EXPECT_EQ(filesUnder(DownloadCache::folder()), Files{"Author-Newest-1.0.0.zip"});
  EXPECT_TRUE(DownloadCache::contains("Author-Newest-1.0.0.zip"));
  const auto newest = fs::file_size(cached("Newest"));  // read before clear() removes it
  EXPECT_EQ(DownloadCache::clear(), newest);
  EXPECT_TRUE(fs::is_empty(DownloadCache::folder()));
  EXPECT_EQ(DownloadCache::clear(), 0u);
}

TEST_F(DownloadCacheTest, ACacheThatCannotBeWrittenStillInstallsAndOddNamesNeverBecomeFiles) {
  const std::string path = publish("Mod");
  writeFile(DownloadCache::folder(), "a file where the folder should be");
  install("Mod", profile);
  EXPECT_EQ(filesUnder(P() / "BepInEx/plugins"), Files{"Author-Mod/Mod.dll"});
  EXPECT_TRUE(logHas("download cache write failed: "));
  EXPECT_EQ(readFile(DownloadCache::folder()), "a file where the folder should be");
  EXPECT_TRUE(fs::is_empty(tmp()));
  fs::remove(DownloadCache::folder());

  // A name from a stranger's profile code never becomes a file outside the cache.
  const auto archive = DownloadCache::fetch("../escape.zip", catalogue.url() + path, tmp() / "work.zip");
  EXPECT_EQ(archive.file, tmp() / "work.zip");
  EXPECT_FALSE(fs::exists(DownloadCache::folder().parent_path() / "escape.zip"));
}
}  // namespace
