#pragma once

#include <QObject>

#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "catalogue/package.hpp"
#include "installer/plan.hpp"
#include "profiles/holds.hpp"
#include "profiles/profile.hpp"

class CatalogueState;
namespace Installer {
class ProfileFiles;
}

// How the profiles' mods and loader packs stand against the catalogue, and the versions the
// player holds mods at (kept per profile beside its record).
class ModStatuses : public QObject {
  Q_OBJECT

 public:
  explicit ModStatuses(CatalogueState* catalogue, QObject* parent = nullptr);

  // `files` is what the profile's folders hold, read once for all the mods a caller looks at.
  ModStatus status(const ProfileMod& mod, const Profile& profile, const Installer::ProfileFiles& files) const;
  // The catalogue's entry for a mod of the profile; null for a mod installed from a file.
  const TSPackage* catalogued(const std::string& ns, const std::string& name, const Profile& profile) const;
  ModStatus packStatus(const Profile& profile) const;
  // Mods with an update the catalogue has, held ones left out.
  int updateCount(const Profile& profile) const;
  // What the mod's stored manifest says it needs, read again only when its installed version changes.
  std::vector<DependencyRef> needs(const ProfileMod& mod, const Profile& profile);
  // Whether a sync could install the mod's version: from the download cache, the profile's own
  // archive of a mod from a file, or the catalogue (taken on trust while its index is unknown).
  bool obtainable(const Profile& profile, const std::string& key, const std::string& version) const;

  // The version the profile holds the mod at, or none.
  std::optional<std::string> heldVersion(const Profile& profile, const std::string& key) const;
  // Held mods the catalogue has a newer version of.
  int heldUpdateCount(const Profile& profile) const;
  HeldVersions holds(const std::string& profileID) const;
  void loadHolds(const Profile& profile);
  // Saves the profile's holds and keeps them; a failed save throws and keeps the old ones.
  void setHolds(const Profile& profile, HeldVersions holds);
  void forget(const std::string& profileID);

 signals:
  void holdsChanged();

 private:
  CatalogueState* catalogue_;
  std::unordered_map<std::string, HeldVersions> holds_;  // by profile id
  struct Manifest {
    std::optional<std::string> installed;  // the version it was read for
    std::vector<DependencyRef> needs;
  };
  std::map<std::pair<std::string, std::string>, Manifest> manifests_;  // by profile id and mod key
};
