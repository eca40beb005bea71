// Syncs that download several archives at once, through the shared download cache.
#include <gmock/gmock.h>

#include <algorithm>

#include "app/archive_prefetch.hpp"
#include "app_fixture.hpp"
#include "catalogue/thunderstore.hpp"
#include "foundation/fs.hpp"
#include "installer/download_cache.hpp"
#include "profiles/profile_store.hpp"

namespace {
class Downloads : public StartedApp {
 protected:
  void SetUp() override {
    StartedApp::SetUp();
    // A needs B, B needs C (the fixture's chain); M1 and M3 need C too.
    for (int i = 1; i <= 3; ++i)
      publish("M" + std::to_string(i), "1.0.0", i % 2 ? Strings{"Team-C-1.0.0"} : Strings{});
    Profile shared{.id = "shared", .name = "Shared", .packVersion = "5.4.2202"};
    for (const char* name : {"A", "M1", "M2", "M3"})
      shared.mods.push_back({"Team", name, "1.0.0", std::nullopt, true, true});
    code = catalogue.addProfileCode(Thunderstore::encodeProfileCodeBody(ProfileStore::exportZip(shared)));
  }
  void TearDown() override { setParallelDownloads(4); }

  // Imports the code into a new profile; returns what it left on disk and the busy steps.
  std::pair<Strings, Strings> import(const std::string& name) {
    busyTexts.clear();
    run([&] {
      state->transfer()->importCodeAsNew(QString::fromStdString(code), QString::fromStdString(name));
    });
    EXPECT_EQ(state->activity()->errorMessage(), "");
    return {filesWithBytes(selected().dir()), busyTexts};
  }
  static Strings filesWithBytes(const fs::path& root) {
    Strings files;
    for (const auto& e : fs::recursive_directory_iterator(root))
      if (e.is_regular_file() && e.path().filename() != "profile.json")
        files.push_back(fs::relative(e.path(), root).string() + "=" + FS::readFile(e.path()));
    std::sort(files.begin(), files.end());
    return files;
  }
  int archiveRequests() const {
    const auto all = catalogue.requests();
    return int(
        std::count_if(all.begin(), all.end(), [](const auto& r) { return r.path.starts_with("/package/"); }));
  }
  std::string code;
};

TEST_F(Downloads, ParallelDownloadsLeaveWhatOneAtATimeLeavesAndASecondProfileMakesNoRequest) {
  setParallelDownloads(1);
  const auto [oneAtATime, oneAtATimeSteps] = import("One");
  const std::vector<ProfileMod> oneAtATimeMods = selected().mods;
  EXPECT_EQ(archiveRequests(), 7);  // the pack and six mods

  DownloadCache::clear();
  setParallelDownloads(4);
  // A's archive answers only after M3's was asked for, so the archives after it arrive first.
  catalogue.answer(FakeCatalogue::downloadPath("Team", "A", "1.0.0"),
                   {.status = 302,
                    .headers = {{"Location", "/cdn/live/repository/packages/Team-A-1.0.0.zip"}},
                    .after = {FakeCatalogue::downloadPath("Team", "M3", "1.0.0")}});
  const auto [parallel, parallelSteps] = import("Many");
  EXPECT_EQ(parallel, oneAtATime);
  EXPECT_EQ(parallelSteps, oneAtATimeSteps);
  EXPECT_EQ(selected().mods, oneAtATimeMods);
  EXPECT_EQ(archiveRequests(), 14);

  EXPECT_EQ(import("Third").first, oneAtATime);
  EXPECT_EQ(archiveRequests(), 14) << "every archive came from the cache";
  EXPECT_TRUE(noWorkFolderLeft());

  run([&] { state->modController()->clearDownloadCache(); });
  EXPECT_THAT(state->activity()->note().toStdString(),
              testing::MatchesRegex("Cleared the download cache and freed [0-9.]+ kB\\."));
  run([&] { state->modController()->clearDownloadCache(); });
  EXPECT_EQ(state->activity()->note(), "The download cache was already empty.");
}

TEST_F(Downloads, AFailedDownloadStopsTheRunAfterTheModsBeforeItAndLeavesThemInstalled) {
  catalogue.answer(FakeCatalogue::downloadPath("Team", "M2", "1.0.0"), {.status = 404, .body = "gone"});
  busyTexts.clear();
  run([&] { state->transfer()->importCodeAsNew(QString::fromStdString(code), "Broken"); });

  EXPECT_EQ(state->activity()->errorMessage().toStdString(),
            "Download failed (404): " + catalogue.url() + FakeCatalogue::downloadPath("Team", "M2", "1.0.0"));
  const Profile saved = onDisk(selected().id);
  Strings installed;
  for (const ProfileMod& m : saved.mods)
    if (m.installed) installed.push_back(m.name);
  EXPECT_EQ(installed, (Strings{"A", "M1"}));
  EXPECT_EQ(busyTexts.back(), "");
  EXPECT_EQ(busyTexts[busyTexts.size() - 2], "Installing M2 1.0.0…");
  EXPECT_TRUE(noWorkFolderLeft());
  for (const auto& e : fs::directory_iterator(DownloadCache::folder()))
    EXPECT_EQ(e.path().extension(), ".zip") << "no partial download is left: " << e.path();
}
}  // namespace
