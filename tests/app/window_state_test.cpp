// The window's one sheet: opened only when none shows, closed only by name, replaced by what an
// operation brings, each change told once.
#include <QSignalSpy>

#include <vector>

#include "app_fixture.hpp"

namespace {
using Sheet = WindowState::Sheet;

class WindowStateTest : public AppTest {
 protected:
  WindowState& window() { return *state->window(); }
};

TEST_F(WindowStateTest, AnotherSheetWaitsAndOnlyTheShownOneCloses) {
  struct Case {
    Sheet shown, other;
  };
  const Case cases[] = {{Sheet::Config, Sheet::Import}, {Sheet::Package, Sheet::Share}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.shown));
    const QVariant payload = QStringLiteral("what it shows");
    ASSERT_TRUE(window().open(c.shown, payload));
    EXPECT_FALSE(window().open(c.other));
    EXPECT_FALSE(window().open(c.shown));  // not again, and its payload stays
    window().close(c.other);
    EXPECT_EQ(window().sheet(), c.shown);
    EXPECT_EQ(window().payload(), payload);
    window().close(c.shown);
    EXPECT_EQ(window().sheet(), Sheet::None);
    EXPECT_FALSE(window().payload().isValid());
    EXPECT_FALSE(window().sheetShown());
  }
  EXPECT_FALSE(window().open(Sheet::None));
  EXPECT_FALSE(window().open(Sheet::LaunchReport));  // no launch, no report
}

// Replace takes the place of the shown sheet, and a late close of the one it replaced does nothing.
TEST_F(WindowStateTest, ReplaceTakesThePlaceOfTheShownSheetAndEachChangeIsToldOnce) {
  QSignalSpy sheet(&window(), &WindowState::sheetChanged), payload(&window(), &WindowState::payloadChanged),
      shown(&window(), &WindowState::sheetShownChanged);
  const auto counts = [&] { return std::vector<qsizetype>{sheet.count(), payload.count(), shown.count()}; };
  ASSERT_TRUE(window().open(Sheet::Log));
  EXPECT_EQ(counts(), (std::vector<qsizetype>{1, 0, 1}));
  window().replace(Sheet::Rename, QStringLiteral("Raid"));
  EXPECT_EQ(counts(), (std::vector<qsizetype>{2, 1, 1}));
  window().replace(Sheet::Rename, QStringLiteral("Raid"));
  window().close(Sheet::Log);
  EXPECT_EQ(window().payload(), QStringLiteral("Raid"));
  EXPECT_EQ(counts(), (std::vector<qsizetype>{2, 1, 1}));
  window().close(Sheet::Rename);
  EXPECT_EQ(counts(), (std::vector<qsizetype>{3, 2, 2}));
}
}  // namespace
