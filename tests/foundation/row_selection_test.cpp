// The Mac's selection gestures over a list of five rows, a to e.
#include <gtest/gtest.h>

#include <functional>

#include "foundation/row_selection.hpp"

namespace {
using Keys = std::vector<std::string>;

TEST(RowSelection, GesturesSelectAsInEveryMacList) {
  using Step = std::function<void(RowSelection&)>;
  const auto click = [](std::string k) { return Step([k](RowSelection& s) { s.click(k); }); };
  const auto toggle = [](std::string k) { return Step([k](RowSelection& s) { s.toggle(k); }); };
  const auto range = [](std::string k) { return Step([k](RowSelection& s) { s.extendTo(k); }); };
  const auto by = [](int step) { return Step([step](RowSelection& s) { s.extendBy(step); }); };
  const Step all = [](RowSelection& s) { s.selectAll(); };
  const Step clear = [](RowSelection& s) { s.clear(); };
  struct Case {
    const char* gestures;
    std::vector<Step> steps;
    Keys selected;
  };
  const std::vector<Case> cases = {
      {"click", {click("b")}, {"b"}},
      {"⌘-click adds", {click("b"), toggle("d")}, {"b", "d"}},
      {"⌘-click again removes", {click("b"), toggle("d"), toggle("d")}, {"b"}},
      {"⇧-click down", {click("b"), range("d")}, {"b", "c", "d"}},
      {"⇧-click up", {click("d"), range("b")}, {"b", "c", "d"}},
      {"a second ⇧-click replaces the range", {click("c"), range("e"), range("a")}, {"a", "b", "c"}},
      {"⇧-click keeps ⌘-clicked rows", {click("a"), toggle("c"), range("e")}, {"a", "c", "d", "e"}},
      {"⇧-click with nothing clicked", {range("c")}, {"c"}},
      {"⇧↓ then ⇧↑ shrinks", {click("b"), by(1), by(1), by(-1)}, {"b", "c"}},
      {"⇧↑ past the anchor turns the range", {click("b"), by(1), by(-1), by(-1)}, {"a", "b"}},
      {"⇧↓ stops at the end", {click("d"), by(1), by(1), by(1)}, {"d", "e"}},
      {"⇧↓ with nothing selected", {by(1)}, {"a"}},
      {"⌘A", {click("b"), all}, {"a", "b", "c", "d", "e"}},
      {"Escape", {click("b"), toggle("d"), clear}, {}},
  };
  for (const Case& c : cases) {
    RowSelection selection;
    selection.setOrder({"a", "b", "c", "d", "e"});
    for (const Step& step : c.steps) step(selection);
    EXPECT_EQ(selection.keys(), c.selected) << c.gestures;
    EXPECT_EQ(selection.count(), c.selected.size()) << c.gestures;
  }
}

TEST(RowSelection, ARebuiltListKeepsTheRowsStillListed) {
  RowSelection selection;
  selection.setOrder({"a", "b", "c", "d"});
  selection.click("b");
  selection.extendTo("d");
  selection.setOrder({"d", "a", "b"});  // c went, the order changed
  EXPECT_EQ(selection.keys(), (Keys{"d", "b"}));
  selection.setOrder({"a", "d"});  // the anchor went: a range starts afresh
  selection.extendTo("a");
  EXPECT_EQ(selection.keys(), Keys{"a"});
  EXPECT_EQ(selection.current(), "a");
}
}  // namespace
