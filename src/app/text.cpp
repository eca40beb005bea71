#include "app/text.hpp"

#include "foundation/text.hpp"

QString trimSpacesAndTabs(const QString& s) {
  return QString::fromStdString(std::string(Text::trim(s.toStdString(), " \t")));
}

QString joinNames(const QStringList& names) {
  if (names.size() < 2) return names.value(0);
  return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + names.last();
}
