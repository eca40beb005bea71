#include <gtest/gtest.h>

#include "app/package_list_model.hpp"
#include "app/values.hpp"

namespace {
using Strings = std::vector<std::string>;

TSPackage package(const std::string& owner, const std::string& name, int64_t downloads = 0) {
  TSPackage p;
  p.owner = owner;
  p.name = name;
  p.fullName = owner + "-" + name;
  p.downloads = downloads;
  return p;
}

class Browse : public testing::Test {
 protected:
  void show(std::vector<TSPackage> packages) {
    model.setIndex(std::make_shared<const std::vector<TSPackage>>(std::move(packages)));
  }
  Strings rows() const {
    Strings out;
    for (int i = 0; i < model.rowCount(); ++i)
      out.push_back(model.data(model.index(i), PackageListModel::FullNameRole).toString().toStdString());
    return out;
  }
  PackageListModel model;
};

TEST_F(Browse, ManagersTheLoaderPackAndAdultContentAreNeverListed) {
  TSPackage adult = package("T", "Adult"), old = package("T", "Old");
  adult.nsfw = true;
  old.deprecated = true;
  show({package("denikson", "BepInExPack_Valheim"), package("Other", "BepInExPack_Valheim"),
        package("ebkr", "r2modman"), package("Kesomannen", "GaleModManager"), adult, old, package("T", "Mod")});
  EXPECT_EQ(rows(), Strings{"T-Mod"});
  model.setShowDeprecated(true);
  EXPECT_EQ(rows(), (Strings{"T-Old", "T-Mod"}));
  EXPECT_EQ(model.total(), 7);
}

TEST_F(Browse, SearchMatchesNamesOwnersDescriptionsAndDisplayNames) {
  TSPackage described = package("T", "Quiet", 1);
  described.description = "Adds a BIG hammer";
  show({package("T", "Better_BepInEx_Pack", 3), package("Hammerer", "Tools", 2), described, package("T", "Other")});
  model.setQuery("  bepinex pack\t");
  EXPECT_EQ(rows(), Strings{"T-Better_BepInEx_Pack"});
  model.setQuery("hammer");
  EXPECT_EQ(rows(), (Strings{"Hammerer-Tools", "T-Quiet"}));
  model.setQuery("hammer\n");  // only spaces and tabs are trimmed
  EXPECT_EQ(model.resultCount(), 0);
}

TEST_F(Browse, SortsAreStableAndNamesIgnoreCase) {
  show({package("T", "beta", 5), package("T", "Alpha", 5), package("T", "alpha", 9)});
  EXPECT_EQ(rows(), (Strings{"T-alpha", "T-beta", "T-Alpha"}));
  model.setSort(PackageListModel::name);
  EXPECT_EQ(rows(), (Strings{"T-Alpha", "T-alpha", "T-beta"}));
}

TEST_F(Browse, ResultsComeInPagesOfAHundred) {
  std::vector<TSPackage> many;
  for (int i = 0; i < 250; ++i) many.push_back(package("T", "Mod" + std::to_string(i)));
  many[0].categories = {"Tools", "Audio"};
  many[1].categories = {"Tools"};
  show(many);
  EXPECT_EQ(model.rowCount(), 100);
  EXPECT_EQ(model.resultCount(), 250);
  model.showMore();
  EXPECT_EQ(model.rowCount(), 200);
  model.showMore();
  EXPECT_EQ(model.rowCount(), 250);
  model.setQuery("mod");
  EXPECT_EQ(model.rowCount(), 100);
  EXPECT_EQ(model.categories(), (QStringList{"All categories", "Audio", "Tools"}));
  model.setCategory("Tools");
  EXPECT_EQ(rows(), (Strings{"T-Mod0", "T-Mod1"}));
}

TEST_F(Browse, RowsTellWhetherThePackageIsInTheSelectedProfile) {
  show({package("T", "Mine"), package("T", "Needed"), package("T", "New")});
  model.setProfileMods({{"T-Mine", true}, {"T-Needed", false}});
  auto state = [&](int row) { return model.data(model.index(row), PackageListModel::StateRole).toInt(); };
  EXPECT_EQ(state(0), 1);
  EXPECT_EQ(state(1), 2);
  EXPECT_EQ(state(2), 0);
}
}  // namespace
