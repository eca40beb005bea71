// Profile files: a profile's archive exported to a file, and files from other managers imported.

#include "app_fixture.hpp"
#include "foundation/fs.hpp"
#include "testkit/zip_builder.hpp"

namespace {
using ProfileFiles = StartedApp;

const std::string manifest =
    "profileName: Friend\nmods:\n  - name: Team-A\n    version:\n      major: 1\n      minor: 0\n      "
    "patch: 0\n"
    "    enabled: true\n";

TEST_F(ProfileFiles, AnExportedFileImportsAgainAndFilesLaidOutByOtherManagersImport) {
  run([&] { state->modController()->add(pkg("A")); });
  const fs::path exported = TestHome::path() / "Shared.r2z";
  run([&] { state->transfer()->exportProfileFile(selected(), fileAt(exported)); });
  EXPECT_EQ(state->activity()->note(), "Exported “Default” to Shared.r2z.");
  run([&] { state->transfer()->importFileAsNew(fileAt(exported), ""); });
  EXPECT_EQ(state->activity()->note(), "Imported “Default 2” with 1 mod and 2 dependencies.");

  // Configuration under BepInEx/config, or under config at the archive's root.
  for (const std::string configDir : {"BepInEx/config/", "config/"}) {
    const fs::path file = TestHome::path() / "other.zip";
    FS::writeAtomic(file, zipBytes({{"export.r2x", manifest}, {configDir + "a.cfg", configDir}}));
    const std::string id = selected().id;
    run([&] { state->transfer()->importFileReplacing(fileAt(file), QString::fromStdString(id)); });
    EXPECT_EQ(state->activity()->note(), "Replaced “Default 2” with 1 mod and 2 dependencies from the file.");
    EXPECT_EQ(FS::readFile(selected().bepinex() / "config/a.cfg"), configDir);
  }
  EXPECT_TRUE(noWorkFolderLeft());
}

TEST_F(ProfileFiles, AFileThatIsNoProfileFileChangesNothing) {
  const auto before = state->profiles();
  const struct {
    std::string bytes, sentence;
  } cases[] = {
      {"not a zip archive", "That file isn’t a profile file, or it is damaged."},
      {zipBytes({{"BepInEx/config/a.cfg", "x"}}), "That profile file doesn’t contain a mod list."},
  };
  const fs::path file = TestHome::path() / "friend.r2z";
  for (const auto& c : cases) {
    FS::writeAtomic(file, c.bytes);
    run([&] { state->transfer()->importFileAsNew(fileAt(file), "Friend"); });
    EXPECT_EQ(state->activity()->errorMessage().toStdString(), c.sentence);
  }
  run([&] { state->transfer()->importFileAsNew(fileAt(TestHome::path() / "missing.r2z"), "Friend"); });
  EXPECT_FALSE(state->activity()->errorMessage().isEmpty());
  EXPECT_EQ(state->profiles(), before);
}
}  // namespace
