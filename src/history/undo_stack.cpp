#include "history/undo_stack.hpp"

#include <algorithm>
#include <optional>
#include <set>
#include <stdexcept>

#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/text.hpp"
#include "history/fault_point.hpp"
#include "history/snapshot_record.hpp"

namespace fs = std::filesystem;

namespace History {
namespace {
fs::path stackFile(const fs::path& profileDir) { return HistoryLayout::root(profileDir) / "undo.stack"; }
fs::path pendingFile(const fs::path& profileDir) {
  return HistoryLayout::root(profileDir) / "undo.stack.next";
}
}  // namespace

void UndoStack::push(const std::string& id) {
  const auto from = states.begin() + ptrdiff_t(std::min(cursor, states.size()));
  dropped.assign(from, states.end());
  states.erase(from, states.end());
  states.push_back(id);
  cursor = states.size();
}

void UndoStack::pop() {
  if (states.empty()) return;
  states.pop_back();
  cursor = states.size();
  if (!dropped.empty()) states.insert(states.end(), dropped.begin(), dropped.end());
  if (dropped.empty()) cursor = states.size();
  dropped.clear();
}

// A few lines, like a snapshot record:
//   stack 1
//   cursor 2
//   state 4            (one per state, oldest first)
//   dropped 3          (one per dropped state)
//   end
std::string encodeStack(const UndoStack& stack) {
  std::string out = "stack 1\ncursor " + std::to_string(stack.cursor) + "\n";
  for (const auto& id : stack.states) out += "state " + id + "\n";
  for (const auto& id : stack.dropped) out += "dropped " + id + "\n";
  return out + "end\n";
}

UndoStack decodeStack(std::string_view text) {
  auto bad = [] { return std::runtime_error("undo stack: unreadable"); };
  UndoStack stack;
  std::optional<int64_t> cursor;
  bool ended = false;
  for (size_t start = 0, line = 0; start < text.size(); ++line) {
    const size_t end = text.find('\n', start);
    if (end == std::string_view::npos || ended) throw bad();
    const std::string_view row = text.substr(start, end - start);
    start = end + 1;
    const size_t space = row.find(' ');
    const std::string_view key = row.substr(0, space);
    const std::string value(space == std::string_view::npos ? "" : row.substr(space + 1));
    if (line == 0 && row != "stack 1") throw bad();
    if (key == "cursor") cursor = Text::parseInt64(value);
    if (key == "state") stack.states.push_back(value);
    if (key == "dropped") stack.dropped.push_back(value);
    ended = row == "end";
  }
  if (!ended || !cursor || *cursor < 0 || size_t(*cursor) > stack.states.size()) throw bad();
  stack.cursor = size_t(*cursor);
  return stack;
}

UndoStack loadStack(const fs::path& profileDir) {
  const std::vector<std::string> ids = HistoryLayout::ids(profileDir);
  UndoStack saved{ids, ids.size(), {}};
  if (FS::exists(stackFile(profileDir))) {
    try {
      saved = decodeStack(FS::readFile(stackFile(profileDir)));
    } catch (const std::exception& e) {
      Log::write(std::string("history: ") + e.what() + " in " + profileDir.filename().string());
    }
  }
  // Pruning takes the oldest states; when it took the profile's own, the profile is past the
  // ones before it, and what came after it is no longer a step from here.
  const std::set<std::string> present(ids.begin(), ids.end());
  UndoStack stack;
  for (size_t i = 0; i < saved.states.size(); ++i) {
    if (i == saved.cursor) stack.cursor = stack.states.size();
    if (present.count(saved.states[i])) {
      stack.states.push_back(saved.states[i]);
    } else if (i == saved.cursor) {
      saved.cursor = saved.states.size();
      break;
    }
  }
  if (saved.atTip()) stack.cursor = stack.states.size();
  for (const auto& id : saved.dropped)
    if (present.count(id)) stack.dropped.push_back(id);
  return stack;
}

void saveStack(const fs::path& profileDir, const UndoStack& stack) {
  FS::mkdir(HistoryLayout::root(profileDir));
  writeReplacing(stackFile(profileDir), encodeStack(stack));
  FaultPoint::reach();
}

void savePendingStack(const fs::path& profileDir, const UndoStack& stack) {
  writeReplacing(pendingFile(profileDir), encodeStack(stack));
  FaultPoint::reach();
}

void settlePendingStack(const fs::path& profileDir, bool restored) {
  const fs::path pending = pendingFile(profileDir);
  if (!FS::exists(pending)) return;
  if (restored)
    fs::rename(pending, stackFile(profileDir));
  else
    FS::remove(pending);
  FaultPoint::reach();
}
}  // namespace History
