#include "catalogue/package.hpp"

#include "foundation/package_id.hpp"

std::string TSPackage::displayName() const { return ::displayName(name); }
