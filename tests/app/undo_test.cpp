// Undo and Redo through the app, a change that changed nothing, and changes of one profile fired
// together: one runs, the others are refused or wait, and the history stays whole.
#include <QTimer>

#include <map>
#include <random>

#include "app_fixture.hpp"
#include "foundation/fs.hpp"
#include "history/history.hpp"

namespace {
// A profile like the window's richest: PlanBuild (which needs Jotunn), BetterArchery (which needs
// ModSettings) turned off, ValheimPlus, and config files of their own.
class UndoApp : public StartedApp {
 protected:
  void SetUp() override {
    StartedApp::SetUp();
    publish("Jotunn", "2.20.0");
    publish("ModSettings", "1.1.4");
    publish("PlanBuild", "0.18.1", {"Team-Jotunn-2.20.0"});
    publish("BetterArchery", "1.9.8", {"Team-ModSettings-1.1.4"});
    publish("ValheimPlus", "0.9.9");
    for (const char* name : {"PlanBuild", "BetterArchery", "ValheimPlus"})
      run([&] { state->modController()->add(pkg(name)); });
    run([&] { state->modController()->setEnabled(mod("BetterArchery"), false); });
    FS::writeAtomic(config("valheim_plus.cfg"), "[Server]\nenabled = true\n");
    FS::writeAtomic(config("marcopogo.PlanBuild.cfg"), "[General]\nShowAllPieces = false\n");
  }
  fs::path config(const std::string& name) const { return selected().bepinex() / "config" / name; }

  // Every file of the profile folder but its history, by path.
  std::map<std::string, std::string> files() const {
    std::map<std::string, std::string> out;
    const fs::path dir = selected().dir();
    for (auto it = fs::recursive_directory_iterator(dir); it != fs::recursive_directory_iterator(); ++it) {
      if (it->path().filename() == "history") it.disable_recursion_pending();
      if (it->is_regular_file())
        out[it->path().lexically_relative(dir).generic_string()] = FS::readFile(it->path());
    }
    return out;
  }
  ProfileHistory& history() const { return *state->history(); }
  void readHistory() {
    ASSERT_TRUE(waitUntil([&] { return !history().loading(); }));
  }
};

// A change that changes nothing leaves no snapshot and no line; Undo twice brings back the start
// byte for byte, and Redo twice the changes.
TEST_F(UndoApp, UndoTwiceBringsBackTheStartByteForByteAndRedoTwiceTheChanges) {
  const size_t before = snapshots().size();
  run([&] { state->modController()->updateAll(); });  // nothing to update
  run([&] { state->modController()->installMissing(); });
  EXPECT_EQ(state->activity()->errorMessage(), "");
  EXPECT_EQ(snapshots().size(), before);

  const auto start = files();
  run([&] { state->modController()->setEnabled(mod("PlanBuild"), false); });
  run([&] { state->modController()->remove(mod("ValheimPlus")); });
  const auto changed = files();

  run([&] { state->modController()->undo(); });
  run([&] { state->modController()->undo(); });
  EXPECT_EQ(files(), start);

  run([&] { state->modController()->redo(); });
  run([&] { state->modController()->redo(); });
  EXPECT_EQ(files(), changed);
}

TEST_F(UndoApp, ANewChangeAfterTwoUndosDropsTheRedoSteps) {
  run([&] { state->modController()->setEnabled(mod("PlanBuild"), false); });
  run([&] { state->modController()->remove(mod("ValheimPlus")); });
  run([&] { state->modController()->undo(); });
  run([&] { state->modController()->undo(); });

  const size_t before = snapshots().size();
  run([&] { state->modController()->setEnabled(mod("BetterArchery"), true); });
  readHistory();
  EXPECT_FALSE(history().canRedo());
  EXPECT_EQ(snapshots().size(), before + 1) << "the dropped steps stay in the list";
  run([&] { state->modController()->undo(); });
  run([&] { state->modController()->undo(); });
  // Past the new change come the steps before the undos, not the dropped ones.
  EXPECT_EQ(state->activity()->note(), "Undid Turn Off BetterArchery.");
  EXPECT_TRUE(mod("BetterArchery").enabled);
  EXPECT_TRUE(mod("PlanBuild").enabled);
  EXPECT_TRUE(mod("ValheimPlus").enabled);
}

// A config save, Update All, a toggle and a history read fired at one profile together, again and
// again, each after a random delay: whichever starts first runs, the others wait or are refused, and
// every snapshot still restores.
TEST_F(UndoApp, ChangesFiredTogetherNeverDamageTheHistory) {
  ConfigEditor* editor = state->configEditor();
  editor->refresh();
  const QString path = QString::fromStdString(config("valheim_plus.cfg").string());
  editor->open(path);
  ASSERT_TRUE(waitUntil([&] { return !editor->opening() && editor->currentPath() == path; }));
  std::mt19937 random(27);
  int fired = 0;
  auto soon = [&](std::function<void()> fire) {
    QTimer::singleShot(std::uniform_int_distribution(0, 3)(random), state.get(), [&fired, fire] {
      fire();
      ++fired;
    });
  };
  int refused = 0;
  QObject::connect(editor, &ConfigEditor::failed, [&](const QString&) { ++refused; });
  for (int round = 0; round < 200; ++round) {
    fired = 0;
    if (editor->conflict()) editor->keepMine();
    ASSERT_TRUE(editor->setValue(0, round % 2 ? "true" : "false"));
    soon([&] { editor->save(); });
    soon([&] { state->modController()->updateAll(); });
    soon([&] { state->modController()->setEnabled(mod("PlanBuild"), !mod("PlanBuild").enabled); });
    soon([&] { history().refresh(); });
    ASSERT_TRUE(waitUntil([&] {
      const bool saved = editor->canSave() || !editor->dirty();
      return fired == 4 && state->activity()->idle() && saved && !history().loading() &&
             state->selection()->canChange();
    })) << "round "
        << round;
  }
  EXPECT_GT(refused, 0) << "some saves came while another change ran";
  const fs::path dir = selected().dir();
  const auto rows = snapshots();
  EXPECT_GT(rows.size(), 20u);
  for (const auto& row : rows) {
    EXPECT_FALSE(row.damaged) << row.id;
    EXPECT_NO_THROW(History::restoredRecord(dir, row.id)) << row.id;
  }
  run([&] { state->modController()->restore(QString::fromStdString(rows.back().id)); });
  EXPECT_EQ(state->activity()->errorMessage(), "");
}
}  // namespace
