// Versions the player holds mods at: kept per profile beside its record.
#include "app/app_state.hpp"
#include "app/describe.hpp"
#include "foundation/log.hpp"
#include "profiles/profile_store.hpp"

std::optional<std::string> AppState::heldVersion(const Profile& profile, const std::string& key) const {
  const auto holds = holds_.find(profile.id);
  if (holds == holds_.end()) return std::nullopt;
  const auto held = holds->second.find(key);
  return held == holds->second.end() ? std::nullopt : std::optional(held->second);
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
