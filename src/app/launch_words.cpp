#include "app/launch_words.hpp"

#include <QCoreApplication>

#include "app/text.hpp"
#include "app/values.hpp"

using Diagnostics::LaunchReport;
using Diagnostics::LogProblem;
using Diagnostics::PluginState;
using Diagnostics::ProblemKind;

namespace LaunchWords {
namespace {
// " 3 times" for a repeat; nothing for a single one.
QString times(const LogProblem& problem) {
  return problem.count > 1 ? QCoreApplication::translate("LaunchWords", " %n times", nullptr, problem.count)
                           : QString();
}

// What the loader wrote after "because " ("a newer version exists (Jotunn 2.6.0)").
QString because(const LogProblem& problem) {
  const auto at = problem.message.find("because ");
  return at == std::string::npos ? QString() : qs(problem.message.substr(at + 8));
}
}  // namespace

Counts counts(const LaunchReport& report) {
  Counts c;
  for (const auto& plugin : report.plugins) {
    if (plugin.state == PluginState::loaded) ++c.loaded;
    if (plugin.state == PluginState::skipped) ++c.skipped;
    if (plugin.state == PluginState::failed) ++c.failed;
  }
  // The loader counts both copies of a plug-in installed twice; the player has one.
  int copies = 0;
  for (const auto& problem : report.problems) copies += problem.kind == ProblemKind::duplicate;
  c.total =
      report.pluginCount ? static_cast<int>(*report.pluginCount) - copies : c.loaded + c.skipped + c.failed;
  return c;
}

QString summary(const LaunchReport& report, int fixed) {
  if (!report.startupComplete) return {};
  const Counts c = counts(report);
  const QString loaded =
      c.loaded == c.total
          ? QCoreApplication::translate("LaunchWords", "%n mods loaded", nullptr, c.total)
          : QCoreApplication::translate("LaunchWords", "%1 of %n mods loaded", nullptr, c.total)
                .arg(c.loaded);
  const int problems = static_cast<int>(report.problems.size()) - fixed;
  return problems == 0
             ? loaded + u'.'
             : loaded + QCoreApplication::translate("LaunchWords", " — %n problems", nullptr, problems);
}

QString reason(const LogProblem& problem, const QStringList& needs) {
  const QString message = qs(problem.message);
  switch (problem.kind) {
    case ProblemKind::missingDependency:
      return QCoreApplication::translate("LaunchWords", "It didn’t load: it needs %1.").arg(joinNames(needs));
    case ProblemKind::incompatible:
      return QCoreApplication::translate("LaunchWords", "It didn’t load because %1.").arg(because(problem));
    case ProblemKind::skipped:
      return QCoreApplication::translate("LaunchWords", "The loader skipped it because %1.")
          .arg(because(problem));
    case ProblemKind::wrongLoaderVersion:
      return QCoreApplication::translate(
          "LaunchWords",
          "It was made for another version of BepInEx and might not work until it is updated.");
    case ProblemKind::harmony:
      return QCoreApplication::translate("LaunchWords", "One of its patches to the game failed%1: %2")
          .arg(times(problem), message);
    case ProblemKind::exception: {
      QString text =
          QCoreApplication::translate("LaunchWords", "It threw an error%1: %2").arg(times(problem), message);
      if (problem.otherPlugin)
        text +=
            QCoreApplication::translate("LaunchWords", " It may have been built for another version of %1.")
                .arg(qs(*problem.otherPlugin));
      return text;
    }
    case ProblemKind::duplicate: return message + u'.';
    case ProblemKind::warning:
      return QCoreApplication::translate("LaunchWords", "It warned%1: %2").arg(times(problem), message);
    case ProblemKind::error: break;
  }
  return QCoreApplication::translate("LaunchWords", "It reported an error%1: %2")
      .arg(times(problem), message);
}

QString lines(const LogProblem& problem) {
  if (problem.count <= 1 || problem.firstLine == problem.lastLine)
    return QCoreApplication::translate("LaunchWords", "Line %1").arg(problem.firstLine);
  return QCoreApplication::translate("LaunchWords", "Lines %1–%2 (%3 times)")
      .arg(problem.firstLine)
      .arg(problem.lastLine)
      .arg(problem.count);
}
}  // namespace LaunchWords
