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

TEST(ExportManifest, HoldsOfListedModsFollowAsIgnoredUpdatesAndReadBackAtTheirEntrysVersion) {
  Profile profile{
      "P",
      "Held",
      {},
      "5.4.2202",
      std::nullopt,
      {{"A", "Mod", "2.0.0", "1.5.0", true, true}, {"B", "Mod", "1.0.0", std::nullopt, true, true}}};
  const std::string text = writeExportManifest(profile, {{"A-Mod", "1.5.0"}, {"Gone-Mod", "3.0.0"}});
  EXPECT_TRUE(text.ends_with("    enabled: true\nignoredUpdates:\n  - A-Mod\n")) << text;
  const auto read = parseExportManifest(text);
  EXPECT_EQ(read.ignoredUpdates, std::vector<std::string>{"A-Mod"});
  EXPECT_EQ(ProfileStore::heldVersions(read), (HeldVersions{{"A-Mod", "1.5.0"}}));
  EXPECT_EQ(writeExportManifest(profile), writeExportManifest(profile, {{"Gone-Mod", "3.0.0"}}))
      << "no holds of listed mods, no ignoredUpdates line";
}

// Exports as r2modman (two-space list indent) and Gale (lists at the key's indent, keys in another
// order) write them; both read the same, and their hold lists in every form YAML allows.
TEST(ExportManifest, OtherManagersExportsReadUnchangedWithOrWithoutHolds) {
  const std::string r2modman =
      "profileName: Friends\nmods:\n"
      "  - name: denikson-BepInExPack_Valheim\n    version:\n      major: 5\n      minor: 4\n"
      "      patch: 2202\n    enabled: true\n"
      "  - name: ValheimModding-Jotunn\n    version:\n      major: 2\n      minor: 20\n      patch: 0\n"
      "    enabled: false\n";
  const std::string gale =
      "profileName: Friends\nmods:\n"
      "- name: denikson-BepInExPack_Valheim\n  enabled: true\n  version:\n    major: 5\n    minor: 4\n"
      "    patch: 2202\n"
      "- name: ValheimModding-Jotunn\n  enabled: false\n  version:\n    major: 2\n    minor: 20\n    patch: "
      "0\n";
  const std::vector<ProfileStore::ExportEntry> entries{{"denikson-BepInExPack_Valheim", {5, 4, 2202}, true},
                                                       {"ValheimModding-Jotunn", {2, 20, 0}, false}};
  const HeldVersions held{{"ValheimModding-Jotunn", "2.20.0"}};
  const std::pair<std::string, HeldVersions> cases[] = {
      {r2modman, {}},
      {gale, {}},
      {gale + "ignoredUpdates: []\n", {}},
      {r2modman + "ignoredUpdates:\n  - ValheimModding-Jotunn\n  - Not-Listed\n", held},
      {gale + "ignoredUpdates:\n- 'ValheimModding-Jotunn'\n", held},
      {"ignoredUpdates: [\"ValheimModding-Jotunn\", Not-Listed]\n" + gale, held},
  };
  for (const auto& [text, holds] : cases) {
    const auto read = parseExportManifest(text);
    EXPECT_EQ(read.profileName, "Friends");
    EXPECT_EQ(read.entries, entries) << text;
    EXPECT_EQ(ProfileStore::heldVersions(read), holds) << text;
  }
}
