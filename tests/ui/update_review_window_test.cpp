// The update review sheet in the real window: ⌘U opens it, Return confirms once, Escape changes nothing.
#include "window_fixture.hpp"

namespace {
using UpdateReviewWindow = WindowTest;

TEST_F(UpdateReviewWindow, CommandUOpensTheReviewAndReturnUpdatesTheTickedOnce) {
  run([&] { state->modController()->add(pkg("A")); });
  publish("A", "1.1.0", {"Team-B-1.0.0"}, 2'000'000);
  publish("C", "1.1.0", {}, 1'500'000);
  flush();
  const size_t before = snapshots().size();

  key(Qt::Key_U, Qt::ControlModifier);
  ASSERT_TRUE(isShown(WindowState::Sheet::UpdateReview));
  const QRectF sheet = box("sheet.updateReview");
  EXPECT_TRUE(QRectF(QPointF(0, 0), window->size()).contains(sheet)) << "the sheet fits the window";
  EXPECT_LE(box("sheet.updateReview.row.1").bottom(), box("sheet.updateReview.main").top());

  // ⌘U again while it shows opens nothing more; unticking C leaves A.
  key(Qt::Key_U, Qt::ControlModifier);
  EXPECT_TRUE(isShown(WindowState::Sheet::UpdateReview));
  click("sheet.updateReview.tick.1");
  EXPECT_EQ(text("sheet.updateReview.main"), "Update 1 Mod — 2 MB");

  key(Qt::Key_Return);
  EXPECT_FALSE(exists("sheet.updateReview"));
  key(Qt::Key_Return);  // the sheet is gone: nothing happens twice
  settle();
  EXPECT_EQ(mod("A").installed, "1.1.0");
  EXPECT_EQ(mod("C").installed, "1.0.0");
  EXPECT_EQ(snapshots().size(), before + 1);

  // Escape closes the next review without a change.
  key(Qt::Key_U, Qt::ControlModifier);
  ASSERT_TRUE(isShown(WindowState::Sheet::UpdateReview));
  click("sheet.updateReview.hold.0");
  EXPECT_FALSE(enabled("sheet.updateReview.main"));
  key(Qt::Key_Escape);
  EXPECT_FALSE(isShown(WindowState::Sheet::UpdateReview));
  settle();
  EXPECT_EQ(mod("C").installed, "1.0.0");
  EXPECT_EQ(state->modController()->heldAt("Team-C"), "") << "a hold chosen and cancelled is not kept";
  EXPECT_EQ(snapshots().size(), before + 1);
}
}  // namespace
