#include <gtest/gtest.h>

#include "foundation/fs.hpp"
#include "foundation/paths.hpp"
#include "profiles/profile_store.hpp"

namespace fs = std::filesystem;

namespace {
Date at(const char* iso) { return *Dates::parseISO8601(iso); }

void put(const fs::path& file, const std::string& text) {
  FS::mkdir(file.parent_path());
  FS::writeAtomic(file, text);
}
}  // namespace

TEST(ProfileFile, IsIndentedWithSortedKeysLeavesAbsentValuesOutAndOutlivesAFailedSave) {
  Profile profile{"0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3", "Main",
                  at("2024-03-01T10:20:30Z") + std::chrono::microseconds(456789), "5.4.2100", std::nullopt,
                  {{"RandyKnapp", "Epic_Loot", "0.9.30", "0.9.29", false, true}}};
  const std::string file = R"({
  "created": "2024-03-01T10:20:30Z",
  "id": "0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3",
  "mods": [
    {
      "enabled": false,
      "explicit": true,
      "installed": "0.9.29",
      "name": "Epic_Loot",
      "ns": "RandyKnapp",
      "version": "0.9.30"
    }
  ],
  "name": "Main",
  "packVersion": "5.4.2100"
})";
  ProfileStore::save(profile);
  EXPECT_EQ(FS::readFile(profile.dir() / "profile.json"), file);
  profile.created = at("2024-03-01T10:20:30Z");  // whole seconds are kept
  EXPECT_EQ(ProfileStore::loadAll(), std::vector<Profile>{profile});
  profile.name = "Bad \xFF name";  // not UTF-8: the record cannot be encoded
  EXPECT_ANY_THROW(ProfileStore::save(profile));
  EXPECT_EQ(FS::readFile(profile.dir() / "profile.json"), file);
}

TEST(ProfileStore, LoadAllSkipsWhatItCannotReadAndSortsByCreation) {
  // Folder names and profile names run against the creation order.
  std::vector<Profile> made;
  for (auto [id, name, when] : {std::tuple{"A-third", "Alpha", "2024-05-06T07:08:03Z"},
                                {"C-first", "Zulu", "2024-05-06T07:08:01Z"},
                                {"B-second", "Mike", "2024-05-06T07:08:02Z"}}) {
    made.push_back({id, name, at(when), std::nullopt, std::nullopt, {}});
    ProfileStore::save(made.back());
  }
  fs::create_directories(Paths::profiles() / "no-profile-file");
  put(Paths::profiles() / "damaged" / "profile.json", "{\"id\": ");

  EXPECT_EQ(ProfileStore::loadAll(), (std::vector<Profile>{made[1], made[2], made[0]}));
  EXPECT_EQ(FS::readFile(Paths::profiles() / "damaged" / "profile.json"), "{\"id\": ") << "nothing is repaired";
}

TEST(Settings, AreWrittenCompactAndFallBackToTheLegacyGameFolderFile) {
  Settings both{"/Games/Valheim", "P1"};
  ProfileStore::saveSettings(both);
  EXPECT_EQ(FS::readFile(Paths::settings()), R"({"activeProfile":"P1","gameDir":"/Games/Valheim"})");
  EXPECT_EQ(ProfileStore::loadSettings(), both);

  put(Paths::support() / "game_dir", "  /Games/Old\n");
  put(Paths::settings(), "not json");
  EXPECT_EQ(ProfileStore::loadSettings(), (Settings{"/Games/Old", std::nullopt}));
  put(Paths::settings(), R"({"activeProfile":"P1"})");
  EXPECT_EQ(ProfileStore::loadSettings(), (Settings{std::nullopt, "P1"}));
}
