// The counted texts and formats the window shows, without QML.
#include <gtest/gtest.h>

#include "app/values.hpp"
#include "foundation/date.hpp"
#include "ui/fmt.hpp"
#include "ui/wording.hpp"

TEST(Fmt, CountSwitchesUnitsAtTheBoundaries) {
  const std::pair<qint64, const char*> cases[] = {
      {0, "0"},       {999, "999"},       {1000, "1K"},        {1500, "2K"},  // C rounding: 1.5 → 2
      {12345, "12K"}, {999'999, "1000K"}, {1'000'000, "1.0M"}, {1'234'567, "1.2M"}, {-5000, "-5000"},
  };
  for (const auto& [n, text] : cases) EXPECT_EQ(Fmt::count(n).toStdString(), text) << n;
}

TEST(Fmt, AgoIsEmptyForTheDistantPastAndRelativeOtherwise) {
  const QDateTime now = QDateTime::fromString("2024-03-10T12:00:00Z", Qt::ISODate);
  EXPECT_EQ(Fmt::ago(qdate(distantPast), now), "");
  EXPECT_EQ(Fmt::ago(QDateTime(), now), "");
  // The user's locale decides the words; the number and direction do not change.
  const QString days = Fmt::ago(now.addDays(-3), now);
  EXPECT_TRUE(days.contains('3')) << days.toStdString();
  EXPECT_NE(days, Fmt::ago(now.addDays(3), now));
  EXPECT_TRUE(Fmt::ago(now.addSecs(-7200), now).contains('2'));
  // This very moment reads as a moment ago, not as one ahead.
  EXPECT_EQ(Fmt::ago(now, now).replace('0', '1'), Fmt::ago(now.addSecs(-1), now));
  EXPECT_TRUE(Fmt::ago(now.addDays(-800), now).contains('2'));  // years, not days
  // The player's own changes of the last minute happened just now.
  EXPECT_EQ(Fmt::moment(now.addSecs(-59), now), "Just now");
  EXPECT_EQ(Fmt::moment(now.addSecs(1), now), "Just now");
  EXPECT_EQ(Fmt::moment(now.addSecs(-120), now), Fmt::ago(now.addSecs(-120), now));
  EXPECT_EQ(Fmt::moment(qdate(distantPast), now), "");
}

// The window's tests see the singular counts, "Install (n)", "Update All (n)" and the plain footer
// lines; these are the cases it does not reach.
TEST(Wording, PluralsAndTheFooterCasesTheWindowDoesNotReach) {
  EXPECT_EQ(Wording::modCount(3), "3 mods");
  EXPECT_EQ(Wording::updatesAvailable(2), "2 updates available");
  using Wording::footerStatus;
  EXPECT_EQ(footerStatus("", "", true, true, 2, 3), (StatusLine{"Checking Thunderstore…", true}));
  // A reload of a catalogue already there does not hide the counts.
  EXPECT_EQ(footerStatus("", "", true, false, 4, 3).text, "4 items still need downloading.");
  EXPECT_EQ(footerStatus("", "", false, false, 0, 1), (StatusLine{"1 update available.", false, true, true}));
  EXPECT_EQ(footerStatus("", "", false, false, 0, 0, 1).text, "Everything is up to date (1 update held).");
  EXPECT_EQ(footerStatus("", "", false, false, 0, 0, 2).text, "Everything is up to date (2 updates held).");
  EXPECT_EQ(footerStatus("", "", false, true, 0, 0), StatusLine{});
  EXPECT_EQ(Wording::workButton(0, 1), (WorkButton{"Update 1", false}));
  EXPECT_EQ(Wording::workButton(0, 0), WorkButton{});
}
