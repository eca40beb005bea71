#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// What the loader's LogOutput.log says about one start of the game. A mod is named by its key
// (ns + "-" + name) when a line could be tied to an installed mod of the profile, else left empty.
namespace Diagnostics {

enum class PluginState { loaded, skipped, failed };

// A dependency GUID that a plug-in asked for and the loader did not find.
struct MissingDependency {
  std::string guid;
  std::optional<std::string> mod;  // an installed mod that carries it (turned off, or failing itself)
  bool operator==(const MissingDependency&) const = default;
};

struct PluginEntry {
  std::string name, version;
  PluginState state = PluginState::loaded;
  // Why it was skipped or not loaded; "threw while starting: <exception>" for one that loaded and
  // then failed in its own start-up.
  std::optional<std::string> reason;
  std::optional<std::string> mod;
  std::vector<MissingDependency> missing;
  bool operator==(const PluginEntry&) const = default;
};

enum class ProblemKind {
  missingDependency,
  incompatible,
  wrongLoaderVersion,
  skipped,
  duplicate,  // the older of two copies of one plug-in, skipped; the newer one loaded
  exception,
  error,
  harmony,
  warning  // a warning without an exception: listed apart, never counted as a problem
};

// One problem, with its repeats folded in: same kind, same plug-in, same message.
struct LogProblem {
  ProblemKind kind = ProblemKind::error;
  // The plug-in as the log's "Loading [..]" lines (or the profile's mods) name it; else a logger's
  // name or the full namespace its code lives in.
  std::optional<std::string> plugin;
  // For a duplicate: the mod of the older, skipped copy (the one to remove).
  std::optional<std::string> mod;
  // The entry's first line with text in it, without the line header; for a duplicate,
  // "X is installed twice; the older copy (v) was skipped".
  std::string message;
  size_t count = 0, firstLine = 0, lastLine = 0;  // line numbers count from 1
  std::string excerpt;  // the first occurrence's lines, the stack included, shortened
  // Another plug-in the problem names: the one a missing method or type belongs to. For a
  // duplicate, otherMod is the mod of the newer copy, the one that loaded.
  std::optional<std::string> otherPlugin, otherMod;
  std::vector<MissingDependency> missing;
  bool operator==(const LogProblem&) const = default;
};

// Whether the bytes are a loader log at all.
enum class LogVerdict {
  loaderLog,
  empty,  // nothing but blank lines
  notALoaderLog  // no "[Level:Source]" header in its first few hundred lines
};

struct LaunchReport {
  LogVerdict verdict = LogVerdict::empty;
  std::optional<std::string> loader;  // "5.4.22.0"
  std::optional<std::string> process;  // "valheim", "valheim_server"
  std::optional<std::string> started;  // the start time as the player's locale wrote it
  std::optional<std::string> pack;  // the loader pack's version, when the pack says it
  bool startupComplete = false;
  std::optional<size_t> pluginCount;
  std::vector<PluginEntry> plugins;
  std::vector<LogProblem> problems;
  // Warnings without an exception (kind warning), folded like problems; the first few hundred
  // distinct ones are listed, the rest only counted.
  std::vector<LogProblem> warnings;
  size_t warningsNotListed = 0;
  size_t lines = 0;
  size_t unreadableLines = 0;  // lines that are not valid UTF-8
  bool operator==(const LaunchReport&) const = default;
};

const char* name(PluginState state);
const char* name(ProblemKind kind);
const char* name(LogVerdict verdict);
}  // namespace Diagnostics
