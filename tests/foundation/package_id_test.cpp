#include <gtest/gtest.h>

#include "foundation/package_id.hpp"

TEST(PackageID, SplitsOffTheNamespaceAndOnlyAThreePartVersion) {
  EXPECT_EQ(splitPackageID("Owner-Mod-Name-1.0.0"), (PackageID{"Owner", "Mod-Name", "1.0.0"}));
  for (std::string name : {"Mod-1.0", "Mod-1.0.0.0", "Mod-v1.0.0"})
    EXPECT_EQ(splitPackageID("Owner-" + name), (PackageID{"Owner", name, std::nullopt})) << name;
}

TEST(Version, NewerComparesNumericallyPerComponent) {
  // Missing parts count as zero and suffixes are dropped.
  for (auto [a, b, newer] : {std::tuple{"1.10.0", "1.9.9", true},
                             {"5.4.2332", "5.4.600", true},
                             {"1.0.1", "1.0", true},
                             {"1.0", "1.0.0", false},
                             {"2.0.0-beta", "2.0.0", false}}) {
    EXPECT_EQ(Version::newer(a, b), newer) << a << " > " << b;
    EXPECT_FALSE(Version::newer(b, a)) << b << " > " << a;
  }
}
