// Settings files as the loader and Valheim mods write them: read, edited and written back.
#include <gtest/gtest.h>

#include "foundation/fs.hpp"
#include "profiles/config_folder.hpp"
#include "profiles/config_value.hpp"
#include "temp_home.hpp"
#include "testkit/config_samples.hpp"

namespace {
namespace fs = std::filesystem;

const ConfigEntry& entry(const ConfigFile& file, const std::string& section, const std::string& key) {
  for (const ConfigEntry& e : file.entries())
    if (e.section == section && e.key == key) return e;
  throw std::runtime_error("no entry " + section + "/" + key);
}

size_t indexOf(const ConfigFile& file, const std::string& section, const std::string& key) {
  return size_t(&entry(file, section, key) - file.entries().data());
}
}  // namespace

TEST(ConfigFile, ReadsWhatTheCommentsSayAboutEachSetting) {
  auto file = ConfigFile::parse(ConfigSamples::example);
  EXPECT_EQ(file.pluginName(), "Example Mod");
  ASSERT_EQ(file.entries().size(), 4u);
  ConfigEntry rate = file.entries()[0];
  rate.line = 0;
  EXPECT_EQ(rate, (ConfigEntry{"General", "Drop rate", "2.5", "Drop rate multiplier.", "Single", "1", "0.1",
                               "10"}));
  const ConfigEntry& mode = entry(file, "General", "Difficulty");
  EXPECT_EQ(mode.description, "");
  EXPECT_EQ(mode.allowedValues, (std::vector<std::string>{"Easy", "Normal", "Hard"}));

  auto forge = ConfigFile::parse(ConfigSamples::forge);
  EXPECT_EQ(forge.pluginName(), "Forge Tweaks");
  EXPECT_EQ(entry(forge, "Forge", "Enabled").description,
            "Whether the forge changes apply.\nNeeds a restart of the game.");
  EXPECT_EQ(entry(forge, "Smelter", "Enabled").value, "true");
  EXPECT_EQ(entry(forge, "Forge", "Greeting").value, "Hail, smith = welcome");
  EXPECT_EQ(entry(forge, "Forge", "Greeting").defaultValue, "Welcome = warm");
  EXPECT_EQ(entry(forge, "Forge", "Station name").value, "");
  EXPECT_EQ(entry(forge, "Forge", "Station name").defaultValue, "");
  EXPECT_TRUE(entry(forge, "Smelter", "Ores").flags);
}

TEST(ConfigFile, KeepsEveryByteAndChangesOnlyTheValueSet) {
  for (const std::string& sample :
       {ConfigSamples::example, ConfigSamples::forge, ConfigSamples::loader, ConfigSamples::bare,
        ConfigSamples::large(2000), std::string("no line end = x"), std::string("\xEF\xBB\xBF"),
        std::string()})
    EXPECT_EQ(ConfigFile::parse(sample).bytes(), sample);

  auto forge = ConfigFile::parse(ConfigSamples::forge);
  forge.setValue(indexOf(forge, "Smelter", "Enabled"), "false");
  forge.setValue(indexOf(forge, "Forge", "Greeting"), "Hail = friend");
  std::string written = ConfigSamples::forge;  // only the two values change; trailing blanks stay
  written.replace(written.find("Hail, smith = welcome  \r\n"), 21, "Hail = friend");
  written.replace(written.rfind("Enabled = true"), 14, "Enabled = false");
  EXPECT_EQ(forge.bytes(), written);

  // An empty value gets one; a line break typed into a value cannot start a line of its own.
  auto again = ConfigFile::parse(written);
  again.setValue(indexOf(again, "Forge", "Station name"), "Old\nForge");
  EXPECT_NE(again.bytes().find("Station name = Old Forge\r\n"), std::string::npos);
  EXPECT_EQ(ConfigFile::parse(again.bytes()).entries(), again.entries());
}

TEST(ConfigFile, LinesItDoesNotUnderstandStayAndEntriesOpenAsText) {
  auto bare = ConfigFile::parse(ConfigSamples::bare);
  std::vector<std::string> keys;
  for (const auto& e : bare.entries()) keys.push_back(e.section + "/" + e.key + "=" + e.value);
  // A header without "]" does not start a section; a line without "=" is no entry.
  EXPECT_EQ(keys, (std::vector<std::string>{"Server/Port=2456", "Server/Password=odin=allfather",
                                            "Server/Motd=Skål!"}));
  EXPECT_EQ(bare.pluginName(), std::nullopt);
  for (const auto& e : bare.entries()) EXPECT_EQ(configControl(e), ConfigControl::Text);

  // Binary bytes and broken UTF-8 come back as they were, around a changed value.
  using namespace std::string_literals;
  const std::string binary = "[A]\nKey = \xC3\x28\xFF\n\x00\x01\x02 binary \x89PNG\r\n\x1A\nOther = 1\n"s;
  auto file = ConfigFile::parse(binary);
  ASSERT_EQ(file.entries().size(), 2u);
  file.setValue(1, "2");
  std::string expected = binary;
  expected.replace(expected.rfind("= 1"), 3, "= 2");
  EXPECT_EQ(file.bytes(), expected);
}

TEST(ConfigFile, APluginsOwnNoteAndADecimalCommaInTheRangeKeepTheSettingsType) {
  auto file = ConfigFile::parse(ConfigSamples::noted);
  const ConfigEntry& currency = entry(file, "Prices", "Currency");
  EXPECT_EQ(currency.type, "String");
  EXPECT_EQ(currency.defaultValue, "Coins");
  EXPECT_EQ(currency.description, "Which coin the trader takes.");
  EXPECT_TRUE(configIsDefault(currency, "Coins"));
  EXPECT_EQ(file.bytes(), ConfigSamples::noted);

  const ConfigEntry& markup = entry(file, "Prices", "Markup");
  EXPECT_EQ(configControl(markup), ConfigControl::Slider);
  EXPECT_EQ(markup.rangeMin, "0.1");
  EXPECT_EQ(configValueProblem(markup, "0.1"), std::nullopt);
  for (const char* bad : {"0.05", "0,5", "11"})
    EXPECT_EQ(configValueProblem(markup, bad), "Enter a number from 0.1 to 10.") << bad;

  // A blank line or a section still ends what the comments said.
  auto apart =
      ConfigFile::parse("# Setting type: Int32\n\nplain note\nA = 1\n# Default value: 2\n[S]\nB = 2\n");
  EXPECT_EQ(apart.entries().at(0).type, "");
  EXPECT_EQ(apart.entries().at(1).defaultValue, std::nullopt);
  EXPECT_TRUE(ConfigFile::parse(ConfigSamples::dataOnly).entries().empty());
}

TEST(ConfigValue, EachTypeGetsItsControlAndFallsBackToTextWhenItDoesNotFit) {
  auto example = ConfigFile::parse(ConfigSamples::example);
  auto forge = ConfigFile::parse(ConfigSamples::forge);
  auto loader = ConfigFile::parse(ConfigSamples::loader);
  // Each with its kind in a player's words.
  using C = ConfigControl;
  for (const auto& [file, section, key, control, kind] :
       {std::tuple{&example, "General", "Drop rate", C::Slider, "Number"},
        {&example, "General", "Menu key", C::Text, "Key"},
        {&example, "General", "Difficulty", C::Choice, "Choice"},
        {&example, "General", "Enabled", C::Toggle, "On/Off"},
        {&forge, "Smelter", "Time per bar", C::Number, "Number"},
        {&forge, "Smelter", "Fire colour", C::Text, "Colour"},
        {&forge, "Smelter", "Smoke offset", C::Text, "Vector3"},
        {&forge, "Smelter", "Ores", C::Flags, "Choices"},
        {&loader, "Logging.Console", "LogLevels", C::Flags, "Choices"}}) {
    EXPECT_EQ(configControl(entry(*file, section, key)), control) << key;
    EXPECT_EQ(configKindName(entry(*file, section, key)), kind) << key;
  }

  ConfigEntry e{
      .key = "N", .value = "5", .type = "Int32", .defaultValue = "3", .rangeMin = "1", .rangeMax = "10"};
  EXPECT_EQ(configControl(e), ConfigControl::Slider);
  e.rangeMin = "20";  // a range upside down has no slider
  EXPECT_EQ(configControl(e), ConfigControl::Number);
  e.defaultValue = "three";  // a default not of the type
  EXPECT_EQ(configControl(e), ConfigControl::Text);
  ConfigEntry yes{.value = "yes", .type = "Boolean", .defaultValue = "true"};
  EXPECT_EQ(configControl(yes), ConfigControl::Text);
  ConfigEntry mode{.value = "Insane", .type = "Mode", .allowedValues = {"Easy", "Hard"}};
  EXPECT_EQ(configControl(mode), ConfigControl::Text);
  mode.value = "hard";  // the loader reads enum names regardless of case
  EXPECT_EQ(configControl(mode), ConfigControl::Choice);
}

TEST(ConfigValue, NumbersThatDoNotParseOrLeaveTheRangeAreRefused) {
  ConfigEntry whole{.type = "Int32", .rangeMin = "1", .rangeMax = "20"};
  EXPECT_EQ(configValueProblem(whole, "7"), std::nullopt);
  EXPECT_EQ(configValueProblem(whole, " +20 "), std::nullopt);
  for (const char* bad : {"7.5", "1e1", "seven", "", "21", "0", "0x10"})
    EXPECT_EQ(configValueProblem(whole, bad), "Enter a whole number from 1 to 20.") << bad;
  ConfigEntry real{.type = "Single"};
  for (const char* good : {"2.5", "-0.25", "1E-05", "3"})
    EXPECT_EQ(configValueProblem(real, good), std::nullopt) << good;
  for (const char* bad : {"2,5", "NaN", "Infinity", "1.5f", "--1"})
    EXPECT_EQ(configValueProblem(real, bad), "Enter a number.") << bad;
  EXPECT_EQ(configValueProblem(ConfigEntry{.type = "Byte"}, "256"), "Enter a whole number.");
  EXPECT_EQ(configValueProblem(ConfigEntry{.type = "String"}, "anything = at all"), std::nullopt);
}

TEST(ConfigValue, DefaultsCompareByMeaningAndFlagsKeepTheEnumsOrder) {
  auto forge = ConfigFile::parse(ConfigSamples::forge);
  const ConfigEntry& ores = entry(forge, "Smelter", "Ores");
  EXPECT_TRUE(configIsDefault(ores, "tin,copper"));
  EXPECT_FALSE(configIsDefault(ores, ores.value));
  EXPECT_EQ(configFlagValue(ores, {"Iron", "copper"}), "Copper, Iron");
  EXPECT_EQ(configFlagValue(ores, {}), "None");
  EXPECT_TRUE(configIsDefault(entry(forge, "Smelter", "Time per bar"), "30.0"));
  EXPECT_TRUE(configIsDefault(entry(forge, "Forge", "Enabled"), "True"));
  EXPECT_TRUE(configIsDefault(entry(forge, "Forge", "Station name"), ""));
  EXPECT_FALSE(configIsDefault(ConfigEntry{.value = "x"}, "x"));  // no default stated
}

TEST(ConfigFolder, ListsEditableFilesByPluginNameAndSearchesTheirSettings) {
  fs::path folder = TestHome::path() / "config";
  ConfigSamples::write(folder);
  FS::writeAtomic(folder / "mod.dll", "MZ");
  FS::writeAtomic(folder / ".example.mod.cfg.Ab12Cd", "## Settings file was created by plugin Stale v1\n");
  auto files = ConfigFolder::list(folder);
  std::vector<std::string> titles;
  for (const auto& f : files) titles.push_back(f.title + (f.settings ? "" : " (text)"));
  EXPECT_EQ(titles, (std::vector<std::string>{"BepInEx.cfg", "Example Mod", "Forge Tweaks",
                                              "Forge/recipes.json (text)", "server.settings.cfg",
                                              "waypoints.yml (text)"}));
  EXPECT_TRUE(ConfigFolder::list(folder / "missing").empty());

  auto found = ConfigFolder::search(files, " ENABLED ", 10);
  std::vector<std::string> where;
  for (const auto& m : found)
    where.push_back(files[m.file].title + ":" + m.entry.section + "/" + m.entry.key);
  EXPECT_EQ(where,
            (std::vector<std::string>{"BepInEx.cfg:Logging.Console/Enabled", "Example Mod:General/Enabled",
                                      "Forge Tweaks:Forge/Enabled", "Forge Tweaks:Smelter/Enabled"}));
  EXPECT_EQ(ConfigFolder::search(files, "smelted per coal", 10).at(0).entry.key, "Yield");  // by description
  EXPECT_EQ(ConfigFolder::search(files, "enabled", 2).size(), 2u);
  EXPECT_TRUE(ConfigFolder::search(files, "  ", 10).empty());
}

TEST(ConfigFile, AFileThatCannotBeReadSaysWhy) {
  fs::path dir = TestHome::path() / "unreadable";
  fs::create_directories(dir / "folder.cfg");
  EXPECT_THROW(ConfigFile::read(dir / "missing.cfg"), std::system_error);
  EXPECT_THROW(ConfigFile::read(dir / "folder.cfg"), std::system_error);
  // Ten megabytes of settings still open.
  std::string big = ConfigSamples::large(2000);
  while (big.size() < 10u << 20) big += "; filler line the format does not know\n";
  FS::writeAtomic(dir / "big.cfg", big);
  EXPECT_EQ(ConfigFile::read(dir / "big.cfg").bytes(), big);
}
