#include "app/history_texts.hpp"

#include <QStringList>
#include <QVariantMap>

#include "app/text.hpp"
#include "app/values.hpp"
#include "foundation/loader_pack.hpp"

namespace HistoryTexts {
namespace {
// The pack is shown under the name players know it by, not its catalogue name.
const QString packName = QStringLiteral("BepInExPack");

QString versioned(const ProfileMod& mod) { return qs(mod.displayName()) + ' ' + qs(mod.version); }

QString setting(const History::SettingChange& change) {
  const QString notSet = QStringLiteral("not set");
  return QStringLiteral("[%1] %2: %3 → %4")
      .arg(qs(change.section), qs(change.key), change.before ? qs(*change.before) : notSet,
           change.after ? qs(*change.after) : notSet);
}

QVariantMap line(const QString& section, const QString& text, const QStringList& settings = {}) {
  return {{QStringLiteral("section"), section},
          {QStringLiteral("text"), text},
          {QStringLiteral("settings"), settings}};
}
}  // namespace

QVariantList changeLines(const History::ProfileDiff& diff) {
  const QString mods = QStringLiteral("Mods");
  QVariantList out;
  if (const auto& pack = diff.pack) {
    if (!pack->before)
      out.append(line(mods, QStringLiteral("Added %1 %2").arg(packName, qs(*pack->after))));
    else if (!pack->after)
      out.append(line(mods, QStringLiteral("Removed %1 %2").arg(packName, qs(*pack->before))));
    else
      out.append(line(mods, QStringLiteral("%1 %2 → %3").arg(packName, qs(*pack->before), qs(*pack->after))));
  }
  for (const History::ModChange& change : diff.mods) {
    if (change.added()) {
      out.append(line(mods, QStringLiteral("Added ") + versioned(*change.after)));
      continue;
    }
    if (change.removed()) {
      out.append(line(mods, QStringLiteral("Removed ") + versioned(*change.before)));
      continue;
    }
    const QString name = qs(change.after->displayName());
    if (change.versionChanged())
      out.append(line(
          mods,
          QStringLiteral("%1 %2 → %3").arg(name, qs(change.before->version), qs(change.after->version))));
    if (change.enabledChanged())
      out.append(line(
          mods,
          (change.after->enabled ? QStringLiteral("Turned on ") : QStringLiteral("Turned off ")) + name));
  }
  for (const History::ConfigFileChange& file : diff.configFiles) {
    const QString path = qs(file.path);
    const QString section = QStringLiteral("Config Files");
    if (file.kind == History::ConfigFileChange::Kind::added) {
      out.append(line(section, QStringLiteral("Added ") + path));
    } else if (file.kind == History::ConfigFileChange::Kind::removed) {
      out.append(line(section, QStringLiteral("Removed ") + path));
    } else {
      QStringList settings;
      for (const History::SettingChange& change : file.settings) settings.append(setting(change));
      out.append(line(section, path, settings));
    }
  }
  return out;
}

QString missingSentence(const std::vector<ProfileMod>& missing) {
  if (missing.empty()) return {};
  QStringList names;
  for (const ProfileMod& mod : missing)
    names.append(mod.id() == LoaderPack::id ? packName + ' ' + qs(mod.version) : versioned(mod));
  return QStringLiteral("%1 %2 no longer on Thunderstore, so this snapshot can’t be restored.")
      .arg(joinNames(names), names.size() == 1 ? QStringLiteral("is") : QStringLiteral("are"));
}
}  // namespace HistoryTexts
