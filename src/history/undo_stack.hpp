#pragma once

// The states Undo and Redo walk; not for use outside the history.
#include <filesystem>
#include <string>
#include <vector>

namespace History {
// Snapshot ids, oldest first: from each state to the next runs the change the first was taken
// before. `cursor` is the state the profile is in, or states.size() when the profile is newer than
// every one of them (no Redo then).
struct UndoStack {
  std::vector<std::string> states;
  size_t cursor = 0;
  // What the newest push replaced, so that a change which changed nothing can be taken back.
  std::vector<std::string> dropped;

  bool atTip() const { return cursor >= states.size(); }
  // The snapshot taken before a change: the redo steps go, and so does the state the snapshot was
  // taken of (it is that state again, now with the change that leaves it).
  void push(const std::string& id);
  // Takes the newest push back, redo steps and all.
  void pop();
  bool operator==(const UndoStack&) const = default;
};

// The stack as saved, with the snapshots pruned since left out; without a file, every snapshot in
// order, the profile newer than all of them.
UndoStack loadStack(const std::filesystem::path& profileDir);
void saveStack(const std::filesystem::path& profileDir, const UndoStack& stack);

// A restore's stack waits beside its journal and takes its place once every file is in place, so
// the cursor moves with the files or not at all.
void savePendingStack(const std::filesystem::path& profileDir, const UndoStack& stack);
// Puts a waiting stack in place (after a restore finished), or drops it (when none was begun).
void settlePendingStack(const std::filesystem::path& profileDir, bool restored);

std::string encodeStack(const UndoStack& stack);
UndoStack decodeStack(std::string_view text);  // throws when the text is no stack
}  // namespace History
