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
  std::optional<std::string> reason;  // why it was skipped or not loaded
  std::optional<std::string> mod;
  std::vector<MissingDependency> missing;
  bool operator==(const PluginEntry&) const = default;
};

enum class ProblemKind {
  missingDependency,
  incompatible,
  wrongLoaderVersion,
  skipped,
  exception,
  error,
  harmony
};

// One problem, with its repeats folded in: same kind, same plug-in, same message.
struct LogProblem {
  ProblemKind kind = ProblemKind::error;
  std::optional<std::string> plugin;  // a plug-in's name, logger or the namespace its code lives in
  std::optional<std::string> mod;
  std::string message;  // the entry's first line, without the line header
  size_t count = 0, firstLine = 0, lastLine = 0;  // line numbers count from 1
  std::string excerpt;  // the first occurrence's lines, the stack included, shortened
  // Another plug-in the problem names: the one a missing method or type belongs to.
  std::optional<std::string> otherPlugin, otherMod;
  std::vector<MissingDependency> missing;
  bool operator==(const LogProblem&) const = default;
};

struct LaunchReport {
  std::optional<std::string> loader;  // "5.4.22.0"
  std::optional<std::string> process;  // "valheim", "valheim_server"
  std::optional<std::string> started;  // the start time as the player's locale wrote it
  std::optional<std::string> pack;  // the loader pack's version, when the pack says it
  bool startupComplete = false;
  std::optional<size_t> pluginCount;
  std::vector<PluginEntry> plugins;
  std::vector<LogProblem> problems;
  size_t lines = 0;
  size_t unreadableLines = 0;  // binary garbage, broken UTF-8, control characters
  bool operator==(const LaunchReport&) const = default;
};

const char* name(PluginState state);
const char* name(ProblemKind kind);
}  // namespace Diagnostics
