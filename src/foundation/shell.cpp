#include "foundation/shell.hpp"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "foundation/file_descriptor.hpp"
#include "foundation/text.hpp"

extern char** environ;

namespace Shell {
namespace {
[[noreturn]] void fail(int err, const std::string& what) {
  throw std::system_error(err, std::generic_category(), what);
}

// A pipe whose ends are closed on exec, so no other child inherits them.
void makePipe(int fds[2]) {
#ifdef __linux__
  if (::pipe2(fds, O_CLOEXEC) != 0) fail(errno, "pipe");
#else
  // macOS has no pipe2; another thread's fork may briefly see these ends.
  if (::pipe(fds) != 0) fail(errno, "pipe");
  ::fcntl(fds[0], F_SETFD, FD_CLOEXEC);
  ::fcntl(fds[1], F_SETFD, FD_CLOEXEC);
#endif
}

// Runs in the child between fork and exec: async-signal-safe calls only. On failure the
// errno goes to the parent through `report`, which exec closes on success.
[[noreturn]] void becomeChild(int output, int report, const char* program, char* const argv[],
                              const char* cwd) {
  sigset_t none;
  sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
  ::signal(SIGPIPE, SIG_DFL);
  if (::dup2(output, STDOUT_FILENO) < 0 || ::dup2(output, STDERR_FILENO) < 0 || (cwd && ::chdir(cwd) != 0)) {
    int err = errno;
    (void)!::write(report, &err, sizeof err);
    ::_exit(127);
  }
  ::execve(program, argv, environ);
  int err = errno;
  (void)!::write(report, &err, sizeof err);
  ::_exit(127);
}

void closeQuietly(int fd) {
  if (fd >= 0) ::close(fd);
}

// Reads `fd` to its end.
std::string drain(int fd) {
  std::string bytes;
  char buf[65536];
  for (;;) {
    const ssize_t n = retryOnInterrupt([&] { return ::read(fd, buf, sizeof buf); });
    if (n <= 0) return bytes;
    bytes.append(buf, size_t(n));
  }
}

}  // namespace

Result run(const std::filesystem::path& program, const std::vector<std::string>& args,
           const std::optional<std::filesystem::path>& cwd) {
  // Everything the child needs is built before fork: it may not allocate.
  std::string programText = program.string();
  std::vector<char*> argv;
  argv.push_back(programText.data());
  std::vector<std::string> argCopies = args;
  for (auto& arg : argCopies) argv.push_back(arg.data());
  argv.push_back(nullptr);
  std::string cwdText = cwd ? cwd->string() : std::string();

  int output[2], report[2];
  makePipe(output);
  try {
    makePipe(report);
  } catch (...) {
    closeQuietly(output[0]), closeQuietly(output[1]);
    throw;
  }

  pid_t pid = ::fork();
  if (pid < 0) {
    int err = errno;
    for (int fd : {output[0], output[1], report[0], report[1]}) closeQuietly(fd);
    fail(err, programText);
  }
  if (pid == 0)
    becomeChild(output[1], report[1], programText.c_str(), argv.data(), cwd ? cwdText.c_str() : nullptr);

  ::close(output[1]);
  ::close(report[1]);
  // The report pipe ends at exec (or with the child's error), so this read does not wait
  // on the program itself.
  std::string failure = drain(report[0]);
  ::close(report[0]);
  std::string bytes = failure.empty() ? drain(output[0]) : std::string();
  ::close(output[0]);

  int status = 0;
  retryOnInterrupt([&] { return ::waitpid(pid, &status, 0); });
  if (failure.size() >= sizeof(int)) {
    int err;
    std::memcpy(&err, failure.data(), sizeof err);
    fail(err, programText);
  }
  // A child killed by a signal reports 128 + the signal, as shells do.
  int32_t code = WIFEXITED(status) ? WEXITSTATUS(status) : WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
  return {code, Text::toValidUTF8(bytes)};
}
}  // namespace Shell
