#include <gtest/gtest.h>

#include "foundation/package_id.hpp"

namespace {
PackageID id(std::string ns, std::string name, std::optional<std::string> version = {}) {
  return {std::move(ns), std::move(name), std::move(version)};
}
}  // namespace

TEST(PackageID, SplitsOffTheNamespaceAndOnlyAThreePartVersion) {
  EXPECT_EQ(splitPackageID("denikson-BepInExPack_Valheim-5.4.2202"),
            id("denikson", "BepInExPack_Valheim", "5.4.2202"));
  EXPECT_EQ(splitPackageID("Owner-Mod-Name-1.0.0"), id("Owner", "Mod-Name", "1.0.0"));
  EXPECT_EQ(splitPackageID("Owner--1.0.0"), id("Owner", "", "1.0.0"));
  // Any other last piece belongs to the name.
  for (std::string name : {"Mod-Name", "Mod-1.0", "Mod-1.0.0.0", "Mod-v1.0.0", "Mod-1..0", "Mod-", "Mod"})
    EXPECT_EQ(splitPackageID("Owner-" + name), id("Owner", name)) << name;
  EXPECT_EQ(splitPackageID("Owner"), id("Owner", "Owner"));
  EXPECT_EQ(splitPackageID(""), id("", ""));
}

TEST(Version, PartsReadsSignedDecimalsAndZeroesTheRest) {
  const std::pair<const char*, std::vector<int64_t>> cases[] = {
      {"1.2.3", {1, 2, 3}}, {"1.0.0-beta", {1, 0, 0}}, {"a", {0}},      {"", {}},
      {"1.-2", {1, -2}},    {".1..2.", {1, 2}},        {"+7.-", {7, 0}}, {"99999999999999999999.1", {0, 1}},
      {" 1.2", {0, 2}}};
  for (const auto& [text, parts] : cases) EXPECT_EQ(Version::parts(text), parts) << text;
}

TEST(Version, NewerComparesNumericallyPerComponent) {
  using Pair = std::pair<const char*, const char*>;
  for (auto [a, b] : {Pair{"1.10.0", "1.9.9"}, Pair{"5.4.2332", "5.4.600"}, Pair{"1.0.1", "1.0"}, Pair{"0.0.1", ""}}) {
    EXPECT_TRUE(Version::newer(a, b)) << a << " > " << b;
    EXPECT_FALSE(Version::newer(b, a)) << b << " > " << a;
  }
  // Equal once missing parts count as zero and suffixes are dropped.
  for (auto [a, b] : {Pair{"1.0", "1.0.0"}, Pair{"2.0.0-beta", "2.0.0"}, Pair{"", ""}, Pair{"3.1.4", "3.1.4"}}) {
    EXPECT_FALSE(Version::newer(a, b)) << a << " > " << b;
    EXPECT_FALSE(Version::newer(b, a)) << b << " > " << a;
  }
}
