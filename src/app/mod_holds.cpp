// Versions the player holds mods at: kept per profile beside its record.
#include "app/app_state.hpp"
#include "app/describe.hpp"
#include "foundation/log.hpp"
#include "foundation/package_id.hpp"
#include "profiles/profile_store.hpp"

std::optional<std::string> AppState::heldVersion(const Profile& profile, const std::string& key) const {
  const auto holds = holds_.find(profile.id);
  if (holds == holds_.end()) return std::nullopt;
  const auto held = holds->second.find(key);
  return held == holds->second.end() ? std::nullopt : std::optional(held->second);
}

int AppState::heldUpdateCount(const Profile& profile) const {
  int n = 0;
  for (const ProfileMod& m : profile.mods) {
    const auto held = heldVersion(profile, m.id());
    const TSPackage* pkg = held ? catalogued(m.ns, m.name, profile) : nullptr;
    n += pkg && Version::newer(pkg->latest, *held);
  }
  return n;
}

QString AppState::heldAt(const QString& fullName) const {
  const Profile* p = selected();
  return p ? qs(heldVersion(*p, ss(fullName)).value_or("")) : QString();
}

void AppState::loadHolds(const Profile& profile) { holds_[profile.id] = ProfileStore::loadHolds(profile); }

void AppState::setHolds(const Profile& profile, HeldVersions holds) {
  try {
    ProfileStore::saveHolds(profile, holds);
  } catch (...) {
    activity_->setErrorMessage(describe(std::current_exception()));
    return;
  }
  holds_[profile.id] = std::move(holds);
  profiles_->refreshCounts();
  refreshDerived();
}

void AppState::hold(const ModItem& item) {
  const Profile* sel = selected();
  const ProfileMod* mod = sel ? sel->find(item.mod.id()) : nullptr;
  if (!mod) return;
  HeldVersions holds = holds_[sel->id];
  holds[mod->id()] = mod->installed.value_or(mod->version);
  setHolds(*sel, std::move(holds));
}

void AppState::releaseHold(const ModItem& item) {
  const Profile* sel = selected();
  if (!sel) return;
  HeldVersions holds = holds_[sel->id];
  if (holds.erase(item.mod.id()) == 0) return;
  setHolds(*sel, std::move(holds));
}
