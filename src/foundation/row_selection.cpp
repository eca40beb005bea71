#include "foundation/row_selection.hpp"

#include <algorithm>

void RowSelection::setOrder(std::vector<std::string> keys) {
  order_ = std::move(keys);
  const auto listed = [&](const std::string& key) { return indexOf(key) >= 0; };
  std::erase_if(selected_, [&](const std::string& key) { return !listed(key); });
  std::erase_if(base_, [&](const std::string& key) { return !listed(key); });
  if (!listed(anchor_)) anchor_.clear();
  if (!listed(end_)) end_ = anchor_;
}

void RowSelection::click(const std::string& key) {
  selected_ = {key};
  base_.clear();
  anchor_ = end_ = key;
}

void RowSelection::toggle(const std::string& key) {
  if (!selected_.erase(key)) selected_.insert(key);
  base_ = selected_;
  anchor_ = end_ = key;
}

void RowSelection::extendTo(const std::string& key) {
  if (indexOf(key) < 0) return;
  if (anchor_.empty()) return click(key);
  end_ = key;
  stretch();
}

void RowSelection::extendBy(int step) {
  if (order_.empty()) return;
  if (end_.empty()) return click(step > 0 ? order_.front() : order_.back());
  const int at = std::clamp(indexOf(end_) + step, 0, int(order_.size()) - 1);
  end_ = order_[size_t(at)];
  stretch();
}

void RowSelection::selectAll() {
  selected_ = {order_.begin(), order_.end()};
  base_.clear();
}

void RowSelection::clear() {
  selected_.clear();
  base_.clear();
  anchor_.clear();
  end_.clear();
}

std::vector<std::string> RowSelection::keys() const {
  std::vector<std::string> keys;
  for (const std::string& key : order_)
    if (selected_.count(key)) keys.push_back(key);
  return keys;
}

int RowSelection::indexOf(const std::string& key) const {
  const auto found = std::find(order_.begin(), order_.end(), key);
  return found == order_.end() ? -1 : int(found - order_.begin());
}

void RowSelection::stretch() {
  const int anchor = indexOf(anchor_), end = indexOf(end_);
  const int from = std::min(anchor, end), to = std::max(anchor, end);
  selected_ = base_;
  for (int i = from; i <= to; ++i) selected_.insert(order_[size_t(i)]);
}
