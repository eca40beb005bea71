#pragma once

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include "foundation/app_error.hpp"

// Small file-system operations on absolute locations.
namespace FS {
using std::filesystem::path;

bool exists(const path& p);  // follows links; a dangling link is absent
bool isDirectory(const path& p);  // a link to a folder counts
bool isSymlink(const path& p);  // the path itself is a link
// The names in a folder, of what exists (links followed, as `exists`); none when it cannot be read.
std::set<std::string> names(const path& folder);
void mkdir(const path& p);  // with intermediates; an existing folder is fine
void remove(const path& p) noexcept;  // folder with content, or the link itself; failures swallowed
void move(const path& from, const path& to);  // replaces `to`, makes its parent folder

// A new, empty folder "quernhold-<UUID>" in the user's temporary folder. The caller removes it.
path tempDir();

// Merges the content of `of` into `into`; see fs.cpp for the rules.
void copyContents(const path& of, const path& into, bool overwrite,
                  const std::set<std::string>& skipTopLevel = {});

// What one unpack may write. Archives come from strangers: a few bytes can declare gigabytes.
// Past a bound the unpack stops and removes what it wrote. Besides these, an entry that has
// written more than 1 MiB may not expand more than 200 times its compressed bytes.
struct UnpackLimits {
  uint64_t maxBytes;  // file bytes written, all entries together
  uint64_t maxEntries;  // entries read, refused ones included
};
inline constexpr UnpackLimits modArchiveLimits{4ull << 30, 50'000};
inline constexpr UnpackLimits profileArchiveLimits{64ull << 20, 50'000};

// Unpacks a zip archive into `to`, never writing outside it, and repairs backslash names.
// Every file must hold exactly the bytes its entry declares. Throws UnpackError ("Couldn’t unpack
// <file name>.") when the archive cannot be unpacked, and a sentence that calls it damaged or
// unsafe when it passes a bound.
struct UnpackError : AppError {
  using AppError::AppError;
};
void unzip(const path& archive, const path& to, const UnpackLimits& limits = modArchiveLimits);

// Whether a zip archive holds an entry of exactly this name; false when it cannot be read.
bool zipHasEntry(const path& archive, std::string_view name) noexcept;

// Writes a deflate zip of everything inside `folder` (names relative to it, no "./") to `archive`.
void zip(const path& folder, const path& archive);

// Whole-file helpers. readFile throws the platform's error, and file_too_large (EFBIG)
// for a file longer than `maxBytes`, before reading it all.
std::string readFile(const path& p, size_t maxBytes = SIZE_MAX);
// Writes to a temporary file in the same folder, then renames it over `p`:
// a crash or a full disk leaves the old file whole.
void writeAtomic(const path& p, std::string_view bytes);
// Removes the temporary files of writeAtomic calls for `p` that a crash interrupted (".<name>.XXXXXX"
// beside it) once they are a minute old: a younger one may belong to a save in progress.
void removeStaleTemporaries(const path& p) noexcept;
}  // namespace FS
