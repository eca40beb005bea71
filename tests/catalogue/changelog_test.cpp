// Cutting a changelog down to the versions after the installed one.
#include <gtest/gtest.h>

#include "catalogue/changelog.hpp"
#include "testkit/changelog_samples.hpp"

namespace {
using Changelog::headingVersion;
using Changelog::newerThan;
using Changelog::Slice;
}  // namespace

TEST(Changelog, AHeadingNamesAVersionOnlyNearItsStartAndOnlyWithDots) {
  for (auto [heading, version] : std::vector<std::pair<const char*, const char*>>{
           {"2.21.0", "2.21.0"},
           {"v2.21.0 (2024-01-02)", "2.21.0"},
           {"[1.4.0] - 2024-01-02", "1.4.0"},
           {"Version 1.2", "1.2"},
           {"Jotunn 2.21.0", "2.21.0"},
           {"**V3.0.0-beta.2** - hotfix", "3.0.0"},
           {"[1.4.0](https://example.org/releases/1.4.0)", "1.4.0"},
           {"2024-01-02", ""},  // a date
           {"Update 3", ""},  // a number without dots
           {"1.2.3a", ""},
           {"Changes", ""},
           {"Fixed a crash with Valheim 0.217.46", ""},  // too far in: prose, not a version heading
       })
    EXPECT_EQ(headingVersion(heading).value_or(""), version) << heading;
}

TEST(Changelog, OnlySectionsNewerThanTheInstalledVersionAreShown) {
  struct Row {
    const char* what;
    std::string_view markdown;
    const char* installed;
    Slice expected;
  };
  const std::string crlf = "## 1.1.0\r\n- b\r\n\r\n## 1.0.0\r\n- a\r\n";
  const std::string fenced = "## 2.0.0\n```\n# 1.5.0 in a code block\n```\n## 1.0.0\n- a\n";
  const std::string setext = "Mod 2.0.0\n=========\n- b\n\nMod 1.0.0\n=========\n- a\n";
  const std::string oldestFirst = "## 1.0.0\n- a\n\n## 1.1.0\n- b\n\n## 1.2.0\n- c";
  // A title that names the version is no section of its own: the level most headings use wins.
  const std::string titled = "# MyMod v1.2.0\n\n## 1.2.0\n- c\n\n## 1.1.0\n- b\n\n## 1.0.0\n- a\n";
  const std::string nested = "## 2.0.0\n### 1.9.9 hotfix notes\n- x\n# Credits\nEveryone.\n## 1.0.0\n- a\n";
  const Row rows[] = {
      {"newest first, one behind",
       ChangelogSamples::versioned,
       "2.20.1",
       {"## 2.21.0\n* Configuration manager entries can be hidden.\n* Fixed custom pieces losing their "
        "icons.",
        true}},
      {"up to date: nothing is new", ChangelogSamples::versioned, "2.21.0", {"", true}},
      {"older than every section: the whole",
       ChangelogSamples::versioned,
       "2.19.0",
       {std::string(ChangelogSamples::versioned), false}},
      {"not installed: the whole",
       ChangelogSamples::versioned,
       "",
       {std::string(ChangelogSamples::versioned), false}},
      {"no version headings",
       ChangelogSamples::unversioned,
       "1.0.0",
       {std::string(ChangelogSamples::unversioned), false}},
      {"keep a changelog: no Unreleased, groups kept",
       ChangelogSamples::keepAChangelog,
       "1.3.2",
       {"## [1.4.0] - 2024-01-02\n### Added\n- Portals remember their tag.", true}},
      {"versions compare by number, not text",
       "## 1.10.0\n- b\n## 1.9.0\n- a\n",
       "1.9.0",
       {"## 1.10.0\n- b", true}},
      {"CRLF line ends", crlf, "1.0.0", {"## 1.1.0\r\n- b", true}},
      {"headings in code blocks are text",
       fenced,
       "1.0.0",
       {"## 2.0.0\n```\n# 1.5.0 in a code block\n```", true}},
      {"underlined headings", setext, "1.0.0", {"Mod 2.0.0\n=========\n- b", true}},
      {"oldest first keeps its order", oldestFirst, "1.0.0", {"## 1.1.0\n- b\n\n## 1.2.0\n- c", true}},
      {"a title naming the version", titled, "1.1.0", {"## 1.2.0\n- c", true}},
      {"a smaller version heading is content; a larger heading ends a section",
       nested,
       "1.0.0",
       {"## 2.0.0\n### 1.9.9 hotfix notes\n- x", true}},
  };
  for (const Row& row : rows) EXPECT_EQ(newerThan(row.markdown, row.installed), row.expected) << row.what;
}
