#include "app/text.hpp"

#include "foundation/text.hpp"

QString trimSpacesAndTabs(const QString& s) {
  return QString::fromStdString(std::string(Text::trim(s.toStdString(), " \t")));
}

QString joinNames(const QStringList& names) {
  if (names.size() < 2) return names.value(0);
  return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + names.last();
}

QString upToDate(int heldUpdates) {
  if (heldUpdates <= 0) return QStringLiteral("Everything is up to date.");
  return QStringLiteral("Everything is up to date (%1 update%2 held).")
      .arg(heldUpdates)
      .arg(heldUpdates == 1 ? "" : "s");
}
