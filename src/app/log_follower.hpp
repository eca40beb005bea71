#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "diagnostics/log_reader.hpp"
#include "profiles/profile.hpp"

// Follows the loader's log of one launch on a worker thread: each read takes only the bytes added
// since the last one. The file as it was before the launch is not this launch's log; once it has
// changed it is. A file replaced (another inode) or cut shorter than what was read starts a new
// reader. Not thread-safe: one read at a time.
class LogFollower {
 public:
  // What a file was, to tell a fresh log from the one an earlier start left.
  struct Stamp {
    bool exists = false;
    uint64_t inode = 0;
    std::filesystem::file_time_type written{};
    uintmax_t size = 0;
    bool operator==(const Stamp&) const = default;
  };
  static Stamp stamp(const std::filesystem::path& file);

  LogFollower(std::filesystem::path file, Stamp before, Profile profile);

  // The report so far, or nothing while no fresh log is there. `ended`: the game has quit, so the
  // file ends here and a last line without its line end counts too.
  std::optional<Diagnostics::LaunchReport> read(bool ended = false);
  const std::filesystem::path& file() const { return file_; }

 private:
  std::filesystem::path file_;
  Stamp before_;
  Profile profile_;
  std::optional<Diagnostics::ModClues> clues_;  // gathered at the first fresh read
  std::optional<Diagnostics::LogReader> reader_;
  uint64_t inode_ = 0;
  uintmax_t offset_ = 0;
};
