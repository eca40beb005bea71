// Profile codes: a profile archive stored by the catalogue service as "#r2modman\n" + Base64.
#include <nlohmann/json.hpp>

#include "catalogue/endpoints.hpp"
#include "catalogue/http.hpp"
#include "catalogue/thunderstore.hpp"
#include "foundation/app_error.hpp"
#include "foundation/base64.hpp"
#include "foundation/log.hpp"
#include "foundation/text.hpp"
#include "foundation/words.hpp"

namespace Thunderstore {
namespace {
constexpr std::string_view header = "#r2modman";

// Codes go into the address as they are, so only characters that need no escaping and cannot
// change the path ("/", "?", "#", a lone "." or "..") are accepted.
bool isCode(std::string_view code) {
  constexpr std::string_view allowed = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~";
  return code.find_first_not_of(allowed) == std::string_view::npos &&
         code.find_first_not_of('.') != std::string_view::npos;
}

// The player sees a failed transfer's plain sentence; the HTTP client's text goes to the log.
Http::Response exchange(const Http::Request& request, const std::string& what) {
  try {
    return Http::fetch(request);
  } catch (const Http::NetworkError& e) {
    Log::write(what + " failed: " + e.logged());
    throw;
  }
}
}  // namespace

std::string fetchProfileCode(const std::string& typed) {
  std::string code{Text::trimUnicodeSpace(typed)};
  if (!isCode(code))
    throw AppError(Words::translate("Thunderstore", "That doesn’t look like a profile code."));

  auto reply = exchange(
      {.url = endpoints().catalogue + "/api/experimental/legacyprofile/get/" + code + "/", .timeout = 60},
      "profile code get " + code);
  Log::write("profile code get " + code + ": http=" + std::to_string(reply.status) +
             " bytes=" + std::to_string(reply.body.size()));
  if (reply.status != 200)
    throw AppError(Words::translate(
        "Thunderstore", "Profile code not found. Codes expire after a while — ask for a fresh one."));

  auto bytes = decodeProfileCodeBody(reply.body);
  if (!bytes) throw AppError(Words::translate("Thunderstore", "Couldn’t read that profile code."));
  return std::move(*bytes);
}

std::string encodeProfileCodeBody(std::string_view zip) {
  return std::string(header) + "\n" + Base64::encode(zip);
}

std::optional<std::string> decodeProfileCodeBody(std::string_view body) {
  // Invalid UTF-8 and surrounding white space fall outside the Base64 alphabet, which the
  // decoder skips, so the raw bytes serve as the text.
  if (body.starts_with(header)) {
    auto feed = body.find('\n');
    body = feed == std::string_view::npos ? std::string_view{} : body.substr(feed + 1);
  }
  return Base64::decode(body);
}

std::string createProfileCode(std::string_view zip) {
  auto reply = exchange({.url = endpoints().catalogue + "/api/experimental/legacyprofile/create/",
                         .timeout = 60,
                         .method = "POST",
                         .headers = {"Content-Type: application/octet-stream"},
                         .body = encodeProfileCodeBody(zip)},
                        "profile code create");
  Log::write("profile code create: http=" + std::to_string(reply.status) + " " +
             Text::toValidUTF8(std::string_view(reply.body).substr(0, 200)));
  if (reply.status >= 200 && reply.status <= 299) {
    auto json = nlohmann::json::parse(reply.body, nullptr, false);
    if (json.is_object())
      if (auto key = json.find("key"); key != json.end() && key->is_string()) return key->get<std::string>();
  }
  throw AppError(Words::fill(Words::translate("Thunderstore", "Thunderstore didn’t accept the profile (%1)."),
                             {std::to_string(reply.status)}));
}
}  // namespace Thunderstore
