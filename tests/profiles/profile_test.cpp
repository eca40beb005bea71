#include <gtest/gtest.h>

#include "profiles/profile.hpp"

TEST(Profile, FindsAModByItsKeyAlone) {
  Profile profile;
  profile.mods = {{"Owner", "Mod", "1.0.0"}, {"Owner", "Mod_Two-Extra", "2.0.0"}};

  ASSERT_NE(profile.find("Owner-Mod_Two-Extra"), nullptr);
  EXPECT_EQ(profile.find("Owner-Mod_Two-Extra")->version, "2.0.0");
  // Neither a versioned identifier, a part of a key nor another case names a mod.
  for (const char* other : {"Owner-Mod-1.0.0", "Owner", "Mod", "owner-mod", ""})
    EXPECT_EQ(profile.find(other), nullptr) << other;
}
