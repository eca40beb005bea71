// The record of a profile's last launch that started up, and what changed since.
#include <gtest/gtest.h>

#include "foundation/fs.hpp"
#include "profiles/good_launch.hpp"

namespace {
Date at(const char* iso) { return *Dates::parseISO8601(iso); }

ProfileMod mod(const char* name, const char* version, std::optional<std::string> installed,
               bool enabled = true) {
  return {.ns = "Team", .name = name, .version = version, .installed = installed, .enabled = enabled};
}
}  // namespace

TEST(GoodLaunch, RecordsTheModsThatRanAndTellsWhichChangedSince) {
  const Profile then{.id = "0A1B2C3D-0000-4000-8000-000000000001",
                     .name = "Main",
                     .mods = {mod("Jotunn", "2.20.0", "2.20.0"), mod("Off", "1.0.0", "1.0.0", false),
                              mod("Pending", "1.0.0", std::nullopt), mod("Gone", "3.0.0", "3.0.0"),
                              mod("Wanted", "1.0.0", "1.0.0")}};
  const GoodLaunch good =
      goodLaunchOf(then, 14862538, at("2024-01-02T03:04:05Z") + std::chrono::milliseconds(250));
  EXPECT_EQ(good,
            (GoodLaunch{.launched = at("2024-01-02T03:04:05Z"),
                        .mods = {{"Team-Gone", "3.0.0"}, {"Team-Jotunn", "2.20.0"}, {"Team-Wanted", "1.0.0"}},
                        .gameBuild = 14862538}));

  const Profile now{.id = then.id,
                    .name = "Main",
                    .mods = {mod("Jotunn", "2.21.0", "2.21.0"), mod("Off", "1.1.0", "1.1.0"),
                             mod("Pending", "1.0.0", "1.0.0"), mod("New", "1.0.0", "1.0.0"),
                             mod("Wanted", "1.1.0", "1.0.0")}};
  for (auto [key, change] : std::vector<std::pair<const char*, std::optional<VersionChange>>>{
           {"Team-Jotunn", VersionChange{"2.20.0", "2.21.0"}},
           {"Team-Off", std::nullopt},  // it did not run then
           {"Team-Pending", std::nullopt},  // nor did this one, not yet installed
           {"Team-Gone", std::nullopt},  // removed since
           {"Team-Wanted", std::nullopt},  // an update recorded but not installed runs the old files
       })
    EXPECT_EQ(changedSince(good, now, key), change) << key;

  for (auto [recorded, current, changed] :
       {std::tuple{std::optional<int64_t>(1), std::optional<int64_t>(1), false},
        {1, 2, true},
        {1, 3, true},
        {1, std::nullopt, false},
        {std::nullopt, 2, false}}) {
    GoodLaunch record = good;
    record.gameBuild = recorded;
    EXPECT_EQ(gameChangedSince(record, current), changed);
    // A dismissed build warns no more; another build after it does.
    record.dismissedBuild = 2;
    EXPECT_EQ(warnOfGameUpdate(record, current), changed && current != 2);
  }
}

TEST(GoodLaunchFile, ReadsBackWhatWasSavedAndAnUnreadableOneIsNone) {
  const Profile profile{.id = "0A1B2C3D-0000-4000-8000-000000000002", .name = "Main"};
  EXPECT_EQ(ProfileStore::loadGoodLaunch(profile), std::nullopt);
  for (std::optional<int64_t> build : {std::optional<int64_t>(14862538), std::optional<int64_t>()}) {
    const GoodLaunch record{.launched = at("2024-01-02T03:04:05Z"),
                            .mods = {{"Team-A", "1.0.0"}},
                            .gameBuild = build,
                            .dismissedBuild = build ? std::optional<int64_t>(*build + 1) : std::nullopt};
    ProfileStore::saveGoodLaunch(profile, record);
    EXPECT_EQ(ProfileStore::loadGoodLaunch(profile), record);
  }

  for (const char* damaged : {"", "not json", "[]", R"({"mods": {}})", R"({"launched": "soon", "mods": {}})",
                              R"({"launched": "2024-01-02T03:04:05Z", "mods": {"Team-A": 1}})",
                              R"({"launched": "2024-01-02T03:04:05Z", "mods": {}, "gameBuild": "12"})"}) {
    FS::writeAtomic(profile.dir() / "good-launch.json", damaged);
    EXPECT_EQ(ProfileStore::loadGoodLaunch(profile), std::nullopt) << damaged;
  }
}
