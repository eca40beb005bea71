// The browse list's rules, on a hand-made index: what is never listed, how the search, the
// sorts and the pages behave. A model tester checks every change the list reports.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include "app/package_list_model.hpp"

namespace {
TSPackage pkg(const std::string& owner, const std::string& name, int64_t downloads = 0) {
  return {.fullName = owner + "-" + name,
          .owner = owner,
          .name = name,
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
  auto adult = pkg("A", "Pack_Of_Things");
  adult.nsfw = true;
  adult.categories = {"Mods"};
  auto old = pkg("A", "Old_Pack");
  old.deprecated = true;
  old.categories = {"Mods"};
  show({pkg("denikson", "BepInExPack_Valheim"), pkg("Someone", "BepInExPack_Valheim"),
        pkg("ebkr", "r2modman"), pkg("Kesomannen", "GaleModManager"), pkg("BepInEx", "BepInExPack"), adult,
        old, pkg("A", "Packed")});
  model.setShowDeprecated(true);
  for (QString category : {PackageListModel::allCategories, QStringLiteral("Mods")})
    for (QString query : {"", "pack", "r2modman", "bepinex"}) {
      model.setCategory(category);
      model.setQuery(query);
      for (const auto& name : listed())
        EXPECT_THAT(name, testing::AnyOf("A-Old_Pack", "A-Packed")) << query.toStdString();
    }
  model.setShowDeprecated(false);
  model.setQuery("");
  model.setCategory(PackageListModel::allCategories);
  EXPECT_EQ(listed(), std::vector<std::string>{"A-Packed"});
}

TEST_F(BrowseModel, SearchTrimsOnlySpacesAndTabsAndMatchesTheDisplayName) {
  auto described = pkg("C", "Other");
  described.description = "Adds a BepInEx Pack helper";
  show({pkg("A", "BepInEx_Pack_Tools"), pkg("B", "BepInExPackless"), described});
  const std::vector<std::string> both{"A-BepInEx_Pack_Tools", "C-Other"};
  for (QString query : {"bepinex pack", "  BepInEx Pack\t", "\tbepinex pack  "}) {
    model.setQuery(query);
    EXPECT_EQ(listed(), both) << query.toStdString();
  }
  model.setQuery("\nbepinex pack");  // line breaks are part of the search
  EXPECT_TRUE(listed().empty());
}

TEST_F(BrowseModel, SortsAreStableAndNameOrderIgnoresCaseOnly) {
  show({pkg("A", "beta", 5), pkg("B", "alpha", 5), pkg("C", "Alpha", 9), pkg("D", "Zeta", 5),
        pkg("E", "_x", 1)});
  EXPECT_EQ(listed(), (std::vector<std::string>{"C-Alpha", "A-beta", "B-alpha", "D-Zeta", "E-_x"}));
  model.setSortOrder(PackageListModel::name);
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
  model.setSortOrder(PackageListModel::name);
  EXPECT_EQ(model.rowCount(), 250) << "only a new search text shows the first page again";
  model.setQuery("m");
  EXPECT_EQ(model.rowCount(), 100);
  EXPECT_EQ(model.resultCount(), 250);
}

TEST_F(BrowseModel, RowsTellTheirPlaceInTheSelectedProfile) {
  show({pkg("A", "Mine"), pkg("B", "Needed"), pkg("C", "Other")});
  model.setSortOrder(PackageListModel::name);
  model.setProfileMods({{"A-Mine", true}, {"B-Needed", false}});
  std::vector<int> states;
  for (int row = 0; row < model.rowCount(); ++row)
    states.push_back(model.data(model.index(row), PackageListModel::StateRole).toInt());
  EXPECT_EQ(states, (std::vector<int>{PackageListModel::inProfile, PackageListModel::asDependency,
                                      PackageListModel::notInProfile}));
}
}  // namespace
