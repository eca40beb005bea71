#include "diagnostics/log_reader.hpp"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "diagnostics/log_lines.hpp"
#include "diagnostics/stack_frames.hpp"
#include "foundation/text.hpp"

namespace Diagnostics {
namespace {
using LogLines::Level;

constexpr std::string_view bom = "\xEF\xBB\xBF";
// What is kept of one line: a plug-in that prints a whole file on one line is not read further.
constexpr size_t maxLine = 64u << 10;
// The excerpt: the entry's first lines, enough to recognise the stack, short enough to paste.
constexpr size_t excerptLines = 12, excerptLineBytes = 240, excerptBytes = 2000;

// At most `bytes` bytes of UTF-8 text, never cutting a character in two.
std::string_view cut(std::string_view text, size_t bytes) {
  if (text.size() <= bytes) return text;
  while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) --bytes;
  return text.substr(0, bytes);
}

// The part of a line that names a DLL: from its plug-ins folder on, else its file name.
std::optional<std::string> dllIn(std::string_view text) {
  const size_t at = text.find(".dll");
  if (at == std::string_view::npos) return std::nullopt;
  text = text.substr(0, at + 4);
  size_t start = text.rfind("plugins/");
  if (start == std::string_view::npos) start = text.rfind("plugins\\");
  if (start == std::string_view::npos) {
    start = text.find_last_of(" /\\'\"(");
    start = start == std::string_view::npos ? 0 : start + 1;
  }
  return std::string(text.substr(start));
}

std::string foldKey(const LogProblem& problem) {
  std::string key = name(problem.kind);
  key += '\x1f';
  key += problem.plugin.value_or("");
  key += '\x1f';
  key += problem.message;
  return key;
}

void merge(LogProblem& into, const LogProblem& more) {
  into.count += more.count;
  into.lastLine = more.lastLine;
}

// "5.4.22.0 - valheim (11/11/2024 10:23:24 PM)" after "BepInEx ": the time is in the player's
// locale, so it is kept as written.
bool banner(std::string_view text, LaunchReport& report) {
  if (!text.starts_with("BepInEx ")) return false;
  text.remove_prefix(8);
  const size_t dash = text.find(" - ");
  if (dash == std::string_view::npos || text.empty() || !std::isdigit(static_cast<unsigned char>(text[0])))
    return false;
  report.loader = std::string(text.substr(0, dash));
  std::string_view process = text.substr(dash + 3);
  if (const size_t paren = process.find(" ("); paren != std::string_view::npos) {
    std::string_view time = process.substr(paren + 2);
    if (time.ends_with(')')) time.remove_suffix(1);
    report.started = std::string(time);
    process = process.substr(0, paren);
  }
  report.process = std::string(process);
  return true;
}

std::optional<size_t> pluginsToLoad(std::string_view text) {
  for (const std::string_view tail : {" plugins to load", " plugin to load"})
    if (text.ends_with(tail))
      if (auto count = Text::parseInt64(text.substr(0, text.size() - tail.size())); count && *count >= 0)
        return size_t(*count);
  return std::nullopt;
}

// "a, b (v1.2.0 or newer)": the GUIDs, without the version wanted.
std::vector<MissingDependency> guids(std::string_view list) {
  std::vector<MissingDependency> missing;
  while (!list.empty()) {
    const size_t comma = list.find(", ");
    std::string_view guid = list.substr(0, comma);
    guid = Text::trim(guid.substr(0, guid.find(" (")));
    if (!guid.empty()) missing.push_back({std::string(guid), std::nullopt});
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 2);
  }
  return missing;
}

// "Error loading [Name Version] : why", or without the reason.
std::optional<std::string_view> errorLoading(std::string_view text, std::string_view& rest) {
  if (auto bracket = LogLines::bracketAfter(text, "Error loading [", "] : ", &rest)) return bracket;
  return LogLines::bracketAfter(text, "Error loading [", "", &rest);
}

// The plug-in's name in a loader bracket.
std::string name(std::string_view bracket) { return std::string(LogLines::splitPlugin(bracket).name); }

bool missingCode(std::string_view message) {
  for (const std::string_view name :
       {"MissingMethodException", "MissingFieldException", "MissingMemberException", "TypeLoadException"})
    if (message.find(name) != std::string_view::npos) return true;
  return false;
}
}  // namespace

const char* name(PluginState state) {
  switch (state) {
    case PluginState::loaded: return "loaded";
    case PluginState::skipped: return "skipped";
    case PluginState::failed: return "failed";
  }
  return "";
}

const char* name(ProblemKind kind) {
  switch (kind) {
    case ProblemKind::missingDependency: return "missing-dependency";
    case ProblemKind::incompatible: return "incompatible";
    case ProblemKind::wrongLoaderVersion: return "wrong-loader-version";
    case ProblemKind::skipped: return "skipped";
    case ProblemKind::duplicate: return "duplicate";
    case ProblemKind::exception: return "exception";
    case ProblemKind::error: return "error";
    case ProblemKind::harmony: return "harmony";
    case ProblemKind::warning: return "warning";
  }
  return "";
}

const char* name(LogVerdict verdict) {
  switch (verdict) {
    case LogVerdict::loaderLog: return "loader-log";
    case LogVerdict::empty: return "empty";
    case LogVerdict::notALoaderLog: return "not-a-loader-log";
  }
  return "";
}

LogReader::LogReader(ModClues clues) : clues_(std::move(clues)) {}

void LogReader::append(std::string_view bytes) {
  if (afterCR_ && !bytes.empty()) {
    afterCR_ = false;
    if (bytes[0] == '\n') bytes.remove_prefix(1);
  }
  while (!bytes.empty()) {
    const char* data = bytes.data();
    const auto* lf = static_cast<const char*>(std::memchr(data, '\n', bytes.size()));
    const size_t end = lf ? size_t(lf - data) : bytes.size();
    const auto* cr = static_cast<const char*>(std::memchr(data, '\r', end));
    size_t stop = end, skip = 1;
    if (cr) {
      stop = size_t(cr - data);
      if (stop + 1 == bytes.size())
        afterCR_ = true;
      else if (bytes[stop + 1] == '\n')
        skip = 2;
    } else if (!lf) {
      // No line end yet: the rest waits for the next piece.
      if (pending_.size() < maxLine + 4) pending_.append(bytes.substr(0, maxLine + 4 - pending_.size()));
      return;
    }
    if (pending_.empty()) {
      line(bytes.substr(0, stop));
    } else {
      if (pending_.size() < maxLine + 4)
        pending_.append(bytes.substr(0, std::min(stop, maxLine + 4 - pending_.size())));
      line(pending_);
      pending_.clear();
    }
    bytes.remove_prefix(stop + skip);
  }
}

void LogReader::finish() {
  if (!pending_.empty()) line(pending_);
  pending_.clear();
  afterCR_ = false;
}

LaunchReport LogReader::report() const {
  LaunchReport report = report_;
  fold(report, nullptr);
  return report;
}

void LogReader::fold(LaunchReport& report, std::unordered_map<std::string, size_t>* index) const {
  if (!entry_.open) return;
  LogProblem problem = problemOf(entry_);
  if (entry_.pluginEntry && !report.plugins[*entry_.pluginEntry].mod)
    report.plugins[*entry_.pluginEntry].mod = problem.mod;
  std::string key = foldKey(problem);
  const auto& known = index ? *index : problemIndex_;
  if (const auto found = known.find(key); found != known.end()) {
    merge(report.problems[found->second], problem);
    return;
  }
  if (index) index->emplace(std::move(key), report.problems.size());
  report.problems.push_back(std::move(problem));
}

void LogReader::line(std::string_view text) {
  ++report_.lines;
  if (text.starts_with(bom)) text.remove_prefix(bom.size());
  text = cut(text, maxLine);
  if (!LogLines::readable(text)) {
    ++report_.unreadableLines;
    return;
  }
  if (!text.empty() && text[0] == '[')
    if (const auto header = LogLines::header(text)) {
      fold(report_, &problemIndex_);
      entry_.open = false;
      headerLine(*header);
      return;
    }
  continuation(text);
}

void LogReader::headerLine(const LogLines::Header& header) {
  const bool problem = header.level == Level::error || header.level == Level::fatal;
  if (header.source == "BepInEx") return loaderLine(header.text, problem);
  if (header.source == "HarmonyX") {
    if (problem || header.level == Level::warning) open(ProblemKind::harmony, header.text);
    return;
  }
  // The engine's and the plug-ins' own warnings and notes are theirs to make; errors are problems.
  if (!problem) return;
  const ProblemKind kind =
      LogLines::startsWithException(header.text) ? ProblemKind::exception : ProblemKind::error;
  if (header.source == "Unity Log")
    open(kind, header.text);
  else
    open(kind, header.text, std::string(header.source));
}

void LogReader::loaderLine(std::string_view text, bool problem) {
  std::string_view rest;
  if (LaunchReport fresh; banner(text, fresh)) {
    // A second banner is the loader starting again in the same file.
    if (report_.loader) restart();
    report_.loader = std::move(fresh.loader);
    report_.process = std::move(fresh.process);
    report_.started = std::move(fresh.started);
  } else if (text.starts_with("User is running BepInExPack")) {
    if (const size_t at = text.find(" version "); at != std::string_view::npos) {
      const std::string_view version = text.substr(at + 9);
      report_.pack = std::string(version.substr(0, version.find(' ')));
    }
  } else if (text == "Chainloader startup complete") {
    report_.startupComplete = true;
  } else if (auto count = pluginsToLoad(text)) {
    report_.pluginCount = count;
  } else if (auto loading = LogLines::bracketAfter(text, "Loading [", "")) {
    pluginState(*loading, PluginState::loaded, {});
  } else if (auto skipped = LogLines::bracketAfter(text, "Skipping [", "] because ", &rest)) {
    open(ProblemKind::skipped, text, name(*skipped), pluginState(*skipped, PluginState::skipped, rest));
  } else if (auto failed = LogLines::bracketAfter(text, "Could not load [", "] because ", &rest)) {
    const size_t plugin = pluginState(*failed, PluginState::failed, rest);
    constexpr std::string_view missing = "it has missing dependencies: ",
                               incompatible = "it is incompatible with";
    if (rest.starts_with(missing)) {
      open(ProblemKind::missingDependency, text, name(*failed), plugin);
      entry_.missing = guids(rest.substr(missing.size()));
      for (auto& dependency : entry_.missing) dependency.mod = clues_.byGuid(dependency.guid);
      report_.plugins[plugin].missing = entry_.missing;
    } else {
      open(rest.starts_with(incompatible) ? ProblemKind::incompatible : ProblemKind::error, text,
           name(*failed), plugin);
    }
  } else if (auto broken = errorLoading(text, rest)) {
    rest = Text::trim(rest, " :");
    open(ProblemKind::error, text, name(*broken),
         pluginState(*broken, PluginState::failed, rest.empty() ? "error loading" : rest));
  } else if (auto old = LogLines::bracketAfter(text, "Plugin [", "] targets a wrong version")) {
    const auto found = pluginIndex_.find(std::string(*old));
    open(ProblemKind::wrongLoaderVersion, text, name(*old),
         found == pluginIndex_.end() ? std::nullopt : std::optional(found->second));
  } else if (problem) {
    // Another error of the loader's: the plug-in it names in brackets, if any.
    std::optional<std::string> plugin;
    if (const size_t at = text.find('['); at != std::string_view::npos)
      if (auto bracket = LogLines::bracketAfter(text.substr(at), "[", "]")) plugin = name(*bracket);
    open(ProblemKind::error, text, std::move(plugin));
  }
}

size_t LogReader::pluginState(std::string_view bracket, PluginState state, std::string_view reason) {
  const auto [found, fresh] = pluginIndex_.try_emplace(std::string(bracket), report_.plugins.size());
  if (fresh) {
    const auto plugin = LogLines::splitPlugin(bracket);
    report_.plugins.push_back({std::string(plugin.name),
                               std::string(plugin.version),
                               state,
                               std::nullopt,
                               clues_.byName(plugin.name),
                               {}});
  }
  // "Loading" comes before an "Error loading" of the same plug-in, never after it.
  if (state != PluginState::loaded) {
    report_.plugins[found->second].state = state;
    report_.plugins[found->second].reason = std::string(reason);
  }
  return found->second;
}

void LogReader::open(ProblemKind kind, std::string_view message, std::optional<std::string> plugin,
                     std::optional<size_t> pluginEntry) {
  entry_ = Entry{};
  entry_.open = true;
  entry_.kind = kind;
  entry_.plugin = std::move(plugin);
  entry_.message = message;
  entry_.line = report_.lines;
  entry_.pluginEntry = pluginEntry;
  entry_.dll = dllIn(message);
  entry_.harmony = message.find("HarmonyException") != std::string_view::npos;
  addExcerpt(message);
}

void LogReader::continuation(std::string_view text) {
  if (!entry_.open || Text::trim(text, " \t").empty()) return;
  addExcerpt(text);
  if (!entry_.culprit)
    if (const auto ns = StackFrames::pluginNamespace(text)) entry_.culprit = std::string(*ns);
  if (!entry_.harmony && text.find("HarmonyException") != std::string_view::npos) entry_.harmony = true;
  if (!entry_.dll) entry_.dll = dllIn(text);
}

void LogReader::addExcerpt(std::string_view text) {
  if (entry_.excerptLines >= excerptLines || entry_.excerpt.size() >= excerptBytes) return;
  const std::string_view shown = cut(text, excerptLineBytes);
  if (!entry_.excerpt.empty()) entry_.excerpt += '\n';
  entry_.excerpt += shown;
  if (shown.size() < text.size()) entry_.excerpt += "…";
  ++entry_.excerptLines;
}

void LogReader::restart() {
  report_ = LaunchReport{.lines = report_.lines, .unreadableLines = report_.unreadableLines};
  problemIndex_.clear();
  pluginIndex_.clear();
  entry_ = {};
}

LogProblem LogReader::problemOf(const Entry& entry) const {
  LogProblem problem{.kind = entry.kind,
                     .plugin = entry.plugin,
                     .message = entry.message,
                     .count = 1,
                     .firstLine = entry.line,
                     .lastLine = entry.line,
                     .excerpt = entry.excerpt,
                     .missing = entry.missing};
  const bool thrown = entry.kind == ProblemKind::exception || entry.kind == ProblemKind::error;
  if (entry.harmony && thrown) problem.kind = ProblemKind::harmony;
  // Who the code belongs to: the frame that threw, else the patch class a Harmony line names.
  std::optional<std::string> ns = entry.culprit;
  if (!ns && problem.kind == ProblemKind::harmony) ns = StackFrames::namedNamespace(entry.message);

  // The loader's display name is exact; a DLL or a namespace beats a logger's name.
  const bool displayName = entry.pluginEntry.has_value();
  if (displayName) problem.mod = clues_.byName(*entry.plugin);
  if (!problem.mod && entry.dll) problem.mod = clues_.byDll(*entry.dll);
  if (!problem.mod && ns) problem.mod = clues_.byNamespace(*ns);
  if (!problem.mod && entry.plugin && !displayName) {
    problem.mod = clues_.byName(*entry.plugin);
    if (!problem.mod) problem.mod = clues_.byNamespace(*entry.plugin);
  }
  if (!problem.plugin) {
    if (ns)
      problem.plugin = std::string(StackFrames::root(*ns));
    else if (entry.dll)
      problem.plugin = std::string(dllStem(*entry.dll));
  }

  // Code built against another version of a plug-in it uses: name that one too.
  if (thrown && missingCode(entry.message)) {
    if (const auto assembly = StackFrames::namedAssembly(entry.message)) {
      problem.otherPlugin = std::string(*assembly);
      problem.otherMod = clues_.byDll(*assembly);
    } else if (const auto other = StackFrames::namedNamespace(entry.message)) {
      problem.otherPlugin = std::string(StackFrames::root(*other));
      problem.otherMod = clues_.byNamespace(*other);
    }
    if (problem.otherPlugin == problem.plugin) problem.otherPlugin = problem.otherMod = std::nullopt;
  }
  return problem;
}

LaunchReport readLog(std::string_view bytes, const ModClues& clues) {
  LogReader reader(clues);
  reader.append(bytes);
  reader.finish();
  return reader.report();
}
}  // namespace Diagnostics
