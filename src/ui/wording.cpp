#include "ui/wording.hpp"

namespace Wording {

QString modCount(int explicitMods) {
  return explicitMods == 1 ? QStringLiteral("1 mod") : QStringLiteral("%1 mods").arg(explicitMods);
}

QString updatesAvailable(int updates) {
  return QStringLiteral("%1 update%2 available").arg(updates).arg(updates == 1 ? "" : "s");
}

StatusLine footerStatus(const QString& busy, const QString& note, bool indexLoading, bool indexEmpty,
                        int needsInstall, int updates, int heldUpdates) {
  if (!busy.isEmpty()) return {busy, true, true, false};
  if (!note.isEmpty()) return {note};
  if (indexLoading && indexEmpty) return {QStringLiteral("Checking Thunderstore…"), true};
  if (needsInstall >= 1) {
    const bool one = needsInstall == 1;
    return {QStringLiteral("%1 item%2 still need%3 downloading.")
                .arg(needsInstall)
                .arg(one ? "" : "s")
                .arg(one ? "s" : "")};
  }
  if (updates >= 1) return {QStringLiteral("%1.").arg(updatesAvailable(updates)), false, true, true};
  if (!indexEmpty) return {upToDate(heldUpdates)};
  return {};
}

WorkButton workButton(int needsInstall, int updates) {
  if (needsInstall >= 1) return {QStringLiteral("Install (%1)").arg(needsInstall), true};
  if (updates == 1) return {QStringLiteral("Update 1")};
  if (updates > 1) return {QStringLiteral("Update All (%1)").arg(updates)};
  return {};
}

}  // namespace Wording
