// Profile codes: a profile archive stored by the catalogue service as "#r2modman\n" + Base64.
#include <nlohmann/json.hpp>

#include "catalogue/endpoints.hpp"
#include "catalogue/http.hpp"
#include "catalogue/thunderstore.hpp"
#include "foundation/app_error.hpp"
#include "foundation/base64.hpp"
#include "foundation/log.hpp"
#include "foundation/utf8.hpp"

namespace Thunderstore {
namespace {
constexpr std::string_view header = "#r2modman";

// Unicode white space and line breaks, as UTF-8; a code pasted from a web page may carry any.
constexpr std::string_view spaces[] = {
    " ",  "\t", "\n", "\v", "\f", "\r",
    "\xC2\x85", "\xC2\xA0", "\xE1\x9A\x80", "\xE2\x80\x80", "\xE2\x80\x81", "\xE2\x80\x82",
    "\xE2\x80\x83", "\xE2\x80\x84", "\xE2\x80\x85", "\xE2\x80\x86", "\xE2\x80\x87",
    "\xE2\x80\x88", "\xE2\x80\x89", "\xE2\x80\x8A", "\xE2\x80\xA8", "\xE2\x80\xA9",
    "\xE2\x80\xAF", "\xE2\x81\x9F", "\xE3\x80\x80"};

std::string_view trim(std::string_view text) {
  for (bool trimmed = true; trimmed;) {
    trimmed = false;
    for (auto space : spaces) {
      if (text.starts_with(space)) text.remove_prefix(space.size()), trimmed = true;
      if (text.ends_with(space)) text.remove_suffix(space.size()), trimmed = true;
    }
  }
  return text;
}

// Codes go into the address as they are, so only characters that need no escaping and cannot
// change the path ("/", "?", "#", a lone "." or "..") are accepted.
bool isCode(std::string_view code) {
  constexpr std::string_view allowed =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~";
  return code.find_first_not_of(allowed) == std::string_view::npos &&
         code.find_first_not_of('.') != std::string_view::npos;
}
}  // namespace

std::string fetchProfileCode(const std::string& typed) {
  std::string code{trim(typed)};
  if (!isCode(code)) throw AppError("That doesn’t look like a profile code.");

  auto reply = Http::fetch(
      {.url = endpoints().catalogue + "/api/experimental/legacyprofile/get/" + code + "/",
       .timeout = 60});
  Log::write("profile code get " + code + ": http=" + std::to_string(reply.status) +
             " bytes=" + std::to_string(reply.body.size()));
  if (reply.status != 200)
    throw AppError("Profile code not found. Codes expire after a while — ask for a fresh one.");

  auto bytes = decodeProfileCodeBody(reply.body);
  if (!bytes) throw AppError("Couldn’t read that profile code.");
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
  auto reply = Http::fetch(
      {.url = endpoints().catalogue + "/api/experimental/legacyprofile/create/",
       .timeout = 60,
       .method = "POST",
       .headers = {"Content-Type: application/octet-stream"},
       .body = encodeProfileCodeBody(zip)});
  Log::write("profile code create: http=" + std::to_string(reply.status) + " " +
             toValidUTF8(std::string_view(reply.body).substr(0, 200)));
  if (reply.status >= 200 && reply.status <= 299) {
    auto json = nlohmann::json::parse(reply.body, nullptr, false);
    if (json.is_object())
      if (auto key = json.find("key"); key != json.end() && key->is_string())
        return key->get<std::string>();
  }
  throw AppError("Thunderstore didn’t accept the profile (" + std::to_string(reply.status) + ").");
}
}  // namespace Thunderstore
