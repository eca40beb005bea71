#include "installer/system_tools.hpp"

#include "foundation/swappable.hpp"

namespace {
Swappable<SystemTools>& current() {
  static Swappable<SystemTools> tools{SystemTools{}};
  return tools;
}
}  // namespace

const SystemTools& systemTools() { return current().get(); }
void setSystemTools(SystemTools tools) { current().set(std::move(tools)); }
