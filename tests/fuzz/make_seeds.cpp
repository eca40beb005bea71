// Writes the seed corpora under tests/fuzz/corpus/<target>/ with the tests' own builders:
//   build/dev/tests/fuzz/fuzz_make_seeds tests/fuzz/corpus
// The output is committed; run it again only when a format changes.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "catalogue/thunderstore.hpp"
#include "foundation/base64.hpp"
#include "profiles/export_manifest.hpp"
#include "support/zip_builder.hpp"

namespace fs = std::filesystem;
using namespace std::chrono;

namespace {
fs::path g_out;

void seed(const std::string& target, const std::string& name, const std::string& bytes) {
  fs::create_directories(g_out / target);
  std::ofstream(g_out / target / name, std::ios::binary) << bytes;
}

const std::string indexList =
    R"([{"name":"Jotunn","full_name":"ValheimModding-Jotunn","owner":"ValheimModding",
"package_url":"https://thunderstore.io/c/valheim/p/ValheimModding/Jotunn/","date_updated":"2023-04-05T08:07:08.512345Z",
"rating_score":120,"is_pinned":false,"is_deprecated":false,"has_nsfw_content":false,"categories":["Libraries","Tools"],
"uuid4":"8e1c","versions":[{"name":"Jotunn","full_name":"ValheimModding-Jotunn-2.12.1","description":"Jötunn, the \"Valheim\" library",
"icon":"https://gcdn.thunderstore.io/live/repository/icons/ValheimModding-Jotunn-2.12.1.png","version_number":"2.12.1",
"dependencies":["denikson-BepInExPack_Valheim-5.4.2202"],"download_url":"https://thunderstore.io/package/download/ValheimModding/Jotunn/2.12.1/",
"downloads":1234567,"date_created":"2023-04-05T08:07:08.512345Z","website_url":"","is_active":true,"uuid4":"a1","file_size":412345},
{"version_number":"2.12.0","downloads":99,"description":"old","icon":null,"dependencies":[]}]},
{"name":"Bare","full_name":"Someone-Bare","owner":"Someone","date_updated":"2021-01-02 03:04:05","package_url":null,
"versions":[{"version_number":"1.0.0","downloads":null}]},
{"name":"Gone","full_name":"Someone-Gone","owner":"Someone","versions":[]}])";

void seedCatalogue() {
  seed("index", "list.json", indexList);
  seed(
      "index", "escapes.json",
      R"([{"full\u005fname":"A-B","owner":"A","name":"B","versions":[{"version_number":"1.0.0","description":"\ud83d\ude00 \n\t\/"}],"date_updated":"2023-04-05T08:07:08+02:00"}])");

  std::vector<TSPackage> packages = Thunderstore::decodeIndex(std::string_view(indexList));
  packages.push_back({"A-C",
                      "A",
                      "C",
                      "",
                      sys_days{1999y / 12 / 31} + 23h + 59min + 59s + 500001us,
                      -4,
                      true,
                      false,
                      {"Ünïcode"},
                      "\"q\" \\ \n\t\x01",
                      "",
                      "1",
                      INT64_MAX,
                      {"1"},
                      {}});
  seed("cache", "packages.json", Thunderstore::encodeCache(packages));
  seed("cache", "empty.json", "[]");
}

const std::string manifest =
    R"({"name":"Jotunn","version_number":"2.12.1","website_url":"https://x","description":"d",)"
    R"("dependencies":["denikson-BepInExPack_Valheim-5.4.2202","ValheimModding-HookGenPatcher-0.0.4","A-Multi-Part-Name-1.0.0"]})";

void seedManifests() {
  seed("dependencies", "manifest.json", manifest);
  seed("dependencies", "bom.json", "\xEF\xBB\xBF" + manifest);
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string(R"({"dependencies":["A-B-1.0.0","\u00e9-\ud83d\ude00-2.0.0"]})"))
    utf16 += {c, '\0'};
  seed("dependencies", "utf16le.json", utf16);
  seed("dependencies", "bad.json", R"({"dependencies":["A-B-1.0.0",7]})");
}

void seedArchives() {
  Profile profile{"P",
                  "My Profile",
                  {},
                  "5.4.2100",
                  "5.4.2202",
                  {{"ValheimModding", "Jotunn", "2.12.1", std::nullopt, true, true},
                   {"A", "Multi-Part", "1.0", "1.0.13", false, false}}};
  const std::string exportText = ProfileStore::writeExportManifest(profile);
  seed("export_manifest", "export.r2x", exportText);
  seed("export_manifest", "other-writer.r2x",
       "profileName: 'Quoted'\r\nmods:\r\n- name: \"A-B\"\r\n  version:\r\n    major: -1\r\n    minor: +2\r\n"
       "    patch: 99999999999999999999\r\n  enabled: false\r\n  icon: x\r\n# a comment\r\n");

  const std::string profileZip = zipBytes({{"export.r2x", exportText},
                                           {"BepInEx/config/", "", false, true},
                                           {"BepInEx/config/mod.cfg", "[General]\nEnabled = true\n"}});
  seed("profile_code", "code.txt", Thunderstore::encodeProfileCodeBody(profileZip));
  seed("profile_code", "bare.txt", Base64::encode("short"));

  seed("base64", "text.txt", "aGVsbG8gd29ybGQ=\r\nQUJD\n");
  seed("base64", "bytes.bin", std::string("\x00\xFF\x10\x80=", 5));

  seed("unzip", "profile.zip", profileZip);
  seed("unzip", "mod.zip",
       zipBytes({{"manifest.json", manifest},
                 {"icon.png", "\x89PNG"},
                 {"plugins/", "", false, true},
                 {"plugins/Jotunn.dll", std::string(300, 'M')}}));
  seed("unzip", "hostile.zip",
       zipBytes({{"BepInEx\\config\\a.cfg", "a"},
                 {"../escape.txt", "evil"},
                 {"/abs.txt", "evil"},
                 {"link", "plugins", true},
                 {"out", "../..", true},
                 {"link/through.txt", "x"},
                 {"plugins\\", ""}}));
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  g_out = argv[1];
  seedCatalogue();
  seedManifests();
  seedArchives();
  return 0;
}
