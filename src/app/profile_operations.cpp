// Creating, renaming, duplicating and deleting profiles.
#include "app/app_state.hpp"
#include "app/describe.hpp"
#include "app/text.hpp"
#include "foundation/fs.hpp"
#include "profiles/profile_store.hpp"

bool AppState::nameIsTaken(const QString& name) const { return book_->nameIsTaken(name); }

QString AppState::uniqueName(const QString& base) const { return book_->uniqueName(base); }

void AppState::addAndSelect(const std::function<Profile()>& make, std::optional<DetailTab> tab) {
  Profile made;
  try {
    made = make();
  } catch (...) {
    activity_->setErrorMessage(describe(std::current_exception()));
    return;
  }
  QString id = qs(made.id);
  appendProfile(std::move(made));
  switchProfile(id, tab);
}

void AppState::newProfile(const QString& name) {
  const QString unique = uniqueName(name.isEmpty() ? tr("New Profile") : name);
  // A new profile starts in the catalogue.
  addAndSelect([&] { return ProfileStore::create(ss(unique)); }, DetailTab::Browse);
}

void AppState::rename(const ProfileItem& profile, const QString& to) {
  const Profile* found = current(profile.profile.id);
  const QString name = trimSpacesAndTabs(to);
  if (!found || name.isEmpty()) return;
  // A change running now writes the record it read before the new name.
  if (QString why = changes_->queue()->refusal(found->id); !why.isEmpty()) {
    activity_->setErrorMessage(why);
    return;
  }
  Profile p = *found;
  p.name = ss(name);
  writeBack(p);
}

void AppState::duplicate(const ProfileItem& profile) {
  const QString name = uniqueName(tr("%1 copy").arg(qs(profile.profile.name)));
  addAndSelect([&] { return ProfileStore::duplicate(profile.profile, ss(name)); });
}

void AppState::deleteProfile(const ProfileItem& profile) {
  const std::string id = profile.profile.id;
  if (QString why = changes_->refusal(id); !why.isEmpty()) {
    activity_->setErrorMessage(why);
    return;
  }
  // Its settings go with it, as the confirmation says: nothing open may be saved into its folder.
  if (book_->isSelected(id)) config_->setFolder({});
  book_->flush();  // a save still running would bring the folder back
  ProfileStore::deleteProfile(profile.profile);
  const bool wasSelected = book_->isSelected(id);
  book_->removeAll(id);
  statuses_->forget(id);
  ensureAProfile();
  if (wasSelected) setSelectedID(profiles().empty() ? QString() : qs(profiles().front().id));
  selection_->refresh();
}

void AppState::openProfileFolder() {
  const Profile* p = selected();
  if (!p) return;
  const auto plugins = p->bepinex() / "plugins";
  workspace_->openFolder(FS::isDirectory(plugins) ? plugins : p->dir());
}

void AppState::selectNext(int step) {
  const int to = selection_->index() + step;
  if (to >= 0 && to < int(profiles().size())) switchProfile(qs(profiles()[size_t(to)].id), std::nullopt);
}
