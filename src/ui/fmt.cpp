#include "ui/fmt.hpp"

#include <unicode/locid.h>
#include <unicode/reldatefmt.h>
#include <unicode/unistr.h>

#include <QLocale>

#include <cmath>
#include <cstdio>
#include <memory>

#include "app/values.hpp"
#include "foundation/date.hpp"

namespace Fmt {

QString count(qint64 n) {
  char text[32];
  if (n >= 1'000'000)
    std::snprintf(text, sizeof text, "%.1fM", double(n) / 1'000'000.0);
  else if (n >= 1000)
    std::snprintf(text, sizeof text, "%.0fK", double(n) / 1000.0);
  else
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(n));
  return QString::fromLatin1(text);
}

namespace {
// One formatter for the process, made on first use; null when ICU has no data for the locale.
icu::RelativeDateTimeFormatter* formatter() {
  static const std::unique_ptr<icu::RelativeDateTimeFormatter> shared = [] {
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale locale(QLocale::system().name().toStdString().c_str());
    auto made = std::make_unique<icu::RelativeDateTimeFormatter>(locale, nullptr, UDAT_STYLE_SHORT,
                                                                 UDISPCTX_CAPITALIZATION_NONE, status);
    return U_SUCCESS(status) ? std::move(made) : nullptr;
  }();
  return shared.get();
}

struct Span {
  double amount;
  URelativeDateTimeUnit unit;
};

// The largest whole unit of the distance, counted as calendars do (a month of 30 days).
Span largestUnit(qint64 seconds) {
  constexpr struct {
    qint64 length;
    URelativeDateTimeUnit unit;
  } units[] = {{365 * 86400, UDAT_REL_UNIT_YEAR}, {30 * 86400, UDAT_REL_UNIT_MONTH},
               {7 * 86400, UDAT_REL_UNIT_WEEK},   {86400, UDAT_REL_UNIT_DAY},
               {3600, UDAT_REL_UNIT_HOUR},        {60, UDAT_REL_UNIT_MINUTE}};
  for (const auto& u : units)
    if (std::llabs(seconds) >= u.length) return {double(seconds / u.length), u.unit};
  return {double(seconds), UDAT_REL_UNIT_SECOND};
}
}  // namespace

QString ago(const QDateTime& date, const QDateTime& now) {
  if (!date.isValid() || date <= qdate(distantPast)) return {};
  auto* f = formatter();
  if (!f) return {};
  const qint64 secs = now.secsTo(date);
  Span span = largestUnit(secs);
  // ICU reads +0 as the future ("in 0 sec."); this very moment is a moment ago.
  if (secs <= 0 && span.amount == 0) span.amount = -0.0;
  icu::UnicodeString out;
  UErrorCode status = U_ZERO_ERROR;
  f->formatNumeric(span.amount, span.unit, out, status);
  if (U_FAILURE(status)) return {};
  return QString(reinterpret_cast<const QChar*>(out.getBuffer()), out.length());
}

QString moment(const QDateTime& date, const QDateTime& now) {
  if (date.isValid() && date > qdate(distantPast) && date.secsTo(now) < 60) return QObject::tr("Just now");
  return ago(date, now);
}
}  // namespace Fmt

QFont Fmt::monospacedDigits(QFont font) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
  font.setFeature(QFont::Tag("tnum"), 1);
#endif
  return font;
}
