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

Profile sample() {
  return {"0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3",
          "Main",
          at("2024-03-01T10:20:30Z") + std::chrono::microseconds(456789),
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

// profile.json keeps whole seconds.
Profile truncated(Profile p) {
  p.created = std::chrono::floor<std::chrono::seconds>(p.created);
  return p;
}
}  // namespace

TEST(ProfileFile, IsIndentedWithSortedKeysReadsBackToTheSecondAndOutlivesAFailedSave) {
  Profile profile = sample();
  ProfileStore::save(profile);
  EXPECT_EQ(FS::readFile(profile.dir() / "profile.json"), sampleFile);
  EXPECT_EQ(ProfileStore::loadAll(), std::vector<Profile>{truncated(profile)});
  profile.name = "Bad \xFF name";  // not UTF-8: the record cannot be encoded
  EXPECT_ANY_THROW(ProfileStore::save(profile));
  EXPECT_EQ(FS::readFile(profile.dir() / "profile.json"), sampleFile);

  // Absent values are left out, never written as null.
  Profile bare{"B", "Bare", at("2024-01-02T03:04:05Z"), std::nullopt, std::nullopt, {}};
  EXPECT_EQ(ProfileStore::encodeProfile(bare),
            "{\n  \"created\": \"2024-01-02T03:04:05Z\",\n  \"id\": \"B\",\n  \"mods\": [],\n"
            "  \"name\": \"Bare\"\n}");
}

TEST(ProfileFile, DecodingRequiresEveryAlwaysWrittenKey) {
  auto profile = [](const std::string& mod, const std::string& extra = "") {
    return R"({"id":"X","name":"N","created":"2024-01-02T03:04:05Z","mods":[)" + mod + "]" + extra + "}";
  };
  const std::string mod = R"({"ns":"A","name":"B","version":"1.0.0","explicit":true)";
  // "installed", "packVersion" and "packInstalled" may be missing or null.
  EXPECT_EQ(ProfileStore::decodeProfile(profile(mod + R"(,"enabled":false})", R"(,"packVersion":null)")),
            (Profile{"X", "N", at("2024-01-02T03:04:05Z"), std::nullopt, std::nullopt,
                     {{"A", "B", "1.0.0", std::nullopt, false, true}}}));
  for (const std::string& bad :
       {profile(mod + "}"), profile(mod + R"(,"enabled":true})", R"(,"packInstalled":5)"),
        std::string(R"({"id":"X","name":"N","created":"yesterday","mods":[]})"),
        std::string(R"({"id":"X","name":7,"created":"2024-01-02T03:04:05Z","mods":[]})"),
        std::string(R"({"id":"X","name":"N","created":"2024-01-02T03:04:05Z"})")})
    EXPECT_ANY_THROW(ProfileStore::decodeProfile(bad)) << bad;
}

TEST(ProfileStore, LoadAllSkipsWhatItCannotReadAndSortsByCreation) {
  EXPECT_TRUE(ProfileStore::loadAll().empty());
  EXPECT_FALSE(fs::exists(Paths::profiles())) << "loading must not create the profiles folder";

  // Folder names and profile names run against the creation order.
  std::vector<Profile> made;
  for (auto [id, name, when] : {std::tuple{"A-third", "Alpha", "2024-05-06T07:08:03Z"},
                                std::tuple{"C-first", "Zulu", "2024-05-06T07:08:01Z"},
                                std::tuple{"B-second", "Mike", "2024-05-06T07:08:02Z"}}) {
    made.push_back({id, name, at(when), std::nullopt, std::nullopt, {}});
    ProfileStore::save(made.back());
  }
  fs::create_directories(Paths::profiles() / "no-profile-file");
  put(Paths::profiles() / "stray.txt", "hello");
  put(Paths::profiles() / "damaged" / "profile.json", "{\"id\": ");

  EXPECT_EQ(ProfileStore::loadAll(), (std::vector<Profile>{made[1], made[2], made[0]}));
  EXPECT_EQ(FS::readFile(Paths::profiles() / "damaged" / "profile.json"), "{\"id\": ") << "nothing is repaired";
}

TEST(ProfileStore, CreateDuplicateAndDelete) {
  Profile original = ProfileStore::create("Main");
  EXPECT_EQ(original.id.size(), 36u);
  EXPECT_EQ(original.id.find_first_of("abcdef"), std::string::npos) << "upper-case UUID";
  EXPECT_TRUE(fs::is_directory(original.bepinex()));
  EXPECT_EQ(original, (Profile{original.id, "Main", original.created, std::nullopt, std::nullopt, {}}));

  original.mods.push_back({"ns", "Some_Mod", "1.2.3", "1.2.3", true, true});
  original.packInstalled = "5.4.2200";
  ProfileStore::save(original);
  put(original.bepinex() / "plugins" / "ns-Some_Mod" / "mod.dll", "dll bytes");
  fs::create_symlink("plugins/ns-Some_Mod", original.bepinex() / "link");

  Profile copy = ProfileStore::duplicate(original, "Main copy");
  EXPECT_EQ(copy, (Profile{copy.id, "Main copy", copy.created, std::nullopt, "5.4.2200", original.mods}));
  EXPECT_NE(copy.id, original.id);
  EXPECT_EQ(FS::readFile(copy.bepinex() / "plugins" / "ns-Some_Mod" / "mod.dll"), "dll bytes");
  EXPECT_EQ(fs::read_symlink(copy.bepinex() / "link"), "plugins/ns-Some_Mod");

  ProfileStore::deleteProfile(original);
  ProfileStore::deleteProfile(original);  // already gone: nothing happens
  EXPECT_FALSE(fs::exists(original.dir()));
  // The copy's own record was written, and deleting the original left it alone.
  EXPECT_EQ(ProfileStore::loadAll(), std::vector<Profile>{truncated(copy)});
  EXPECT_EQ(copy.mods[0].displayName(), "Some Mod");
}

TEST(Settings, AreWrittenCompactAndFallBackToTheLegacyGameFolderFile) {
  ProfileStore::saveSettings({});  // makes the folder
  EXPECT_EQ(FS::readFile(Paths::settings()), "{}");  // absent values are left out
  Settings both{"/Games/Valheim", "P1"};
  ProfileStore::saveSettings(both);
  EXPECT_EQ(FS::readFile(Paths::settings()), R"({"activeProfile":"P1","gameDir":"/Games/Valheim"})");
  EXPECT_EQ(ProfileStore::loadSettings(), both);
  ProfileStore::saveSettings({"\xFF", std::nullopt});  // cannot be encoded: nothing is written
  EXPECT_EQ(ProfileStore::loadSettings(), both);

  FS::remove(Paths::settings());
  EXPECT_EQ(ProfileStore::loadSettings(), Settings{});
  put(Paths::support() / "game_dir", "  /Games/Valheim\n");
  EXPECT_EQ(ProfileStore::loadSettings(), (Settings{"/Games/Valheim", std::nullopt}));
  put(Paths::settings(), "not json");
  EXPECT_EQ(ProfileStore::loadSettings(), (Settings{"/Games/Valheim", std::nullopt}));
  put(Paths::settings(), R"({"activeProfile":"P1"})");
  EXPECT_EQ(ProfileStore::loadSettings(), (Settings{std::nullopt, "P1"}));
  EXPECT_EQ(FS::readFile(Paths::support() / "game_dir"), "  /Games/Valheim\n");
}
