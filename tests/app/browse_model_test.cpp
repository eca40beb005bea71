// The browse list's rules, on a hand-made index: what is never listed, how the search, the
// sorts and the pages behave. A model tester checks every change the list reports.
#include <gmock/gmock.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include "app/package_list_model.hpp"

namespace {
// How the catalogue marks a package.
struct Marks {
  bool deprecated = false, nsfw = false;
  std::vector<std::string> categories;
  std::string description;
};

// A package at 1.0.0.
TSPackage pkg(const std::string& owner, const std::string& name, int64_t downloads = 0, Marks marks = {}) {
  return {.fullName = owner + "-" + name,
          .owner = owner,
          .name = name,
          .deprecated = marks.deprecated,
          .nsfw = marks.nsfw,
          .categories = std::move(marks.categories),
          .description = std::move(marks.description),
          .latest = "1.0.0",
          .downloads = downloads,
          .versions = {"1.0.0"}};
}

class BrowseModel : public testing::Test {
 protected:
  void show(std::vector<TSPackage> packages) {
    model.setIndex(std::make_shared<const std::vector<TSPackage>>(std::move(packages)));
  }
  std::vector<std::string> listed() {
    std::vector<std::string> names;
    for (const TSPackage* p : model.results()) names.push_back(p->fullName);
    return names;
  }
  PackageListModel model;
  QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(BrowseModel, LoaderPacksModManagersAndAdultContentAreNeverListed) {
  show({pkg("denikson", "BepInExPack_Valheim"), pkg("Someone", "BepInExPack_Valheim"),
        pkg("ebkr", "r2modman"), pkg("Kesomannen", "GaleModManager"), pkg("BepInEx", "BepInExPack"),
        pkg("A", "Pack_Of_Things", 0, {.nsfw = true, .categories = {"Mods"}}),
        pkg("A", "Old_Pack", 0, {.deprecated = true, .categories = {"Mods"}}),
        pkg("A", "Packed", 0, {.categories = {"Mods"}})});
  model.setShowDeprecated(true);
  const std::vector<std::string> both{"A-Old_Pack", "A-Packed"}, none;
  for (QString category : {PackageListModel::allCategories, QStringLiteral("Mods")})
    for (QString query : {"", "pack", "r2modman", "bepinex"}) {
      model.setCategory(category);
      model.setQuery(query);
      EXPECT_THAT(listed(), testing::UnorderedElementsAreArray(query.size() <= 4 ? both : none))
          << query.toStdString();
    }
  model.setShowDeprecated(false);
  model.setQuery("");
  model.setCategory(PackageListModel::allCategories);
  EXPECT_EQ(listed(), std::vector<std::string>{"A-Packed"});
}

TEST_F(BrowseModel, EveryWordOfTheSearchOccursInATextAndNamesMatchWithoutSeparators) {
  show({pkg("Ranger", "BetterArchery", 0, {.description = "Bows that feel right"}), pkg("Smith", "PlanBuild"),
        pkg("Pal", "ValheimPlus"), pkg("A", "BepInEx_Pack_Tools"),
        pkg("C", "Other", 0, {.description = "Adds a BepInEx Pack helper"}),
        pkg("Ward-Smith", "Better_Wards"), pkg("Old", "Plan_Tool", 0, {.deprecated = true})});
  using Names = std::vector<std::string>;
  const Names all{"Ranger-BetterArchery", "Smith-PlanBuild", "Pal-ValheimPlus",
                  "A-BepInEx_Pack_Tools", "C-Other",         "Ward-Smith-Better_Wards"};
  const std::vector<std::pair<QString, Names>> cases = {
      {"better archery", {"Ranger-BetterArchery"}},
      {"archery BETTER", {"Ranger-BetterArchery"}},
      {"plan build", {"Smith-PlanBuild"}},
      {"plan-build", {"Smith-PlanBuild"}},
      {"betterarchery bows", {"Ranger-BetterArchery"}},  // a name run together, a word of the description
      {"better smith", {"Ward-Smith-Better_Wards"}},  // the owner
      {"better", {"Ranger-BetterArchery", "Ward-Smith-Better_Wards"}},
      {"archery plan", {}},  // every word, not any word
      {"-", {"Ward-Smith-Better_Wards"}},  // a separator alone is searched as it is
      // The whole query as a substring of one text, as before: the display name, the description.
      {"bepinex pack", {"A-BepInEx_Pack_Tools", "C-Other"}},
      {"  BepInEx Pack\t", {"A-BepInEx_Pack_Tools", "C-Other"}},
      {"pack tools", {"A-BepInEx_Pack_Tools"}},
      {"bepinexpack", {"A-BepInEx_Pack_Tools"}},
      {" \t ", all},
  };
  for (const auto& [query, names] : cases) {
    model.setQuery(query);
    EXPECT_EQ(listed(), names) << query.toStdString();
  }
}

TEST_F(BrowseModel, CountsTheDeprecatedMatchesTheSwitchHides) {
  show({pkg("Smith", "PlanBuild"), pkg("Old", "Plan_Tool", 0, {.deprecated = true, .categories = {"Tools"}}),
        pkg("Older", "Planner", 0, {.deprecated = true}),
        pkg("X", "Plans", 0, {.deprecated = true, .nsfw = true}), pkg("Other", "Thing")});
  QSignalSpy changed(&model, &PackageListModel::resultsChanged);
  model.setQuery("plan");
  EXPECT_EQ(model.hiddenDeprecated(), 2);
  model.setCategory("Tools");
  EXPECT_EQ(model.hiddenDeprecated(), 1);
  EXPECT_TRUE(listed().empty());
  model.setShowDeprecated(true);
  EXPECT_EQ(model.hiddenDeprecated(), 0);
  EXPECT_EQ(listed(), std::vector<std::string>{"Old-Plan_Tool"});
  EXPECT_EQ(changed.count(), 3);
}

TEST_F(BrowseModel, SortsAreStableAndNameOrderIgnoresCaseOnly) {
  show({pkg("A", "beta", 5), pkg("B", "alpha", 5), pkg("C", "Alpha", 9), pkg("D", "Zeta", 5),
        pkg("E", "_x", 1)});
  EXPECT_EQ(listed(), (std::vector<std::string>{"C-Alpha", "A-beta", "B-alpha", "D-Zeta", "E-_x"}));
  model.setSortOrder(PackageListModel::Name);
  // " x" (from "_x") sorts before letters by character code; "alpha" and "Alpha" tie.
  EXPECT_EQ(listed(), (std::vector<std::string>{"E-_x", "B-alpha", "C-Alpha", "A-beta", "D-Zeta"}));
}

TEST_F(BrowseModel, PagesGrowByAHundredAtTheEndAndANewSearchStartsOver) {
  std::vector<TSPackage> many;
  for (int i = 0; i < 250; ++i) many.push_back(pkg("O", "Mod" + std::to_string(i), 1000 - i));
  show(many);
  QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted),
      reset(&model, &QAbstractItemModel::modelReset);
  EXPECT_EQ(model.rowCount(), 100);
  for (int rows : {200, 250}) {
    model.showMore();
    EXPECT_EQ(model.rowCount(), rows);
  }
  EXPECT_EQ(inserted.count(), 2);
  EXPECT_EQ(reset.count(), 0) << "a list that is reset loses its scroll position";
  model.setSortOrder(PackageListModel::Name);
  EXPECT_EQ(model.rowCount(), 250) << "only a new search text shows the first page again";
  model.setQuery("m");
  EXPECT_EQ(model.rowCount(), 100);
  EXPECT_EQ(model.resultCount(), 250);
}

TEST_F(BrowseModel, RowsTellTheirPlaceInTheSelectedProfile) {
  show({pkg("A", "Mine"), pkg("B", "Needed"), pkg("C", "Other")});
  model.setSortOrder(PackageListModel::Name);
  model.setProfileMods({{"A-Mine", true}, {"B-Needed", false}});
  std::vector<int> states;
  for (int row = 0; row < model.rowCount(); ++row)
    states.push_back(model.data(model.index(row), PackageListModel::StateRole).toInt());
  EXPECT_EQ(states, (std::vector<int>{PackageListModel::InProfile, PackageListModel::AsDependency,
                                      PackageListModel::NotInProfile}));
}
}  // namespace
