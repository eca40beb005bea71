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

namespace {
// "Removed ValheimPlus" reads on after "you" as "removed ValheimPlus".
QString lowerFirst(QString text) {
  if (!text.isEmpty() && text.at(0).isUpper() && (text.size() < 2 || !text.at(1).isUpper()))
    text[0] = text.at(0).toLower();
  return text;
}
}  // namespace

QString stateText(const History::SnapshotInfo& info) {
  return (info.after ? QStringLiteral("After you ") : QStringLiteral("Before you ")) +
         lowerFirst(qs(info.description));
}

QString restoreMessage(const History::SnapshotInfo& info) {
  return QStringLiteral(
             "The profile goes back to how it was %1. A snapshot of how it is now is kept first, so this can "
             "be undone.")
      .arg(lowerFirst(stateText(info)));
}

QString restoredNote(const History::SnapshotInfo& info) {
  return QStringLiteral("Restored the profile to how it was %1.").arg(lowerFirst(stateText(info)));
}

QString stepCommand(bool back, const std::optional<History::Step>& step) {
  const QString command = back ? QStringLiteral("Undo") : QStringLiteral("Redo");
  return step && !step->name.empty() ? command + ' ' + qs(step->name) : command;
}

QString stepNote(bool back, const History::Step& step) {
  if (step.name.empty())
    return back ? QStringLiteral("Undid the last change.") : QStringLiteral("Redid the change.");
  return (back ? QStringLiteral("Undid %1.") : QStringLiteral("Redid %1.")).arg(qs(step.name));
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
