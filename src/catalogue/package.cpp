#include "catalogue/package.hpp"

#include <algorithm>

std::string TSPackage::displayName() const {
  std::string shown = name;
  std::replace(shown.begin(), shown.end(), '_', ' ');
  return shown;
}
