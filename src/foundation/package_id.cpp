#include "foundation/package_id.hpp"

#include <algorithm>

#include "foundation/text.hpp"

namespace {
std::vector<std::string_view> split(std::string_view s, char sep) {
  std::vector<std::string_view> pieces;
  size_t start = 0;
  for (size_t i = 0; i <= s.size(); ++i) {
    if (i == s.size() || s[i] == sep) {
      pieces.push_back(s.substr(start, i - start));
      start = i + 1;
    }
  }
  return pieces;
}

bool digitsOnly(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Exactly three non-empty runs of digits separated by single dots.
bool isThreePartVersion(std::string_view s) {
  auto pieces = split(s, '.');
  return pieces.size() == 3 && std::all_of(pieces.begin(), pieces.end(), digitsOnly);
}

std::string join(std::vector<std::string_view>::const_iterator first,
                 std::vector<std::string_view>::const_iterator last) {
  std::string out;
  for (auto it = first; it != last; ++it) {
    if (it != first) out += '-';
    out += *it;
  }
  return out;
}
}  // namespace

std::string displayName(std::string_view name) {
  std::string shown(name);
  std::replace(shown.begin(), shown.end(), '_', ' ');
  return shown;
}

PackageID splitPackageID(std::string_view id) {
  auto pieces = split(id, '-');
  if (pieces.size() == 1) return {std::string(id), std::string(id), std::nullopt};
  if (pieces.size() == 2) return {std::string(pieces[0]), std::string(pieces[1]), std::nullopt};
  if (isThreePartVersion(pieces.back()))
    return {std::string(pieces[0]), join(pieces.begin() + 1, pieces.end() - 1), std::string(pieces.back())};
  return {std::string(pieces[0]), join(pieces.begin() + 1, pieces.end()), std::nullopt};
}

std::string packageKey(std::string_view ns, std::string_view name) {
  std::string key;
  key.reserve(ns.size() + 1 + name.size());
  return key.append(ns).append(1, '-').append(name);
}

std::string packageKey(std::string_view ns, std::string_view name, std::string_view version) {
  return packageKey(ns, name).append(1, '-').append(version);
}

namespace Version {
std::vector<int64_t> parts(std::string_view v) {
  std::vector<int64_t> out;
  for (auto piece : split(v, '.'))
    if (!piece.empty()) out.push_back(Text::parseInt64(piece).value_or(0));
  return out;
}

bool newer(std::string_view a, std::string_view than) {
  auto x = parts(a), y = parts(than);
  for (size_t i = 0; i < std::max(x.size(), y.size()); ++i) {
    int64_t p = i < x.size() ? x[i] : 0, q = i < y.size() ? y[i] : 0;
    if (p != q) return p > q;
  }
  return false;
}
}  // namespace Version
