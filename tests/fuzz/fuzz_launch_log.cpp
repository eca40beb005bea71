// The loader's log: any bytes give a report, the same whether they come whole or in two pieces,
// with every problem's lines inside the file, and the report always writes as JSON.
#include <nlohmann/json.hpp>

#include "diagnostics/log_reader.hpp"
#include "diagnostics/report_json.hpp"
#include "fuzz_check.hpp"

using namespace Diagnostics;

FUZZ_TARGET(bytes) {
  const LaunchReport whole = readLog(bytes);
  FUZZ_CHECK(whole.unreadableLines <= whole.lines, "only lines that were read are unreadable");
  for (const LogProblem& problem : whole.problems)
    FUZZ_CHECK(problem.count >= 1 && problem.firstLine >= 1 && problem.firstLine <= problem.lastLine &&
                   problem.lastLine <= whole.lines,
               "a problem's lines are lines of the file");

  LogReader reader;
  const size_t split = bytes.empty() ? 0 : bytes[0] % (bytes.size() + 1);
  reader.append(bytes.substr(0, split));
  reader.append(bytes.substr(split));
  reader.finish();
  FUZZ_CHECK(reader.report() == whole, "a log read in two pieces reads as the whole");

  const auto json = nlohmann::json::parse(toJson(whole));
  FUZZ_CHECK(json["lines"] == whole.lines, "the report writes as JSON");
}
