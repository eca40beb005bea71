#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

// Small file-system operations on absolute locations.
namespace FS {
using std::filesystem::path;

bool exists(const path& p);       // follows links; a dangling link is absent
bool isDirectory(const path& p);  // a link to a folder counts
bool isSymlink(const path& p);    // the path itself is a link
void mkdir(const path& p);        // with intermediates; an existing folder is fine
void remove(const path& p) noexcept;  // folder with content, or the link itself; failures swallowed
void move(const path& from, const path& to);  // replaces `to`, makes its parent folder

// A new, empty folder "quernhold-<UUID>" in the user's temporary folder. The caller removes it.
path tempDir();

// Merges the content of `of` into `into`; see fs.cpp for the rules.
void copyContents(const path& of, const path& into, bool overwrite,
                  const std::set<std::string>& skipTopLevel = {});

// Unpacks a zip archive into `to`, never writing outside it, and repairs backslash names.
// Throws AppError("Couldn’t unpack <file name>.") when the archive cannot be unpacked.
void unzip(const path& archive, const path& to);

// Writes a deflate zip of everything inside `folder` (names relative to it, no "./") to `archive`.
void zip(const path& folder, const path& archive);

// Whole-file helpers. readFile throws the platform's error.
std::string readFile(const path& p);
// Writes to a temporary file in the same folder, then renames it over `p`:
// a crash or a full disk leaves the old file whole.
void writeAtomic(const path& p, std::string_view bytes);
}  // namespace FS
