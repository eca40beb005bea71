#pragma once

#include <set>
#include <string>
#include <vector>

// Which rows of a list are selected, by the Mac's gestures: a click selects one row, ⌘-click adds or
// removes one, ⇧-click and ⇧↑/⇧↓ stretch a range from the row clicked last, ⌘A selects all and
// Escape clears. Rows are named by key, so a selection outlives the list being rebuilt.
class RowSelection {
 public:
  // The rows in the order the list shows them; keys no longer listed leave the selection.
  void setOrder(std::vector<std::string> keys);

  void click(const std::string& key);
  void toggle(const std::string& key);
  // Selects the rows from the anchor (the row last clicked or toggled) to `key`, replacing the
  // range stretched before, and keeping what ⌘-clicks had selected.
  void extendTo(const std::string& key);
  // Moves the far end of the range one row up (-1) or down (+1).
  void extendBy(int step);
  void selectAll();
  void clear();

  bool isSelected(const std::string& key) const { return selected_.count(key) > 0; }
  size_t count() const { return selected_.size(); }
  // The selected keys in list order.
  std::vector<std::string> keys() const;
  // The row the keyboard is on: the far end of the range, or the row last clicked.
  const std::string& current() const { return end_; }

 private:
  int indexOf(const std::string& key) const;
  void stretch();

  std::vector<std::string> order_;
  std::set<std::string> selected_;
  std::set<std::string> base_;  // what was selected before the range being stretched
  std::string anchor_, end_;
};
