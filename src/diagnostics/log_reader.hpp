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
#include "diagnostics/plugin_names.hpp"

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
    // Opened at warning level: a problem only when it carries an exception; else listed among the
    // warnings when `listed`, or passed over (the engine's own notes).
    bool warning = false, listed = false;
    std::optional<std::string> plugin;  // named by the loader's bracket
    std::optional<std::string> source;  // a plug-in's own logger
    std::optional<std::string> tag;  // "[Name]" the message begins with
    std::string message;  // the entry's first line with text in it
    size_t line = 0;
    std::string excerpt;
    size_t excerptLines = 0;
    std::vector<std::string> frames;  // the namespaces of its stack frames outside system code
    std::optional<std::string> exception;  // the first line that names an exception
    bool thrown = false;  // an exception's line or a stack frame came
    std::optional<std::string> dll;  // a DLL path the entry shows
    bool harmony = false;
    std::optional<size_t> pluginEntry;  // the plug-in of a loader's line: tied by its name first
    std::optional<size_t> starting;  // the plug-in whose start-up ran when the entry came
    std::vector<MissingDependency> missing;
    std::optional<std::string> mod, otherMod;  // a duplicate's older and newer copy
  };
  // Where each folded problem and warning is, by its fold key.
  struct Folds {
    std::unordered_map<std::string, size_t> problems, warnings;
  };

  void line(std::string_view text);
  void headerLine(const LogLines::Header& header);
  void continuation(std::string_view text);
  void loaderLine(std::string_view text, bool problem);
  size_t pluginState(std::string_view bracket, PluginState state, std::string_view reason);
  void duplicate(std::string_view bracket, std::string_view newer);
  // A loaded plug-in's mod: the copy of its version where several are installed, else by its name.
  std::optional<std::string> modOf(const LogLines::Plugin& plugin) const;
  void open(ProblemKind kind, std::string_view message, std::optional<std::string> plugin = std::nullopt,
            std::optional<size_t> pluginEntry = std::nullopt);
  void addExcerpt(std::string_view text);
  void restart();
  // The open entry as a problem or a warning; none when it is neither.
  std::optional<LogProblem> problemOf(const Entry& entry, const std::vector<PluginEntry>& plugins) const;
  std::optional<PluginNames::Match> resolve(std::string_view name,
                                            const std::vector<PluginEntry>& plugins) const;
  // Folds the open entry into `report`, remembering its fold key in `folds` when given; the
  // plug-in it names takes the mod its stack ties it to, and one that threw while starting failed.
  void fold(LaunchReport& report, Folds* folds) const;

  ModClues clues_;
  PluginNames names_;
  LaunchReport report_;
  Folds folds_;
  std::unordered_map<std::string, size_t> pluginIndex_;  // by bracket
  // Plug-ins skipped because a newer copy exists, by name: the newer copy's "Loading" takes the entry.
  std::unordered_map<std::string, size_t> duplicates_;
  std::optional<size_t> starting_;  // the plug-in loading last, until start-up completes
  Entry entry_;
  std::string pending_;  // the start of a line whose end has not come yet
  std::string scratch_;  // a line with its control characters replaced
  bool afterCR_ = false;  // the last piece ended with CR: an LF that starts the next one belongs to it
  size_t textLines_ = 0;  // lines that are not blank
  std::optional<size_t> firstHeader_;  // the line of the first "[Level:Source]" header
};

// The report of a whole log's bytes.
LaunchReport readLog(std::string_view bytes, const ModClues& clues = {});
}  // namespace Diagnostics
