// A profile's mod list as text to paste.
#include <gtest/gtest.h>

#include "profiles/mod_list_text.hpp"

namespace {
TEST(ModListText, NamesEachModOnceWithItsMarksInBothFormats) {
  Profile profile;
  profile.mods = {{"ValheimModding", "Jotunn", "2.21.0", "2.20.0", true, false},
                  {"MathiasDecrock", "PlanBuild", "0.14.2", "0.14.2", true, true},
                  {"Odd|Team", "Build_Camera", "1.0.0", std::nullopt, false, true}};
  const HeldVersions holds = {{"MathiasDecrock-PlanBuild", "0.14.2"}, {"Odd|Team-Build_Camera", "1.0.0"}};
  EXPECT_EQ(ModListText::of(profile, holds, ModListText::Format::Plain),
            "PlanBuild 0.14.2 by MathiasDecrock (held)\n"
            "Build Camera 1.0.0 by Odd|Team (off, held)\n"
            "Jotunn 2.20.0 by ValheimModding\n");
  EXPECT_EQ(ModListText::of(profile, {}, ModListText::Format::Markdown),
            "| Mod | Version | Author | Notes |\n"
            "| --- | --- | --- | --- |\n"
            "| PlanBuild | 0.14.2 | MathiasDecrock |  |\n"
            "| Build Camera | 1.0.0 | Odd\\|Team | off |\n"
            "| Jotunn | 2.20.0 | ValheimModding |  |\n");
  EXPECT_EQ(ModListText::of(Profile{}, {}, ModListText::Format::Plain), "");
}
}  // namespace
