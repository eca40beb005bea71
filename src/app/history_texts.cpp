#include "app/history_texts.hpp"

#include <QCoreApplication>
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
  const QString notSet = QCoreApplication::translate("HistoryTexts", "not set");
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

QString counts(const History::DiffCounts& counts) {
  const int mods = int(counts.mods), files = int(counts.configFiles);
  if (mods && files)
    return QCoreApplication::translate("HistoryTexts", "%n mods changed, %1", nullptr, mods)
        .arg(QCoreApplication::translate("HistoryTexts", "%n config files", nullptr, files));
  if (mods) return QCoreApplication::translate("HistoryTexts", "%n mods changed", nullptr, mods);
  if (files) return QCoreApplication::translate("HistoryTexts", "%n config files changed", nullptr, files);
  return QCoreApplication::translate("HistoryTexts", "No changes");
}

QVariantList changeLines(const History::ProfileDiff& diff) {
  const QString mods = QCoreApplication::translate("HistoryTexts", "Mods");
  QVariantList out;
  if (const auto& pack = diff.pack) {
    if (!pack->before)
      out.append(line(
          mods,
          QCoreApplication::translate("HistoryTexts", "Added %1").arg(packName + u' ' + qs(*pack->after))));
    else if (!pack->after)
      out.append(line(mods, QCoreApplication::translate("HistoryTexts", "Removed %1")
                                .arg(packName + u' ' + qs(*pack->before))));
    else
      out.append(line(mods, QStringLiteral("%1 %2 → %3").arg(packName, qs(*pack->before), qs(*pack->after))));
  }
  for (const History::ModChange& change : diff.mods) {
    if (change.added()) {
      out.append(
          line(mods, QCoreApplication::translate("HistoryTexts", "Added %1").arg(versioned(*change.after))));
      continue;
    }
    if (change.removed()) {
      out.append(line(
          mods, QCoreApplication::translate("HistoryTexts", "Removed %1").arg(versioned(*change.before))));
      continue;
    }
    const QString name = qs(change.after->displayName());
    if (change.versionChanged())
      out.append(line(
          mods,
          QStringLiteral("%1 %2 → %3").arg(name, qs(change.before->version), qs(change.after->version))));
    if (change.enabledChanged())
      out.append(
          line(mods, (change.after->enabled ? QCoreApplication::translate("HistoryTexts", "Turned on %1")
                                            : QCoreApplication::translate("HistoryTexts", "Turned off %1"))
                         .arg(name)));
  }
  for (const History::ConfigFileChange& file : diff.configFiles) {
    const QString path = qs(file.path);
    const QString section = QCoreApplication::translate("HistoryTexts", "Config Files");
    if (file.kind == History::ConfigFileChange::Kind::added) {
      out.append(line(section, QCoreApplication::translate("HistoryTexts", "Added %1").arg(path)));
    } else if (file.kind == History::ConfigFileChange::Kind::removed) {
      out.append(line(section, QCoreApplication::translate("HistoryTexts", "Removed %1").arg(path)));
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
  return (info.after ? QCoreApplication::translate("HistoryTexts", "After you %1")
                     : QCoreApplication::translate("HistoryTexts", "Before you %1"))
      .arg(lowerFirst(qs(info.description)));
}

QString restoreMessage(const History::SnapshotInfo& info) {
  return QCoreApplication::translate(
             "HistoryTexts",
             "The profile goes back to how it was %1. A snapshot of how it is now is kept first, so this can "
             "be undone.")
      .arg(lowerFirst(stateText(info)));
}

QString restoredNote(const History::SnapshotInfo& info) {
  return QCoreApplication::translate("HistoryTexts", "Restored the profile to how it was %1.")
      .arg(lowerFirst(stateText(info)));
}

QString stepCommand(bool back, const std::optional<History::Step>& step) {
  if (!step || step->name.empty())
    return back ? QCoreApplication::translate("HistoryTexts", "Undo")
                : QCoreApplication::translate("HistoryTexts", "Redo");
  return (back ? QCoreApplication::translate("HistoryTexts", "Undo %1")
               : QCoreApplication::translate("HistoryTexts", "Redo %1"))
      .arg(qs(step->name));
}

QString stepNote(bool back, const History::Step& step) {
  if (step.name.empty())
    return back ? QCoreApplication::translate("HistoryTexts", "Undid the last change.")
                : QCoreApplication::translate("HistoryTexts", "Redid the change.");
  return (back ? QCoreApplication::translate("HistoryTexts", "Undid %1.")
               : QCoreApplication::translate("HistoryTexts", "Redid %1."))
      .arg(qs(step.name));
}

QString missingSentence(const std::vector<ProfileMod>& missing) {
  if (missing.empty()) return {};
  QStringList names;
  for (const ProfileMod& mod : missing)
    names.append(mod.id() == LoaderPack::id ? packName + ' ' + qs(mod.version) : versioned(mod));
  // The names decide the verb: "A is", "A and B are".
  return QCoreApplication::translate("HistoryTexts",
                                     "%1 are no longer on Thunderstore, so this snapshot can’t be restored.",
                                     nullptr, int(names.size()))
      .arg(joinNames(names));
}
}  // namespace HistoryTexts
