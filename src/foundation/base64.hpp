#pragma once

#include <optional>
#include <string>
#include <string_view>

// Standard Base64 (RFC 4648, "+" and "/", "=" fill), as profile codes carry archives.
namespace Base64 {
// No line breaks.
std::string encode(std::string_view bytes);
// Characters outside the alphabet (line breaks, spaces, stray symbols) are skipped. nullopt when
// the rest is not whole four-character groups or "=" appears anywhere but as the final fill.
std::optional<std::string> decode(std::string_view text);
}  // namespace Base64
