#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "catalogue/thunderstore.hpp"

// The one HTTP client of the process (libcurl), used only by the catalogue client.
// Every request carries the user agent, follows redirects and accepts compressed replies.
namespace Http {
struct Request {
  std::string url;
  double timeout = 60;               // seconds for the whole exchange
  double stallTimeout = 0;           // seconds without a received byte before giving up; 0: none
  std::string method = "GET";        // "GET" or "POST"
  std::vector<std::string> headers;  // "Name: value"
  std::string body;                  // sent with POST
};

struct Response {
  long status = 0;  // 0 when no HTTP response arrived
  std::string body;
};

// The reply with its body in memory. Throws Thunderstore::NetworkError when no complete
// response arrives (refused, timed out, cut short).
Response fetch(const Request& request);

// The body streamed into `file` (created or truncated, whatever the status); returns the status.
// Throws as fetch does, and the platform's error when the file cannot be written.
long fetchToFile(const Request& request, const std::filesystem::path& file,
                 const Thunderstore::Progress& progress = {});

// Sleeps for `seconds`, scaled like every timeout (tests shrink both).
void pause(double seconds);
}  // namespace Http
