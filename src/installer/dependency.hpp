#pragma once

#include <string>

#include "foundation/package_id.hpp"

// A package another package needs; the version of the identifier is dropped.
struct DependencyRef {
  std::string ns, name;
  std::string id() const { return packageKey(ns, name); }
  bool operator==(const DependencyRef&) const = default;
};
