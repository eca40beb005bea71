#pragma once

#include <unistd.h>

#include <cerrno>
#include <utility>

// An open file descriptor, closed when the owner goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  ~FileDescriptor() { close(); }
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
      close();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now; the result of close(2), or 0 when nothing was open.
  int close() { return valid() ? ::close(std::exchange(fd_, -1)) : 0; }

 private:
  int fd_;
};

// Repeats a system call that a signal interrupted before it did anything (it fails with EINTR).
template <typename Call>
auto retryOnInterrupt(Call call) {
  auto result = call();
  while (result < 0 && errno == EINTR) result = call();
  return result;
}
