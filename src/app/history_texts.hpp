#pragma once

#include <QString>
#include <QVariantList>

#include <vector>

#include "history/diff.hpp"
#include "profiles/profile.hpp"

// What the History sheet says about a snapshot.
namespace HistoryTexts {
// One map per line, mods first: {section: "Mods" | "Config Files", text, settings (a changed
// settings file's "[General] Menu key: F1 → F2")}, read as what changed since the snapshot.
QVariantList changeLines(const History::ProfileDiff& diff);
// "Jotunn 2.19.0 is no longer on Thunderstore, so this snapshot can’t be restored."; empty for none.
QString missingSentence(const std::vector<ProfileMod>& missing);
}  // namespace HistoryTexts
