#include <gtest/gtest.h>

#include <fstream>

#include "foundation/fs.hpp"
#include "foundation/paths.hpp"
#include "profiles/profile_store.hpp"

namespace fs = std::filesystem;
using namespace std::chrono;

namespace {
Date at(int y, unsigned mo, unsigned d, int h, int mi, int s, int64_t us = 0) {
  return sys_days{year{y} / month{mo} / day{d}} + hours{h} + minutes{mi} + seconds{s} +
         microseconds{us};
}

void put(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << text;
}

Profile sample() {
  return {"0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3",
          "Main",
          at(2024, 3, 1, 10, 20, 30, 456789),
          "5.4.2100",
          "5.4.2200",
          {{"RandyKnapp", "Epic_Loot", "0.9.30", "0.9.29", false, true},
           {"ValheimModding", "Jotunn", "2.20.1", std::nullopt, true, false}}};
}

const char* const sampleFile = R"({
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
    },
    {
      "enabled": true,
      "explicit": false,
      "name": "Jotunn",
      "ns": "ValheimModding",
      "version": "2.20.1"
    }
  ],
  "name": "Main",
  "packInstalled": "5.4.2200",
  "packVersion": "5.4.2100"
})";

Profile truncated(Profile p) {
  p.created = floor<seconds>(p.created);
  return p;
}
}  // namespace

TEST(ProfileFile, IsIndentedWithSortedKeysAndReadsBackToTheSecond) {
  Profile profile = sample();
  ProfileStore::save(profile);
  EXPECT_EQ(FS::readFile(profile.dir() / "profile.json"), sampleFile);
  auto loaded = ProfileStore::loadAll();
  ASSERT_EQ(loaded.size(), 1u);
  EXPECT_EQ(loaded[0], truncated(profile));

  // Absent values are left out, never written as null.
  Profile bare{"B", "Bare", at(2024, 1, 2, 3, 4, 5), std::nullopt, std::nullopt, {}};
  EXPECT_EQ(ProfileStore::encodeProfile(bare),
            "{\n  \"created\": \"2024-01-02T03:04:05Z\",\n  \"id\": \"B\",\n  \"mods\": [],\n"
            "  \"name\": \"Bare\"\n}");
  EXPECT_EQ(ProfileStore::decodeProfile(ProfileStore::encodeProfile(bare)), bare);
}

TEST(ProfileFile, DecodingRequiresEveryAlwaysWrittenKey) {
  const std::string mod = R"({"ns":"A","name":"B","version":"1.0.0","explicit":true,"enabled":true})";
  auto profile = [](const std::string& mods, const std::string& extra = "") {
    return R"({"id":"X","name":"N","created":"2024-01-02T03:04:05Z","mods":[)" + mods + "]" +
           extra + "}";
  };
  // "installed", "packVersion" and "packInstalled" may be missing or null.
  auto p = ProfileStore::decodeProfile(profile(mod, R"(,"packVersion":null)"));
  ASSERT_EQ(p.mods.size(), 1u);
  EXPECT_EQ(p.mods[0].installed, std::nullopt);
  EXPECT_EQ(p.packVersion, std::nullopt);

  std::string withoutEnabled = R"({"ns":"A","name":"B","version":"1.0.0","explicit":true})";
  EXPECT_ANY_THROW(ProfileStore::decodeProfile(profile(withoutEnabled)));
  EXPECT_ANY_THROW(ProfileStore::decodeProfile(profile(mod, R"(,"packInstalled":5)")));
  EXPECT_ANY_THROW(ProfileStore::decodeProfile(
      R"({"id":"X","name":"N","created":"yesterday","mods":[]})"));
  EXPECT_ANY_THROW(ProfileStore::decodeProfile(R"({"id":"X","name":7,"created":"2024-01-02T03:04:05Z","mods":[]})"));
  EXPECT_ANY_THROW(ProfileStore::decodeProfile(R"({"id":"X","name":"N","created":"2024-01-02T03:04:05Z"})"));
}

TEST(ProfileStore, LoadAllSkipsWhatItCannotReadAndSortsByCreation) {
  EXPECT_TRUE(ProfileStore::loadAll().empty());
  EXPECT_FALSE(fs::exists(Paths::profiles())) << "loading must not create the profiles folder";

  // Folder names and profile names run against the creation order.
  auto make = [](const std::string& id, const std::string& name, int second) {
    Profile p{id, name, at(2024, 5, 6, 7, 8, second), std::nullopt, std::nullopt, {}};
    ProfileStore::save(p);
    return p;
  };
  Profile c = make("A-third", "Alpha", 3), a = make("C-first", "Zulu", 1), b = make("B-second", "Mike", 2);
  fs::create_directories(Paths::profiles() / "no-profile-file");
  put(Paths::profiles() / "stray.txt", "hello");
  put(Paths::profiles() / "damaged" / "profile.json", "{\"id\": ");
  put(Paths::profiles() / "no-enabled" / "profile.json",
      R"({"id":"Q","name":"N","created":"2024-01-02T03:04:05Z","mods":[{"ns":"A","name":"B","version":"1","explicit":true}]})");

  EXPECT_EQ(ProfileStore::loadAll(), (std::vector<Profile>{a, b, c}));
  EXPECT_TRUE(fs::exists(Paths::profiles() / "damaged" / "profile.json")) << "nothing is repaired";
}

TEST(ProfileStore, CreateDuplicateAndDelete) {
  Profile original = ProfileStore::create("Main");
  EXPECT_EQ(original.id.size(), 36u);
  EXPECT_EQ(original.id.find_first_of("abcdef"), std::string::npos) << "upper-case UUID";
  EXPECT_TRUE(fs::is_directory(original.bepinex()));
  EXPECT_TRUE(original.mods.empty() && !original.packVersion && !original.packInstalled);

  original.mods.push_back({"ns", "Some_Mod", "1.2.3", "1.2.3", true, true});
  original.packInstalled = "5.4.2200";
  ProfileStore::save(original);
  put(original.bepinex() / "plugins" / "ns-Some_Mod" / "mod.dll", "dll bytes");
  put(original.metaDir() / "ns-Some_Mod.json", "{}");
  fs::create_symlink("plugins/ns-Some_Mod", original.bepinex() / "link");

  Profile copy = ProfileStore::duplicate(original, "Main copy");
  EXPECT_NE(copy.id, original.id);
  EXPECT_EQ(copy.name, "Main copy");
  EXPECT_GE(copy.created, original.created);
  EXPECT_EQ(copy.mods, original.mods);
  EXPECT_EQ(copy.packInstalled, original.packInstalled);
  EXPECT_EQ(FS::readFile(copy.bepinex() / "plugins" / "ns-Some_Mod" / "mod.dll"), "dll bytes");
  EXPECT_EQ(FS::readFile(copy.metaDir() / "ns-Some_Mod.json"), "{}");
  EXPECT_EQ(fs::read_symlink(copy.bepinex() / "link"), "plugins/ns-Some_Mod");
  EXPECT_EQ(ProfileStore::decodeProfile(FS::readFile(copy.dir() / "profile.json")), truncated(copy));
  EXPECT_EQ(ProfileStore::loadAll().size(), 2u);

  ProfileStore::deleteProfile(original);
  ProfileStore::deleteProfile(original);  // already gone: nothing happens
  EXPECT_FALSE(fs::exists(original.dir()));
  EXPECT_EQ(ProfileStore::loadAll(), std::vector<Profile>{truncated(copy)});

  EXPECT_EQ(copy.mods[0].displayName(), "Some Mod");
  EXPECT_EQ(copy.mods[0].id(), "ns-Some_Mod");
}

TEST(ProfileStore, FailedSaveLeavesThePreviousFileWhole) {
  Profile profile = sample();
  ProfileStore::save(profile);
  profile.name = "Bad \xFF name";  // not UTF-8: the record cannot be encoded
  EXPECT_ANY_THROW(ProfileStore::save(profile));
  EXPECT_EQ(FS::readFile(profile.dir() / "profile.json"), sampleFile);
}

TEST(Settings, FallBackToTheLegacyGameFolderFile) {
  EXPECT_EQ(ProfileStore::loadSettings(), Settings{});

  put(Paths::support() / "game_dir", "  /Games/Valheim\n");
  EXPECT_EQ(ProfileStore::loadSettings(), (Settings{"/Games/Valheim", std::nullopt}));

  put(Paths::settings(), "not json");
  EXPECT_EQ(ProfileStore::loadSettings(), (Settings{"/Games/Valheim", std::nullopt}));

  put(Paths::settings(), R"({"activeProfile":"P1"})");
  EXPECT_EQ(ProfileStore::loadSettings(), (Settings{std::nullopt, "P1"}));
  EXPECT_EQ(FS::readFile(Paths::support() / "game_dir"), "  /Games/Valheim\n");
}

TEST(Settings, AreWrittenCompactWithAbsentValuesLeftOut) {
  ProfileStore::saveSettings({});
  EXPECT_EQ(FS::readFile(Paths::settings()), "{}");

  Settings both{"/Games/Valheim", "P1"};
  ProfileStore::saveSettings(both);
  EXPECT_EQ(FS::readFile(Paths::settings()), R"({"activeProfile":"P1","gameDir":"/Games/Valheim"})");
  EXPECT_EQ(ProfileStore::loadSettings(), both);

  ProfileStore::saveSettings({"\xFF", std::nullopt});  // cannot be encoded: nothing is written
  EXPECT_EQ(ProfileStore::loadSettings(), both);
}
