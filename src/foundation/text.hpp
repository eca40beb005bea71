#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Small operations on UTF-8 text.
namespace Text {
// ASCII white space and line ends.
inline constexpr std::string_view whitespace = " \t\n\r\v\f";

// Without the characters of `chars` at either end.
std::string_view trim(std::string_view text, std::string_view chars = whitespace);
// Without Unicode white space and line breaks at either end (a text pasted from a web page may carry any).
std::string_view trimUnicodeSpace(std::string_view text);

// An optional "+" or "-", then one or more digits 0 to 9 and nothing else, within 64 bits.
std::optional<int64_t> parseInt64(std::string_view text);
// A decimal number as the loader writes one, whatever the locale: an optional "+" or "-", digits
// with at most one "." among them, an optional exponent ("1E-05"), and nothing else (no "0,5",
// "inf", "nan" or hex); none when it is out of a double's range.
std::optional<double> parseDecimal(std::string_view text);

bool isValidUTF8(std::string_view text);
// Text that comes from outside (a child's output, a file) made safe to handle as UTF-8.
// Ill-formed UTF-8 (bad lead bytes, missing or stray continuation bytes, overlong forms,
// surrogates, values past U+10FFFF) becomes U+FFFD, one per maximal bad subpart.
std::string toValidUTF8(std::string_view text);
}  // namespace Text
