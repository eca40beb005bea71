// Mods from zip files: installed with what they need, kept through syncs, never updated or shared.

#include "app/mod_list_model.hpp"
#include "app_fixture.hpp"
#include "foundation/fs.hpp"
#include "installer/profile_files.hpp"
#include "testkit/zip_builder.hpp"

namespace {
using ModFromFile = StartedApp;

// B as the player built it: older than the catalogue's, and needing what no catalogue has.
fs::path writeOwnB() {
  const fs::path file = TestHome::path() / "Team-B-0.9.0.zip";
  FS::writeAtomic(file,
                  zipBytes({{"manifest.json", R"({"name": "B", "version_number": "0.9.0", "dependencies": )"
                                              R"(["Team-C-1.0.0", "denikson-BepInExPack_Valheim-5.4.2202", )"
                                              R"("Team-B-0.9.0", "Ghost-Gone-1.0.0"]})"},
                            {"B.dll", "own build"}}));
  return file;
}

TEST_F(ModFromFile, ItIsInstalledWithWhatTheCatalogueHasAndNeverUpdated) {
  run([&] { state->modController()->installModFile(fileAt(writeOwnB())); });
  EXPECT_EQ(state->activity()->note(), "Installed B 0.9.0 from a file.");
  EXPECT_EQ(modKeys(), (Strings{"Team-B", "Team-C"}));  // no Ghost-Gone, no second B, no pack
  EXPECT_TRUE(mod("B").isExplicit);
  EXPECT_EQ(mod("C").installed, "1.0.0");
  EXPECT_EQ(state->statuses()->status(mod("B"), selected(), Installer::ProfileFiles::read(selected())),
            ModStatus::Installed);
  const QModelIndex row = state->selection()->mods()->index(0);
  EXPECT_EQ(row.data(ModListModel::BylineRole).toString(), "by Team · installed from a file");
  EXPECT_EQ(state->selection()->updates(), 0);

  run([&] { state->modController()->updateAll(); });
  run([&] { state->modController()->add(pkg("A")); });  // A needs B: the player's own B serves
  fs::remove_all(selected().bepinex() / "plugins/Team-B");
  run([&] { state->modController()->installMissing(); });
  EXPECT_EQ(state->activity()->note(), "Profile is ready to play.");
  EXPECT_EQ(mod("B").installed, "0.9.0");
  EXPECT_EQ(FS::readFile(selected().bepinex() / "plugins/Team-B/B.dll"), "own build");
  EXPECT_EQ(catalogue.requestCount(FakeCatalogue::downloadPath("Team", "B", "1.0.0")), 0);

  // Shared, the profile leaves it out: no other Mac could install it.
  const fs::path exported = TestHome::path() / "Shared.r2z", unpacked = TestHome::path() / "unpacked";
  run([&] { state->transfer()->exportProfileFile(selected(), fileAt(exported)); });
  FS::unzip(exported, unpacked);
  const std::string list = FS::readFile(unpacked / "export.r2x");
  EXPECT_EQ(list.find("Team-B"), std::string::npos);
  EXPECT_NE(list.find("Team-A"), std::string::npos);
}

// A mod's byline names its maker; one from a file that named none says only where it came from.
TEST(ModByline, NamesTheMakerUnlessTheFileNamedNone) {
  ModListModel model;
  model.setRows({{.mod = {"Team", "A", "1.0.0"}},
                 {.mod = {"Local", "B", "1.0.0"}, .fromFile = true},
                 {.mod = {"Smith", "C", "1.0.0"}, .fromFile = true}});
  QStringList bylines;
  for (int i = 0; i < model.count(); ++i) bylines << model.index(i).data(ModListModel::BylineRole).toString();
  EXPECT_EQ(bylines, (QStringList{"by Team", "Installed from a file", "by Smith · installed from a file"}));
}

// A file that is no mod changes nothing; a dropped mod is installed and a dropped profile file offered.
TEST_F(ModFromFile, WhatAFileIsDecidesWhatBecomesOfIt) {
  const fs::path file = TestHome::path() / "notes.zip";
  FS::writeAtomic(file, zipBytes({{"notes.txt", "x"}}));
  const auto before = state->profiles();
  run([&] { state->modController()->installModFile(fileAt(file)); });
  EXPECT_EQ(state->activity()->errorMessage(),
            "“notes.zip” has no readable manifest.json, so it can’t be installed as a mod.");
  EXPECT_EQ(state->profiles(), before);
  EXPECT_TRUE(noWorkFolderLeft());

  run([&] { state->openDroppedFile(fileAt(writeOwnB())); });
  EXPECT_EQ(state->activity()->note(), "Installed B 0.9.0 from a file.");

  const fs::path profileFile = TestHome::path() / "friend.zip";
  FS::writeAtomic(profileFile, zipBytes({{"export.r2x", "profileName: Friend\nmods: []\n"}}));
  run([&] { state->openDroppedFile(fileAt(profileFile)); });
  EXPECT_TRUE(isShown(WindowState::Sheet::Import));
  EXPECT_EQ(state->window()->payload().toUrl(), fileAt(profileFile));
}
}  // namespace
