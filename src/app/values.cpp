#include "app/values.hpp"

#include <QTimeZone>

#include <algorithm>

namespace {
QStringList list(const std::vector<std::string>& texts) {
  QStringList out;
  out.reserve(qsizetype(texts.size()));
  for (const auto& t : texts) out.append(qs(t));
  return out;
}
}  // namespace

QDateTime qdate(Date d) {
  return QDateTime::fromMSecsSinceEpoch(
      std::chrono::duration_cast<std::chrono::milliseconds>(d.time_since_epoch()).count(), QTimeZone::utc());
}

QStringList PackageItem::categories() const { return list(pkg.categories); }
QStringList PackageItem::versions() const { return list(pkg.versions); }
QStringList PackageItem::dependencies() const { return list(pkg.dependencies); }

int explicitModCount(const Profile& profile) {
  return int(std::count_if(profile.mods.begin(), profile.mods.end(),
                           [](const ProfileMod& m) { return m.isExplicit; }));
}

int ProfileItem::modCount() const { return explicitModCount(profile); }
int ProfileItem::dependencyCount() const { return int(profile.mods.size()) - modCount(); }
