#include "app_fixture.hpp"

namespace {
using Play = StartedApp;

TEST_F(Play, ThePreparedProfileIsActivatedAndLaunchedUnlessTheGameRunsAlready) {
  run([&] { state->modController()->add(pkg("C")); });
  busyTexts.clear();
  run([&] { state->launcher()->play(); });

  EXPECT_EQ(state->activity()->note(),
            "Valheim is starting with “Default”. Launching from Steam later runs it unmodded.");
  EXPECT_EQ(fs::read_symlink(game / "BepInEx"), selected().bepinex());
  EXPECT_EQ(tools.calls("bash").size(), 1u);
  EXPECT_EQ(busyTexts, (Strings{"Preparing…", "Launching Valheim with mods…", ""}));

  // A game already running ends the next play with its sentence.
  gameRuns(true);
  EXPECT_FALSE(state->game()->canPlay());
  run([&] { state->launcher()->play(); });
  EXPECT_EQ(state->activity()->errorMessage(), "Valheim is already running.");
  EXPECT_TRUE(state->activity()->note().isEmpty());
  EXPECT_EQ(tools.calls("bash").size(), 1u);
}

}  // namespace
