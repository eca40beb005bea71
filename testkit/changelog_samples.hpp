#pragma once

#include <string_view>

// Changelogs in the shapes mod authors write them, for the fake catalogue (setChangelog) in tests
// and preview scenes.
namespace ChangelogSamples {
// A title, then one section per version under "##" headings, newest first.
inline constexpr std::string_view versioned =
    "# Changelog\n"
    "\n"
    "## 2.21.0\n"
    "* Configuration manager entries can be hidden.\n"
    "* Fixed custom pieces losing their icons.\n"
    "\n"
    "## 2.20.1\n"
    "* Fixed a crash when a mod registers no items.\n"
    "\n"
    "## 2.20.0\n"
    "* Works with the game's spring update.\n";

// Keep a Changelog: bracketed versions and dates, an "Unreleased" section, "###" groups inside.
inline constexpr std::string_view keepAChangelog =
    "# Changelog\n"
    "All notable changes to this mod are documented here.\n"
    "\n"
    "## [Unreleased]\n"
    "\n"
    "## [1.4.0] - 2024-01-02\n"
    "### Added\n"
    "- Portals remember their tag.\n"
    "\n"
    "## [1.3.2] - 2023-11-20\n"
    "### Fixed\n"
    "- Tags with spaces.\n";

// Prose and a list, no version headings: always shown whole.
inline constexpr std::string_view unversioned =
    "Thanks for all the reports!\n"
    "\n"
    "- Fewer stutters when many ships are loaded.\n"
    "- Works with the latest game patch.\n";

// Written as HTML, which the sheet shows as it is.
inline constexpr std::string_view html =
    "<h2>1.0.1</h2>\n<ul><li>Fixed the anvil.</li></ul>\n<h2>1.0.0</h2>\n<p>First release.</p>\n";
}  // namespace ChangelogSamples
