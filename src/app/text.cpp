#include "app/text.hpp"

QString trimSpacesAndTabs(const QString& s) {
  qsizetype b = 0, e = s.size();
  while (b < e && (s[b] == u' ' || s[b] == u'\t')) ++b;
  while (e > b && (s[e - 1] == u' ' || s[e - 1] == u'\t')) --e;
  return s.mid(b, e - b);
}

QString joinNames(const QStringList& names) {
  if (names.size() < 2) return names.value(0);
  return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + names.last();
}
