#include <gtest/gtest.h>

#include "foundation/date.hpp"

using namespace std::chrono;

TEST(Dates, RFC3339ParsersTellFractionalAndPlainSecondsApartAndApplyOffsets) {
  const Date base = sys_days{year{2023} / 4 / 5} + hours{6} + minutes{7} + seconds{8} + microseconds{0};
  EXPECT_EQ(Dates::parseRFC3339("2023-04-05T06:07:08.123456Z", true), base + microseconds{123456});
  EXPECT_EQ(Dates::parseRFC3339("2023-04-05T06:07:08.1234567Z", true), base + microseconds{123456});
  EXPECT_EQ(Dates::parseRFC3339("2023-04-05T06:07:08Z", false), base);
  EXPECT_EQ(Dates::parseRFC3339("2023-04-05T00:07:08-06:30", false), base + minutes{30});
  for (const char* bad : {"2023-04-05T06:07:08", "2023-02-30T06:07:08Z", "2023-04-05T06:07:08Zjunk",
                          "2023-04-05T06:07:08.Z", "2023-4-05T06:07:08Z"}) {
    EXPECT_EQ(Dates::parseRFC3339(bad, false), std::nullopt) << bad;
    EXPECT_EQ(Dates::parseRFC3339(bad, true), std::nullopt) << bad;
  }
  EXPECT_EQ(Dates::parseRFC3339("2023-04-05T06:07:08Z", true), std::nullopt);
  EXPECT_EQ(Dates::parseRFC3339("2023-04-05T06:07:08.5Z", false), std::nullopt);
}

TEST(Dates, OffsetsThatLeaveTheFourDigitYearsAreHeldToTheEnds) {
  for (auto [text, written] : {std::pair{"0000-01-01T00:00:00+00:01", "0001-01-01T00:00:00Z"},
                               {"9999-12-31T23:59:30-00:01", "9999-12-31T23:59:59Z"}}) {
    auto read = Dates::parseISO8601(text);
    ASSERT_TRUE(read) << text;
    EXPECT_EQ(Dates::iso8601(*read), written);
    auto again = Dates::parseISO8601(written);
    ASSERT_TRUE(again) << written;
    EXPECT_EQ(Dates::iso8601(*again), written);
  }
}
