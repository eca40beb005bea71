#pragma once

// The records AppState hands to QML, as value types (Q_GADGET) wrapping the core records.
// Optional texts read as empty strings when absent; optional records travel in a QVariant
// that is null when absent.

#include <QDateTime>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <filesystem>
#include <optional>
#include <string>

#include "catalogue/package.hpp"
#include "catalogue/thunderstore.hpp"
#include "installer/plan.hpp"
#include "profiles/profile.hpp"

// Conversions between the core's UTF-8 texts and Qt's.
inline QString qs(const std::string& s) { return QString::fromStdString(s); }
inline QString qs(const std::optional<std::string>& s) { return s ? qs(*s) : QString(); }
inline std::string ss(const QString& s) { return s.toStdString(); }
inline std::optional<std::string> optional(const QString& s) {
  return s.isEmpty() ? std::nullopt : std::optional<std::string>(ss(s));
}
inline QString qpath(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }
QDateTime qdate(Date d);
// The number of a profile's mods the user added (explicit ones).
int explicitModCount(const Profile& profile);

// The enumerations the views read, by name (QML reads only capitalised keys). A mod's ModStatus
// comes with the rules that decide it.
namespace AppEnums {
Q_NAMESPACE
// The main pane's tabs, in picker order.
enum class DetailTab { Installed, Browse };
Q_ENUM_NS(DetailTab)
}  // namespace AppEnums
using AppEnums::DetailTab;

struct PackageItem {
  Q_GADGET
  Q_PROPERTY(QString fullName READ fullName)
  Q_PROPERTY(QString owner READ owner)
  Q_PROPERTY(QString name READ name)
  Q_PROPERTY(QString displayName READ displayName)
  Q_PROPERTY(QString pageURL READ pageURL)
  Q_PROPERTY(QDateTime updated READ updated)
  Q_PROPERTY(qint64 rating READ rating)
  Q_PROPERTY(bool deprecated READ deprecated)
  Q_PROPERTY(bool nsfw READ nsfw)
  Q_PROPERTY(QStringList categories READ categories)
  Q_PROPERTY(QString description READ description)
  Q_PROPERTY(QString icon READ icon)
  Q_PROPERTY(QString latest READ latest)
  Q_PROPERTY(qint64 downloads READ downloads)
  Q_PROPERTY(QStringList versions READ versions)
  Q_PROPERTY(QStringList dependencies READ dependencies)

 public:
  TSPackage pkg;

  PackageItem() = default;
  PackageItem(TSPackage p) : pkg(std::move(p)) {}  // NOLINT: implicit on purpose
  QString fullName() const { return qs(pkg.fullName); }
  QString owner() const { return qs(pkg.owner); }
  QString name() const { return qs(pkg.name); }
  QString displayName() const { return qs(pkg.displayName()); }
  QString pageURL() const { return qs(pkg.pageURL); }
  QDateTime updated() const { return qdate(pkg.updated); }
  qint64 rating() const { return pkg.rating; }
  bool deprecated() const { return pkg.deprecated; }
  bool nsfw() const { return pkg.nsfw; }
  QStringList categories() const;
  QString description() const { return qs(pkg.description); }
  QString icon() const { return qs(pkg.icon); }
  QString latest() const { return qs(pkg.latest); }
  qint64 downloads() const { return pkg.downloads; }
  QStringList versions() const;
  QStringList dependencies() const;
  bool operator==(const PackageItem&) const = default;
};

struct ModItem {
  Q_GADGET
  Q_PROPERTY(QString id READ id)
  Q_PROPERTY(QString ns READ ns)
  Q_PROPERTY(QString name READ name)
  Q_PROPERTY(QString displayName READ displayName)
  Q_PROPERTY(QString version READ version)
  Q_PROPERTY(QString installed READ installed)
  Q_PROPERTY(bool enabled READ enabled)
  Q_PROPERTY(bool isExplicit READ isExplicit)

 public:
  ProfileMod mod;

  ModItem() = default;
  ModItem(ProfileMod m) : mod(std::move(m)) {}  // NOLINT: implicit on purpose
  QString id() const { return qs(mod.id()); }
  QString ns() const { return qs(mod.ns); }
  QString name() const { return qs(mod.name); }
  QString displayName() const { return qs(mod.displayName()); }
  QString version() const { return qs(mod.version); }
  QString installed() const { return qs(mod.installed); }
  bool enabled() const { return mod.enabled; }
  bool isExplicit() const { return mod.isExplicit; }
  bool operator==(const ModItem&) const = default;
};

struct ProfileItem {
  Q_GADGET
  Q_PROPERTY(QString id READ id)
  Q_PROPERTY(QString name READ name)
  Q_PROPERTY(QDateTime created READ created)
  Q_PROPERTY(QString packVersion READ packVersion)
  Q_PROPERTY(QString packInstalled READ packInstalled)
  Q_PROPERTY(int modCount READ modCount)
  Q_PROPERTY(int dependencyCount READ dependencyCount)
  Q_PROPERTY(QString dir READ dir)

 public:
  Profile profile;

  ProfileItem() = default;
  ProfileItem(Profile p) : profile(std::move(p)) {}  // NOLINT: implicit on purpose
  QString id() const { return qs(profile.id); }
  QString name() const { return qs(profile.name); }
  QDateTime created() const { return qdate(profile.created); }
  QString packVersion() const { return qs(profile.packVersion); }
  QString packInstalled() const { return qs(profile.packInstalled); }
  int modCount() const;  // explicit mods
  int dependencyCount() const;  // mods added for others
  QString dir() const { return qpath(profile.dir()); }
  bool operator==(const ProfileItem&) const = default;
};

// The last profile code made; a new code is a new value, so the share sheet opens afresh.
struct SharedCode {
  Q_GADGET
  Q_PROPERTY(QString id MEMBER id)
  Q_PROPERTY(QString profileName MEMBER profileName)

 public:
  QString id, profileName;
  bool operator==(const SharedCode&) const = default;
};

struct AppUpdateItem {
  Q_GADGET
  Q_PROPERTY(QString version READ version)
  Q_PROPERTY(QString page READ page)
  Q_PROPERTY(QString notes READ notes)

 public:
  AppUpdate update;

  QString version() const { return qs(update.version); }
  QString page() const { return qs(update.page); }
  QString notes() const { return qs(update.notes); }
  bool operator==(const AppUpdateItem&) const = default;
};

// Where an imported profile code goes: a new profile (empty name: the code's own) or an existing one.
struct ImportTarget {
  enum class Kind { newProfile, replace };
  Kind kind = Kind::newProfile;
  QString value;  // the new profile's name, or the id of the profile to replace

  static ImportTarget newProfile(QString name) { return {Kind::newProfile, std::move(name)}; }
  static ImportTarget replace(QString profileID) { return {Kind::replace, std::move(profileID)}; }
};

// Where the bytes of an imported profile archive came from, for the log and the messages.
struct ImportSource {
  std::string name;  // "code " + the code, or "file " + its path
  bool file = false;  // a profile file rather than a code
};

// Reads an optional record out of a QVariant: absent when null or of another type.
template <typename T>
std::optional<T> fromVariant(const QVariant& v) {
  if (!v.isValid() || v.isNull() || v.metaType() != QMetaType::fromType<T>()) return std::nullopt;
  return v.value<T>();
}
template <typename T>
QVariant toVariant(const std::optional<T>& v) {
  return v ? QVariant::fromValue(*v) : QVariant();
}
