// A version's README and changelog from the fake service, and their copies in the cache folder.
#include <gtest/gtest.h>

#include "catalogue/thunderstore.hpp"
#include "foundation/fs.hpp"
#include "foundation/paths.hpp"
#include "testkit/changelog_samples.hpp"
#include "testkit/fake_catalogue.hpp"

using Thunderstore::maxDocumentBytes;
using Thunderstore::PackageDocument;

namespace {
std::string logText() { return FS::exists(Paths::logFile()) ? FS::readFile(Paths::logFile()) : ""; }
std::string changelogPath(const std::string& version) {
  return "/api/experimental/package/Team/Mod/" + version + "/changelog/";
}

class Documents : public testing::Test {
 protected:
  FakeCatalogue fake;
};
}  // namespace

TEST_F(Documents, ADocumentIsTheMarkdownOfItsVersionAndAnythingElseIsNone) {
  const std::string emoji = "\xF0\x9F\x98\x80";
  const std::string longText = std::string(maxDocumentBytes - 1, 'a') + "\xC3\xA9" + "tail";
  struct Row {
    const char* version;
    FakeCatalogue::Reply reply;
    std::optional<std::string> expected;
  };
  auto wrapped = [](const std::string& markdown) {
    return FakeCatalogue::Reply{.body = R"({"markdown": ")" + markdown + "\"}"};
  };
  const Row rows[] = {
      {"1.0.0", wrapped("# Mod\\n\\n<b>bold</b> " + emoji), "# Mod\n\n<b>bold</b> " + emoji},
      {"1.0.1", wrapped(""), ""},
      {"1.0.2", wrapped("caf\xE9 au lait"), "caf\xEF\xBF\xBD au lait"},  // Latin-1, not UTF-8
      {"1.0.3", wrapped(longText), std::string(maxDocumentBytes - 1, 'a')},  // cut before the "é"
      {"1.0.4", {.body = R"({"markdown": null})"}, std::nullopt},
      {"1.0.5", {.body = R"({"markdown": 5})"}, std::nullopt},
      {"1.0.6", {.body = "<html>Not found</html>"}, std::nullopt},
      {"1.0.8", {.status = 500, .body = R"({"markdown": "x"})"}, std::nullopt},
      {"1.0.9", {.body = R"({"markdown": "\ud800 lone surrogate"})"}, std::nullopt},
      {"1.1.0", {.body = R"({"markdown": ")" + std::string(9 << 20, 'a') + "\"}"}, std::nullopt},
      {"1.1.1", {.body = R"({"markdown": "x")", .truncated = true}, std::nullopt},
  };
  for (const Row& row : rows) {
    fake.answer(changelogPath(row.version), row.reply);
    EXPECT_EQ(Thunderstore::fetchChangelog("Team", "Mod", row.version), row.expected) << row.version;
  }
  EXPECT_EQ(Thunderstore::fetchChangelog("Team", "Mod", "9.9.9"), std::nullopt);  // 404
  EXPECT_NE(logText().find(" changelog lookup failed: Team-Mod 9.9.9\n"), std::string::npos);

  // The README has the same shape at its own address.
  fake.setReadme("Team", "Mod", "1.0.0", "# Read me");
  EXPECT_EQ(Thunderstore::fetchReadme("Team", "Mod", "1.0.0"), "# Read me");
  EXPECT_EQ(Thunderstore::fetchReadme("Team", "Mod", "1.0.4"), std::nullopt);
}

TEST_F(Documents, AFoundDocumentIsFetchedOnceAndKeptPerVersionAndKind) {
  fake.setChangelog("Team", "Mod", "1.0.0", std::string(ChangelogSamples::versioned));
  fake.setReadme("Team", "Mod", "1.0.0", "# Read me");
  fake.setChangelog("Team", "Mod", "1.1.0", std::nullopt);
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(Thunderstore::cachedDocument(PackageDocument::changelog, "Team", "Mod", "1.0.0"),
              std::string(ChangelogSamples::versioned));
    EXPECT_EQ(Thunderstore::cachedDocument(PackageDocument::readme, "Team", "Mod", "1.0.0"), "# Read me");
    EXPECT_EQ(Thunderstore::cachedDocument(PackageDocument::changelog, "Team", "Mod", "1.1.0"), std::nullopt);
  }
  EXPECT_EQ(fake.requestCount(changelogPath("1.0.0")), 1);
  EXPECT_EQ(fake.requestCount("/api/experimental/package/Team/Mod/1.0.0/readme/"), 1);
  EXPECT_EQ(fake.requestCount(changelogPath("1.1.0")), 2);  // none is not kept: it may come later

  // A damaged copy is fetched again and replaced.
  const auto copy = Paths::cache() / "changelog" / "Team-Mod-1.0.0.md";
  ASSERT_TRUE(FS::exists(copy));
  FS::writeAtomic(copy, "\xFF\xFE damaged");
  EXPECT_EQ(Thunderstore::cachedDocument(PackageDocument::changelog, "Team", "Mod", "1.0.0"),
            std::string(ChangelogSamples::versioned));
  EXPECT_EQ(FS::readFile(copy), ChangelogSamples::versioned);

  // A name that is no plain file name is fetched, never written as a path. (The HTTP client
  // resolves the dots in the address, so the fake answers where they lead.)
  fake.answer("/api/experimental/x/1.0.0/changelog/", {.body = R"({"markdown": "m"})"});
  EXPECT_EQ(Thunderstore::cachedDocument(PackageDocument::changelog, "Team", "a/../../../x", "1.0.0"), "m");
  for (const auto& entry : std::filesystem::recursive_directory_iterator(Paths::home()))
    EXPECT_NE(entry.path().filename(), "x-1.0.0.md") << entry.path();
}
