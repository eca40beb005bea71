#pragma once

// A profile of many mods for the window benchmarks: the catalogue's list and archives of mods
// "Bench-Mod0" to "Bench-Mod<count-1>", and the profile that holds them.
#include <string>
#include <string_view>

#include "profiles/profile_store.hpp"
#include "testkit/fake_catalogue.hpp"
#include "testkit/fake_game.hpp"
#include "testkit/zip_builder.hpp"

namespace Bench {
// Every mod at `version` (with 1.0.0 before it), the i-th archive holding a plug-in of
// `bytes + i * step` incompressible bytes, with `changelog` when one is given; the loader pack
// beside them.
inline void publishMods(FakeCatalogue& catalogue, int count, const std::string& version, size_t bytes,
                        size_t step, std::string_view changelog = {}) {
  std::string list = R"([{"name": "BepInExPack_Valheim", "full_name": "denikson-BepInExPack_Valheim",
      "owner": "denikson", "versions": [{"version_number": "5.4.2202"}]})";
  catalogue.addPackage("denikson", "BepInExPack_Valheim", "5.4.2202", zipBytes(FakeGame::packArchive()));
  for (int i = 0; i < count; ++i) {
    const std::string name = "Mod" + std::to_string(i);
    const std::string manifest = R"({"name": ")" + name + R"(", "version_number": ")" + version + R"("})";
    catalogue.addPackage("Bench", name, version,
                         zipBytes({{"manifest.json", manifest},
                                   {"plugins/" + name + ".dll", incompressible(bytes + step * size_t(i))}}));
    if (!changelog.empty()) catalogue.setChangelog("Bench", name, version, std::string(changelog));
    std::string versions = R"({"version_number": ")" + version + R"(", "file_size": )" +
                           std::to_string(bytes + step * size_t(i)) + "}";
    if (version != "1.0.0") versions += R"(, {"version_number": "1.0.0"})";
    list += R"(, {"name": ")" + name + R"(", "full_name": "Bench-)" + name +
            R"(", "owner": "Bench", "versions": [)" + versions + "]}";
  }
  catalogue.setPackageList(list + "]");
}

// A profile named `name` that wants the `count` mods at 1.0.0, saved; the app installs them.
inline Profile benchProfile(const std::string& name, int count) {
  Profile profile = ProfileStore::create(name);
  profile.packVersion = "5.4.2202";
  for (int i = 0; i < count; ++i)
    profile.mods.push_back({"Bench", "Mod" + std::to_string(i), "1.0.0", std::nullopt, true, true});
  ProfileStore::save(profile);
  return profile;
}
}  // namespace Bench
