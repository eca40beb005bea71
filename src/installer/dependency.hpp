#pragma once

#include <string>

// A package another package needs; the version of the identifier is dropped.
struct DependencyRef {
  std::string ns, name;
  std::string id() const { return ns + "-" + name; }
  bool operator==(const DependencyRef&) const = default;
};
