#include "app/profile_book.hpp"

#include <QCoroSignal>

#include <algorithm>
#include <utility>

#include "app/background.hpp"
#include "app/describe.hpp"
#include "app/text.hpp"
#include "app/values.hpp"
#include "foundation/log.hpp"
#include "profiles/profile_store.hpp"

ProfileBook::ProfileBook(ProfileListModel::UpdateCount updateCount, QObject* parent)
    : QObject(parent), model_(new ProfileListModel(std::move(updateCount), this)) {
  saver_.setMaxThreadCount(1);
}

namespace {
void saveLogged(const Profile& profile) {
  try {
    ProfileStore::save(profile);
  } catch (...) {
    Log::write("save failed: " + ss(describe(std::current_exception())));
  }
}
}  // namespace

ProfileBook::~ProfileBook() { flush(); }  // quitting loses nothing

void ProfileBook::flush() {
  // What the worker holds ends there; what it was not handed yet is saved here.
  saver_.waitForDone();
  for (const auto& [id, profile] : std::exchange(unsaved_, {})) saveLogged(profile);
}

const Profile* ProfileBook::find(const std::string& id) const {
  for (const Profile& p : all())
    if (p.id == id) return &p;
  return nullptr;
}

const Profile* ProfileBook::selected() const {
  return selectedID_.isEmpty() ? nullptr : find(ss(selectedID_));
}

bool ProfileBook::nameIsTaken(const QString& name) const {
  const QString wanted = trimSpacesAndTabs(name);
  return std::any_of(all().begin(), all().end(),
                     [&](const Profile& p) { return qs(p.name).compare(wanted, Qt::CaseInsensitive) == 0; });
}

QString ProfileBook::uniqueName(const QString& base) const {
  auto taken = [&](const QString& name) {
    return std::any_of(all().begin(), all().end(),
                       [&](const Profile& p) { return qs(p.name).compare(name, Qt::CaseInsensitive) == 0; });
  };
  QString name = base;
  for (int n = 2; taken(name); ++n) name = base + ' ' + QString::number(n);
  return name;
}

bool ProfileBook::select(const QString& id) {
  if (id == selectedID_) return false;
  selectedID_ = id;
  emit selectedChanged();
  return true;
}

void ProfileBook::reset(std::vector<Profile> profiles) {
  model_->reset(std::move(profiles));
  emit listChanged();
}

void ProfileBook::append(Profile profile) {
  model_->append(std::move(profile));
  emit listChanged();
}

void ProfileBook::removeAll(const std::string& id) {
  model_->removeAll(id);
  emit listChanged();
}

void ProfileBook::writeBack(const Profile& profile) {
  if (model_->replace(profile)) emit listChanged();
  unsaved_[profile.id] = profile;
  if (!saving_) saveQueued();
  emit written();
}

// Saves the queued records a batch at a time until none is left; the GUI thread never waits on the disk.
QCoro::Task<> ProfileBook::saveQueued() {
  saving_ = true;
  while (!unsaved_.empty()) {
    auto saving = background(
        this,
        [batch = std::exchange(unsaved_, {})] {
          for (const auto& [id, profile] : batch) saveLogged(profile);
        },
        &saver_);
    try {
      co_await saving;
    } catch (const Abandoned&) {
      co_return;  // the book is gone: its destructor saved the rest
    }
  }
  saving_ = false;
  emit allSaved();
}

QCoro::Task<> ProfileBook::saved() {
  if (saving_) co_await qCoro(this, &ProfileBook::allSaved);
}
