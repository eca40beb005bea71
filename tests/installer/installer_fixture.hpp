#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "profiles/profile.hpp"
#include "support/temp_home.hpp"

namespace fs = std::filesystem;

inline void writeFile(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline std::string readFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every file under `root`, as sorted relative paths ("BepInEx/plugins/a-b/x.dll").
inline std::vector<std::string> filesUnder(const fs::path& root) {
  std::vector<std::string> files;
  if (!fs::exists(root)) return files;
  for (const auto& e : fs::recursive_directory_iterator(root))
    if (!e.is_directory()) files.push_back(fs::relative(e.path(), root).generic_string());
  std::sort(files.begin(), files.end());
  return files;
}

// A profile with its folder made, and a game folder beside it, both inside the test's home.
class InstallerTest : public testing::Test {
 protected:
  // Runs before the fixtures' members are made, so each test starts from an empty home even when
  // several share one process.
  InstallerTest() { TestHome::clear(); }
  void SetUp() override {
    profile.id = "0A1B2C3D-0000-4000-8000-000000000001";
    profile.name = "Test";
    fs::create_directories(profile.bepinex());
    game = TestHome::path() / "Valheim";
    // Work folders land here, where a test can see that none is left behind.
    fs::create_directories(tmp());
    setenv("TMPDIR", tmp().c_str(), 1);
  }
  Profile profile;
  fs::path game;
  fs::path P() const { return profile.dir(); }
  static fs::path tmp() { return TestHome::path() / "tmp"; }
};
