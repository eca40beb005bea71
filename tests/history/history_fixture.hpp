#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "foundation/fs.hpp"
#include "history/history.hpp"
#include "profiles/profile_store.hpp"

// A profile with a loader pack, two mods and a config folder of settings and plain files.
class HistoryTest : public testing::Test {
 protected:
  void SetUp() override {
    profile = ProfileStore::create("Main");
    profile.packVersion = profile.packInstalled = "5.4.2202";
    profile.mods = {{"ValheimModding", "Jotunn", "2.20.0", "2.20.0", true, false},
                    {"Azumatt", "BetterArchery", "1.9.0", "1.9.0", true, true}};
    ProfileStore::save(profile);
    profile =
        ProfileStore::decodeProfile(FS::readFile(dir() / "profile.json"));  // whole seconds, as read back
    put("BepInEx.cfg", "[Logging]\n\nEnabled = true\n\n[Chainloader]\n\nHideManagerGameObject = false\n");
    put("sub/plans.json", "{}");
  }
  void TearDown() override { ProfileStore::deleteProfile(profile); }

  std::filesystem::path dir() const { return profile.dir(); }
  std::filesystem::path config() const { return profile.bepinex() / "config"; }
  void put(const std::string& file, const std::string& bytes) const {
    FS::mkdir((config() / file).parent_path());
    FS::writeAtomic(config() / file, bytes);
  }
  void save() const { ProfileStore::save(profile); }

  // What a snapshot keeps: the record and every config file, by path in the profile folder.
  std::map<std::string, std::string> files() const {
    std::map<std::string, std::string> out{{"profile.json", FS::readFile(dir() / "profile.json")}};
    if (FS::isDirectory(config()))
      for (const auto& entry : std::filesystem::recursive_directory_iterator(config()))
        if (entry.is_regular_file())
          out["config/" + entry.path().lexically_relative(config()).generic_string()] =
              FS::readFile(entry.path());
    return out;
  }
  size_t count(const std::string& folder) const {
    const auto at = dir() / "history" / folder;
    return FS::isDirectory(at) ? size_t(std::distance(std::filesystem::directory_iterator(at), {})) : 0;
  }

  Profile profile;
};
