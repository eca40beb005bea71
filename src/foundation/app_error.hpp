#pragma once

#include <stdexcept>
#include <string>

// The error the app's own code throws. what() is the complete sentence the user sees.
struct AppError : std::runtime_error {
  explicit AppError(const std::string& message) : std::runtime_error(message) {}
  std::string message() const { return what(); }
};
