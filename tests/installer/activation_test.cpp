#include "installer/installer.hpp"
#include "installer_fixture.hpp"

namespace {
class Activation : public InstallerTest {
 protected:
  Files backups() {
    Files names;
    for (const auto& e : fs::directory_iterator(game))
      if (e.path().filename().string().starts_with("BepInEx.backup-")) names.push_back(e.path().filename());
    return names;
  }
};

TEST_F(Activation, ALinkIsSwappedAndARealFolderInTheWayIsMovedAsideNeverDeleted) {
  writeFile(game / "BepInEx/plugins/Hand/hand.dll", "hand-made");
  Installer::activate(profile, game);
  ASSERT_EQ(backups().size(), 1u);
  EXPECT_EQ(readFile(game / backups()[0] / "plugins/Hand/hand.dll"), "hand-made");
  EXPECT_EQ(fs::read_symlink(game / "BepInEx"), profile.bepinex());
  EXPECT_TRUE(logHas("moving unexpected BepInEx folder aside to " + backups()[0] + "\n"));

  Profile other = profile;  // the link is ours now: it is swapped and nothing more is moved
  other.id = "OTHER-PROFILE";
  other.name = "Other";
  fs::create_directories(other.bepinex());
  Installer::activate(other, game);
  EXPECT_EQ(fs::read_symlink(game / "BepInEx"), other.bepinex());
  EXPECT_EQ(backups().size(), 1u);
  EXPECT_TRUE(logHas("activated profile 'Other'\n"));
}

TEST_F(Activation, ADanglingLinkIsReplacedWithoutBackup) {
  fs::create_directories(game);
  fs::create_directory_symlink(TestHome::path() / "gone", game / "BepInEx");
  Installer::activate(profile, game);
  EXPECT_EQ(fs::read_symlink(game / "BepInEx"), profile.bepinex());
  EXPECT_TRUE(backups().empty());
}
}  // namespace
