#include "app/profile_book.hpp"

#include "app/describe.hpp"
#include "app/values.hpp"
#include "foundation/log.hpp"
#include "profiles/profile_store.hpp"

ProfileBook::ProfileBook(std::function<int(const Profile&)> updateCount, QObject* parent)
    : QObject(parent), model_(new ProfileListModel(std::move(updateCount), this)) {}

const Profile* ProfileBook::find(const std::string& id) const {
  for (const Profile& p : all())
    if (p.id == id) return &p;
  return nullptr;
}

const Profile* ProfileBook::selected() const {
  return selectedID_.isEmpty() ? nullptr : find(ss(selectedID_));
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
  try {
    ProfileStore::save(profile);
  } catch (...) {
    Log::write("save failed: " + ss(describe(std::current_exception())));
  }
  emit written();
}
