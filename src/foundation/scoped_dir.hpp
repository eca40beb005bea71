#pragma once

#include <filesystem>
#include <utility>

#include "foundation/fs.hpp"

// A folder (or file) removed with everything in it when the scope ends, however it ends, unless
// kept. By default a fresh temporary folder.
class ScopedDir {
 public:
  ScopedDir() : path_(FS::tempDir()) {}
  explicit ScopedDir(std::filesystem::path path) : path_(std::move(path)) {}
  ~ScopedDir() {
    if (!kept_) FS::remove(path_);
  }
  ScopedDir(const ScopedDir&) = delete;
  ScopedDir& operator=(const ScopedDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  const std::filesystem::path& operator*() const { return path_; }
  // The scope succeeded: the folder stays, and whoever takes it over removes it.
  const std::filesystem::path& keep() {
    kept_ = true;
    return path_;
  }

 private:
  std::filesystem::path path_;
  bool kept_ = false;
};
