#include "foundation/date.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace std::chrono;

Date now() { return time_point_cast<microseconds>(system_clock::now()); }

namespace {
// Reads exactly `n` decimal digits at `pos`, advancing it.
bool digits(std::string_view s, size_t& pos, size_t n, int& out) {
  if (pos + n > s.size()) return false;
  out = 0;
  for (size_t i = 0; i < n; ++i) {
    char c = s[pos + i];
    if (c < '0' || c > '9') return false;
    out = out * 10 + (c - '0');
  }
  pos += n;
  return true;
}

bool expect(std::string_view s, size_t& pos, char c) {
  if (pos >= s.size() || s[pos] != c) return false;
  ++pos;
  return true;
}
}  // namespace

namespace Dates {

std::string iso8601(Date d) {
  auto secs = floor<seconds>(d);
  auto day = floor<days>(secs);
  year_month_day ymd{day};
  hh_mm_ss hms{secs - day};
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02u-%02uT%02d:%02d:%02dZ", int(ymd.year()), unsigned(ymd.month()),
                unsigned(ymd.day()), int(hms.hours().count()), int(hms.minutes().count()),
                int(hms.seconds().count()));
  return buf;
}

std::optional<Date> parseRFC3339(std::string_view s, bool fraction) {
  size_t pos = 0;
  int y, mo, d, h, mi, se;
  if (!digits(s, pos, 4, y) || !expect(s, pos, '-') || !digits(s, pos, 2, mo) || !expect(s, pos, '-') ||
      !digits(s, pos, 2, d) || !expect(s, pos, 'T') || !digits(s, pos, 2, h) || !expect(s, pos, ':') ||
      !digits(s, pos, 2, mi) || !expect(s, pos, ':') || !digits(s, pos, 2, se))
    return std::nullopt;
  int64_t micros = 0;
  bool hasFraction = pos < s.size() && s[pos] == '.';
  if (hasFraction != fraction) return std::nullopt;
  if (hasFraction) {
    ++pos;
    size_t start = pos;
    int64_t scale = 100000;
    while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') {
      micros += (s[pos] - '0') * scale;  // digits past microseconds are dropped
      scale /= 10;
      ++pos;
    }
    if (pos == start) return std::nullopt;
  }
  int offsetMinutes = 0;
  if (pos < s.size() && s[pos] == 'Z') {
    ++pos;
  } else if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
    int sign = s[pos] == '-' ? -1 : 1;
    ++pos;
    int oh, om;
    if (!digits(s, pos, 2, oh) || !expect(s, pos, ':') || !digits(s, pos, 2, om) || oh > 23 || om > 59)
      return std::nullopt;
    offsetMinutes = sign * (oh * 60 + om);
  } else {
    return std::nullopt;
  }
  if (pos != s.size()) return std::nullopt;
  year_month_day ymd{year{y}, month{unsigned(mo)}, day{unsigned(d)}};
  if (!ymd.ok() || h > 23 || mi > 59 || se > 60) return std::nullopt;
  Date t = sys_days{ymd} + hours{h} + minutes{mi} + seconds{se} + microseconds{micros};
  return std::clamp(Date{t - minutes{offsetMinutes}}, distantPast, distantFuture);
}

std::optional<Date> parseISO8601(std::string_view text) {
  if (auto d = parseRFC3339(text, false)) return d;
  return parseRFC3339(text, true);
}

double secondsSince2001(Date d) { return double((d - referenceDate).count()) / 1e6; }

Date fromSecondsSince2001(double seconds) {
  return referenceDate + microseconds{std::llround(seconds * 1e6)};
}
}  // namespace Dates
