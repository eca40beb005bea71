#pragma once

#include <QString>
#include <QVariantList>

#include <vector>

#include "history/diff.hpp"
#include "history/history.hpp"
#include "profiles/profile.hpp"

// What the History sheet says about a snapshot.
namespace HistoryTexts {
// What a snapshot changed, in a few words: "2 mods changed, 1 config file", "No changes".
QString counts(const History::DiffCounts& counts);

// One map per line, mods first: {section: "Mods" | "Config Files", text, settings (a changed
// settings file's "[General] Menu key: F1 → F2")}, read as what changed since the snapshot.
QVariantList changeLines(const History::ProfileDiff& diff);
// "Jotunn 2.19.0 is no longer on Thunderstore, so this snapshot can’t be restored."; empty for none.
QString missingSentence(const std::vector<ProfileMod>& missing);
// The moment a snapshot brings back: "Before you removed ValheimPlus", "After you turned off PlanBuild".
QString stateText(const History::SnapshotInfo& info);
// What the confirmation of a restore says: "The profile goes back to how it was before you removed
// ValheimPlus. …"
QString restoreMessage(const History::SnapshotInfo& info);
// "Restored the profile to how it was before you removed ValheimPlus."
QString restoredNote(const History::SnapshotInfo& info);
// The menu's "Undo Remove ValheimPlus" / "Redo Turn Off PlanBuild"; "Undo" / "Redo" without a step's name.
QString stepCommand(bool back, const std::optional<History::Step>& step);
// "Undid Remove ValheimPlus." / "Redid Turn Off PlanBuild."
QString stepNote(bool back, const History::Step& step);
}  // namespace HistoryTexts
