#include <gmock/gmock.h>

#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/paths.hpp"
#include "profiles/holds.hpp"
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
  Profile profile{"0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3",
                  "Main",
                  at("2024-03-01T10:20:30Z") + std::chrono::microseconds(456789),
                  "5.4.2100",
                  std::nullopt,
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
  EXPECT_EQ(FS::readFile(Paths::profiles() / "damaged" / "profile.json"), "{\"id\": ")
      << "nothing is repaired";
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

TEST(ProfileStore, ADuplicateCopiesLinksAsLinksAndHoldsButNoHistory) {
  Profile source = ProfileStore::create("Main");
  put(source.bepinex() / "plugins/A-Mod/Mod.dll", "dll");
  fs::create_directory_symlink("A-Mod", source.bepinex() / "plugins/link");
  put(source.dir() / "history/snapshots/1.json", "{}");
  ProfileStore::saveHolds(source, {{"A-Mod", "1.0.0"}});

  Profile copy = ProfileStore::duplicate(source, "Main Copy");
  EXPECT_EQ(fs::read_symlink(copy.bepinex() / "plugins/link"), "A-Mod");
  EXPECT_EQ(FS::readFile(copy.bepinex() / "plugins/A-Mod/Mod.dll"), "dll");
  EXPECT_FALSE(fs::exists(copy.dir() / "history"));
  EXPECT_EQ(ProfileStore::loadHolds(copy), (HeldVersions{{"A-Mod", "1.0.0"}}));
  EXPECT_EQ(ProfileStore::loadAll().size(), 2u);
}

TEST(Holds, AreKeptBesideTheRecordAndAMissingOrDamagedFileHoldsNothing) {
  const Profile profile{"HOLDS", "Main", at("2024-01-01T00:00:00Z"), std::nullopt, std::nullopt, {}};
  EXPECT_TRUE(ProfileStore::loadHolds(profile).empty());
  ProfileStore::saveHolds(profile, {{"B-Mod", "2.0.0"}, {"A-Mod", "1.0.0"}});
  EXPECT_EQ(FS::readFile(profile.dir() / "holds.json"),
            "{\n  \"A-Mod\": \"1.0.0\",\n  \"B-Mod\": \"2.0.0\"\n}");
  EXPECT_EQ(ProfileStore::loadHolds(profile), (HeldVersions{{"A-Mod", "1.0.0"}, {"B-Mod", "2.0.0"}}));
  for (const char* damaged : {"[\"A-Mod\"]", "{\"A-Mod\": 1}", "{"}) {
    put(profile.dir() / "holds.json", damaged);
    EXPECT_TRUE(ProfileStore::loadHolds(profile).empty()) << damaged;
  }
}

TEST(ProfileStore, AProfileThatCannotBeSavedLeavesNoFolder) {
  Profile source = ProfileStore::create("Main");
  put(source.bepinex() / "plugins/A-Mod/Mod.dll", "dll");
  // A name that cannot be encoded fails the save after the folder was made or copied.
  EXPECT_ANY_THROW(ProfileStore::duplicate(source, "Bad \xFF name"));
  EXPECT_ANY_THROW(ProfileStore::create("Bad \xFF name"));
  EXPECT_EQ(std::distance(fs::directory_iterator(Paths::profiles()), {}), 1);
  const auto loaded = ProfileStore::loadAll();
  ASSERT_EQ(loaded.size(), 1u);
  EXPECT_EQ(loaded[0].id, source.id);
}

TEST(ProfileStore, TwoFoldersWithOneIdLoadAsTheOneNamedAfterIt) {
  Profile real{"P-REAL", "Real", at("2024-01-01T00:00:00Z"), std::nullopt, std::nullopt, {}};
  ProfileStore::save(real);
  // Folders listed before and after the real one, whatever order the listing gives.
  for (const char* stray : {"0-stray", "z-stray"}) {
    fs::copy(real.dir(), Paths::profiles() / stray, fs::copy_options::recursive);
    put(Paths::profiles() / stray / "marker", "not the real folder");
  }
  EXPECT_EQ(ProfileStore::loadAll(), std::vector<Profile>{real});
  const std::string log = Log::tail(10);
  EXPECT_THAT(log,
              testing::HasSubstr(" profile folder 0-stray ignored: it repeats the id of profile 'Real'\n"));
  EXPECT_THAT(log,
              testing::HasSubstr(" profile folder z-stray ignored: it repeats the id of profile 'Real'\n"));
}

TEST(ProfileStore, LeftoversOfInterruptedSavesGoOnceAMinuteOld) {
  ProfileStore::save({"P", "Main", at("2024-01-01T00:00:00Z"), std::nullopt, std::nullopt, {}});
  const fs::path old1 = Paths::profiles() / "P/.profile.json.Ab12Cd",
                 young = Paths::profiles() / "P/.profile.json.Ef34Gh";
  const fs::path old2 = Paths::support() / ".settings.json.Ij56Kl",
                 other = Paths::profiles() / "P/.profile.json.keep";
  for (const auto& file : {old1, young, old2, other}) put(file, "half a save");
  for (const auto& file : {old1, old2, other})
    fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::minutes(2));

  ProfileStore::loadAll();
  ProfileStore::loadSettings();
  EXPECT_FALSE(fs::exists(old1));
  EXPECT_FALSE(fs::exists(old2));
  EXPECT_TRUE(fs::exists(young)) << "may belong to a save in progress";
  EXPECT_TRUE(fs::exists(other)) << "not a temporary name";
}
