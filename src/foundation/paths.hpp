#pragma once

#include <filesystem>

// The fixed locations the app reads and writes, all under the user's home folder.
// Each is computed once, on first use; none is created here.
namespace Paths {
const std::filesystem::path& home();
const std::filesystem::path& support();  // Library/Application Support/Quernhold
const std::filesystem::path& profiles();  // support/profiles
const std::filesystem::path& cache();  // support/cache
const std::filesystem::path& settings();  // support/settings.json
const std::filesystem::path& logFile();  // Library/Logs/quernhold.log
const std::filesystem::path& gameLog();  // Library/Logs/valheim-modded-launch.log
const std::filesystem::path& steamDir();  // Library/Application Support/Steam
const std::filesystem::path& defaultGameDir();  // steamDir/steamapps/common/Valheim
}  // namespace Paths
