#include "diagnostics/report_json.hpp"

#include <nlohmann/json.hpp>

namespace Diagnostics {
namespace {
using Json = nlohmann::ordered_json;

Json orNull(const std::optional<std::string>& text) { return text ? Json(*text) : Json(nullptr); }

Json missingJson(const std::vector<MissingDependency>& missing) {
  Json list = Json::array();
  for (const auto& dependency : missing)
    list.push_back({{"guid", dependency.guid}, {"mod", orNull(dependency.mod)}});
  return list;
}

Json problemsJson(const std::vector<LogProblem>& list) {
  Json problems = Json::array();
  for (const LogProblem& problem : list) {
    Json entry{{"kind", name(problem.kind)},   {"plugin", orNull(problem.plugin)},
               {"mod", orNull(problem.mod)},   {"message", problem.message},
               {"count", problem.count},       {"firstLine", problem.firstLine},
               {"lastLine", problem.lastLine}, {"excerpt", problem.excerpt}};
    if (problem.otherPlugin) entry["otherPlugin"] = *problem.otherPlugin;
    if (problem.otherPlugin || problem.otherMod) entry["otherMod"] = orNull(problem.otherMod);
    if (!problem.missing.empty()) entry["missing"] = missingJson(problem.missing);
    problems.push_back(std::move(entry));
  }
  return problems;
}
}  // namespace

std::string toJson(const LaunchReport& report) {
  Json plugins = Json::array();
  for (const PluginEntry& plugin : report.plugins) {
    Json entry{{"name", plugin.name},
               {"version", plugin.version},
               {"state", name(plugin.state)},
               {"reason", orNull(plugin.reason)},
               {"mod", orNull(plugin.mod)}};
    if (!plugin.missing.empty()) entry["missing"] = missingJson(plugin.missing);
    plugins.push_back(std::move(entry));
  }
  Json problems = problemsJson(report.problems), warnings = problemsJson(report.warnings);
  const Json json{{"verdict", name(report.verdict)},
                  {"loader", orNull(report.loader)},
                  {"process", orNull(report.process)},
                  {"started", orNull(report.started)},
                  {"pack", orNull(report.pack)},
                  {"startupComplete", report.startupComplete},
                  {"pluginCount", report.pluginCount ? Json(*report.pluginCount) : Json(nullptr)},
                  {"plugins", std::move(plugins)},
                  {"problems", std::move(problems)},
                  {"warnings", std::move(warnings)},
                  {"warningsNotListed", report.warningsNotListed},
                  {"lines", report.lines},
                  {"unreadableLines", report.unreadableLines}};
  // The reader passes on only valid UTF-8; replacing is a guard, not a path.
  return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}
}  // namespace Diagnostics
