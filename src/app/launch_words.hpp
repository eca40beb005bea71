#pragma once

#include <QString>
#include <QStringList>

#include "diagnostics/launch_report.hpp"

// The launch report in the player's words.
namespace LaunchWords {

struct Counts {
  int loaded = 0, skipped = 0, failed = 0;
  int total = 0;  // the loader's own count when it gave one
};
Counts counts(const Diagnostics::LaunchReport& report);

// "42 mods loaded." or "40 of 42 mods loaded — 2 problems"; empty until start-up completes. The
// `fixed` problems no longer count.
QString summary(const Diagnostics::LaunchReport& report, int fixed = 0);

// Why the problem matters, in one or two sentences. `needs` names what a missing dependency
// stands for, in the order of the problem's missing GUIDs.
QString reason(const Diagnostics::LogProblem& problem, const QStringList& needs);

// "Line 12", or "Lines 12–40 (3 times)" for a folded repeat.
QString lines(const Diagnostics::LogProblem& problem);
}  // namespace LaunchWords
