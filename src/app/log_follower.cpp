#include "app/log_follower.hpp"

#include <sys/stat.h>

#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

LogFollower::Stamp LogFollower::stamp(const fs::path& file) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) return {};
  std::error_code ec;
  const auto written = fs::last_write_time(file, ec);
  return {true, static_cast<uint64_t>(st.st_ino), ec ? fs::file_time_type{} : written,
          static_cast<uintmax_t>(st.st_size)};
}

LogFollower::LogFollower(fs::path file, Stamp before, Profile profile)
    : file_(std::move(file)), before_(before), profile_(std::move(profile)) {}

std::optional<Diagnostics::LaunchReport> LogFollower::read(bool ended) {
  const Stamp now = stamp(file_);
  // Gone (the loader recreates it) or still the last start's: the report stays as it was.
  if (!now.exists || (!reader_ && now == before_)) return std::nullopt;
  if (!clues_) clues_ = Diagnostics::ModClues::gather(profile_, profile_.dir());
  if (!reader_ || now.inode != inode_ || now.size < offset_) {
    reader_.emplace(*clues_);
    inode_ = now.inode;
    offset_ = 0;
  }
  std::ifstream in(file_, std::ios::binary);
  if (!in) throw std::system_error(errno, std::generic_category(), file_.string());
  in.seekg(static_cast<std::streamoff>(offset_));
  std::string piece(1 << 20, '\0');
  while (in.read(piece.data(), static_cast<std::streamsize>(piece.size())) || in.gcount() > 0) {
    const auto got = static_cast<size_t>(in.gcount());
    reader_->append(std::string_view(piece).substr(0, got));
    offset_ += got;
  }
  if (ended) reader_->finish();
  return reader_->report();
}
