#include "app/profile_history.hpp"

#include "app/activity.hpp"
#include "app/background.hpp"
#include "app/game_state.hpp"
#include "app/history_texts.hpp"
#include "app/profile_queue.hpp"
#include "app/values.hpp"
#include "foundation/log.hpp"

ProfileHistory::ProfileHistory(Activity* activity, GameState* game, ProfileQueue* queue,
                               std::function<const Profile*()> selected, std::function<bool()> canChange,
                               Obtainable obtainable, QObject* parent)
    : QObject(parent),
      game_(game),
      queue_(queue),
      selected_(std::move(selected)),
      canChange_(std::move(canChange)),
      obtainable_(std::move(obtainable)),
      entries_(new HistoryListModel(this)) {
  // The flags follow the operation, the profile's changes and the game.
  for (auto changed : {&ProfileHistory::selectionChanged, &ProfileHistory::undoChanged}) {
    connect(activity, &Activity::idleChanged, this, changed);
    connect(queue_, &ProfileQueue::changingChanged, this, changed);
    connect(game_, &GameState::runningChanged, this, changed);
  }
}

bool ProfileHistory::canRestore() const {
  const History::SnapshotInfo* row = entries_->find(ss(selectedID_));
  return row && !row->damaged && !row->now && selectionLoaded_ && missing_.isEmpty() && canChange_() &&
         !game_->running();
}

QString ProfileHistory::restoreMessage() const {
  const History::SnapshotInfo* row = entries_->find(ss(selectedID_));
  return row ? HistoryTexts::restoreMessage(*row) : QString();
}

QString ProfileHistory::undoText() const { return HistoryTexts::stepCommand(true, steps_.undo); }
QString ProfileHistory::redoText() const { return HistoryTexts::stepCommand(false, steps_.redo); }

bool ProfileHistory::canUndo() const {
  return steps_.undo && !steps_.undo->damaged && canChange_() && !game_->running();
}

bool ProfileHistory::canRedo() const {
  return steps_.redo && !steps_.redo->damaged && canChange_() && !game_->running();
}

void ProfileHistory::setListed(bool listed) {
  listed_ = listed;
  if (listed) refresh();
}

void ProfileHistory::profileChanged() {
  clearSelection();
  entries_->setRows({});
  refresh();
}

void ProfileHistory::refresh() {
  if (const Profile* p = selected_()) {
    refreshTask(p->id, p->dir(), listed_);
    return;
  }
  ++listGeneration_;
  setLoading(false);
  steps_ = {};
  emit undoChanged();
  entries_->setRows({});
  clearSelection();
}

void ProfileHistory::setSelectedID(const QString& id) {
  if (id == selectedID_) return;
  clearSelection();
  selectedID_ = id;
  emit selectionChanged();
  const Profile* p = selected_();
  if (!id.isEmpty() && p) selectTask(p->id, p->dir(), ss(id));
}

void ProfileHistory::clearSelection() {
  ++selectGeneration_;
  selectedID_.clear();
  selectionLoaded_ = false;
  changes_.clear();
  missing_.clear();
  emit selectionChanged();
}

void ProfileHistory::setLoading(bool on) {
  if (on == loading_) return;
  loading_ = on;
  emit loadingChanged();
}

namespace {
struct Listing {
  History::Steps steps;
  std::optional<std::vector<History::SnapshotInfo>> rows;  // only when the sheet lists them
};

// Runs `read` on a worker as a read of the profile's queue, after the changes before it.
template <typename R, typename F>
QCoro::Task<R> queuedRead(ProfileQueue* queue, QObject* owner, std::string profileID, F read) {
  auto result = std::make_shared<R>();
  auto job = queue->read(profileID, [owner, read, result]() -> QCoro::Task<> {
    return [](QObject* o, F r, std::shared_ptr<R> out) -> QCoro::Task<> {
      auto reading = background(o, r);
      *out = co_await reading;
    }(owner, read, result);
  });
  co_await job;
  co_return std::move(*result);
}
}  // namespace

QCoro::Task<> ProfileHistory::refreshTask(std::string profileID, std::filesystem::path dir, bool listed) {
  const unsigned generation = ++listGeneration_;
  setLoading(true);
  Listing listing;
  try {
    auto job = queuedRead<Listing>(queue_, this, profileID, [dir, listed] {
      Listing read;
      read.steps = History::steps(dir);
      if (listed) read.rows = History::list(dir);
      return read;
    });
    listing = co_await job;
  } catch (const Abandoned&) {
    co_return;
  } catch (const std::exception& e) {
    Log::write(std::string("history: couldn't list the snapshots: ") + e.what());
  }
  if (generation != listGeneration_) co_return;
  setLoading(false);
  steps_ = std::move(listing.steps);
  emit undoChanged();
  if (!listing.rows) co_return;
  entries_->setRows(std::move(*listing.rows));
  // The selected snapshot's diff is against the state now, which the change has moved.
  if (!entries_->find(ss(selectedID_))) {
    if (!selectedID_.isEmpty()) clearSelection();
    co_return;
  }
  ++selectGeneration_;
  selectTask(profileID, dir, ss(selectedID_));
}

namespace {
struct Selection {
  History::ProfileDiff diff;
  std::optional<Profile> restored;  // none for a damaged snapshot
};
}  // namespace

QCoro::Task<> ProfileHistory::selectTask(std::string profileID, std::filesystem::path dir, std::string id) {
  const unsigned generation = selectGeneration_;
  Selection selection;
  try {
    auto job = queuedRead<Selection>(queue_, this, profileID, [dir, id] {
      Selection read;
      try {
        read.diff = History::diff(dir, id);
        read.restored = History::restoredRecord(dir, id);
      } catch (const std::exception& e) {
        Log::write("history: couldn't read snapshot " + id + ": " + e.what());
      }
      return read;
    });
    selection = co_await job;
  } catch (const Abandoned&) {
    co_return;
  }
  if (generation != selectGeneration_) co_return;
  changes_ = HistoryTexts::changeLines(selection.diff);
  if (selection.restored)
    missing_ = HistoryTexts::missingSentence(History::missingVersions(*selection.restored, obtainable_));
  selectionLoaded_ = selection.restored.has_value();
  emit selectionChanged();
}
