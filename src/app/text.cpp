#include "app/text.hpp"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>

#include "foundation/text.hpp"

QString trimSpacesAndTabs(const QString& s) {
  return QString::fromStdString(std::string(Text::trim(s.toStdString(), " \t")));
}

QString joinNames(const QStringList& names) {
  if (names.size() < 2) return names.value(0);
  return QCoreApplication::translate("Text", "%1 and %2")
      .arg(names.mid(0, names.size() - 1).join(QCoreApplication::translate("Text", ", ")), names.last());
}

QString upToDate(int heldUpdates) {
  if (heldUpdates <= 0) return QCoreApplication::translate("Text", "Everything is up to date.");
  return QCoreApplication::translate("Text", "Everything is up to date (%n updates held).", nullptr,
                                     heldUpdates);
}

QString dataSize(int64_t bytes) {
  QString text = QLocale(QLocale::English).formattedDataSize(qint64(bytes), 1, QLocale::DataSizeSIFormat);
  // Whole numbers show without their ".0".
  static const QRegularExpression pointZero(QStringLiteral("\\.0(?= )"));
  return text.remove(pointZero);
}
