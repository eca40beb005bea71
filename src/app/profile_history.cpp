#include "app/profile_history.hpp"

#include "app/activity.hpp"
#include "app/background.hpp"
#include "app/game_state.hpp"
#include "app/history_texts.hpp"
#include "app/values.hpp"
#include "foundation/log.hpp"

ProfileHistory::ProfileHistory(Activity* activity, GameState* game,
                               std::function<std::filesystem::path()> profileDir, Obtainable obtainable,
                               QObject* parent)
    : QObject(parent),
      activity_(activity),
      game_(game),
      profileDir_(std::move(profileDir)),
      obtainable_(std::move(obtainable)),
      entries_(new HistoryListModel(this)) {
  // The flags follow the operation and the game.
  connect(activity_, &Activity::busyChanged, this, &ProfileHistory::selectionChanged);
  connect(activity_, &Activity::busyChanged, this, &ProfileHistory::undoChanged);
  connect(game_, &GameState::runningChanged, this, &ProfileHistory::selectionChanged);
}

bool ProfileHistory::canRestore() const {
  const History::SnapshotInfo* row = entries_->find(ss(selectedID_));
  return row && !row->damaged && selectionLoaded_ && missing_.isEmpty() && activity_->idle() &&
         !game_->running();
}

QString ProfileHistory::undoText() const {
  return newest_ && !newest_->undo.empty() ? QStringLiteral("Undo ") + qs(newest_->undo)
                                           : QStringLiteral("Undo");
}

bool ProfileHistory::canUndo() const { return newest_ && !newest_->damaged && activity_->idle(); }

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
  const std::filesystem::path dir = profileDir_();
  if (!dir.empty()) {
    refreshTask(dir, listed_);
    return;
  }
  ++listGeneration_;
  setLoading(false);
  newest_.reset();
  emit undoChanged();
  entries_->setRows({});
  clearSelection();
}

void ProfileHistory::setSelectedID(const QString& id) {
  if (id == selectedID_) return;
  clearSelection();
  selectedID_ = id;
  emit selectionChanged();
  const std::filesystem::path dir = profileDir_();
  if (!id.isEmpty() && !dir.empty()) selectTask(dir, ss(id));
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
  std::optional<History::SnapshotInfo> newest;
  std::optional<std::vector<History::SnapshotInfo>> rows;  // only when the sheet lists them
};
}  // namespace

QCoro::Task<> ProfileHistory::refreshTask(std::filesystem::path dir, bool listed) {
  const unsigned generation = ++listGeneration_;
  setLoading(true);
  Listing listing;
  try {
    auto job = background(this, [dir, listed] {
      Listing read;
      if (listed) {
        read.rows = History::list(dir);
        if (!read.rows->empty()) read.newest = read.rows->front();
      } else {
        read.newest = History::newest(dir);
      }
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
  newest_ = std::move(listing.newest);
  emit undoChanged();
  if (!listing.rows) co_return;
  entries_->setRows(std::move(*listing.rows));
  // The selected snapshot's diff is against the state now, which the change has moved.
  if (!entries_->find(ss(selectedID_))) {
    if (!selectedID_.isEmpty()) clearSelection();
    co_return;
  }
  ++selectGeneration_;
  selectTask(dir, ss(selectedID_));
}

namespace {
struct Selection {
  History::ProfileDiff diff;
  std::optional<Profile> restored;  // none for a damaged snapshot
};
}  // namespace

QCoro::Task<> ProfileHistory::selectTask(std::filesystem::path dir, std::string id) {
  const unsigned generation = selectGeneration_;
  Selection selection;
  try {
    auto job = background(this, [dir, id] {
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
