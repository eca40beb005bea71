#include "support/fake_game.hpp"

#include <fstream>

#include "foundation/paths.hpp"

namespace fs = std::filesystem;

namespace {
void writeFile(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// The loader's launcher script as released: executable_name and dll_search_path_override empty.
std::string runScript() {
  return "#!/bin/sh\nexecutable_name=\"\"\ndll_search_path_override=\"\"\necho \"running "
         "$executable_name\"\n";
}
}  // namespace

namespace FakeGame {
void make(const fs::path& gameDir, const std::string& executable) {
  writeFile(gameDir / "valheim.app/Contents/MacOS/valheim", executable);
  writeFile(gameDir / "valheim.app/Contents/Info.plist", "<plist/>\n");
}

void addLoader(const fs::path& gameDir) {
  writeFile(gameDir / "run_bepinex.sh", runScript());
  writeFile(gameDir / "libdoorstop.dylib", "doorstop library");
  writeFile(gameDir / ".doorstop_version", "4.3.0\n");
}

std::vector<ZipEntry> loaderArchive() {
  return {
      {"run_bepinex.sh", runScript()},
      {"libdoorstop.dylib", "doorstop library"},
      {".doorstop_version", "4.3.0\n"},
      {"changelog.txt", "5.4.23.2\n"},
      {"BepInEx/", "", false, true},
      {"BepInEx/core/", "", false, true},
      {"BepInEx/core/BepInEx.Preloader.dll", "loader release preloader"},
      {"BepInEx/core/BepInEx.dll", "loader release core"},
  };
}

std::vector<ZipEntry> packArchive(const std::string& coreVersion) {
  const std::string top = "BepInExPack_Valheim/";
  return {
      {"manifest.json", R"({"name":"BepInExPack_Valheim","version_number":")" + coreVersion + R"("})"},
      {"icon.png", "png"},
      {"README.md", "# pack"},
      {top + "BepInEx/core/BepInEx.Preloader.dll", "preloader " + coreVersion},
      {top + "BepInEx/core/BepInEx.dll", "core " + coreVersion},
      {top + "BepInEx/config/BepInEx.cfg", "[Logging]\nEnabled = true\n"},
      {top + "BepInEx/plugins/", "", false, true},
      {top + "doorstop_config.ini", "[UnityDoorstop]\n"},
      {top + "start_game_bepinex.sh", "#!/bin/sh\n"},
      {top + "unstripped_corlib/mscorlib.dll", "mscorlib " + coreVersion},
      {top + "unstripped_corlib/System.dll", "system " + coreVersion},
  };
}

void writeSteamRegistry(const std::string& activeUser) {
  writeFile(Paths::steamDir() / "registry.vdf",
            "\"Registry\"\n{\n\t\"HKCU\"\n\t{\n\t\t\"Software\"\n\t\t{\n\t\t\t\"Valve\"\n\t\t\t{\n"
            "\t\t\t\t\"Steam\"\n\t\t\t\t{\n\t\t\t\t\t\"AutoLoginUser\"\t\t\"player\"\n"
            "\t\t\t\t\t\"ActiveProcess\"\n\t\t\t\t\t{\n\t\t\t\t\t\t\"pid\"\t\t\"4242\"\n"
            "\t\t\t\t\t\t\"ActiveUser\"\t\t\"" +
                activeUser + "\"\n\t\t\t\t\t}\n\t\t\t\t}\n\t\t\t}\n\t\t}\n\t}\n}\n");
}
}  // namespace FakeGame
