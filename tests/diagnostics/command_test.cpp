// quernhold --launch-report: JSON on stdout, or a sentence on stderr and exit 1.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "diagnostics/launch_report_command.hpp"
#include "temp_home.hpp"
#include "test_profile.hpp"
#include "testkit/log_samples.hpp"

using namespace Diagnostics;
using nlohmann::json;

namespace {
struct Outcome {
  int code;
  std::string out, err;
};

Outcome run(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = launchReportCommand(args, out, err);
  return {code, out.str(), err.str()};
}

class CommandTest : public testing::Test {
 protected:
  void SetUp() override {
    TestProfile::make(folder);
    TestProfile::write(log, LogSamples::troubled);
  }
  std::filesystem::path folder = TestProfile::freshFolder();
  std::filesystem::path log = folder / "BepInEx" / "LogOutput.log";
};

TEST_F(CommandTest, PrintsTheReportAsJson) {
  const Outcome result = run({log.string(), "--profile", folder.string()});
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(result.err, "");
  const json report = json::parse(result.out);
  EXPECT_EQ(report["loader"], "5.4.22.0");
  EXPECT_EQ(report["process"], "valheim");
  EXPECT_EQ(report["startupComplete"], true);
  EXPECT_EQ(report["pluginCount"], 9);
  EXPECT_EQ(report["unreadableLines"], 0);
  EXPECT_EQ(report["plugins"][1], json::parse(R"({"name": "CropReplantCompat", "version": "1.0.0",
      "state": "failed", "reason": "it has missing dependencies: com.example.cropreplant, org.bepinex.plugins.farming (v1.2.0 or newer), com.nobody.ghost",
      "mod": "Crops-CropReplantCompat", "missing": [
        {"guid": "com.example.cropreplant", "mod": "Crops-CropReplant"},
        {"guid": "org.bepinex.plugins.farming", "mod": "Farmer-FarmGrid"},
        {"guid": "com.nobody.ghost", "mod": null}]})"));
  EXPECT_EQ(report["problems"][3], json::parse(R"({"kind": "incompatible", "plugin": "Old Portals",
      "mod": null, "message": "Could not load [Old Portals 0.9] because it is incompatible with: com.example.portals",
      "count": 1, "firstLine": 8, "lastLine": 8,
      "excerpt": "Could not load [Old Portals 0.9] because it is incompatible with: com.example.portals"})"));
  EXPECT_EQ(report["problems"][9]["otherMod"], "RRR-RRRCore");
}

// The fields the first report leaves out: a loaded plug-in without a reason, the warnings listed
// apart and the verdict. (What each shape of log reads as is the reader's own tests'.)
TEST_F(CommandTest, PrintsTheWarningsAndTheVerdict) {
  TestProfile::write(log,
                     "[Message:   BepInEx] BepInEx 5.4.22.0 - valheim (11/11/2024 10:23:24 PM)\n"
                     "[Info   :   BepInEx] Loading [Jotunn 2.20.1]\n"
                     "[Message:   BepInEx] Chainloader startup complete\n"
                     "[Warning:Farm Grid] Missing translation for $crop\n");
  const Outcome result = run({log.string(), "--profile", folder.string()});
  ASSERT_EQ(result.code, 0) << result.err;
  const json report = json::parse(result.out);
  EXPECT_EQ(report["verdict"], "loader-log");
  EXPECT_EQ(report["plugins"], json::parse(R"([{"name": "Jotunn", "version": "2.20.1", "state": "loaded",
      "reason": null, "mod": "ValheimModding-Jotunn"}])"));
  EXPECT_EQ(report["warnings"], json::parse(R"([{"kind": "warning", "plugin": "FarmGrid",
      "mod": "Farmer-FarmGrid", "message": "Missing translation for $crop", "count": 1,
      "firstLine": 4, "lastLine": 4, "excerpt": "Missing translation for $crop"}])"));
  EXPECT_EQ(report["warningsNotListed"], 0);

  for (const auto& [bytes, verdict] :
       {std::pair{"", "empty"}, std::pair{"{\"mods\": []}\n", "not-a-loader-log"}}) {
    TestProfile::write(log, bytes);
    const Outcome other = run({log.string()});
    EXPECT_EQ(other.code, 0) << "a file that is no loader log still gets a report";
    EXPECT_EQ(json::parse(other.out)["verdict"], verdict);
  }
}

TEST_F(CommandTest, ALogThatCannotBeReadIsASentenceAndExitOne) {
  const Outcome missing = run({(folder / "nothing.log").string()});
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_TRUE(
      missing.err.starts_with("Couldn’t read the log file " + (folder / "nothing.log").string() + ": "))
      << missing.err;

  EXPECT_EQ(run({folder.string()}).code, 1) << "a folder is no log file";
  const Outcome noProfile = run({log.string(), "--profile", (folder / "BepInEx").string()});
  EXPECT_EQ(noProfile.code, 1);
  EXPECT_TRUE(noProfile.err.starts_with("Couldn’t read the profile in ")) << noProfile.err;
}

TEST_F(CommandTest, AnotherCommandLineIsUsage) {
  EXPECT_EQ(run({}).code, 2);
  EXPECT_EQ(run({log.string(), "--profile"}).code, 2);
  EXPECT_TRUE(run({log.string(), "--other", "x"}).err.starts_with("Usage: quernhold --launch-report"));
}
}  // namespace
