#pragma once

#include <string>

#include "diagnostics/launch_report.hpp"

namespace Diagnostics {
// The report as JSON for scripts: absent values are null, keys in a fixed order.
std::string toJson(const LaunchReport& report);
}  // namespace Diagnostics
