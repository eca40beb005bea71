#pragma once

// The pieces the snapshot, listing and restore code share; not for use outside the history.
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "history/diff.hpp"
#include "history/history.hpp"
#include "history/object_store.hpp"
#include "history/snapshot_record.hpp"
#include "profiles/profile.hpp"

namespace History {
// A profile's record and files, by path inside the profile folder.
struct ProfileState {
  Profile record;
  std::map<std::string, StoredFile> files;
};

// The bytes of one file of a state, given its path and stored form.
using ReadFile = std::function<std::string(const std::string& path, const StoredFile& file)>;

// The files a snapshot would keep now, hashed but not stored; the record decoded (an empty one
// when it cannot be read).
ProfileState currentState(const std::filesystem::path& profileDir);
// The snapshot's record, or AppError when it is gone; a damaged one throws another error.
SnapshotRecord loadRecord(const std::filesystem::path& profileDir, const std::string& id);
// Mods, pack and config files; settings files' changed settings only when `read` is given.
ProfileDiff diffStates(const ProfileState& before, const ProfileState& after, const ReadFile& readBefore = {},
                       const ReadFile& readAfter = {});

// Stores the profile's current record and config files as a snapshot (one the undo stack does not
// hold yet) and returns its id.
std::string take(const std::filesystem::path& profileDir, const Change& change, bool after);
// Keeps the history within its limits; a failure only waits for the next time.
void pruneQuietly(const std::filesystem::path& profileDir, const Limits& limits = {}) noexcept;

std::string damagedSentence();
}  // namespace History
