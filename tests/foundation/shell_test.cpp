#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "foundation/fs.hpp"
#include "foundation/shell.hpp"

namespace {
Shell::Result sh(const std::string& script, const std::optional<std::filesystem::path>& cwd = {}) {
  return Shell::run("/bin/sh", {"-c", script}, cwd);
}

int openDescriptors() { return int(std::distance(std::filesystem::directory_iterator("/dev/fd"), {})); }

int startError(const std::filesystem::path& program, const std::optional<std::filesystem::path>& cwd = {}) {
  try {
    Shell::run(program, {}, cwd);
  } catch (const std::system_error& e) {
    return e.code().value();
  }
  return 0;
}

// True when this process has no child left to reap: every run waited for its child.
bool noChildren() { return waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD; }
}  // namespace

TEST(Shell, CapturesOutputAndErrorInterleavedWithTheExitCode) {
  Shell::Result r = sh("echo out; echo err >&2; echo more; exit 3");
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.output, "out\nerr\nmore\n");
  EXPECT_EQ(Shell::run("/bin/echo", {"two words", "x"}).output, "two words x\n");
  EXPECT_EQ(sh("kill -9 $$").code, 128 + 9);
}

TEST(Shell, ChildInheritsTheEnvironmentAndRunsInTheGivenFolder) {
  setenv("QH_SHELL_PROBE", "inherited", 1);
  EXPECT_EQ(sh("printf %s \"$QH_SHELL_PROBE\"").output, "inherited");
  std::filesystem::path dir = std::filesystem::canonical(FS::tempDir());
  EXPECT_EQ(sh("pwd -P", dir).output, dir.string() + "\n");
  // Programs that cannot start throw their errno.
  FS::writeAtomic(dir / "not-executable", "#!/bin/sh\n");
  EXPECT_EQ(startError("/bin/pwd", dir / "missing"), ENOENT);
  EXPECT_EQ(startError("/no/such/program"), ENOENT);
  EXPECT_EQ(startError(dir / "not-executable"), EACCES);
  FS::remove(dir);
}

TEST(Shell, IllFormedUTF8BecomesReplacementCharacters) {
  EXPECT_EQ(sh("printf 'a\\377b'").output, "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(sh("printf 'a\\342\\202b'").output, "a\xEF\xBF\xBD" "b");             // cut-short sequence: one
  EXPECT_EQ(sh("printf '\\300\\257'").output, "\xEF\xBF\xBD\xEF\xBF\xBD");           // overlong "/": two
  EXPECT_EQ(sh("printf '\\355\\240\\200'").output, "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");  // surrogate
  EXPECT_EQ(sh("printf '\\342\\202\\254 \\360\\237\\230\\200'").output, "€ 😀");
}

TEST(Shell, ManyMegabytesOnBothStreamsDoNotDeadlock) {
  Shell::Result r = sh("head -c 6000000 /dev/zero | tr '\\0' a; head -c 3000000 /dev/zero | tr '\\0' b >&2");
  EXPECT_EQ(r.code, 0);
  ASSERT_EQ(r.output.size(), 9000000u);
  EXPECT_EQ(r.output.find_first_not_of('a'), 6000000u);
}

TEST(Shell, LeavesNoDescriptorsOrZombiesBehind) {
  int before = openDescriptors();
  for (int i = 0; i < 20; ++i) {
    sh("echo hi; exit 1");
    startError("/no/such/program");
  }
  EXPECT_EQ(openDescriptors(), before);
  EXPECT_TRUE(noChildren());
}
