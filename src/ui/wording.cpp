#include "ui/wording.hpp"

#include <QCoreApplication>

namespace Wording {

QString modCount(int explicitMods) {
  return QCoreApplication::translate("Wording", "%n mods", nullptr, explicitMods);
}

QString updatesAvailable(int updates) {
  return QCoreApplication::translate("Wording", "%n updates available", nullptr, updates);
}

StatusLine footerStatus(const QString& busy, const QString& note, bool indexLoading, bool indexEmpty,
                        int needsInstall, int updates, int heldUpdates) {
  if (!busy.isEmpty()) return {busy, true, true, false};
  if (!note.isEmpty()) return {note};
  if (indexLoading && indexEmpty)
    return {QCoreApplication::translate("Wording", "Checking Thunderstore…"), true};
  if (needsInstall >= 1)
    return {
        QCoreApplication::translate("Wording", "%n items still need downloading.", nullptr, needsInstall)};
  if (updates >= 1) return {updatesAvailable(updates) + u'.', false, true, true};
  if (!indexEmpty) return {upToDate(heldUpdates)};
  return {};
}

WorkButton workButton(int needsInstall, int updates) {
  if (needsInstall >= 1)
    return {QCoreApplication::translate("Wording", "Install (%1)").arg(needsInstall), true};
  if (updates == 1) return {QCoreApplication::translate("Wording", "Update 1")};
  if (updates > 1) return {QCoreApplication::translate("Wording", "Update All (%1)").arg(updates)};
  return {};
}

}  // namespace Wording
