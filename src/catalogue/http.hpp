#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// The one HTTP client of the process (libcurl), used only by the catalogue client.
// Every request carries the user agent, follows redirects and accepts compressed replies.
namespace Http {
// A request that got no complete HTTP response. what() is the sentence a Mac shows for that kind of
// failure ("The request timed out."); the HTTP client's own text, which may name hosts and
// addresses, is only for the activity log.
struct NetworkError : std::runtime_error {
  NetworkError(const std::string& sentence, std::string clientText)
      : std::runtime_error(sentence), detail(std::move(clientText)) {}
  // "The request timed out. (Operation timed out after 180001 milliseconds…)"
  std::string logged() const { return what() + (detail.empty() ? "" : " (" + detail + ")"); }

  std::string detail;
};

// Bytes received so far and bytes expected (nullopt when the server does not say).
using Progress = std::function<void(int64_t received, std::optional<int64_t> expected)>;

struct Request {
  std::string url;
  double timeout = 60;  // seconds for the whole exchange
  double stallTimeout = 0;  // seconds without a received byte before giving up; 0: none
  std::string method = "GET";  // "GET" or "POST"
  std::vector<std::string> headers;  // "Name: value"
  std::string body;  // sent with POST
  // fetch only: a longer body stops the transfer and throws std::length_error (a broken or
  // hostile server cannot fill the memory with a reply meant to be small).
  size_t maxBody = SIZE_MAX;
};

struct Response {
  long status = 0;  // 0 when no HTTP response arrived
  std::string body;
};

// "Quernhold/<version> (macOS; +<website>)", sent with every request.
const std::string& userAgent();

// The reply with its body in memory. Throws NetworkError when no complete
// response arrives (refused, timed out, cut short).
Response fetch(const Request& request);

// The body streamed into `file` (created or truncated, whatever the status); returns the status.
// Throws as fetch does, and the platform's error when the file cannot be written.
long fetchToFile(const Request& request, const std::filesystem::path& file, const Progress& progress = {});

// Sleeps for `seconds`, scaled like every timeout (tests shrink both).
void pause(double seconds);
}  // namespace Http
