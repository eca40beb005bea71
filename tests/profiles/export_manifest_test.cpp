// The mod list inside a profile archive, read back by us and by r2modman's YAML reader.
#include <gtest/gtest.h>

#include "profiles/export_manifest.hpp"

using ProfileStore::parseExportManifest;
using ProfileStore::writeExportManifest;

TEST(ExportManifest, NamesYamlWouldMisreadAreQuotedAndEveryNameReadsBackExactly) {
  // Plain names stay plain; the rest would be cut at a comment, read as a mapping or a list,
  // lose their blanks or quotes, or break the line structure.
  const std::pair<std::string, std::string> names[] = {
      {"My Profile", "My Profile"},
      {"Ünïcode-ok", "Ünïcode-ok"},
      {"", ""},
      {"Mods #1", R"("Mods #1")"},
      {"Team: A", R"("Team: A")"},
      {"- list", R"("- list")"},
      {"  padded  ", R"("  padded  ")"},
      {"'single'", R"("'single'")"},
      {R"(say "hi")", R"("say \"hi\"")"},
      {"back\\slash:", R"("back\\slash:")"},
      {"two\nlines\r\x01", R"("two\nlines\x0D\x01")"},
  };
  for (const auto& [name, written] : names) {
    Profile profile{"P",          name,         {},
                    std::nullopt, std::nullopt, {{"A", name, "1.2.3", std::nullopt, true, true}}};
    const std::string text = writeExportManifest(profile);
    EXPECT_EQ(text.substr(0, text.find("\nmods:")), "profileName: " + written) << name;
    const auto read = parseExportManifest(text);
    EXPECT_EQ(read.profileName, name);
    ASSERT_EQ(read.entries.size(), 1u) << name;
    EXPECT_EQ(read.entries[0].name, "A-" + name);
    EXPECT_EQ(read.entries[0].version(), "1.2.3");
  }
}

TEST(ExportManifest, ReadsYamlQuotingAsOtherWritersUseIt) {
  auto read = parseExportManifest(
      "profileName: \"Tab\\there \\u00e9 \\\"q\\\" \\q\"\nmods:\n  - name: 'It''s-Mod'\n    version:\n"
      "      major: '5'\n    enabled: \"false\"\n  - name: \"Stray-Quote\n");
  EXPECT_EQ(read.profileName, "Tab\there é \"q\" \\q");
  ASSERT_EQ(read.entries.size(), 2u);
  EXPECT_EQ(read.entries[0].name, "It's-Mod");
  EXPECT_EQ(read.entries[0].version(), "5.0.0");
  EXPECT_FALSE(read.entries[0].enabled);
  EXPECT_EQ(read.entries[1].name, "Stray-Quote");
}
