#include "foundation/paths.hpp"
#include "installer/installer.hpp"
#include "installer_fixture.hpp"

namespace {
class Activation : public InstallerTest {
 protected:
  std::vector<std::string> backups() {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(game))
      if (e.path().filename().string().starts_with("BepInEx.backup-")) names.push_back(e.path().filename());
    return names;
  }
  void SetUp() override {
    InstallerTest::SetUp();
    fs::create_directories(game);
  }
};

TEST_F(Activation, SwitchingProfilesSwapsTheLink) {
  Profile other = profile;
  other.id = "OTHER-PROFILE";
  other.name = "Other";
  fs::create_directories(other.bepinex());

  Installer::activate(profile, game);
  Installer::activate(other, game);
  ASSERT_TRUE(fs::is_symlink(game / "BepInEx"));
  EXPECT_EQ(fs::read_symlink(game / "BepInEx"), other.bepinex());
  EXPECT_TRUE(backups().empty());
  EXPECT_NE(readFile(Paths::logFile()).find("activated profile 'Other'\n"), std::string::npos);
}

TEST_F(Activation, ARealFolderInTheWayIsMovedAsideNeverDeleted) {
  writeFile(game / "BepInEx/plugins/Hand/hand.dll", "hand-made");

  Installer::activate(profile, game);
  ASSERT_EQ(backups().size(), 1u);
  EXPECT_EQ(readFile(game / backups()[0] / "plugins/Hand/hand.dll"), "hand-made");
  EXPECT_EQ(fs::read_symlink(game / "BepInEx"), profile.bepinex());
  EXPECT_NE(readFile(Paths::logFile()).find("moving unexpected BepInEx folder aside to " + backups()[0] + "\n"),
            std::string::npos);

  Installer::activate(profile, game);  // the link is ours now: nothing more is moved
  EXPECT_EQ(backups().size(), 1u);
}

TEST_F(Activation, ADanglingLinkIsReplacedWithoutBackup) {
  fs::create_directory_symlink(TestHome::path() / "gone", game / "BepInEx");
  Installer::activate(profile, game);
  EXPECT_EQ(fs::read_symlink(game / "BepInEx"), profile.bepinex());
  EXPECT_TRUE(backups().empty());
}
}  // namespace
