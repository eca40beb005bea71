#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "diagnostics/launch_report.hpp"
#include "diagnostics/mod_clues.hpp"

namespace Diagnostics {
// Reads a log file piece by piece, so a file of any size takes little memory; throws the
// platform's error when it cannot be read.
LaunchReport readLogFile(const std::filesystem::path& log, const ModClues& clues = {});

// quernhold --launch-report <LogOutput.log> [--profile <profile folder>]: the report as JSON on
// `out` and 0, or a sentence on `err` and 1 when the log or the profile cannot be read (2 for a
// command line it does not understand). `args` are the arguments after "--launch-report".
int launchReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
}  // namespace Diagnostics
