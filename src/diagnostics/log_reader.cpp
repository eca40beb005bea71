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
// The excerpt: the entry's lines, enough for a long message and its stack, short enough to paste.
constexpr size_t excerptLines = 40, excerptLineBytes = 240, excerptBytes = 4000;
// A log with no line header among its first lines is some other file.
constexpr size_t headerWithin = 300;
// Distinct warnings listed; a plug-in that warns with a new number every frame is only counted on.
constexpr size_t maxWarnings = 500;
// What a frame list keeps of one stack: the culprit and whoever called it is near the top.
constexpr size_t maxFrames = 8;
// What a reason quotes of an exception's line.
constexpr size_t reasonBytes = 200;

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

// The loader's warning when the game quits: every plug-in's patches go, as they should.
bool unpatchAll(std::string_view text) { return text.find("UnpatchAll") != std::string_view::npos; }

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
  report.verdict = textLines_ == 0                                 ? LogVerdict::empty
                   : firstHeader_ && *firstHeader_ <= headerWithin ? LogVerdict::loaderLog
                                                                   : LogVerdict::notALoaderLog;
  return report;
}

void LogReader::fold(LaunchReport& report, Folds* folds) const {
  if (!entry_.open) return;
  auto folded = problemOf(entry_, report.plugins);
  if (!folded) return;
  LogProblem& problem = *folded;
  if (entry_.pluginEntry && !report.plugins[*entry_.pluginEntry].mod)
    report.plugins[*entry_.pluginEntry].mod = problem.mod;
  // A plug-in whose own code is in an exception while it starts has started and then failed.
  if (entry_.starting && entry_.thrown && !entry_.pluginEntry) {
    PluginEntry& starting = report.plugins[*entry_.starting];
    const bool its = std::any_of(entry_.frames.begin(), entry_.frames.end(), [&](const std::string& ns) {
      const auto match = resolve(ns, report.plugins);
      return match && match->entry == entry_.starting;
    });
    if (its && starting.state == PluginState::loaded) {
      starting.state = PluginState::failed;
      starting.reason =
          "threw while starting: " + std::string(cut(entry_.exception.value_or(entry_.message), reasonBytes));
    }
  }
  const bool warning = problem.kind == ProblemKind::warning;
  auto& list = warning ? report.warnings : report.problems;
  std::string key = foldKey(problem);
  if (folds) {
    auto& index = warning ? folds->warnings : folds->problems;
    if (const auto found = index.find(key); found != index.end()) return merge(list[found->second], problem);
    if (warning && list.size() >= maxWarnings) {
      ++report.warningsNotListed;
      return;
    }
    index.emplace(std::move(key), list.size());
  } else {
    const auto& index = warning ? folds_.warnings : folds_.problems;
    if (const auto found = index.find(key); found != index.end()) return merge(list[found->second], problem);
    if (warning && list.size() >= maxWarnings) {
      ++report.warningsNotListed;
      return;
    }
  }
  list.push_back(std::move(problem));
}

void LogReader::line(std::string_view raw) {
  ++report_.lines;
  if (raw.starts_with(bom)) raw.remove_prefix(bom.size());
  const auto text = LogLines::readable(cut(raw, maxLine), scratch_);
  if (!text) {
    ++report_.unreadableLines;
    ++textLines_;
    return;
  }
  if (!Text::trim(*text, Text::whitespace).empty()) ++textLines_;
  if (!text->empty() && (*text)[0] == '[')
    if (const auto header = LogLines::header(*text)) {
      if (!firstHeader_) firstHeader_ = report_.lines;
      fold(report_, &folds_);
      entry_.open = false;
      headerLine(*header);
      return;
    }
  continuation(*text);
}

void LogReader::headerLine(const LogLines::Header& header) {
  const bool problem = header.level == Level::error || header.level == Level::fatal;
  if (header.source == "BepInEx") return loaderLine(header.text, problem);
  if (header.source == "HarmonyX") {
    if (problem || (header.level == Level::warning && !unpatchAll(header.text)))
      open(ProblemKind::harmony, header.text);
    return;
  }
  if (!problem && header.level != Level::warning) return;
  const ProblemKind kind =
      LogLines::startsWithException(header.text) ? ProblemKind::exception : ProblemKind::error;
  open(kind, header.text);
  if (header.source != "Unity Log") entry_.source = std::string(header.source);
  if (const auto tag = LogLines::tag(header.text)) entry_.tag = std::string(*tag);
  entry_.warning = !problem;
  // The engine's own warnings are its business; a plug-in's are worth a look.
  entry_.listed = entry_.source || entry_.tag;
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
    starting_.reset();
  } else if (auto count = pluginsToLoad(text)) {
    report_.pluginCount = count;
  } else if (auto loading = LogLines::bracketAfter(text, "Loading [", "")) {
    starting_ = pluginState(*loading, PluginState::loaded, {});
  } else if (auto skipped = LogLines::bracketAfter(text, "Skipping [", "] because ", &rest)) {
    constexpr std::string_view newer = "a newer version exists (";
    if (rest.starts_with(newer) && rest.ends_with(')'))
      return duplicate(*skipped, rest.substr(newer.size(), rest.size() - newer.size() - 1));
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
  const auto plugin = LogLines::splitPlugin(bracket);
  // The newer copy of a plug-in installed twice takes the entry of the older one it beat.
  if (const auto older = duplicates_.find(normalName(plugin.name));
      older != duplicates_.end() && state == PluginState::loaded) {
    const size_t at = older->second;
    duplicates_.erase(older);
    pluginIndex_.insert_or_assign(std::string(bracket), at);
    PluginEntry& entry = report_.plugins[at];
    entry.version = std::string(plugin.version);
    entry.state = state;
    entry.reason.reset();
    entry.mod = modOf(plugin);
    names_.loading(plugin.name, at);
    return at;
  }
  const auto [found, fresh] = pluginIndex_.try_emplace(std::string(bracket), report_.plugins.size());
  if (fresh) {
    report_.plugins.push_back(
        {std::string(plugin.name), std::string(plugin.version), state, std::nullopt, modOf(plugin), {}});
    names_.loading(plugin.name, found->second);
  }
  // "Loading" comes before an "Error loading" of the same plug-in, never after it.
  if (state != PluginState::loaded) {
    report_.plugins[found->second].state = state;
    report_.plugins[found->second].reason = std::string(reason);
  }
  return found->second;
}

std::optional<std::string> LogReader::modOf(const LogLines::Plugin& plugin) const {
  if (auto mod = clues_.byNameAndVersion(plugin.name, plugin.version)) return mod;
  return clues_.byName(plugin.name);
}

void LogReader::duplicate(std::string_view bracket, std::string_view newer) {
  const auto older = LogLines::splitPlugin(bracket);
  const auto kept = LogLines::splitPlugin(newer);
  const std::string message = std::string(older.name) + " is installed twice; the older copy (" +
                              std::string(older.version) + ") was skipped";
  const std::string line =
      "Skipping [" + std::string(bracket) + "] because a newer version exists (" + std::string(newer) + ")";
  const size_t entry = pluginState(bracket, PluginState::skipped, line.substr(line.find("a newer")));
  duplicates_.insert_or_assign(normalName(older.name), entry);
  open(ProblemKind::duplicate, message, std::string(older.name));
  entry_.excerpt = line;
  entry_.mod = report_.plugins[entry].mod = clues_.byNameAndVersion(older.name, older.version);
  entry_.otherMod = modOf(kept);
}

void LogReader::open(ProblemKind kind, std::string_view message, std::optional<std::string> plugin,
                     std::optional<size_t> pluginEntry) {
  entry_ = Entry{};
  entry_.open = true;
  entry_.kind = kind;
  entry_.plugin = std::move(plugin);
  if (LogLines::hasText(message)) entry_.message = message;
  entry_.line = report_.lines;
  entry_.pluginEntry = pluginEntry;
  entry_.starting = starting_;
  entry_.dll = dllIn(message);
  entry_.harmony = message.find("HarmonyException") != std::string_view::npos;
  if (LogLines::startsWithException(message)) entry_.exception = message;
  entry_.thrown = entry_.exception.has_value();
  addExcerpt(message);
}

void LogReader::continuation(std::string_view text) {
  const std::string_view trimmed = Text::trim(text, " \t");
  if (!entry_.open || trimmed.empty()) return;
  addExcerpt(text);
  if (entry_.message.empty() && LogLines::hasText(trimmed)) entry_.message = trimmed;
  if (StackFrames::isFrame(trimmed)) {
    entry_.thrown = true;
    if (const auto ns = StackFrames::pluginNamespace(trimmed); ns && entry_.frames.size() < maxFrames)
      if (std::find(entry_.frames.begin(), entry_.frames.end(), *ns) == entry_.frames.end())
        entry_.frames.emplace_back(*ns);
  } else if (!entry_.exception && LogLines::startsWithException(trimmed)) {
    entry_.exception = trimmed;
    entry_.thrown = true;
  }
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
  folds_ = {};
  pluginIndex_.clear();
  duplicates_.clear();
  names_.clear();
  starting_.reset();
  entry_ = {};
}

std::optional<PluginNames::Match> LogReader::resolve(std::string_view name,
                                                     const std::vector<PluginEntry>& plugins) const {
  return names_.resolve(name, plugins, clues_);
}

std::optional<LogProblem> LogReader::problemOf(const Entry& entry,
                                               const std::vector<PluginEntry>& plugins) const {
  if (entry.message.empty()) return std::nullopt;  // nothing but separators
  LogProblem problem{.kind = entry.kind,
                     .plugin = entry.plugin,
                     .message = entry.message,
                     .count = 1,
                     .firstLine = entry.line,
                     .lastLine = entry.line,
                     .excerpt = entry.excerpt,
                     .missing = entry.missing};
  if (entry.warning) {
    if (!entry.thrown && !entry.listed) return std::nullopt;
    problem.kind = entry.thrown ? ProblemKind::exception : ProblemKind::warning;
  }
  const bool thrown = problem.kind == ProblemKind::exception || problem.kind == ProblemKind::error;
  if (entry.harmony && thrown) problem.kind = ProblemKind::harmony;

  if (entry.kind == ProblemKind::duplicate) {
    problem.mod = entry.mod;
    problem.otherMod = entry.otherMod;
    return problem;
  }

  // The loader's bracket names the plug-in exactly; its mod by its name, else by what the entry shows.
  if (entry.plugin) {
    problem.mod = clues_.byName(*entry.plugin);
    if (!problem.mod && entry.dll) problem.mod = clues_.byDll(*entry.dll);
    for (size_t i = 0; !problem.mod && i < entry.frames.size(); ++i)
      if (const auto match = resolve(entry.frames[i], plugins)) problem.mod = match->mod;
  } else {
    // Whose code it is: the first frame that is not the logger's own (a library that reports another
    // plug-in's exception), the patch a Harmony line names, the DLL it shows, the tag the message
    // begins with, else the logger.
    const auto logger = entry.source ? resolve(*entry.source, plugins) : std::nullopt;
    std::optional<PluginNames::Match> match;
    std::optional<std::string> unmatched;
    for (const std::string& ns : entry.frames) {
      auto found = resolve(ns, plugins);
      if (logger && found && found->plugin == logger->plugin) continue;
      match = std::move(found);
      if (!match) unmatched = ns;
      break;
    }
    if (!match && !unmatched && problem.kind == ProblemKind::harmony)
      if (const auto ns = StackFrames::namedNamespace(entry.message))
        if (!(match = resolve(*ns, plugins))) unmatched = *ns;
    if (!match && !unmatched && entry.dll) {
      match = resolve(dllStem(*entry.dll), plugins);
      if (match && !match->entry) match->mod = clues_.byDll(*entry.dll);
      if (!match) {
        if (const auto mod = clues_.byDll(*entry.dll))
          match = PluginNames::Match{clues_.packageName(*mod).value_or(*mod), mod, std::nullopt};
        else
          unmatched = std::string(dllStem(*entry.dll));
      }
    }
    if (!match && !unmatched && entry.tag)
      if (!(match = resolve(*entry.tag, plugins))) unmatched = entry.tag;
    if (!match && !unmatched) {
      match = logger;
      if (!match) unmatched = entry.source;
    }
    if (match) {
      problem.plugin = match->plugin;
      problem.mod = match->mod;
    } else {
      problem.plugin = unmatched;
    }
  }

  // Code built against another version of a plug-in it uses: name that one too.
  if (thrown && missingCode(entry.message)) {
    if (const auto assembly = StackFrames::namedAssembly(entry.message)) {
      problem.otherPlugin = std::string(*assembly);
      problem.otherMod = clues_.byDll(*assembly);
    } else if (const auto other = StackFrames::namedNamespace(entry.message)) {
      const auto match = resolve(*other, plugins);
      problem.otherPlugin = match ? match->plugin : *other;
      problem.otherMod = match ? match->mod : std::nullopt;
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
