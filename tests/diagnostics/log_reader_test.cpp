// The launch report from the loader's log: start-up, plug-ins, problems folded and tied to mods,
// and whatever state the bytes come in.
#include <gmock/gmock.h>

#include <random>
#include <tuple>

#include "diagnostics/log_reader.hpp"
#include "diagnostics/stack_frames.hpp"
#include "temp_home.hpp"
#include "test_profile.hpp"
#include "testkit/log_samples.hpp"

using namespace Diagnostics;
using testing::ElementsAre;

namespace {
std::string orDash(const std::optional<std::string>& text) { return text.value_or("-"); }

// kind, plug-in, mod, count, first line, last line
using Seen = std::tuple<std::string, std::string, std::string, size_t, size_t, size_t>;
std::vector<Seen> seen(const LaunchReport& report) {
  std::vector<Seen> all;
  for (const auto& p : report.problems)
    all.emplace_back(name(p.kind), orDash(p.plugin), orDash(p.mod), p.count, p.firstLine, p.lastLine);
  return all;
}

// name, version, state, mod
using Listed = std::tuple<std::string, std::string, std::string, std::string>;
std::vector<Listed> listed(const LaunchReport& report) {
  std::vector<Listed> all;
  for (const auto& p : report.plugins) all.emplace_back(p.name, p.version, name(p.state), orDash(p.mod));
  return all;
}

class LogReaderTest : public testing::Test {
 protected:
  std::filesystem::path folder = TestProfile::freshFolder();
  ModClues clues = ModClues::gather(TestProfile::make(folder), folder);
};

TEST_F(LogReaderTest, ACleanStartListsEveryPluginTiedToItsModAndCompletesWithItsLastLine) {
  const LaunchReport report = readLog(LogSamples::clean, clues);
  EXPECT_EQ(report.loader, "5.4.22.0");
  EXPECT_EQ(report.process, "valheim");
  EXPECT_EQ(report.started, "11/11/2024 10:23:24 PM");
  EXPECT_EQ(report.pack, "5.4.2202");
  EXPECT_TRUE(report.startupComplete);
  EXPECT_EQ(report.pluginCount, 4u);
  EXPECT_THAT(listed(report),
              ElementsAre(Listed{"Configuration Manager", "16.3", "loaded", "Owner-ConfigurationManager"},
                          Listed{"Jotunn", "2.20.1", "loaded", "ValheimModding-Jotunn"},
                          Listed{"Farm Grid", "1.2.0", "loaded", "Farmer-FarmGrid"},
                          Listed{"PlanBuild", "0.15.2.4", "loaded", "Plans-PlanBuild"}));
  EXPECT_TRUE(report.problems.empty()) << "the engine's warnings are not the mods' problems";
  EXPECT_EQ(report.lines, 18u);
  EXPECT_EQ(report.unreadableLines, 0u);

  // Without the start-up line the start is not complete.
  std::string cut = LogSamples::clean;
  cut.resize(cut.find("[Message:   BepInEx] Chainloader startup complete"));
  EXPECT_FALSE(readLog(cut, clues).startupComplete);
}

TEST_F(LogReaderTest, EveryKindOfTroubleIsReportedFoldedAndTiedAndPluginsThatDidNotLoadSayWhy) {
  const LaunchReport report = readLog(LogSamples::troubled, clues);
  EXPECT_EQ(report.pluginCount, 9u);
  EXPECT_EQ(report.started, "12.11.2024 08:01:02") << "a start time in another locale is kept as written";
  EXPECT_THAT(seen(report),
              ElementsAre(Seen{"wrong-loader-version", "SleepPlease", "Sleepy-SleepPlease", 1, 5, 5},
                          // The older of two copies: bundled inside another mod.
                          Seen{"duplicate", "Jotunn", "Builder-BuildKit", 1, 6, 6},
                          Seen{"missing-dependency", "CropReplantCompat", "Crops-CropReplantCompat", 1, 7, 7},
                          Seen{"incompatible", "Old Portals", "-", 1, 8, 8},
                          Seen{"skipped", "Portal Extras", "-", 1, 9, 9},
                          // An emoji and brackets in the name; the stack's namespace ties it.
                          Seen{"error", "Broken [Beta] 🔥 Mod", "Bee-BrokenBeta", 1, 13, 13},
                          // The DLL path of a Harmony line.
                          Seen{"harmony", "Farm Grid", "Farmer-FarmGrid", 1, 17, 17},
                          Seen{"exception", "ConfigurationManager", "Owner-ConfigurationManager", 3, 21, 34},
                          // A plug-in's own logger named after a namespace.
                          Seen{"error", "Jotunn", "ValheimModding-Jotunn", 1, 32, 32},
                          Seen{"exception", "RRRBetterRaids", "RRR-RRRBetterRaids", 1, 38, 38},
                          // The patch class in the exception line, the runtime's frames passed over.
                          Seen{"harmony", "SleepPlease", "Sleepy-SleepPlease", 1, 44, 44},
                          Seen{"error", "SleepPlease", "Sleepy-SleepPlease", 1, 48, 48}));

  const LogProblem& across = report.problems[9];
  EXPECT_EQ(across.otherPlugin, "RRRCore") << "a missing method names the plug-in it was looked for in";
  EXPECT_EQ(across.otherMod, "RRR-RRRCore");

  const LogProblem& folded = report.problems[7];
  EXPECT_EQ(folded.excerpt,
            "NullReferenceException: Object reference not set to an instance of an object\nStack trace:\n"
            "ConfigurationManager.Patches.SetupMenuButton () (at <4bd5ef7e0fe44d5c8a8d6bd09b5f8e45>:0)\n"
            "(wrapper dynamic-method) Menu.DMD<Menu::Start>(Menu)");

  // A missing GUID: found in a turned-off mod's DLL, through a settings file, or reported as it is.
  EXPECT_THAT(report.problems[2].missing,
              ElementsAre(MissingDependency{"com.example.cropreplant", "Crops-CropReplant"},
                          MissingDependency{"org.bepinex.plugins.farming", "Farmer-FarmGrid"},
                          MissingDependency{"com.nobody.ghost", std::nullopt}));

  // Plug-ins that did not load say why.
  std::vector<std::tuple<std::string, std::string, std::string>> why;
  for (const auto& p : report.plugins) why.emplace_back(p.name, name(p.state), orDash(p.reason));
  EXPECT_THAT(
      why,
      ElementsAre(std::tuple{"Jotunn", "loaded", "-"},
                  std::tuple{"CropReplantCompat", "failed",
                             "it has missing dependencies: com.example.cropreplant, "
                             "org.bepinex.plugins.farming (v1.2.0 or newer), com.nobody.ghost"},
                  std::tuple{"Old Portals", "failed", "it is incompatible with: com.example.portals"},
                  std::tuple{"Portal Extras", "skipped",
                             "it has a dependency that was not loaded. See previous errors for details."},
                  std::tuple{"SleepPlease", "loaded", "-"},
                  std::tuple{"Broken [Beta] 🔥 Mod", "failed",
                             "Exception has been thrown by the target of an invocation."},
                  std::tuple{"Farm Grid", "loaded", "-"}, std::tuple{"RRRBetterRaids", "loaded", "-"}));
  EXPECT_EQ(report.plugins[5].mod, "Bee-BrokenBeta") << "the plug-in takes the mod its error's stack names";
}

// A server's start after a client's in the same file (the player's AppendLog): the report starts
// over, the line numbers stay the file's.
TEST_F(LogReaderTest, AServerStartAfterAnotherStartsTheReportOverAndSkipsClientPlugins) {
  const LaunchReport report = readLog(LogSamples::troubled + LogSamples::server, clues);
  EXPECT_EQ(report.process, "valheim_server");
  EXPECT_EQ(report.loader, "5.4.21.0");
  ASSERT_EQ(report.plugins.size(), 2u);
  EXPECT_EQ(report.plugins[0].reason, "of process filters (valheim.exe)");
  EXPECT_THAT(seen(report), ElementsAre(Seen{"skipped", "Crop Utils", "-", 1, 53, 53}));
}

// Pieces of any size, a byte order mark, and LF, CR LF and lone CR mixed (a CR LF may be split
// between two pieces): the same report as the whole file with LF.
TEST_F(LogReaderTest, AGrowingLogGivesTheSameReportInAnyPiecesAndLineEnds) {
  const std::string unfinished = "[Info   : Unity Log] note";
  const LaunchReport whole = readLog(LogSamples::troubled + unfinished, clues);
  std::string mixed = "\xEF\xBB\xBF";
  const char* ends[] = {"\r\n", "\n", "\r"};
  size_t i = 0;
  for (const char c : LogSamples::troubled)
    mixed += c == '\n' ? std::string(ends[i++ % 3]) : std::string(1, c);
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    LogReader reader(clues);
    std::string_view rest = round % 2 ? std::string_view(mixed) : std::string_view(LogSamples::troubled);
    while (!rest.empty()) {
      const size_t piece = std::min<size_t>(rest.size(), random() % 40);
      reader.append(rest.substr(0, piece));
      rest.remove_prefix(piece);
    }
    reader.append(unfinished);
    EXPECT_EQ(reader.report().lines, whole.lines - 1) << "a line still being written waits for its end";
    reader.finish();
    EXPECT_EQ(reader.report(), whole);
  }
}

TEST_F(LogReaderTest, AnExceptionCountsWhileItsStackIsStillComing) {
  LogReader reader(clues);
  reader.append("[Error  : Unity Log] NullReferenceException: Object reference\nStack trace:\n");
  ASSERT_EQ(reader.report().problems.size(), 1u);
  EXPECT_EQ(reader.report().problems[0].mod, std::nullopt);
  reader.append("ConfigurationManager.Patches.SetupMenuButton () (at <x>:0)\n");
  EXPECT_EQ(reader.report().problems[0].mod, "Owner-ConfigurationManager");
  reader.append("[Error  : Unity Log] NullReferenceException: Object reference\nStack trace:\n");
  EXPECT_EQ(reader.report().problems.size(), 2u) << "no culprit yet: not folded with the first";
  reader.append("ConfigurationManager.Patches.SetupMenuButton () (at <x>:0)\n");
  ASSERT_EQ(reader.report().problems.size(), 1u);
  EXPECT_EQ(reader.report().problems[0].count, 2u);
}

TEST_F(LogReaderTest, BadBytesGiveAReportNeverACrash) {
  // Random bytes: lines that are not text are counted, the rest read.
  std::mt19937 random(11);
  std::string noise;
  for (int i = 0; i < 200'000; ++i) noise += char(random() % 256);
  const LaunchReport garbage = readLog(noise + "\n" + LogSamples::clean);
  EXPECT_GT(garbage.unreadableLines, 100u);
  EXPECT_EQ(garbage.loader, "5.4.22.0");

  // Cut in the middle of a line, and of a character in it.
  const std::string cut = LogSamples::troubled.substr(0, LogSamples::troubled.find("🔥") + 2);
  const LaunchReport report = readLog(cut, clues);
  EXPECT_EQ(report.unreadableLines, 1u);
  EXPECT_EQ(report.plugins.size(), 5u);

  // Another game and another loader generation.
  const LaunchReport other = readLog(
      "[Message:   BepInEx] BepInEx 6.0.0-pre.2 - Lethal Company\n[Info   :   BepInEx] Loading [LC API "
      "3.4.5]\n");
  EXPECT_EQ(other.loader, "6.0.0-pre.2");
  EXPECT_EQ(other.process, "Lethal Company");
  EXPECT_EQ(other.started, std::nullopt);
}

TEST(StackFrames, TheCulpritIsTheFirstFrameOutsideSystemAndGameCode) {
  using StackFrames::pluginNamespace;
  EXPECT_EQ(pluginNamespace("ConfigurationManager.Patches.SetupMenuButton () (at <…>:0)"),
            "ConfigurationManager");
  EXPECT_EQ(pluginNamespace("  at Jotunn.Managers.GUIManager.CreateKeyHintObject (…) [0x000c0] in <…>:0"),
            "Jotunn.Managers");
  EXPECT_EQ(pluginNamespace("Player:Update () (at <x>:0)"), std::nullopt)
      << "a class without a namespace is the game's";
  EXPECT_EQ(pluginNamespace("Valheim.FarmGrid.Plugin:Awake () (at <x>:0)"), "Valheim.FarmGrid");
  EXPECT_EQ(pluginNamespace("ValheimPlus.Sections.<Load>d__3`1[Foo.Bar].MoveNext () (at <x>:0)"),
            "ValheimPlus.Sections");
  EXPECT_EQ(pluginNamespace("Player.SetPVP (System.Boolean enabled) (at <x>:0)"), std::nullopt);
  EXPECT_EQ(pluginNamespace("System.Collections.Generic.List`1[T].Add (T item) (at <x>:0)"), std::nullopt);
  EXPECT_EQ(pluginNamespace("(wrapper dynamic-method) MonoMod.Utils.DMDEmitDynamicMethodGenerator.Foo ()"),
            std::nullopt);
  EXPECT_EQ(pluginNamespace("Rethrow as HarmonyException: Patching exception in method null"), std::nullopt);
}
}  // namespace
