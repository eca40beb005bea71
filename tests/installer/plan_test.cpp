// The rules of a profile's contents, over plain records: no files, no event loop.
#include <gtest/gtest.h>

#include <map>

#include "installer/halves.hpp"
#include "installer/plan.hpp"

namespace {
ProfileMod mod(const std::string& name, bool isExplicit = true,
               std::optional<std::string> installed = "1.0.0") {
  return ProfileMod{"T", name, "1.0.0", std::move(installed), true, isExplicit};
}

Profile profileOf(std::vector<ProfileMod> mods) {
  Profile p;
  p.mods = std::move(mods);
  return p;
}

// What each mod needs, by name ("A" needs "T-B" when graph["A"] holds "B").
Plan::Needs needsOf(std::map<std::string, std::vector<std::string>> graph) {
  return [graph](const std::string& key) {
    std::vector<DependencyRef> refs;
    auto it = graph.find(key.substr(2));
    if (it != graph.end())
      for (const std::string& name : it->second) refs.push_back({"T", name});
    return refs;
  };
}

TSPackage latest(const std::string& name, const std::string& version) {
  return {.fullName = "T-" + name, .owner = "T", .name = name, .latest = version};
}
}  // namespace

TEST(PlanInstall, ReinstallsWhenTheWantedVersionOrTheFilesDiffer) {
  ProfileMod m = mod("A");
  EXPECT_FALSE(Plan::needsInstall(m, true));
  EXPECT_TRUE(Plan::needsInstall(m, false));
  m.version = "1.1.0";
  EXPECT_TRUE(Plan::needsInstall(m, true));
  EXPECT_TRUE(Plan::needsInstall(mod("B", true, std::nullopt), true));

  Profile p;
  p.packVersion = p.packInstalled = "5.4.2202";
  EXPECT_FALSE(Plan::packNeedsInstall(p, ModStatus::UpdateAvailable));
  EXPECT_TRUE(Plan::packNeedsInstall(p, ModStatus::NotInstalled));
  p.packVersion = "5.4.2300";
  EXPECT_TRUE(Plan::packNeedsInstall(p, ModStatus::UpToDate));
}

TEST(PlanDependencies, MarksWhatAnyModNeedsEvenInACycle) {
  Profile p = profileOf({mod("A"), mod("B"), mod("C"), mod("D")});
  Plan::markDependencies(p, needsOf({{"A", {"B"}}, {"B", {"A"}}, {"C", {"Elsewhere"}}}));
  std::vector<bool> isExplicit;
  for (const ProfileMod& m : p.mods) isExplicit.push_back(m.isExplicit);
  EXPECT_EQ(isExplicit, (std::vector<bool>{false, false, true, true}));
}

TEST(PlanRemoval, KeepsWhatExplicitModsStillNeedThroughOthers) {
  // A needs B, B needs C (both dependencies); D was only needed by a mod now gone; E needs itself.
  const Profile p = profileOf({mod("A"), mod("B", false), mod("C", false), mod("D", false), mod("E", false)});
  const auto needed = Plan::stillNeeded(p, needsOf({{"A", {"B"}}, {"B", {"C", "A"}}, {"E", {"E"}}}));
  std::vector<std::string> unused;
  for (const ProfileMod& m : p.mods)
    if (Plan::unused(m, needed)) unused.push_back(m.name);
  EXPECT_EQ(unused, (std::vector<std::string>{"D", "E"}));
}

TEST(PlanStatus, ShowsWhatIsInstalledAgainstTheCatalogue) {
  const TSPackage newer = latest("A", "1.2.0"), same = latest("A", "1.0.0");
  EXPECT_EQ(Plan::modStatus(mod("A"), true, &newer), ModStatus::UpdateAvailable);
  EXPECT_EQ(Plan::modStatus(mod("A"), true, &same), ModStatus::UpToDate);
  EXPECT_EQ(Plan::modStatus(mod("A"), true, nullptr), ModStatus::Installed);
  EXPECT_EQ(Plan::modStatus(mod("A"), false, &same), ModStatus::NotInstalled);
  EXPECT_EQ(Plan::modStatus(mod("A", true, std::nullopt), true, &same), ModStatus::NotInstalled);
  ProfileMod wantsOther = mod("A");
  wantsOther.version = "9.0.0";  // the wanted version plays no part
  EXPECT_EQ(Plan::modStatus(wantsOther, true, &same), ModStatus::UpToDate);

  Profile p;
  const TSPackage pack = latest("BepInExPack_Valheim", "5.4.2300");
  EXPECT_EQ(Plan::packStatus(p, true, &pack), ModStatus::NotInstalled);
  p.packInstalled = "5.4.2202";
  EXPECT_EQ(Plan::packStatus(p, true, &pack), ModStatus::UpdateAvailable);
  EXPECT_EQ(Plan::packStatus(p, false, &pack), ModStatus::NotInstalled);
}

TEST(PlanUpdates, RaiseOnlyInstalledModsThatAreBehind) {
  Profile p = profileOf({mod("Old"), mod("Same"), mod("Missing", true, std::nullopt), mod("Unknown")});
  p.packVersion = p.packInstalled = "5.4.2202";
  const std::map<std::string, TSPackage> catalogue = {
      {"Old", latest("Old", "2.0.0")},
      {"Same", latest("Same", "1.0.0")},
      {"Missing", latest("Missing", "3.0.0")},
      {"BepInExPack_Valheim", latest("BepInExPack_Valheim", "5.4.2300")}};
  const Plan::Lookup lookup = [&](const std::string&, const std::string& name) -> const TSPackage* {
    auto it = catalogue.find(name);
    return it == catalogue.end() ? nullptr : &it->second;
  };
  Plan::takeUpdates(p, lookup, ModStatus::UpToDate);
  EXPECT_EQ(p.mods[0].version, "2.0.0");
  EXPECT_EQ(p.mods[1].version, "1.0.0");
  EXPECT_EQ(p.mods[2].version, "1.0.0");
  EXPECT_EQ(p.packVersion, "5.4.2202");  // the pack only moves when it has an update
  Plan::takeUpdates(p, lookup, ModStatus::UpdateAvailable);
  EXPECT_EQ(p.packVersion, "5.4.2300");
}

TEST(PlanBulk, NeededByFollowsTheChainUpAndEndsCycles) {
  // A needs B, B needs C, D needs C; E needs F and F needs E.
  const Profile p = profileOf({mod("A"), mod("B", false), mod("C", false), mod("D"), mod("E"), mod("F")});
  const auto needs = needsOf({{"A", {"B"}}, {"B", {"C"}}, {"D", {"C"}}, {"E", {"F"}}, {"F", {"E"}}});
  const auto names = [&](const std::string& key) {
    std::vector<std::string> result;
    for (const ProfileMod& m : Plan::neededBy(p, key, needs)) result.push_back(m.name);
    return result;
  };
  EXPECT_EQ(names("T-C"), (std::vector<std::string>{"A", "B", "D"}));
  EXPECT_EQ(names("T-B"), std::vector<std::string>{"A"});
  EXPECT_EQ(names("T-A"), std::vector<std::string>{});
  EXPECT_EQ(names("T-E"), std::vector<std::string>{"F"}) << "a cycle names the other, never the mod itself";
}

// A mod and what it needs, even through a mod outside the suspects, stay in one half; the halves
// take the larger groups first, each into the half with fewer mods.
TEST(PlanBulk, HalvesKeepDependencyGroupsTogether) {
  const Profile p = profileOf({mod("A"), mod("B"), mod("C"), mod("D"), mod("E"), mod("F"), mod("G")});
  const auto needs = needsOf({{"A", {"B"}}, {"B", {"X", "G"}}, {"C", {"G"}}, {"E", {"F"}}});
  using Keys = std::vector<std::string>;
  struct Case {
    Keys suspects;
    Halves::Split expected;
  };
  const std::vector<Case> cases = {
      {{}, {}},
      {{"T-D"}, {{"T-D"}, {}}},
      {{"T-D", "T-F"}, {{"T-D"}, {"T-F"}}},
      {{"T-A", "T-B", "T-D", "T-F"}, {{"T-A", "T-B"}, {"T-D", "T-F"}}},
      // A, B, C and G hang together through G; E needs F.
      {{"T-A", "T-C", "T-D", "T-E", "T-F", "T-G"}, {{"T-A", "T-C", "T-G"}, {"T-D", "T-E", "T-F"}}},
      // A reaches G only through B, which is not a suspect: still one group.
      {{"T-A", "T-G", "T-D", "T-E"}, {{"T-A", "T-G"}, {"T-D", "T-E"}}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Halves::split(p, c.suspects, needs), c.expected) << testing::PrintToString(c.suspects);
}
