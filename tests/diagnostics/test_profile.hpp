#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "profiles/profile.hpp"
#include "profiles/profile_store.hpp"
#include "temp_home.hpp"

namespace TestProfile {
namespace fs = std::filesystem;

// A profile folder in the test's empty home.
inline fs::path freshFolder() { return TestHome::path() / "profile"; }

inline void write(const fs::path& file, std::string_view bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

// An assembly's bytes as far as a GUID or a version goes: an attribute's argument, after its length.
inline std::string dllHolding(std::string_view guid) {
  return std::string("MZ\x90\x00\x01\x00", 6) + char(guid.size()) + std::string(guid) + std::string(4, '\0');
}

// A profile folder whose mods match the names in LogSamples: package names without spaces, DLLs in
// their plug-in folders, one mod turned off, an older Jotunn bundled inside another mod, and a
// settings file that names a GUID's plug-in.
inline Profile make(const fs::path& folder) {
  Profile profile{.id = "4D1C2B3A-0000-4000-8000-000000000001", .name = "Test"};
  const auto mod = [&](std::string ns, std::string name, std::string dll, std::string version = "1.0.0",
                       bool enabled = true, std::string_view content = "MZ") {
    profile.mods.push_back(
        {.ns = ns, .name = name, .version = version, .installed = version, .enabled = enabled});
    write(folder / (enabled ? "BepInEx" : "disabled") / "plugins" / (ns + "-" + name) / dll, content);
  };
  mod("Owner", "ConfigurationManager", "ConfigurationManager.dll");
  mod("ValheimModding", "Jotunn", "Jotunn.dll", "2.20.1");
  mod("Builder", "BuildKit", "Jotunn.dll", "3.1.0", true, dllHolding("2.6.0"));
  mod("Farmer", "FarmGrid", "FarmGrid.dll");
  mod("Plans", "PlanBuild", "PlanBuild.dll");
  mod("RRR", "RRRCore", "RRRCore.dll");
  mod("RRR", "RRRBetterRaids", "RRRBetterRaids.dll");
  mod("Sleepy", "SleepPlease", "SleepPlease.dll");
  mod("Bee", "BrokenBeta", "BrokenBeta.dll");
  mod("Crops", "CropReplantCompat", "CropReplantCompat.dll");
  mod("Crops", "CropReplant", "CropReplant.dll", "1.0.0", false, dllHolding("com.example.cropreplant"));
  write(folder / "BepInEx" / "config" / "org.bepinex.plugins.farming.cfg",
        "## Settings file was created by plugin Farm Grid v1.2.0\n## Plugin GUID: "
        "org.bepinex.plugins.farming\n");
  write(folder / "profile.json", ProfileStore::encodeProfile(profile));
  return profile;
}
}  // namespace TestProfile
