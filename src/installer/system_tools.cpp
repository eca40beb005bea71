#include "installer/system_tools.hpp"

namespace {
SystemTools& current() {
  static SystemTools tools;
  return tools;
}
}  // namespace

const SystemTools& systemTools() { return current(); }
void setSystemTools(SystemTools tools) { current() = std::move(tools); }
