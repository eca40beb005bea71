#include <gtest/gtest.h>

#include "foundation/date.hpp"

using namespace std::chrono;

namespace {
Date at(int y, unsigned mo, unsigned d, int h, int mi, int s, int64_t us = 0) {
  return sys_days{year{y} / month{mo} / day{d}} + hours{h} + minutes{mi} + seconds{s} + microseconds{us};
}
}  // namespace

TEST(Dates, RFC3339ParsersTellFractionalAndPlainSecondsApart) {
  EXPECT_EQ(Dates::parseRFC3339("2023-04-05T06:07:08.123456Z", true), at(2023, 4, 5, 6, 7, 8, 123456));
  EXPECT_EQ(Dates::parseRFC3339("2023-04-05T06:07:08Z", false), at(2023, 4, 5, 6, 7, 8));
  EXPECT_EQ(Dates::parseRFC3339("2023-04-05T06:07:08Z", true), std::nullopt);
  EXPECT_EQ(Dates::parseRFC3339("2023-04-05T06:07:08.5Z", false), std::nullopt);
  // Digits past the microsecond are dropped, offsets are applied.
  EXPECT_EQ(Dates::parseRFC3339("2023-04-05T06:07:08.1234567Z", true), at(2023, 4, 5, 6, 7, 8, 123456));
  EXPECT_EQ(Dates::parseRFC3339("2023-04-05T08:07:08+02:00", false), at(2023, 4, 5, 6, 7, 8));
  EXPECT_EQ(Dates::parseRFC3339("2023-04-05T00:07:08-06:30", false), at(2023, 4, 5, 6, 37, 8));
  for (const char* bad : {"", "2023-04-05", "2023-04-05 06:07:08Z", "2023-04-05T06:07:08",
                          "2023-02-30T06:07:08Z", "2023-04-05T25:07:08Z", "2023-04-05T06:07:08Zjunk",
                          "2023-04-05T06:07:08.Z", "2023-4-05T06:07:08Z", "yesterday"}) {
    EXPECT_EQ(Dates::parseRFC3339(bad, false), std::nullopt) << bad;
    EXPECT_EQ(Dates::parseRFC3339(bad, true), std::nullopt) << bad;
  }
}

TEST(Dates, WrittenFormsReadBack) {
  Date d = at(2024, 12, 31, 23, 59, 58, 999999);
  EXPECT_EQ(Dates::iso8601(d), "2024-12-31T23:59:58Z");  // whole seconds, UTC
  EXPECT_EQ(Dates::parseISO8601(Dates::iso8601(d)), at(2024, 12, 31, 23, 59, 58));
  EXPECT_EQ(Dates::iso8601(distantPast), "0001-01-01T00:00:00Z");
  EXPECT_EQ(Dates::secondsSince2001(at(2001, 1, 1, 0, 0, 1, 500000)), 1.5);
  EXPECT_LT(Dates::secondsSince2001(at(2000, 12, 31, 0, 0, 0)), 0);
  for (Date t : {d, distantPast, at(1999, 1, 1, 0, 0, 0, 1)})  // to the microsecond
    EXPECT_EQ(Dates::fromSecondsSince2001(Dates::secondsSince2001(t)), t);
}
