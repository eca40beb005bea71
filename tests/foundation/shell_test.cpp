#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "foundation/shell.hpp"

namespace {
Shell::Result sh(const std::string& script) { return Shell::run("/bin/sh", {"-c", script}); }
int openDescriptors() { return int(std::distance(std::filesystem::directory_iterator("/dev/fd"), {})); }
}  // namespace

TEST(Shell, CapturesOutputAndErrorInterleavedWithTheExitCodeOrSignal) {
  Shell::Result r = sh("echo out; echo err >&2; echo more; exit 3");
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.output, "out\nerr\nmore\n");
  EXPECT_EQ(sh("kill -9 $$").code, 128 + 9);
  EXPECT_EQ(sh("printf 'a\\377b'").output,
            "a\xEF\xBF\xBD"
            "b");  // ill-formed UTF-8 is replaced
  // Megabytes on both streams do not deadlock.
  r = sh("head -c 6000000 /dev/zero | tr '\\0' a; head -c 3000000 /dev/zero | tr '\\0' b >&2");
  EXPECT_EQ(r.output.size(), 9000000u);
}

TEST(Shell, FailedStartsThrowTheirErrnoAndNoRunLeavesDescriptorsOrZombies) {
  int before = openDescriptors();
  for (int i = 0; i < 20; ++i) {
    sh("echo hi; exit 1");
    try {
      Shell::run("/no/such/program", {});
      ADD_FAILURE() << "a missing program started";
    } catch (const std::system_error& e) {
      EXPECT_EQ(e.code().value(), ENOENT);
    }
  }
  EXPECT_EQ(openDescriptors(), before);
  EXPECT_TRUE(waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD) << "every child was reaped";
}
