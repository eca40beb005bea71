#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// Instants at microsecond precision; the nanosecond system clock cannot hold year 1.
using Date = std::chrono::sys_time<std::chrono::microseconds>;

// 0001-01-01T00:00:00Z: the date of things that have none.
inline constexpr Date distantPast =
    std::chrono::sys_days{std::chrono::year{1} / 1 / 1} + std::chrono::microseconds{0};

// The last instant a four-digit year can write: 9999-12-31T23:59:59.999999Z.
inline constexpr Date distantFuture =
    std::chrono::sys_days{std::chrono::year{10000} / 1 / 1} - std::chrono::microseconds{1};

Date now();

namespace Dates {
// "2023-04-05T06:07:08Z", UTC, whole seconds (fractions dropped).
std::string iso8601(Date d);
// RFC 3339 date-time: full date, 'T', full time, then 'Z' or a "+hh:mm"/"-hh:mm" offset.
// With `fraction` true the seconds must carry a fraction (".123456"); with false they must not.
// An offset can carry a date past year 1 or 9999: it is held to the nearest of the two ends,
// so every date read can be written and read again.
std::optional<Date> parseRFC3339(std::string_view text, bool fraction);
// Either form; used for dates this app wrote itself.
std::optional<Date> parseISO8601(std::string_view text);
// 2001-01-01T00:00:00Z: the index cache stores dates as seconds relative to it.
inline constexpr Date referenceDate =
    std::chrono::sys_days{std::chrono::year{2001} / 1 / 1} + std::chrono::microseconds{0};
// Seconds relative to referenceDate.
double secondsSince2001(Date d);
Date fromSecondsSince2001(double seconds);
}  // namespace Dates
