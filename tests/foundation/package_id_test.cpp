#include <gtest/gtest.h>

#include "foundation/package_id.hpp"

namespace {
PackageID id(std::string ns, std::string name, std::optional<std::string> version = {}) {
  return {std::move(ns), std::move(name), std::move(version)};
}
}  // namespace

TEST(PackageID, SplitsNamespaceNameAndThreePartVersion) {
  EXPECT_EQ(splitPackageID("denikson-BepInExPack_Valheim-5.4.2202"),
            id("denikson", "BepInExPack_Valheim", "5.4.2202"));
  EXPECT_EQ(splitPackageID("Owner-Mod-Name-1.0.0"), id("Owner", "Mod-Name", "1.0.0"));
  EXPECT_EQ(splitPackageID("Owner--1.0.0"), id("Owner", "", "1.0.0"));
}

TEST(PackageID, LastPieceThatIsNotAThreePartVersionBelongsToTheName) {
  EXPECT_EQ(splitPackageID("Owner-Mod-Name"), id("Owner", "Mod-Name"));
  EXPECT_EQ(splitPackageID("Owner-Mod-1.0"), id("Owner", "Mod-1.0"));
  EXPECT_EQ(splitPackageID("Owner-Mod-1.0.0.0"), id("Owner", "Mod-1.0.0.0"));
  EXPECT_EQ(splitPackageID("Owner-Mod-v1.0.0"), id("Owner", "Mod-v1.0.0"));
  EXPECT_EQ(splitPackageID("Owner-Mod-1..0"), id("Owner", "Mod-1..0"));
  EXPECT_EQ(splitPackageID("Owner-Mod-"), id("Owner", "Mod-"));
  EXPECT_EQ(splitPackageID("Owner-Mod"), id("Owner", "Mod"));
  EXPECT_EQ(splitPackageID("Owner"), id("Owner", "Owner"));
  EXPECT_EQ(splitPackageID(""), id("", ""));
}

TEST(Version, PartsReadsSignedDecimalsAndZeroesTheRest) {
  using V = std::vector<int64_t>;
  EXPECT_EQ(Version::parts("1.2.3"), (V{1, 2, 3}));
  EXPECT_EQ(Version::parts("1.0.0-beta"), (V{1, 0, 0}));
  EXPECT_EQ(Version::parts("a"), (V{0}));
  EXPECT_EQ(Version::parts(""), V{});
  EXPECT_EQ(Version::parts("1.-2"), (V{1, -2}));
  EXPECT_EQ(Version::parts(".1..2."), (V{1, 2}));
  EXPECT_EQ(Version::parts("+7.-"), (V{7, 0}));
  EXPECT_EQ(Version::parts("99999999999999999999.1"), (V{0, 1}));
  EXPECT_EQ(Version::parts(" 1.2"), (V{0, 2}));
}

TEST(Version, NewerComparesNumericallyPerComponent) {
  EXPECT_TRUE(Version::newer("1.10.0", "1.9.9"));
  EXPECT_TRUE(Version::newer("5.4.2332", "5.4.600"));
  EXPECT_FALSE(Version::newer("5.4.600", "5.4.2202"));
  EXPECT_FALSE(Version::newer("1.0", "1.0.0"));
  EXPECT_FALSE(Version::newer("1.0.0", "1.0"));
  EXPECT_TRUE(Version::newer("1.0.1", "1.0"));
  EXPECT_FALSE(Version::newer("2.0.0-beta", "2.0.0"));
  EXPECT_TRUE(Version::newer("0.0.1", ""));
  EXPECT_FALSE(Version::newer("", "0.0.1"));
  EXPECT_FALSE(Version::newer("", ""));
  EXPECT_FALSE(Version::newer("3.1.4", "3.1.4"));
}
