#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace Shell {
struct Result {
  int32_t code;
  std::string output;  // standard output and standard error, interleaved
};

// Runs `program` (an absolute path) to completion. A non-zero exit is not an error;
// failing to start the program throws std::system_error.
Result run(const std::filesystem::path& program, const std::vector<std::string>& args,
           const std::optional<std::filesystem::path>& cwd = {});
}  // namespace Shell
