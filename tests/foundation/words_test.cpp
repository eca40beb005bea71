#include <gtest/gtest.h>

#include "foundation/words.hpp"

namespace {
TEST(Words, FillPutsEachValueInPlaceOfItsMarkerOnce) {
  struct Case {
    const char* text;
    std::initializer_list<std::string_view> values;
    const char* filled;
  };
  const Case cases[] = {
      {"Couldn’t find %1 (needed by %2).", {"A", "B"}, "Couldn’t find A (needed by B)."},
      {"%2 before %1, %1 twice", {"a", "b"}, "b before a, a twice"},
      {"%1", {"%2"}, "%2"},  // a value is never read for markers
      {"100% sure, %3 and %", {"x"}, "100% sure, %3 and %"},  // no value, no marker
      {"%0 %a", {"x"}, "%0 %a"},
  };
  for (const Case& c : cases) EXPECT_EQ(Words::fill(c.text, c.values), c.filled) << c.text;
}

// Without the app's translator (the command-line report, these tests) the English stands as written.
TEST(Words, WithoutATranslatorTheSourceStandsWithItsNumber) {
  EXPECT_EQ(Words::translate("FS", "Couldn’t unpack %1."), "Couldn’t unpack %1.");
  EXPECT_EQ(Words::translate("History", "%n mods, %n in all", nullptr, 3), "3 mods, 3 in all");
}
}  // namespace
