// Undo and Redo walk the undo stack one state at a time; a change that changed nothing leaves no trace.
#include <gmock/gmock.h>

#include <functional>

#include "foundation/app_error.hpp"
#include "history_fixture.hpp"

namespace fs = std::filesystem;
using testing::ThrowsMessage, testing::StrEq;

namespace {
class UndoTest : public HistoryTest {
 protected:
  using HistoryTest::save;
  // A change as the app makes one: a snapshot, the change, and the snapshot dropped when it did nothing.
  void change(const History::Change& what, const std::function<void()>& make) {
    const std::string id = History::snapshot(dir(), what);
    make();
    History::dropIfUnchanged(dir(), id);
  }
  void toggle(size_t mod) {
    change(History::describeToggle(profile.mods[mod], !profile.mods[mod].enabled), [&] {
      profile.mods[mod].enabled = !profile.mods[mod].enabled;
      save();
    });
  }
  // Three changes, and the profile's files before each and after the last.
  std::vector<std::map<std::string, std::string>> threeChanges() {
    std::vector<std::map<std::string, std::string>> states{files()};
    toggle(1);
    states.push_back(files());
    change(History::describeConfigSave("BepInEx.cfg"),
           [&] { put("BepInEx.cfg", "[Logging]\nEnabled = false\n"); });
    states.push_back(files());
    change(History::describeRemove("Jotunn"), [&] {
      profile.mods.erase(profile.mods.begin());
      save();
      fs::remove(config() / "sub" / "plans.json");
    });
    states.push_back(files());
    return states;
  }
  // Undo and Redo as the app runs them: the restored record wants what it had, and the sync after
  // installs it.
  void undo() { sync(History::undo(dir())); }
  void redo() { sync(History::redo(dir())); }
  void sync(const History::Restored& restored) {
    profile = restored.profile;
    for (auto& mod : profile.mods) mod.installed = mod.version;
    save();
  }

  std::optional<std::string> undoName() const { return name(History::steps(dir()).undo); }
  std::optional<std::string> redoName() const { return name(History::steps(dir()).redo); }
  template <typename Step>
  static std::optional<std::string> name(const Step& step) {
    return step ? std::optional(step->name) : std::nullopt;
  }
  std::vector<std::string> rows() const {
    std::vector<std::string> out;
    for (const auto& row : History::list(dir()))
      out.push_back((row.now ? "* " : "") + std::string(row.after ? "after " : "") + row.description);
    return out;
  }
};
}  // namespace

TEST_F(UndoTest, UndoWalksBackOneChangeAtATimeAndRedoWalksForwardAgain) {
  const auto states = threeChanges();
  EXPECT_EQ(undoName(), "Remove Jotunn");
  EXPECT_EQ(redoName(), std::nullopt);

  for (int i = 2; i >= 0; --i) {
    undo();
    EXPECT_EQ(files(), states[size_t(i)]) << "after " << 3 - i << " undos";
  }
  EXPECT_EQ(undoName(), std::nullopt);
  EXPECT_EQ(redoName(), "Turn Off BetterArchery");
  EXPECT_THAT([&] { History::undo(dir()); }, ThrowsMessage<AppError>(StrEq("There’s nothing to undo.")));
  // Undo and Redo are no rows of their own: the state the last change led to is kept once, and
  // the profile's own state is marked.
  EXPECT_EQ(rows(), (std::vector<std::string>{"after Removed Jotunn", "Removed Jotunn", "Saved BepInEx.cfg",
                                              "* Turned off BetterArchery"}));

  for (size_t i = 1; i <= 3; ++i) {
    redo();
    EXPECT_EQ(files(), states[i]) << "after " << i << " redos";
  }
  EXPECT_THAT([&] { History::redo(dir()); }, ThrowsMessage<AppError>(StrEq("There’s nothing to redo.")));
  EXPECT_EQ(undoName(), "Remove Jotunn");
  EXPECT_EQ(rows().front(), "* after Removed Jotunn");
}

TEST_F(UndoTest, TheCursorIsKeptOnDiskAndOutlivesPruning) {
  const auto states = threeChanges();
  undo();
  undo();
  // Every call reads the history folder afresh, as a restarted app does.
  EXPECT_EQ(undoName(), "Turn Off BetterArchery");
  EXPECT_EQ(redoName(), "Save BepInEx.cfg");
  undo();
  EXPECT_EQ(files(), states[0]);

  // The oldest snapshots pruned: Undo stops where the history starts.
  redo();
  redo();
  fs::remove(dir() / "history" / "snapshots" / "1.record");
  EXPECT_EQ(undoName(), "Save BepInEx.cfg");
  undo();
  EXPECT_EQ(files(), states[1]);
  EXPECT_EQ(undoName(), std::nullopt);
  EXPECT_EQ(redoName(), "Save BepInEx.cfg");
}

TEST_F(UndoTest, AChangeThatChangedNothingLeavesNoSnapshotAndKeepsTheRedoSteps) {
  const auto states = threeChanges();
  const size_t snapshots = count("snapshots");
  change(History::describeUpdateAll(), [&] { save(); });  // every update held: the same bytes again
  EXPECT_EQ(count("snapshots"), snapshots);
  EXPECT_EQ(undoName(), "Remove Jotunn");

  undo();
  const size_t withTip = count("snapshots");
  change(History::describeUpdateAll(), [] {});
  EXPECT_EQ(count("snapshots"), withTip);
  EXPECT_EQ(redoName(), "Remove Jotunn") << "nothing changed, so nothing was dropped";

  // Restoring the state the profile is in changes nothing either.
  const std::string now = History::list(dir()).at(1).id;
  ASSERT_TRUE(History::list(dir()).at(1).now);
  EXPECT_EQ(History::restore(dir(), now, {"back"}).undoID, "");
  EXPECT_EQ(count("snapshots"), withTip);
  EXPECT_EQ(files(), states[2]);
}
