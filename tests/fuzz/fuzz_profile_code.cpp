// The text a profile code stands for: "#r2modman", a line feed, the archive in Base64. Encoding
// then decoding gives the archive back, and the header line is optional when reading.
#include <string>

#include "catalogue/thunderstore.hpp"
#include "fuzz_check.hpp"

using Thunderstore::decodeProfileCodeBody;
using Thunderstore::encodeProfileCodeBody;

FUZZ_TARGET(bytes) {
  const std::string body = encodeProfileCodeBody(bytes);
  FUZZ_CHECK(body.starts_with("#r2modman\n"), "the header line comes first");
  FUZZ_CHECK(decodeProfileCodeBody(body) == std::string(bytes), "decode(encode(x)) == x");
  FUZZ_CHECK(decodeProfileCodeBody("#r2modman\r\n" + body.substr(10)) == std::string(bytes),
             "a header ending in CR LF reads the same");

  const auto decoded = decodeProfileCodeBody(bytes);
  if (!bytes.starts_with("#r2modman"))
    FUZZ_CHECK(decodeProfileCodeBody("#r2modman\n" + std::string(bytes)) == decoded,
               "the header line changes nothing");
  if (decoded)
    FUZZ_CHECK(decodeProfileCodeBody(encodeProfileCodeBody(*decoded)) == decoded,
               "decode(encode(decode(t))) == decode(t)");
}
