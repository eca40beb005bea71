#pragma once

#include <string>
#include <string_view>

// The activity log: one time-stamped line per event, appended to Paths::logFile().
namespace Log {
// Appends "yyyy-MM-dd HH:mm:ss message\n" (local time). Never fails; callable from any thread.
void write(std::string_view message) noexcept;
// The last `lines` pieces of the log split at line feeds, or "No log yet.".
std::string tail(int lines = 400);
}  // namespace Log
