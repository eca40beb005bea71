// Many mods at once: each bulk command is one change with one Undo, asks once about the mods that
// still need the picked ones, and the search for a broken mod halves the suspects.
#include <algorithm>

#include "app/mod_selection.hpp"
#include "app_fixture.hpp"

namespace {
// PlanBuild and BuildCamera need Jotunn; BetterArchery needs ModSettings; ValheimPlus stands alone.
class Many : public StartedApp {
 protected:
  void SetUp() override {
    StartedApp::SetUp();
    publish("Jotunn", "2.20.0");
    publish("ModSettings", "1.1.4");
    publish("PlanBuild", "0.18.1", {"Team-Jotunn-2.20.0"});
    publish("BuildCamera", "1.3.0", {"Team-Jotunn-2.20.0"});
    publish("BetterArchery", "1.9.8", {"Team-ModSettings-1.1.4"});
    publish("ValheimPlus", "0.9.9");
    for (const char* name : {"PlanBuild", "BuildCamera", "BetterArchery", "ValheimPlus"})
      run([&] { state->modController()->add(pkg(name)); });
  }
  ModSelection& picked() const { return *state->modSelection(); }
  void pick(std::initializer_list<const char*> names) {
    picked().clear();
    for (const char* name : names) picked().toggle(QString("Team-") + name);
  }
  // The names of the mods that are on, sorted.
  Strings on() const {
    Strings names;
    for (const ProfileMod& m : selected().mods)
      if (m.enabled) names.push_back(m.name);
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(Many, ATurnOffOfThreeIsOneChangeThatOneUndoTakesBack) {
  pick({"PlanBuild", "ValheimPlus", "BetterArchery"});
  EXPECT_EQ(picked().summary(), "3 selected");
  EXPECT_EQ(picked().offers(), (QStringList{"turnOff", "hold", "remove"}));
  const size_t before = snapshots().size();
  run([&] { picked().requestTurnOff(); });
  EXPECT_EQ(picked().question(), "") << "nothing outside the three needs them";
  EXPECT_EQ(on(), (Strings{"BuildCamera", "Jotunn", "ModSettings"}));
  EXPECT_EQ(snapshots().size(), before + 1);
  EXPECT_EQ(snapshots().front().description, "Turned off 3 mods");
  EXPECT_TRUE(picked().offers().contains("turnOn"));

  run([&] { state->modController()->undo(); });
  EXPECT_EQ(on().size(), 6u);

  // Hold and Release Hold apply to every picked mod.
  picked().hold();
  EXPECT_EQ(state->statuses()->holds(selected().id).size(), 3u);
  EXPECT_EQ(picked().offers(), (QStringList{"turnOff", "releaseHold", "remove"}));
  picked().releaseHold();
  EXPECT_TRUE(state->statuses()->holds(selected().id).empty());

  state->duplicate(selected());  // selects the copy, which holds the same keys
  EXPECT_EQ(picked().count(), 0) << "another profile starts with nothing picked";
}

TEST_F(Many, TurnOffAndRemoveAskOnceNamingTheModsThatStillNeedThem) {
  pick({"Jotunn"});
  EXPECT_EQ(picked().offQuestion().toStdString(),
            "PlanBuild and BuildCamera need Jotunn. Turn them off anyway?");
  pick({"Jotunn", "PlanBuild", "ModSettings"});
  EXPECT_EQ(picked().offQuestion().toStdString(),
            "BuildCamera and BetterArchery need Jotunn and ModSettings. Turn them off anyway?");
  pick({"Jotunn", "PlanBuild"});
  EXPECT_EQ(picked().removeQuestion().toStdString(), "BuildCamera needs Jotunn. Remove them anyway?");

  picked().requestTurnOff();
  EXPECT_EQ(picked().questionAction(), "Turn Off");
  picked().answer(false);
  settle();
  EXPECT_EQ(picked().question(), "");
  EXPECT_EQ(on().size(), 6u) << "Cancel changes nothing";
  picked().requestTurnOff();
  run([&] { picked().answer(true); });
  EXPECT_EQ(on(), (Strings{"BetterArchery", "BuildCamera", "ModSettings", "ValheimPlus"}));
  picked().answer(true);  // a second answer to a question already answered does nothing
  settle();
  EXPECT_EQ(on().size(), 4u);
}

TEST_F(Many, ARemoveTakesWhatOnlyThePickedModsNeededInOneChange) {
  pick({"BetterArchery", "ValheimPlus"});
  const size_t before = snapshots().size();
  run([&] { picked().requestRemove(); });
  EXPECT_EQ(modKeys(), (Strings{"Team-PlanBuild", "Team-Jotunn", "Team-BuildCamera"}));
  EXPECT_EQ(picked().count(), 0);
  EXPECT_EQ(state->activity()->note(), "Removed BetterArchery, ValheimPlus and ModSettings.");
  EXPECT_EQ(snapshots().size(), before + 1);
  run([&] { state->modController()->undo(); });
  EXPECT_EQ(modKeys().size(), 6u);
}

// The broken mod is ValheimPlus: the first half keeps Jotunn with the two that need it, and each
// step is a change of its own.
TEST_F(Many, TurnOffHalfFindsTheBrokenModInAFewSteps) {
  picked().selectAll();
  const size_t before = snapshots().size();
  run([&] { picked().turnOffHalf(); });
  EXPECT_EQ(on(), (Strings{"BetterArchery", "ModSettings", "ValheimPlus"}));
  EXPECT_EQ(
      picked().search(),
      "3 mods left to check. Play: if the problem is still there, turn off half again; if it went, swap "
      "the halves.");
  run([&] { picked().turnOffHalf(); });  // the problem is still there
  EXPECT_EQ(on(), Strings{"ValheimPlus"});
  run([&] { picked().turnOffHalf(); });
  EXPECT_TRUE(picked().searchFound());
  EXPECT_EQ(picked().search().toStdString(), "Found it: ValheimPlus");
  EXPECT_EQ(snapshots().size(), before + 2);

  // The same search where the problem went with the first half: Swap brings that half back and
  // the group that cannot be divided is what is found.
  picked().endSearch();
  run([&] { state->modController()->undo(); });
  run([&] { state->modController()->undo(); });
  EXPECT_EQ(on().size(), 6u);
  picked().selectAll();
  run([&] { picked().turnOffHalf(); });
  run([&] { picked().swapHalves(); });
  EXPECT_EQ(on(), (Strings{"BuildCamera", "Jotunn", "PlanBuild"}));
  run([&] { picked().turnOffHalf(); });
  EXPECT_EQ(picked().search().toStdString(), "Found it: PlanBuild, Jotunn and BuildCamera");
  EXPECT_EQ(snapshots().front().description, "Swapped halves");
}
}  // namespace
