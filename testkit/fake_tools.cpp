#include "testkit/fake_tools.hpp"

#include <fstream>
#include <sstream>

#include "installer/system_tools.hpp"

namespace fs = std::filesystem;

namespace {
void writeFile(const fs::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string quoted(const fs::path& p) { return "'" + p.string() + "'"; }
}  // namespace

FakeTools::FakeTools(const fs::path& folder) : folder_(folder) {
  fs::create_directories(folder_);
  // Arguments are recorded separated by the unit separator, one call per line.
  const std::string record =
      "{ for a in \"$@\"; do printf '%s\\x1f' \"$a\"; done; printf '\\n'; } >> \"$d/$t.calls\"\n";
  // Builtins where it matters, so a call costs one process: launch tests poll these scripts hundreds of
  // times.
  const std::string answer =
      "[ -e \"$d/$t.also\" ] && . \"$d/$t.also\"\n"
      "k=\"$t\"; [ -e \"$d/$t $1.code\" ] && k=\"$t $1\"\n"
      "[ -s \"$d/$k.out\" ] && cat \"$d/$k.out\"\n"
      "code=0; [ -e \"$d/$k.code\" ] && read -r code < \"$d/$k.code\"\n"
      "exit \"$code\"\n";
  for (const char* tool : {"pgrep", "open", "sysctl", "arch", "xattr", "bash", "pkill", "softwareupdate"})
    writeScript(tool, record + answer);
  writeScript("file", record + "printf '%s: ' \"$1\"; cat \"$1\"\n");

  const auto at = [&](const char* tool) { return folder_ / tool; };
  setSystemTools({at("pgrep"), at("open"), at("sysctl"), at("arch"), at("file"), at("xattr"), at("bash"),
                  at("pkill"), at("softwareupdate")});
}

void FakeTools::writeScript(const std::string& tool, const std::string& body) {
  const fs::path script = folder_ / tool;
  writeFile(script, "#!/bin/bash\nd=" + quoted(folder_) + "; t='" + tool + "'\n" + body);
  fs::permissions(script, fs::perms(0755), fs::perm_options::replace);
}

void FakeTools::answer(const std::string& tool, int code, const std::string& output) {
  writeFile(folder_ / (tool + ".code"), std::to_string(code));
  writeFile(folder_ / (tool + ".out"), output);
}

void FakeTools::answerFor(const std::string& tool, const std::string& firstArg, int code,
                          const std::string& output) {
  answer(tool + " " + firstArg, code, output);
}

void FakeTools::alsoRun(const std::string& tool, const std::string& lines) {
  writeFile(folder_ / (tool + ".also"), lines + "\n");
}

std::vector<std::vector<std::string>> FakeTools::calls(const std::string& tool) const {
  std::vector<std::vector<std::string>> result;
  std::ifstream in(folder_ / (tool + ".calls"), std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> args;
    std::istringstream fields(line);
    for (std::string arg; std::getline(fields, arg, '\x1f');) args.push_back(arg);
    result.push_back(std::move(args));
  }
  return result;
}
