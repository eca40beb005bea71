#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Fake system tools: bash scripts in a folder that record their arguments and answer as told.
// Constructing one points systemTools() at its scripts, so no real system tool runs.
//
// A tool answers with exit code 0 and no output until told otherwise. An answer given for a first
// argument ("pgrep" with "-x") wins over the tool's general answer. The fake "file" prints
// "<path>: " and the content of the file it is asked about, so a fake executable's bytes are its
// description.
class FakeTools {
 public:
  explicit FakeTools(const std::filesystem::path& folder);

  void answer(const std::string& tool, int code, const std::string& output = "");
  void answerFor(const std::string& tool, const std::string& firstArg, int code,
                 const std::string& output = "");

  // Shell lines the tool runs before it answers, with the call's arguments as $1, $2…
  void alsoRun(const std::string& tool, const std::string& lines);

  // Every call of the tool so far, oldest first, each as its list of arguments.
  std::vector<std::vector<std::string>> calls(const std::string& tool) const;

 private:
  void writeScript(const std::string& tool, const std::string& body);
  std::filesystem::path folder_;
};
