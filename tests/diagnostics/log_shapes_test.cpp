// The shapes real players' logs come in, one short log each, and what the report makes of them.
#include <gmock/gmock.h>

#include "diagnostics/log_reader.hpp"
#include "test_profile.hpp"

using namespace Diagnostics;
using testing::ElementsAreArray;

namespace {
std::string orDash(const std::optional<std::string>& text) { return text.value_or("-"); }

// "kind plug-in (mod) [with plug-in (mod)] line a[-b] [×n]: message"
std::string said(const LogProblem& p) {
  std::string out = std::string(name(p.kind)) + " " + orDash(p.plugin) + " (" + orDash(p.mod) + ")";
  if (p.otherPlugin || p.otherMod) out += " with " + orDash(p.otherPlugin) + " (" + orDash(p.otherMod) + ")";
  out += " line " + std::to_string(p.firstLine);
  if (p.lastLine != p.firstLine) out += "-" + std::to_string(p.lastLine);
  if (p.count > 1) out += " ×" + std::to_string(p.count);
  return out + ": " + p.message;
}

// "name version state (mod)[: reason]"
std::string said(const PluginEntry& p) {
  std::string out = p.name + " " + p.version + " " + name(p.state) + " (" + orDash(p.mod) + ")";
  return p.reason ? out + ": " + *p.reason : out;
}

template <typename T>
std::vector<std::string> said(const std::vector<T>& all) {
  std::vector<std::string> out;
  for (const T& one : all) out.push_back(said(one));
  return out;
}

// Two lines of start, so a shape's own lines count from 3.
std::string started(std::string_view lines) {
  return "[Message:   BepInEx] BepInEx 5.4.22.0 - valheim (11/11/2024 10:23:24 PM)\n"
         "[Message:   BepInEx] Chainloader started\n" +
         std::string(lines);
}

struct Shape {
  const char* what;
  std::string log;
  std::vector<std::string> plugins, problems, warnings;  // no warnings when left out
};

void PrintTo(const Shape& shape, std::ostream* out) { *out << shape.what; }

const Shape shapes[] = {
    {"a plug-in installed twice loads once; the older copy is the problem, tied to its own mod",
     started("[Warning:   BepInEx] Skipping [Jotunn 2.6.0] because a newer version exists (Jotunn 2.20.1)\n"
             "[Info   :   BepInEx] Loading [PlanBuild 0.15.2.4]\n"
             "[Info   :   BepInEx] Loading [Jotunn 2.20.1]\n"
             "[Message:   BepInEx] Chainloader startup complete\n"),
     {"Jotunn 2.20.1 loaded (ValheimModding-Jotunn)", "PlanBuild 0.15.2.4 loaded (Plans-PlanBuild)"},
     {"duplicate Jotunn (Builder-BuildKit) with - (ValheimModding-Jotunn) line 3: Jotunn is installed twice; "
      "the older copy (2.6.0) was skipped"}},

    {"an exception a library logs as a warning is the thrower's, not the library's",
     started("[Info   :   BepInEx] Loading [Jotunn 2.20.1]\n"
             "[Info   :   BepInEx] Loading [PlanBuild 0.15.2.4]\n"
             "[Message:   BepInEx] Chainloader startup complete\n"
             "[Warning:Jotunn.Managers.PieceManager] Could not register a piece\n"
             "System.NullReferenceException: Object reference not set to an instance of an object\n"
             "  at PlanBuild.Blueprints.BlueprintManager.RegisterPiece () [0x00001] in <abc>:0 \n"
             "  at Jotunn.Managers.PieceManager.RegisterInPieceTables () [0x00002] in <abc>:0 \n"),
     {"Jotunn 2.20.1 loaded (ValheimModding-Jotunn)", "PlanBuild 0.15.2.4 loaded (Plans-PlanBuild)"},
     {"exception PlanBuild (Plans-PlanBuild) line 6: Could not register a piece"}},

    {"Unity's frames name the deepest namespace part that is a plug-in; an unknown one is named whole",
     started(
         "[Info   :   BepInEx] Loading [Farm Grid 1.2.0]\n"
         "[Message:   BepInEx] Chainloader startup complete\n"
         "[Error  : Unity Log] NullReferenceException: Object reference not set to an instance of an object\n"
         "Stack trace:\n"
         "UnityEngine.Debug:LogException(Exception)\n"
         "Humanoid:EquipItem (ItemDrop/ItemData,bool)\n"
         "Farmer.FarmGrid.Patches.EquipPatch:Prefix (Humanoid,ItemDrop/ItemData)\n"
         "[Error  : Unity Log] IndexOutOfRangeException: Index was outside the bounds of the array.\n"
         "Stack trace:\n"
         "Someone.Unknown.Thing:Do (int)\n"),
     {"Farm Grid 1.2.0 loaded (Farmer-FarmGrid)"},
     {"exception Farm Grid (Farmer-FarmGrid) line 5: NullReferenceException: Object reference not set to an "
      "instance of an object",
      "exception Someone.Unknown (-) line 10: IndexOutOfRangeException: Index was outside the bounds of the "
      "array."}},

    {"a plug-in whose own code throws while it starts failed; another's exception then leaves it loaded",
     started(
         "[Info   :   BepInEx] Loading [PlanBuild 0.15.2.4]\n"
         "[Error  : Unity Log] ArgumentException: An item with the same key has already been added. Key: "
         "piece_blueprint\n"
         "Stack trace:\n"
         "System.Collections.Generic.Dictionary`2[TKey,TValue].Add (TKey key, TValue value) (at <x>:0)\n"
         "PlanBuild.PlanBuildPlugin.Awake () (at <x>:0)\n"
         "[Info   :   BepInEx] Loading [Farm Grid 1.2.0]\n"
         "[Error  : Unity Log] NullReferenceException: Object reference not set to an instance of an object\n"
         "Stack trace:\n"
         "ConfigurationManager.Patches.SetupMenuButton () (at <x>:0)\n"
         "[Message:   BepInEx] Chainloader startup complete\n"
         "[Error  : Unity Log] KeyNotFoundException: piece_bed\n"
         "Stack trace:\n"
         "Valheim.FarmGrid.Plugin:Awake ()\n"),
     {"PlanBuild 0.15.2.4 failed (Plans-PlanBuild): threw while starting: ArgumentException: An item with "
      "the same key has already been added. Key: piece_blueprint",
      "Farm Grid 1.2.0 loaded (Farmer-FarmGrid)"},
     {"exception PlanBuild (Plans-PlanBuild) line 4: ArgumentException: An item with the same key has "
      "already been added. Key: piece_blueprint",
      "exception ConfigurationManager (Owner-ConfigurationManager) line 9: NullReferenceException: Object "
      "reference not set to an instance of an object",
      "exception Farm Grid (Farmer-FarmGrid) line 13: KeyNotFoundException: piece_bed"}},

    {"the quit-time unpatching and the engine's notes are nothing; plain warnings are listed apart",
     started("[Info   :   BepInEx] Loading [PlanBuild 0.15.2.4]\n"
             "[Info   :   BepInEx] Loading [Farm Grid 1.2.0]\n"
             "[Message:   BepInEx] Chainloader startup complete\n"
             "[Warning:PlanBuild] Missing translation for key $piece_blueprint\n"
             "[Warning: Unity Log] The referenced script (Unknown) on this Behaviour is missing!\n"
             "[Warning:PlanBuild] Missing translation for key $piece_blueprint\n"
             "[Warning:Farm Grid] 42\n"
             "[Warning: Unity Log] [PlanBuild] Blueprint folder not found\n"
             "[Warning:  HarmonyX] UnpatchAll has been called - This will remove ALL HARMONY PATCHES.\n"),
     {"PlanBuild 0.15.2.4 loaded (Plans-PlanBuild)", "Farm Grid 1.2.0 loaded (Farmer-FarmGrid)"},
     {},
     {"warning PlanBuild (Plans-PlanBuild) line 6-8 ×2: Missing translation for key $piece_blueprint",
      "warning Farm Grid (Farmer-FarmGrid) line 9: 42",
      "warning PlanBuild (Plans-PlanBuild) line 10: [PlanBuild] Blueprint folder not found"}},

    {"one error over many lines, separators and a blank among them, is one problem named by its text",
     started("[Info   :   BepInEx] Loading [PlanBuild 0.15.2.4]\n"
             "[Error  :PlanBuild] ------------------------------\n"
             "\n"
             "Failed to load blueprint \"castle.blueprint\"\n"
             "{\"name\": \"castle\",\n"
             "------------------------------\n"
             "[Error  :PlanBuild] ------------------------------\n"
             "[Info   : Unity Log] Player spawned\n"),
     {"PlanBuild 0.15.2.4 loaded (Plans-PlanBuild)"},
     {"error PlanBuild (Plans-PlanBuild) line 4: Failed to load blueprint \"castle.blueprint\""}},

    {"a control byte in good text leaves the line readable",
     started("[Info   :   BepInEx] Loading [Farm Grid 1.2.0]\n"
             "[Error  :Farm Grid] Could not place \x16"
             "crop at 12,3\n"),
     {"Farm Grid 1.2.0 loaded (Farmer-FarmGrid)"},
     {"error Farm Grid (Farmer-FarmGrid) line 4: Could not place \xEF\xBF\xBD"
      "crop at 12,3"}},

    {"repeats fold by kind, plug-in and message: another message of the same plug-in is another problem",
     started("[Info   :   BepInEx] Loading [PlanBuild 0.15.2.4]\n"
             "[Error  :PlanBuild] Blueprint castle failed\n"
             "[Error  :PlanBuild] Blueprint tower failed\n"
             "[Error  :PlanBuild] Blueprint castle failed\n"),
     {"PlanBuild 0.15.2.4 loaded (Plans-PlanBuild)"},
     {"error PlanBuild (Plans-PlanBuild) line 4-6 ×2: Blueprint castle failed",
      "error PlanBuild (Plans-PlanBuild) line 5: Blueprint tower failed"}},

    {"a tag names the plug-in of an engine line",
     started("[Info   :   BepInEx] Loading [Farm Grid 1.2.0]\n"
             "[Message:   BepInEx] Chainloader startup complete\n"
             "[Error  : Unity Log] [Farm Grid] Crop data missing for turnip\n"
             "[Error  : Unity Log] [12:01:02] Something the engine said\n"),
     {"Farm Grid 1.2.0 loaded (Farmer-FarmGrid)"},
     {"error Farm Grid (Farmer-FarmGrid) line 5: [Farm Grid] Crop data missing for turnip",
      "error - (-) line 6: [12:01:02] Something the engine said"}},
};

class LogShapes : public testing::TestWithParam<Shape> {
 protected:
  static ModClues clues() {
    const std::filesystem::path folder = TestProfile::freshFolder();
    return ModClues::gather(TestProfile::make(folder), folder);
  }
};

TEST_P(LogShapes, AreReadAsAPlayerWouldReadThem) {
  const Shape& shape = GetParam();
  const LaunchReport report = readLog(shape.log, clues());
  EXPECT_EQ(report.verdict, LogVerdict::loaderLog);
  EXPECT_EQ(report.unreadableLines, 0u);
  EXPECT_THAT(said(report.plugins), ElementsAreArray(shape.plugins));
  EXPECT_THAT(said(report.problems), ElementsAreArray(shape.problems));
  EXPECT_THAT(said(report.warnings), ElementsAreArray(shape.warnings));
}

INSTANTIATE_TEST_SUITE_P(RealLogs, LogShapes, testing::ValuesIn(shapes));

TEST(LogShapes, AMultiLineEntryKeepsAllItsLinesAndControlBytesShowAsReplacements) {
  const LaunchReport report =
      readLog(started("[Error  :PlanBuild] -----\n\nFailed to load\n\x01{\"a\": 1}\n-----\n"));
  ASSERT_EQ(report.problems.size(), 1u);
  EXPECT_EQ(report.problems[0].excerpt, "-----\nFailed to load\n\xEF\xBF\xBD{\"a\": 1}\n-----");
}

TEST(LogShapes, AFileThatIsNoLoaderLogSaysSo) {
  EXPECT_EQ(readLog("").verdict, LogVerdict::empty);
  EXPECT_EQ(readLog("\n  \r\n\t\n").verdict, LogVerdict::empty);
  EXPECT_EQ(readLog("{\"profile\": 1}\n").verdict, LogVerdict::notALoaderLog);
  std::string late(300, '\n');
  for (int i = 0; i < 300; ++i) late += "Initialize engine version\n";
  EXPECT_EQ(readLog(late + "[Info   : Unity Log] x\n").verdict, LogVerdict::notALoaderLog);
  EXPECT_EQ(readLog("Mono path[0] = '/Valheim'\n" + started("")).verdict, LogVerdict::loaderLog)
      << "the engine's own lines may come first";
  EXPECT_EQ(readLog("\xFF\xFE\n").verdict, LogVerdict::notALoaderLog) << "bytes that are not text";
}
}  // namespace
