#include "testkit/fake_game.hpp"

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
  if (gameDir.parent_path().filename() == "common" &&
      gameDir.parent_path().parent_path().filename() == "steamapps")
    writeAppManifest(gameDir);
}

std::string appManifest(const std::string& buildID, const std::string& lastUpdated) {
  // Steam indents with tabs and puts two between a key and its value.
  std::string out;
  auto tabs = [](int depth) { return std::string(size_t(depth), '\t'); };
  auto value = [&](int depth, const std::string& key, const std::string& text) {
    out += tabs(depth) + '"' + key + "\"\t\t\"" + text + "\"\n";
  };
  auto open = [&](int depth, const std::string& key) {
    out += tabs(depth) + '"' + key + "\"\n" + tabs(depth) + "{\n";
  };
  auto close = [&](int depth) { out += tabs(depth) + "}\n"; };
  open(0, "AppState");
  value(1, "appid", "892970");
  value(1, "Universe", "1");
  value(1, "LauncherPath",
        "/Users/player/Library/Application Support/Steam/Steam.AppBundle/Steam/Contents/MacOS/steam_osx");
  value(1, "name", "Valheim");
  value(1, "StateFlags", "4");
  value(1, "installdir", "Valheim");
  value(1, "LastUpdated", lastUpdated);
  value(1, "LastPlayed", "1700100000");
  value(1, "SizeOnDisk", "1577352392");
  value(1, "StagingSize", "0");
  value(1, "buildid", buildID);
  value(1, "LastOwner", "76561190000000000");
  value(1, "UpdateResult", "0");
  value(1, "BytesToDownload", "0");
  value(1, "BytesDownloaded", "0");
  value(1, "TargetBuildID", "0");
  value(1, "AutoUpdateBehavior", "0");
  open(1, "InstalledDepots");
  open(2, "892972");
  value(3, "manifest", "3344558778899000111");
  value(3, "size", "1577352392");
  close(2);
  close(1);
  open(1, "SharedDepots");
  value(2, "228988", "228980");
  close(1);
  for (const char* config : {"UserConfig", "MountedConfig"}) {
    open(1, config);
    value(2, "language", "english");
    close(1);
  }
  close(0);
  return out;
}

void writeAppManifest(const fs::path& gameDir, const std::string& buildID, const std::string& lastUpdated) {
  writeFile(gameDir.parent_path().parent_path() / "appmanifest_892970.acf",
            appManifest(buildID, lastUpdated));
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
