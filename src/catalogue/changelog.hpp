#pragma once

#include <optional>
#include <string>
#include <string_view>

// A changelog cut down to what changed since the version a player has. Authors write them in
// every shape; only Markdown headings that name a version divide one into sections, and anything
// else (no such headings, HTML) is shown whole.
namespace Changelog {
// The version a heading names: the first of its first three words that reads as one, as digits
// with dots between them, maybe after a "v" and inside brackets: "2.21.0", "v2.21.0 (2024-01-02)",
// "[1.4.0] - 2024-01-02", "Version 1.2", "Jotunn 2.21.0". A suffix is dropped ("2.0.0-beta" is
// 2.0.0); a date ("2024-01-02") or a lone number is no version.
std::optional<std::string> headingVersion(std::string_view heading);

struct Slice {
  std::string markdown;  // what to show
  bool cut = false;  // sections were left out, so there is more to show
  bool operator==(const Slice&) const = default;
};

// The sections whose version is newer than `installed`, in the changelog's order. Sections start
// at the version headings of the level most of them use (a title that names the version does not
// swallow the rest) and end at the next heading as large. Text outside them (a title, an
// introduction, "Unreleased") shows only with the whole. The whole text, not cut, when there are
// no version headings, no installed version, or every section is newer.
Slice newerThan(std::string_view markdown, std::string_view installed);
}  // namespace Changelog
