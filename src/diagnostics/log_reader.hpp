#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "diagnostics/launch_report.hpp"
#include "diagnostics/log_lines.hpp"
#include "diagnostics/mod_clues.hpp"

namespace Diagnostics {

// Reads the loader's LogOutput.log as it grows: append the bytes in any pieces, ask for the report
// at any time. A line counts once its line end has come (LF, CR LF or a lone CR), so a line still
// being written is left for the next piece; finish() says the file ends there, and its last
// line, cut or not, counts too. A new start of the loader in the same file (the player's
// AppendLog) starts the report over; line numbers stay the file's.
class LogReader {
 public:
  explicit LogReader(ModClues clues = {});

  void append(std::string_view bytes);
  void finish();
  LaunchReport report() const;

 private:
  // The entry whose continuation lines (a stack, a long message) may still come.
  struct Entry {
    bool open = false;
    ProblemKind kind = ProblemKind::error;
    std::optional<std::string> plugin;  // named by the header or the loader's bracket
    std::string message;
    size_t line = 0;
    std::string excerpt;
    size_t excerptLines = 0;
    std::optional<std::string> culprit;  // the first stack frame's namespace outside system code
    std::optional<std::string> dll;  // a DLL path the entry shows
    bool harmony = false;
    bool byName = false;  // the plug-in is a display name: tie it by name first
    std::vector<MissingDependency> missing;
  };

  void line(std::string_view text);
  void headerLine(const LogLines::Header& header);
  void continuation(std::string_view text);
  void loaderLine(std::string_view text, bool problem);
  void pluginState(std::string_view bracket, PluginState state, std::string_view reason);
  void open(ProblemKind kind, std::string_view message, std::optional<std::string> plugin, bool byName);
  void addExcerpt(std::string_view text);
  void restart();
  LogProblem problemOf(const Entry& entry) const;

  ModClues clues_;
  LaunchReport report_;
  std::unordered_map<std::string, size_t> problemIndex_, pluginIndex_;
  Entry entry_;
  std::string pending_;  // the start of a line whose end has not come yet
  bool afterCR_ = false;  // the last piece ended with CR: an LF that starts the next one belongs to it
};

// The report of a whole log's bytes.
LaunchReport readLog(std::string_view bytes, const ModClues& clues = {});
}  // namespace Diagnostics
