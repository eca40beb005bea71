// Placeholder entry point: prints the locations, the settings and the profiles it finds.
#include <iostream>

#include "foundation/app_version.hpp"
#include "foundation/paths.hpp"
#include "profiles/profile_store.hpp"

int main() {
  std::cout << "Quernhold " << App::version << "\n\n"
            << "Data folder:   " << Paths::support().string() << "\n"
            << "Activity log:  " << Paths::logFile().string() << "\n"
            << "Steam folder:  " << Paths::steamDir().string() << "\n";

  Settings settings = ProfileStore::loadSettings();
  std::cout << "Game folder:   " << settings.gameDir.value_or(Paths::defaultGameDir().string()) << "\n"
            << "Active profile: " << settings.activeProfile.value_or("(none)") << "\n\n";

  auto profiles = ProfileStore::loadAll();
  std::cout << profiles.size() << (profiles.size() == 1 ? " profile" : " profiles") << "\n";
  for (const Profile& p : profiles)
    std::cout << "  " << p.name << "  (" << p.mods.size() << " mods, created " << Dates::iso8601(p.created)
              << ")\n";
  return 0;
}
