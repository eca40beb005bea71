#include "testkit/config_samples.hpp"

#include <fstream>

namespace ConfigSamples {
namespace {
std::string crlf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

void put(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}
}  // namespace

const std::string example = R"(## Settings file was created by plugin Example Mod v1.2.0
## Plugin GUID: example.mod

[General]

## Drop rate multiplier.
# Setting type: Single
# Default value: 1
# Acceptable value range: From 0.1 to 10
Drop rate = 2.5

## Key that opens the menu.
# Setting type: KeyboardShortcut
# Default value: F1
Menu key = F1

# Setting type: Mode
# Default value: Normal
# Acceptable values: Easy, Normal, Hard
Difficulty = Hard

## Turns the mod on or off.
# Setting type: Boolean
# Default value: true
Enabled = true

)";

const std::string forge = "\xEF\xBB\xBF" + crlf(R"(## Settings file was created by plugin Forge Tweaks v3.0.4
## Plugin GUID: smithy.forgetweaks

[Forge]

## Whether the forge changes apply.
## Needs a restart of the game.
# Setting type: Boolean
# Default value: true
Enabled = false

## Items smelted per coal, before skill.
# Setting type: Int32
# Default value: 2
# Acceptable value range: From 1 to 20
Yield = 4

## Greeting shown at the forge; any text.
# Setting type: String
# Default value: Welcome = warm
Greeting = Hail, smith = welcome  

## Left empty to use the game's name.
# Setting type: String
# Default value: 
Station name = 

[Smelter]

## Whether the smelter changes apply.
# Setting type: Boolean
# Default value: true
Enabled = true

## Seconds per bar.
# Setting type: Double
# Default value: 30
Time per bar = 22.5

## Colour of the fire.
# Setting type: Color
# Default value: FF8000FF
Fire colour = FF6A00FF

## Where the smoke leaves, relative to the chimney.
# Setting type: Vector3
# Default value: {"x":0.0,"y":1.5,"z":0.0}
Smoke offset = {"x":0.0,"y":2.0,"z":0.0}

## Which ores it takes.
# Setting type: Ores
# Default value: Copper, Tin
# Acceptable values: None, Copper, Tin, Iron, Silver
# Multiple values can be set at the same time by separating them with , (e.g. Debug, Warning)
Ores = Copper, Tin, Iron
)");

const std::string loader = R"([Caching]

## Enable/disable assembly metadata cache
## Enabling this will speed up discovery of plugins and patchers by caching the metadata of all types BepInEx discovers.
# Setting type: Boolean
# Default value: true
EnableAssemblyCache = true

[Logging.Console]

## Enables showing a console for log output.
# Setting type: Boolean
# Default value: false
Enabled = false

## Which log levels to show in the console output.
# Setting type: LogLevel
# Default value: Fatal, Error, Warning, Message, Info
# Acceptable values: None, Fatal, Error, Warning, Message, Info, Debug, All
# Multiple values can be set at the same time by separating them with , (e.g. Debug, Warning)
LogLevels = Fatal, Error, Warning, Message, Info
)";

const std::string bare = R"(; written by hand
[Server]
Port = 2456
Password = odin=allfather
this line has no equals sign
[Broken header
Motd = Skål!
)";

const std::string noted = R"(## Settings file was created by plugin Trader Rates v0.4.1

[Prices]

## Which coin the trader takes.
# Setting type: String
# Default value: Coins
Coins, Amber, Ruby
Currency = Ruby

## Markup on every sale.
# Setting type: Single
# Default value: 1.5
# Acceptable value range: From 0,1 to 10
Markup = 2.5
)";

const std::string dataOnly = "Haldor 120 -48\nHildir -300 512\n\nBog Witch 90 77\n";

std::string large(int entries, const std::string& plugin) {
  std::string out =
      "## Settings file was created by plugin " + plugin + " v2.1.0\n## Plugin GUID: huge.overhaul\n\n";
  for (int i = 0; i < entries; ++i) {
    if (i % 20 == 0) out += "[Section " + std::to_string(i / 20) + "]\n\n";
    std::string n = std::to_string(i);
    out += "## Multiplier number " + n +
           " for the world's rules.\n# Setting type: Single\n# Default value: 1\n"
           "# Acceptable value range: From 0 to 100\nValue " +
           n + " = " + std::to_string(i % 100) + "\n\n";
  }
  return out;
}

void write(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder / "Forge");
  put(folder / "example.mod.cfg", example);
  put(folder / "smithy.forgetweaks.cfg", forge);
  put(folder / "BepInEx.cfg", loader);
  put(folder / "server.settings.cfg", bare);
  put(folder / "Forge" / "recipes.json", "{\n  \"bronze\": { \"copper\": 2, \"tin\": 1 }\n}\n");
  put(folder / "waypoints.yml", "# Waypoints\nhome:\n  x: 120\n  z: -48\n");
}
}  // namespace ConfigSamples
