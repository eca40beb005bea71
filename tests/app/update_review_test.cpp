// The update review: what it lists, what its button says, and what confirming it changes.
#include "app/update_review.hpp"
#include "app_fixture.hpp"
#include "testkit/changelog_samples.hpp"

namespace {
using Sheet = WindowState::Sheet;

// A profile with five mods (A, which brings B and C, then D and E), each with an update waiting.
class ReviewApp : public StartedApp {
 protected:
  void SetUp() override {
    StartedApp::SetUp();
    publish("D", "1.0.0");
    publish("E", "1.0.0");
    for (const char* name : {"A", "D", "E"}) run([&] { state->modController()->add(pkg(name)); });
    // The new A brings F; the sizes add up to whole and fractional megabytes.
    publish("F", "1.0.0");
    publish("A", "1.1.0", {"Team-B-1.0.0", "Team-F-1.0.0"}, 3'200'000);
    publish("B", "1.1.0", {"Team-C-2.0.0", "denikson-BepInExPack_Valheim-5.4.2202"}, 10'000'000);
    publish("C", "1.1.0", {}, 800'000);
    publish("D", "1.1.0", {}, 20'000'000);
    publish("E", "1.1.0", {}, 14'000'000);
    ASSERT_EQ(state->selection()->updates(), 5);
  }

  UpdateReview& review() const { return *state->review(); }
  QString cell(int row, UpdateReview::Role role) const { return review().index(row).data(role).toString(); }
  int rowOf(const std::string& name) const {
    for (int i = 0; i < review().count(); ++i)
      if (cell(i, UpdateReview::NameRole) == QString::fromStdString(name)) return i;
    ADD_FAILURE() << name << " is not listed";
    return -1;
  }
  std::string description() const { return snapshots().front().description; }
};

// Cancel changes nothing; confirming them all names the first three.
TEST_F(ReviewApp, OpeningTheSheetListsEveryUpdateAndClosingDropsThem) {
  EXPECT_EQ(review().count(), 0);
  ASSERT_TRUE(state->window()->open(Sheet::UpdateReview));
  ASSERT_EQ(review().count(), 5);
  const int a = rowOf("A");
  EXPECT_EQ(cell(a, UpdateReview::InstalledRole), "1.0.0");
  EXPECT_EQ(cell(a, UpdateReview::LatestRole), "1.1.0");
  EXPECT_EQ(cell(a, UpdateReview::SizeRole), "3.2 MB");
  EXPECT_TRUE(review().index(a).data(UpdateReview::TickedRole).toBool());
  state->window()->close(Sheet::UpdateReview);
  EXPECT_EQ(review().count(), 0);
  EXPECT_EQ(selected().mods.size(), 5u);
  EXPECT_EQ(mod("A").installed, "1.0.0");

  ASSERT_TRUE(state->window()->open(Sheet::UpdateReview));
  run([&] { EXPECT_TRUE(review().confirm()); });
  EXPECT_EQ(description(), "Updated 5 mods: A, B, C, …");
  EXPECT_EQ(state->selection()->updates(), 0);
}

// The button and the new dependencies follow what is ticked; a held mod counts as unticked.
TEST_F(ReviewApp, TheButtonAndTheNewDependenciesFollowWhatIsTicked) {
  ASSERT_TRUE(state->window()->open(Sheet::UpdateReview));
  EXPECT_EQ(review().newDependencies(), QStringList{"F"});
  struct Step {
    const char* name;
    bool ticked;
    const char* text;
  };
  const Step steps[] = {{"", true, "Update 5 Mods — 48 MB"},   {"D", false, "Update 4 Mods — 28 MB"},
                        {"B", false, "Update 3 Mods — 18 MB"}, {"E", false, "Update 2 Mods — 4 MB"},
                        {"C", false, "Update 1 Mod — 3.2 MB"}, {"A", false, "Update 0 Mods"}};
  for (const Step& step : steps) {
    if (*step.name) review().setTicked(rowOf(step.name), step.ticked);
    EXPECT_EQ(review().confirmText(), step.text) << "after unticking " << step.name;
    EXPECT_EQ(review().canConfirm(), std::string(step.name) != "A");
  }
  EXPECT_TRUE(review().newDependencies().isEmpty());
  EXPECT_FALSE(review().confirm()) << "nothing ticked, nothing to do";
  EXPECT_TRUE(isShown(Sheet::UpdateReview));
  review().setTicked(rowOf("A"), true);
  EXPECT_EQ(review().newDependencies(), QStringList{"F"});
  review().setHeld(rowOf("A"), true);
  EXPECT_FALSE(review().canConfirm());
  EXPECT_EQ(review().confirmText(), "Update 0 Mods");
  EXPECT_TRUE(review().newDependencies().isEmpty()) << "a held mod brings nothing";
}

TEST_F(ReviewApp, ConfirmingUpdatesTheTickedHoldsTheHeldAndOneUndoBringsThemBack) {
  const size_t before = snapshots().size();
  ASSERT_TRUE(state->window()->open(Sheet::UpdateReview));
  review().setTicked(rowOf("B"), false);
  review().setHeld(rowOf("C"), true);
  run([&] {
    EXPECT_TRUE(review().confirm());
    EXPECT_FALSE(review().confirm()) << "a second Return finds the sheet closed";
  });
  EXPECT_FALSE(isShown(Sheet::UpdateReview));
  for (const char* name : {"A", "D", "E"}) EXPECT_EQ(mod(name).installed, "1.1.0") << name;
  EXPECT_EQ(mod("B").installed, "1.0.0");
  EXPECT_EQ(mod("C").installed, "1.0.0");
  EXPECT_EQ(state->modController()->heldAt("Team-C"), "1.0.0");
  EXPECT_EQ(mod("F").installed, "1.0.0") << "what the new A needs came along";
  EXPECT_EQ(snapshots().size(), before + 1) << "one change";
  EXPECT_EQ(description(), "Updated 3 mods: A, D, E");
  ASSERT_TRUE(waitUntil([&] { return !state->history()->loading(); }));
  EXPECT_EQ(state->history()->undoText(), "Undo Update 3 Mods");
  EXPECT_TRUE(logHas("update review: skipped Team-B 1.0.0 → 1.1.0"));

  run([&] { state->modController()->undo(); });
  for (const char* name : {"A", "D", "E"}) EXPECT_EQ(mod(name).installed, "1.0.0") << name;
  EXPECT_EQ(state->modController()->heldAt("Team-C"), "1.0.0") << "holds are no part of the history";
  EXPECT_EQ(state->selection()->updates(), 4);
}

TEST_F(ReviewApp, ASingleUpdateAsksOnlyWhenItsChangelogSaysSomething) {
  catalogue.setChangelog("Team", "A", "1.1.0", std::string(ChangelogSamples::versioned));
  catalogue.setChangelog("Team", "D", "1.1.0", std::nullopt);
  state->review()->updateOne(mod("D"));
  ASSERT_TRUE(waitUntil([&] { return mod("D").installed == "1.1.0"; }));
  settle();
  EXPECT_FALSE(isShown(Sheet::UpdateReview));
  EXPECT_EQ(description(), "Updated D 1.0.0 → 1.1.0");

  state->review()->updateOne(mod("A"));
  state->review()->updateOne(mod("A"));  // a second click while the first looks
  ASSERT_TRUE(waitUntil([&] { return isShown(Sheet::UpdateReview); }));
  ASSERT_EQ(review().count(), 1);
  review().loadChangelog(0);
  ASSERT_TRUE(waitUntil([&] { return !cell(0, UpdateReview::ChangelogRole).isEmpty(); }));
  EXPECT_TRUE(cell(0, UpdateReview::ChangelogRole).contains("## 2.21.0"));
  run([&] { EXPECT_TRUE(review().confirm()); });
  EXPECT_EQ(mod("A").installed, "1.1.0");
  EXPECT_EQ(description(), "Updated A 1.0.0 → 1.1.0") << "one mod keeps the single update's words";
}

TEST_F(ReviewApp, AnotherProfileSelectedWhileTheSheetShowsBringsItsOwnUpdates) {
  ASSERT_TRUE(state->window()->open(Sheet::UpdateReview));
  ASSERT_EQ(review().count(), 5);
  const QString first = state->selectedID();
  state->newProfile("Empty");
  ASSERT_NE(state->selectedID(), first);
  EXPECT_EQ(review().count(), 0);
  EXPECT_FALSE(review().confirm());
  state->setSelectedID(first);
  EXPECT_EQ(review().count(), 5);
}

TEST_F(ReviewApp, ConfirmingWhileAnotherChangeRunsDoesNothing) {
  ASSERT_TRUE(state->window()->open(Sheet::UpdateReview));
  catalogue.hold();
  state->modController()->add(pkg("F"));
  ASSERT_TRUE(waitUntil([&] { return !state->selection()->canChange(); }));
  EXPECT_FALSE(review().confirm());
  EXPECT_TRUE(isShown(Sheet::UpdateReview));
  catalogue.release();
  settle();
}
}  // namespace
