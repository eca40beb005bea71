#include "installer/halves.hpp"

#include <algorithm>
#include <map>
#include <numeric>
#include <set>

namespace Halves {
namespace {
// The keys of the profile's mods that `key` needs, directly or through others.
std::set<std::string> reach(const Profile& profile, const std::string& key, const Plan::Needs& needs) {
  std::set<std::string> reached;
  std::vector<std::string> stack{key};
  while (!stack.empty()) {
    const std::string next = std::move(stack.back());
    stack.pop_back();
    for (const DependencyRef& d : needs(next))
      if (profile.find(d.id()) && reached.insert(d.id()).second) stack.push_back(d.id());
  }
  return reached;
}

// Union-find over the positions of `keys`.
struct Groups {
  std::vector<size_t> parent;
  explicit Groups(size_t n) : parent(n) { std::iota(parent.begin(), parent.end(), size_t(0)); }
  size_t root(size_t i) { return parent[i] == i ? i : parent[i] = root(parent[i]); }
  void join(size_t a, size_t b) { parent[root(a)] = root(b); }
};
}  // namespace

Split split(const Profile& profile, const std::vector<std::string>& keys, const Plan::Needs& needs) {
  std::map<std::string, size_t> at;
  for (size_t i = 0; i < keys.size(); ++i) at.emplace(keys[i], i);
  Groups groups(keys.size());
  for (size_t i = 0; i < keys.size(); ++i)
    for (const std::string& needed : reach(profile, keys[i], needs))
      if (auto found = at.find(needed); found != at.end()) groups.join(i, found->second);

  // Each group's members in the order of `keys`, the groups in the order of their first member.
  std::map<size_t, std::vector<std::string>> byRoot;
  std::vector<size_t> order;
  for (size_t i = 0; i < keys.size(); ++i) {
    auto& members = byRoot[groups.root(i)];
    if (members.empty()) order.push_back(groups.root(i));
    if (std::find(members.begin(), members.end(), keys[i]) == members.end()) members.push_back(keys[i]);
  }
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return byRoot[a].size() > byRoot[b].size(); });

  Split result;
  for (size_t root : order) {
    auto& half = result.first.size() <= result.second.size() ? result.first : result.second;
    half.insert(half.end(), byRoot[root].begin(), byRoot[root].end());
  }
  const auto inProfileOrder = [&](std::vector<std::string>& half) {
    std::vector<std::string> sorted;
    for (const ProfileMod& m : profile.mods)
      if (std::find(half.begin(), half.end(), m.id()) != half.end()) sorted.push_back(m.id());
    half = std::move(sorted);
  };
  inProfileOrder(result.first);
  inProfileOrder(result.second);
  return result;
}
}  // namespace Halves
