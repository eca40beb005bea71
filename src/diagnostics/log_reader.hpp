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
    std::optional<size_t> pluginEntry;  // the plug-in of a loader's line: tied by its name first
    std::vector<MissingDependency> missing;
  };

  void line(std::string_view text);
  void headerLine(const LogLines::Header& header);
  void continuation(std::string_view text);
  void loaderLine(std::string_view text, bool problem);
  size_t pluginState(std::string_view bracket, PluginState state, std::string_view reason);
  void open(ProblemKind kind, std::string_view message, std::optional<std::string> plugin = std::nullopt,
            std::optional<size_t> pluginEntry = std::nullopt);
  void addExcerpt(std::string_view text);
  void restart();
  LogProblem problemOf(const Entry& entry) const;
  // Folds the open entry into `report`, remembering its fold key in `index` when given; the
  // plug-in it names takes the mod its stack ties it to.
  void fold(LaunchReport& report, std::unordered_map<std::string, size_t>* index) const;

  ModClues clues_;
  LaunchReport report_;
  std::unordered_map<std::string, size_t> problemIndex_, pluginIndex_;  // by fold key, by bracket
  Entry entry_;
  std::string pending_;  // the start of a line whose end has not come yet
  bool afterCR_ = false;  // the last piece ended with CR: an LF that starts the next one belongs to it
};

// The report of a whole log's bytes.
LaunchReport readLog(std::string_view bytes, const ModClues& clues = {});
}  // namespace Diagnostics
