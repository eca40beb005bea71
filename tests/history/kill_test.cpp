// A snapshot or a restore killed at any step leaves the old state or the new one, whole. A child
// process runs the operation and kills itself at its n-th file-system step; the parent then opens
// the profile as the app does after a crash and looks.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <map>
#include <random>

#include "history/fault_point.hpp"
#include "history_fixture.hpp"

namespace fs = std::filesystem;

namespace {
int stepsLeft = 0;

// Runs `work` in a child that dies at its n-th step; the child's exit code, or -1 when it died.
// With n = 0 it runs to the end and exits with the number of steps it took.
int runChild(int n, const std::function<void()>& work) {
  const pid_t pid = fork();
  if (pid == 0) {
    stepsLeft = n;
    History::FaultPoint::setHook([] {
      if (--stepsLeft == 0) raise(SIGKILL);
    });
    try {
      work();
    } catch (...) {
      _exit(255);
    }
    _exit(-stepsLeft);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFSIGNALED(status)) return WTERMSIG(status) == SIGKILL ? -1 : -2;
  return WEXITSTATUS(status);
}

class KillTest : public HistoryTest {
 protected:
  // The profile folder as it is now, to start every run from.
  void keep() {
    fs::remove_all(saved());
    fs::copy(dir(), saved(), fs::copy_options::recursive);
  }
  void reset() {
    fs::remove_all(dir());
    fs::copy(saved(), dir(), fs::copy_options::recursive);
  }
  fs::path saved() const { return dir().parent_path() / "saved"; }

  // Every step once, then steps picked at random (seeded) up to `runs` runs.
  static std::vector<int> stepsToKill(int steps, int runs) {
    std::vector<int> out;
    std::mt19937 random(22);
    for (int i = 0; i < runs; ++i)
      out.push_back(i < steps ? i + 1 : std::uniform_int_distribution(1, steps)(random));
    return out;
  }

  void expectUndamaged() {
    for (const auto& row : History::list(dir())) EXPECT_FALSE(row.damaged) << row.id;
  }

  // Runs `work` to the end once (it must take more than `atLeast` steps; `whole` keeps the files it
  // leaves), then kills it at every step and at random ones, `runs` runs in all. After each, the
  // next start recovers and `check` looks. Every run starts from the folder as it is now.
  void killAtEveryStep(const std::function<void()>& work, int atLeast, int runs,
                       const std::function<void()>& check) {
    keep();
    const int steps = runChild(0, work);
    ASSERT_GT(steps, atLeast);
    whole = files();
    reset();
    for (int n : stepsToKill(steps, runs)) {
      SCOPED_TRACE("killed at step " + std::to_string(n) + " of " + std::to_string(steps));
      ASSERT_EQ(runChild(n, work), -1);
      History::recoverAll();
      check();
      expectUndamaged();
      reset();
    }
  }
  std::map<std::string, std::string> whole;
};
}  // namespace

TEST_F(KillTest, ASnapshotKilledAtAnyStepIsTakenWholeOrNotAtAll) {
  History::snapshot(dir(), {"one"});
  History::snapshot(dir(), {"two"});
  put("BepInEx.cfg", "changed");
  put("more/new.cfg", "new");
  const auto current = files();
  // The objects, the record and the pruning are steps.
  const auto take = [this] { History::snapshot(dir(), {"three"}, {2, 1'000'000}); };
  killAtEveryStep(take, 4, 50, [&] {
    EXPECT_EQ(files(), current);
    auto rows = History::list(dir());
    std::erase_if(rows, [](const auto& row) { return row.id.empty(); });  // the profile now
    ASSERT_FALSE(rows.empty());
    EXPECT_TRUE(rows[0].description == "two" ||
                (rows[0].description == "three" && rows[0].changes == History::DiffCounts{}));
    expectUndamaged();
    // What the crash left does not hinder the next one.
    History::snapshot(dir(), {"after"}, {2, 1'000'000});
  });
}

TEST_F(KillTest, ARestoreKilledAtAnyStepEndsWhollyOldOrWhollyRestored) {
  const std::string id = History::snapshot(dir(), {"before"});
  profile.mods[0].installed = profile.mods[0].version = "2.21.0";
  profile.mods.pop_back();
  save();
  put("BepInEx.cfg", "changed");
  put("more/new.cfg", "new");
  fs::remove(config() / "sub" / "plans.json");
  const auto old = files();
  const auto restore = [&] { History::restore(dir(), id, {"back"}); };
  killAtEveryStep(restore, 6, 50, [&] {
    ASSERT_NE(whole, old);
    const auto now = files();
    EXPECT_TRUE(now == old || now == whole);
    EXPECT_FALSE(FS::exists(dir() / "history" / "restore.record"));
  });
}

TEST_F(KillTest, AnUndoKilledAtAnyStepMovesTheCursorWithTheFilesOrNotAtAll) {
  const auto start = files();
  History::snapshot(dir(), History::describeConfigSave("BepInEx.cfg"));
  put("BepInEx.cfg", "saved once");
  const auto once = files();
  History::snapshot(dir(), History::describeToggle(profile.mods[1], false));
  profile.mods[1].enabled = false;
  save();
  const auto turnedOff = files();
  const auto undo = [this] { History::undo(dir()); };
  killAtEveryStep(undo, 4, 40, [&] {
    const auto now = files();
    ASSERT_TRUE(now == turnedOff || now == once);
    // The next Undo goes one step further back from wherever the files are.
    History::undo(dir());
    EXPECT_EQ(files(), now == turnedOff ? once : start);
  });
}

namespace {
std::filesystem::path g_journal;
// A restore that stops at its first step after its journal is written, as one the process dies in.
void stopOnceJournaled() {
  if (FS::exists(g_journal)) throw std::runtime_error("stopped");
}
}  // namespace

// What the next start finds of a restore cut short may itself be damaged: the journal unreadable, or
// an object it names gone. Neither may stop the start nor leave the profile half restored.
TEST_F(KillTest, AJournalThatCannotBeFollowedLeavesTheProfileWhollyOld) {
  const std::string id = History::snapshot(dir(), {"before"});
  profile.mods.pop_back();
  save();
  put("BepInEx.cfg", "changed");
  put("sub/plans.json", "[]");
  const auto old = files();
  keep();
  g_journal = dir() / "history" / "restore.record";
  const auto interruptedRestore = [&] {
    History::FaultPoint::setHook(stopOnceJournaled);
    EXPECT_THROW(History::restore(dir(), id, {"back"}), std::runtime_error);
    History::FaultPoint::setHook(nullptr);
    ASSERT_TRUE(FS::exists(g_journal));
  };
  const std::vector<std::pair<const char*, std::function<void()>>> damage = {
      {"unreadable", [&] { FS::writeAtomic(g_journal, "not a record\n\x01\x02"); }},
      {"an object gone",
       [&] {  // the record's, which is put in place last
         const std::string journal = FS::readFile(g_journal);
         const size_t hash = journal.rfind("\nfile ", journal.find(" profile.json\n")) + 6;
         ASSERT_TRUE(fs::remove(dir() / "history" / "objects" / journal.substr(hash, 64)));
       }},
  };
  for (const auto& [what, spoil] : damage) {
    SCOPED_TRACE(what);
    reset();
    interruptedRestore();
    spoil();
    History::recoverAll();
    EXPECT_EQ(files(), old);
    History::restore(dir(), id, {"back"});  // the profile can still be restored
    EXPECT_NE(files(), old);
    EXPECT_FALSE(FS::exists(g_journal));
  }
}
