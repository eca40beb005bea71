#include "app/package_documents.hpp"
#include "app_fixture.hpp"

using Documents = AppTest;  // for the fake catalogue and the event loop
using Thunderstore::PackageDocument;

TEST_F(Documents, TheAskedForReadmeIsShownAndEachIsFetchedOnce) {
  catalogue.setReadme("Team", "A", "1.0.0", "# A\n\nDoes **things**.");
  PackageDocuments readmes(PackageDocument::readme);
  readmes.show("Team", "A", "1.0.0");
  EXPECT_TRUE(readmes.loading());
  ASSERT_TRUE(waitUntil([&] { return !readmes.loading(); }));
  EXPECT_EQ(readmes.markdown(), "# A\n\nDoes **things**.");

  readmes.show("Team", "Gone", "1.0.0");  // no README there: nothing is shown
  ASSERT_TRUE(waitUntil([&] { return !readmes.loading(); }));
  EXPECT_TRUE(readmes.missing());

  readmes.show("Team", "A", "1.0.0");
  EXPECT_FALSE(readmes.loading());
  EXPECT_EQ(readmes.markdown(), "# A\n\nDoes **things**.");
  EXPECT_EQ(catalogue.requestCount("/api/experimental/package/Team/A/1.0.0/readme/"), 1);

  // An answer for an earlier package does not replace the one shown.
  catalogue.setReadme("Team", "B", "1.0.0", "B");
  catalogue.setReadme("Team", "C", "1.0.0", "C");
  readmes.show("Team", "C", "1.0.0");
  readmes.show("Team", "B", "1.0.0");
  ASSERT_TRUE(waitUntil([&] {
    return catalogue.requestCount("/api/experimental/package/Team/C/1.0.0/readme/") && !readmes.loading();
  }));
  EXPECT_EQ(readmes.markdown(), "B");

  // The catalogue's changelogs are that kind of document, not the README.
  PackageDocuments* changelogs = state->catalogue()->changelogs();
  catalogue.setChangelog("Team", "A", "1.0.0", "## 1.0.0");
  changelogs->show("Team", "A", "1.0.0");
  ASSERT_TRUE(waitUntil([&] { return !changelogs->loading(); }));
  EXPECT_EQ(changelogs->markdown(), "## 1.0.0");
}
