// The pane's counted texts, shortened paths and captions, without QML.
#include <gtest/gtest.h>
#include <QTextBlock>
#include <QTextDocument>

#include "ui/pane_wording.hpp"

namespace {
using namespace PaneWording;

TEST(PaneWording, SummaryCountsModsAlwaysAndDependenciesOnlyWhenThereAreSome) {
  EXPECT_EQ(summary(1, 0), "1 mod");
  EXPECT_EQ(summary(3, 1), "3 mods · 1 dependency");
  EXPECT_EQ(summary(0, 4), "0 mods · 4 dependencies");
  EXPECT_EQ(summary(0, 0), "0 mods");
}

TEST(PaneWording, GameFolderIsShortenedUnderHomeAndSteam) {
  const QString home = "/Users/ada";
  EXPECT_EQ(shortPath("/Users/ada/Library/Application Support/Steam/steamapps/common/Valheim", home),
            "~/Library/…/Steam/steamapps/common/Valheim");
  EXPECT_EQ(shortPath("/Users/ada/Games/Valheim", home), "~/Games/Valheim");
  // Only the home folder itself, not a folder whose name merely starts like it.
  EXPECT_EQ(shortPath("/Users/adam/Library/Application Support/Steam/x", home),
            "/Users/adam/Library/Application Support/Steam/x");
  EXPECT_EQ(shortPath("/Volumes/Games/Valheim", home), "/Volumes/Games/Valheim");
}

TEST(PaneWording, AlsoInstallsLeavesOutEveryLoaderPackAndShowsNamesWithSpaces) {
  EXPECT_EQ(alsoInstalls({"denikson-BepInExPack_Valheim-5.4.2202", "Odin-Mod_Settings-1.1.4",
                          "Someone-BepInExPack_Valheim-1.0.0", "ValheimModding-Jotunn-2.20.0"}),
            "Mod Settings, Jotunn");
  EXPECT_EQ(alsoInstalls({"denikson-BepInExPack_Valheim-5.4.2202"}), "");
}

TEST(PaneWording, UpdateBannerFallsBackToTheWebsite) {
  EXPECT_EQ(updateMessage("", "https://quernhold.app/"), "Get it from quernhold.app.");
  EXPECT_EQ(updateMessage("Faster.", "https://quernhold.app/"), "Faster.");
  EXPECT_EQ(updatePage("", "https://quernhold.app/"), "https://quernhold.app/");
  EXPECT_EQ(updatePage("not an address", "https://quernhold.app/"), "https://quernhold.app/");
  EXPECT_EQ(updatePage("https://quernhold.app/0.2", "https://quernhold.app/"), "https://quernhold.app/0.2");
}

TEST(PaneWording, OnlyWebAddressesLeaveTheAppFromAReadme) {
  EXPECT_TRUE(isWebLink("https://thunderstore.io/"));
  EXPECT_FALSE(isWebLink("javascript:alert(1)"));
  EXPECT_FALSE(isWebLink("file:///etc/passwd"));
  EXPECT_FALSE(isWebLink("#features"));
}

TEST(PaneWording, AReadmeShowsNoPictures) {
  EXPECT_EQ(readmeText("Intro ![Banner](https://x.io/b.gif \"t\") end"),
            "Intro [Banner](https://x.io/b.gif \"t\") end");
  EXPECT_EQ(readmeText("![](https://x.io/a.png)![ ][ref]"), "[Image](https://x.io/a.png)[Image][ref]");
  EXPECT_EQ(readmeText("[![Discord](https://img/badge.svg)](https://discord.gg/x)"),
            "[Discord](https://discord.gg/x)");
  EXPECT_EQ(readmeText(R"(<a href="https://x.io"><IMG src="b.png" alt="Site & more"></a><img src="c.png">)"),
            R"(<a href="https://x.io">Site &amp; more</a>)");
  EXPECT_EQ(readmeText("No [link](https://x.io) or ! [text] changes"),
            "No [link](https://x.io) or ! [text] changes");
}
// Headings are drawn at body size and bold, in Markdown and HTML alike; code keeps its hashes.
TEST(PaneWording, AReadmeHasNoHeadingLargerThanTheSheetsTitle) {
  const QString readme = readmeText(
      "# Valheim Plus #\nIntro\n## Features\n#hashtag stays\n```\n# a comment in code\n```\n"
      "Install\n=======\nUsage\n---\n<h1 align=\"center\">Big</h1>");
  EXPECT_EQ(readme,
            "**Valheim Plus**\nIntro\n**Features**\n#hashtag stays\n```\n# a comment in code\n```\n"
            "**Install**\n\n**Usage**\n\n<p><b>Big</b></p>");
  QTextDocument document;
  document.setMarkdown(readme);
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
    EXPECT_EQ(block.blockFormat().headingLevel(), 0) << block.text().toStdString();
}
}  // namespace
