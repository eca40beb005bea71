#include "app/readme_cache.hpp"
#include "app_fixture.hpp"

using Readmes = AppTest;  // for the fake catalogue and the event loop

TEST_F(Readmes, TheAskedForReadmeIsShownAndEachIsFetchedOncePerSession) {
  catalogue.setReadme("Team", "A", "1.0.0", "# A\n\nDoes **things**.");
  ReadmeCache readmes;
  readmes.show("Team", "A", "1.0.0");
  EXPECT_TRUE(readmes.loading());
  ASSERT_TRUE(waitUntil([&] { return !readmes.loading(); }));
  EXPECT_EQ(readmes.markdown(), "# A\n\nDoes **things**.");

  readmes.show("Team", "Gone", "1.0.0");  // no README there: nothing is shown
  ASSERT_TRUE(waitUntil([&] { return !readmes.loading(); }));
  EXPECT_EQ(readmes.markdown(), "");

  readmes.show("Team", "A", "1.0.0");
  EXPECT_FALSE(readmes.loading());
  EXPECT_EQ(readmes.markdown(), "# A\n\nDoes **things**.");
  EXPECT_EQ(catalogue.requestCount("/api/experimental/package/Team/A/1.0.0/readme/"), 1);
}

TEST_F(Readmes, AnAnswerForAnEarlierPackageDoesNotReplaceTheShownOne) {
  catalogue.setReadme("Team", "A", "1.0.0", "A");
  catalogue.setReadme("Team", "B", "1.0.0", "B");
  ReadmeCache readmes;
  readmes.show("Team", "A", "1.0.0");
  readmes.show("Team", "B", "1.0.0");
  ASSERT_TRUE(waitUntil([&] {
    return catalogue.requestCount("/api/experimental/package/Team/A/1.0.0/readme/") && !readmes.loading();
  }));
  EXPECT_EQ(readmes.markdown(), "B");
}
