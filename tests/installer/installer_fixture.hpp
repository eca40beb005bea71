#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "foundation/fs.hpp"
#include "foundation/paths.hpp"
#include "profiles/profile.hpp"
#include "temp_home.hpp"

namespace fs = std::filesystem;
using Files = std::vector<std::string>;
using FS::readFile;

inline void writeFile(const fs::path& p, const std::string& bytes) {
  FS::mkdir(p.parent_path());
  FS::writeAtomic(p, bytes);
}

// Every file under `root`, as sorted relative paths ("BepInEx/plugins/a-b/x.dll").
inline Files filesUnder(const fs::path& root) {
  Files files;
  for (const auto& e : fs::recursive_directory_iterator(root))
    if (!e.is_directory()) files.push_back(fs::relative(e.path(), root).generic_string());
  std::sort(files.begin(), files.end());
  return files;
}

inline bool logHas(const std::string& text) {
  return readFile(Paths::logFile()).find(text) != std::string::npos;
}

// A profile with its folder made and a game folder beside it, in an empty home. Work folders land
// in tmp(), where a test can see that none is left behind.
class InstallerTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(profile.bepinex());
    fs::create_directories(tmp());
    setenv("TMPDIR", tmp().c_str(), 1);
  }
  Profile profile{.id = "0A1B2C3D-0000-4000-8000-000000000001", .name = "Test"};
  const fs::path game = TestHome::path() / "Valheim";
  fs::path P() const { return profile.dir(); }
  static fs::path tmp() { return TestHome::path() / "tmp"; }
};
