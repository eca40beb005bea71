// Snapshots and restores of a profile's record and config files.
#include <gmock/gmock.h>

#include <cerrno>
#include <system_error>

#include "foundation/app_error.hpp"
#include "foundation/loader_pack.hpp"
#include "history/fault_point.hpp"
#include "history/sha256.hpp"
#include "history_fixture.hpp"

namespace fs = std::filesystem;
using testing::ThrowsMessage, testing::StrEq;

namespace {
// The snapshots of a listing, without the row that stands for the profile now.
std::vector<History::SnapshotInfo> snapshots(std::vector<History::SnapshotInfo> rows) {
  std::erase_if(rows, [](const auto& row) { return row.id.empty(); });
  return rows;
}

std::vector<std::string> ids(const std::vector<History::SnapshotInfo>& rows) {
  std::vector<std::string> out;
  for (const auto& row : snapshots(rows)) out.push_back(row.id);
  return out;
}

std::map<std::string, std::string> configOnly(std::map<std::string, std::string> files) {
  files.erase("profile.json");
  return files;
}
}  // namespace

TEST_F(HistoryTest, ARestoreBringsBackTheRecordAndConfigFilesAndIsItselfUndoable) {
  const auto before = files();
  const std::string id = History::snapshot(dir(), {"Updated Jotunn 2.20.0 → 2.21.0"});

  profile.mods[0].installed = profile.mods[0].version = "2.21.0";
  profile.mods[1].enabled = false;
  profile.mods.push_back({"Someone", "New_Mod", "1.0.0", "1.0.0", true, true});
  profile.packVersion = profile.packInstalled = "5.4.2300";
  save();
  put("BepInEx.cfg", "[Logging]\n\nEnabled = false\n\n[Chainloader]\n\nHideManagerGameObject = false\n");
  fs::remove(config() / "sub" / "plans.json");
  put("new.cfg", "[A]\nB = 1\n");
  const auto changed = files();

  const auto restored =
      History::restore(dir(), id, History::describeRestore("Updated Jotunn 2.20.0 → 2.21.0"));
  // Wanted as in the snapshot, installed as the files are now: the sync installs the difference.
  Profile expected = profile;
  expected.packVersion = "5.4.2202";
  expected.mods = {{"ValheimModding", "Jotunn", "2.20.0", "2.21.0", true, false},
                   {"Azumatt", "BetterArchery", "1.9.0", "1.9.0", true, true}};
  EXPECT_EQ(ProfileStore::loadAll(), std::vector<Profile>{expected});
  EXPECT_EQ(configOnly(files()), configOnly(before));
  // The app takes New_Mod's files away from this (what else changed is the diff's own test).
  ASSERT_EQ(restored.changes.mods.size(), 3u);
  EXPECT_TRUE(restored.changes.mods[2].removed());
  EXPECT_EQ(restored.changes.mods[2].key(), "Someone-New_Mod");
  EXPECT_EQ(restored.changes.counts(), (History::DiffCounts{4, 3}));

  const auto undo = History::find(dir(), restored.undoID);
  ASSERT_TRUE(undo);
  EXPECT_EQ(undo->description, "Restored “Updated Jotunn 2.20.0 → 2.21.0”");
  EXPECT_EQ(undo->undo, "Restore");
  const auto again = History::restore(dir(), restored.undoID, {"Undo", "Restore"});
  EXPECT_EQ(configOnly(files()), configOnly(changed));
  Profile undone = ProfileStore::decodeProfile(changed.at("profile.json"));
  undone.mods[2].installed.reset();  // its files went with the first restore
  EXPECT_EQ(again.profile, undone);
  EXPECT_EQ(ids(History::list(dir())), (std::vector<std::string>{again.undoID, restored.undoID, id}));
}

TEST_F(HistoryTest, ARecordKeepsItsUndoNameAndOneWithoutItStillReads) {
  const std::string id = History::snapshot(dir(), History::describeToggle(profile.mods[1], false));
  EXPECT_EQ(History::find(dir(), id)->undo, "Turn Off BetterArchery");
  const fs::path record = dir() / "history" / "snapshots" / (id + ".record");
  std::string text = FS::readFile(record);
  const size_t undo = text.find("undo ");
  ASSERT_NE(undo, std::string::npos);
  text.erase(undo, text.find('\n', undo) + 1 - undo);
  FS::writeAtomic(record, text);
  const auto old = History::find(dir(), id);
  EXPECT_FALSE(old->damaged);
  EXPECT_EQ(old->description, "Turned off BetterArchery");
  EXPECT_EQ(old->undo, "");
}

TEST_F(HistoryTest, UnchangedFilesAreStoredOnce) {
  History::snapshot(dir(), {"first"});
  const size_t objects = count("objects");
  EXPECT_EQ(objects, 3u) << "the record and two config files";
  History::snapshot(dir(), {"nothing changed"});
  EXPECT_EQ(count("objects"), objects);
  EXPECT_EQ(count("snapshots"), 2u);
  put("BepInEx.cfg", "changed");
  History::snapshot(dir(), {"one file changed"});
  EXPECT_EQ(count("objects"), objects + 1);
}

TEST_F(HistoryTest, TheOldestSnapshotsGoPastTheLimitsAndTheNewestAlwaysStays) {
  for (int i = 1; i <= 5; ++i) {
    put("BepInEx.cfg", "version " + std::to_string(i));
    History::snapshot(dir(), {"save " + std::to_string(i)}, {3, 1'000'000});
  }
  EXPECT_EQ(ids(History::list(dir())), (std::vector<std::string>{"5", "4", "3"}));
  EXPECT_EQ(count("objects"), 5u) << "three versions of the file, the record and the other file";

  // By size: each snapshot holds 10 KB of its own; 25 KB has room for two.
  for (int i = 6; i <= 8; ++i) {
    put("big.bin", std::string(10'000, char('a' + i)));
    History::snapshot(dir(), {"big " + std::to_string(i)}, {100, 25'000});
  }
  EXPECT_EQ(ids(History::list(dir())), (std::vector<std::string>{"8", "7"}));
  History::snapshot(dir(), {"too big to keep two"}, {100, 1});
  EXPECT_EQ(ids(History::list(dir())), (std::vector<std::string>{"9"}));
  EXPECT_EQ(count("objects"), 4u);
}

TEST_F(HistoryTest, DamagedSnapshotsAreListedAndRefusedWhileTheOthersStillRestore) {
  std::vector<std::string> taken;
  for (int i = 1; i <= 4; ++i) {
    put("BepInEx.cfg", "version " + std::to_string(i));
    taken.push_back(History::snapshot(dir(), {"save " + std::to_string(i)}));
  }
  // Cut short; and a record leading a restore out of the profile's files.
  FS::writeAtomic(dir() / "history" / "snapshots" / "1.record", "snapshot 1\ntime 2024-01-01T00:00:00Z\n");
  FS::writeAtomic(dir() / "history" / "snapshots" / "5.record",
                  "snapshot 1\nfile " + sha256Hex("x") + " 1 BepInEx/config/../../../escape\nend\n");
  fs::remove(dir() / "history" / "objects" / sha256Hex("version 2"));
  // Same length, other bytes: only a restore, which reads it, can tell.
  FS::writeAtomic(dir() / "history" / "objects" / sha256Hex("version 3"), "version X");

  const auto rows = snapshots(History::list(dir()));
  std::vector<bool> damaged;
  for (const auto& row : rows) damaged.push_back(row.damaged);
  ASSERT_EQ(damaged, (std::vector<bool>{true, false, false, true, true}));
  EXPECT_EQ(rows[3].description, "save 2");
  EXPECT_EQ(rows[4].time, distantPast);

  put("BepInEx.cfg", "current");
  const auto current = files();
  for (const char* id : {"1", "2", "3", "5"})
    EXPECT_THAT([&] { History::restore(dir(), id, {"back"}); },
                ThrowsMessage<AppError>(StrEq("This snapshot is damaged and can’t be restored.")))
        << id;
  EXPECT_EQ(files(), current);
  EXPECT_EQ(count("snapshots"), 5u) << "a refused restore takes no snapshot";
  EXPECT_THAT([&] { History::restore(dir(), "99", {"back"}); },
              ThrowsMessage<AppError>(StrEq("That snapshot no longer exists.")));

  History::restore(dir(), "4", {"back"});
  EXPECT_EQ(FS::readFile(config() / "BepInEx.cfg"), "version 4");
}

TEST_F(HistoryTest, AFullDiskStopsTheSnapshotWithASentenceAndLeavesNoRecord) {
  History::snapshot(dir(), {"before"});
  put("BepInEx.cfg", "new bytes to store");
  History::FaultPoint::setHook(
      [] { throw fs::filesystem_error("write", std::error_code(ENOSPC, std::generic_category())); });
  EXPECT_THAT(
      [&] { History::snapshot(dir(), {"after"}); },
      ThrowsMessage<AppError>(StrEq("There isn’t enough disk space to keep a snapshot of this profile, so "
                                    "nothing was changed. Free some space and try again.")));
  History::FaultPoint::setHook(nullptr);
  EXPECT_EQ(count("snapshots"), 1u);
  History::snapshot(dir(), {"after"});
  for (const auto& row : History::list(dir())) EXPECT_FALSE(row.damaged) << row.id;
}

TEST_F(HistoryTest, MissingVersionsAreThoseASyncWouldHaveToFetchAndCannot) {
  profile.packVersion = "5.4.2300";
  profile.mods.push_back({"Gone", "Mod", "1.0.0", std::nullopt, true, true});
  profile.mods.push_back({"Kept", "Mod", "2.0.0", "1.0.0", true, true});
  auto obtainable = [](const std::string& key, const std::string&) { return key == "Kept-Mod"; };
  const auto missing = History::missingVersions(profile, obtainable);
  ASSERT_EQ(missing.size(), 2u) << "installed mods need nothing";
  EXPECT_EQ(missing[0].id(), LoaderPack::id);
  EXPECT_EQ(missing[0].version, "5.4.2300");
  EXPECT_EQ(missing[1].id(), "Gone-Mod");
}
