#pragma once

#include <QtQml/qqmlregistration.h>
#include <QDateTime>
#include <QFont>
#include <QObject>
#include <QString>

// Compact counts and relative dates, as the lists and sheets show them.
namespace Fmt {
// 999 → "999", 12,345 → "12K", 1,234,567 → "1.2M" (C rounding; negative numbers in plain digits).
QString count(qint64 n);
// "3 days ago", "in 2 hr." in the user's locale, short units; the distant past (no date) gives "".
QString ago(const QDateTime& date, const QDateTime& now = QDateTime::currentDateTimeUtc());
// When something happened to the player's own things: "Just now" under a minute, else as ago().
QString moment(const QDateTime& date, const QDateTime& now = QDateTime::currentDateTimeUtc());
// `font` with digits of one width, so versions line up from row to row. Qt before 6.7 cannot ask the
// font for it and returns `font` as it is.
QFont monospacedDigits(QFont font);
}  // namespace Fmt

// The same for QML, as the singleton `Fmt`.
class FmtObject : public QObject {
  Q_OBJECT
  QML_NAMED_ELEMENT(Fmt)
  QML_SINGLETON

 public:
  using QObject::QObject;
  Q_INVOKABLE QString count(qint64 n) const { return Fmt::count(n); }
  Q_INVOKABLE QString ago(const QDateTime& date) const { return Fmt::ago(date); }
  Q_INVOKABLE QString moment(const QDateTime& date) const { return Fmt::moment(date); }
  Q_INVOKABLE QFont monospacedDigits(const QFont& font) const { return Fmt::monospacedDigits(font); }
};
