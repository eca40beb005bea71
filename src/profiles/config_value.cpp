// What a configuration value may be, by the type the loader states for it.
#include "profiles/config_value.hpp"

#include "foundation/text.hpp"
#include "foundation/words.hpp"

#include <algorithm>
#include <cctype>
#include <limits>
#include <map>

namespace {
struct IntegerRange {
  double min, max;
};

// The loader's integer types and their ranges; floating types are listed apart.
const std::map<std::string_view, IntegerRange>& integerTypes() {
  static const std::map<std::string_view, IntegerRange> types = {
      {"SByte", {-128, 127}},
      {"Byte", {0, 255}},
      {"Int16", {-32768, 32767}},
      {"UInt16", {0, 65535}},
      {"Int32", {-2147483648.0, 2147483647.0}},
      {"UInt32", {0, 4294967295.0}},
      {"Int64", {-9223372036854775808.0, 9223372036854775807.0}},
      {"UInt64", {0, 18446744073709551615.0}},
  };
  return types;
}

bool isFloating(std::string_view type) { return type == "Single" || type == "Double" || type == "Decimal"; }
bool isNumeric(std::string_view type) { return isFloating(type) || integerTypes().count(type) > 0; }

bool sameText(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower((unsigned char)x) == std::tolower((unsigned char)y);
  });
}

std::optional<bool> boolean(std::string_view text) {
  text = configTrim(text);
  if (sameText(text, "true")) return true;
  if (sameText(text, "false")) return false;
  return std::nullopt;
}

bool allowed(const ConfigEntry& entry, std::string_view value) {
  return std::any_of(entry.allowedValues.begin(), entry.allowedValues.end(),
                     [&](const std::string& a) { return sameText(a, configTrim(value)); });
}

bool flagsFit(const ConfigEntry& entry, std::string_view value) {
  if (configTrim(value) == "0") return true;
  auto parts = configList(value);
  return !parts.empty() &&
         std::all_of(parts.begin(), parts.end(), [&](auto& p) { return allowed(entry, p); });
}

// The range the slider spans, when both ends are numbers and the smaller one comes first.
std::optional<std::pair<double, double>> range(const ConfigEntry& entry) {
  if (!entry.rangeMin || !entry.rangeMax) return std::nullopt;
  auto lo = configNumber(entry.type, *entry.rangeMin), hi = configNumber(entry.type, *entry.rangeMax);
  if (!lo || !hi || *lo >= *hi) return std::nullopt;
  return std::pair{*lo, *hi};
}

// Whether the entry's value and its default (when stated) both pass `fits`.
template <typename F>
bool valueAndDefault(const ConfigEntry& entry, F fits) {
  return fits(entry.value) && (!entry.defaultValue || fits(*entry.defaultValue));
}
}  // namespace

std::optional<double> configNumber(std::string_view type, std::string_view text) {
  text = configTrim(text);
  auto parsed = Text::parseDecimal(text);
  if (!parsed) return std::nullopt;
  const double number = *parsed;
  if (isFloating(type)) return number;
  auto integer = integerTypes().find(type);
  if (integer == integerTypes().end()) return std::nullopt;
  // Whole numbers only: parseDecimal has already placed the sign ("+20" is one).
  if (text.find_first_not_of("+-0123456789") != std::string_view::npos) return std::nullopt;
  if (number < integer->second.min || number > integer->second.max) return std::nullopt;
  return number;
}

ConfigControl configControl(const ConfigEntry& entry) {
  const std::string& type = entry.type;
  if (type == "Boolean")
    return valueAndDefault(entry, [](auto& v) { return boolean(v).has_value(); }) ? ConfigControl::Toggle
                                                                                  : ConfigControl::Text;
  if (isNumeric(type)) {
    if (!valueAndDefault(entry, [&](auto& v) { return configNumber(type, v).has_value(); }))
      return ConfigControl::Text;
    return range(entry) ? ConfigControl::Slider : ConfigControl::Number;
  }
  if (entry.allowedValues.empty()) return ConfigControl::Text;
  if (entry.flags)
    return valueAndDefault(entry, [&](auto& v) { return flagsFit(entry, v); }) ? ConfigControl::Flags
                                                                               : ConfigControl::Text;
  return valueAndDefault(entry, [&](auto& v) { return allowed(entry, v); }) ? ConfigControl::Choice
                                                                            : ConfigControl::Text;
}

std::string configKindName(const ConfigEntry& entry) {
  const std::string& type = entry.type;
  if (isFloating(type)) return Words::translate("ProfileStore", "Number");
  if (isNumeric(type)) return Words::translate("ProfileStore", "Whole number");
  if (type == "Boolean") return Words::translate("ProfileStore", "On/Off");
  if (type == "KeyboardShortcut" || type == "KeyCode") return Words::translate("ProfileStore", "Key");
  if (type == "String") return Words::translate("ProfileStore", "Text");
  if (type == "Color") return Words::translate("ProfileStore", "Colour");
  if (!entry.allowedValues.empty())
    return entry.flags ? Words::translate("ProfileStore", "Choices")
                       : Words::translate("ProfileStore", "Choice");
  return type;
}

std::optional<std::string> configValueProblem(const ConfigEntry& entry, std::string_view value) {
  if (!isNumeric(entry.type)) return std::nullopt;
  bool whole = !isFloating(entry.type);
  auto number = configNumber(entry.type, value);
  auto span = range(entry);
  if (number && (!span || (*number >= span->first && *number <= span->second))) return std::nullopt;
  if (span)
    return Words::fill(whole ? Words::translate("ProfileStore", "Enter a whole number from %1 to %2.")
                             : Words::translate("ProfileStore", "Enter a number from %1 to %2."),
                       {*entry.rangeMin, *entry.rangeMax});
  return whole ? Words::translate("ProfileStore", "Enter a whole number.")
               : Words::translate("ProfileStore", "Enter a number.");
}

bool configIsDefault(const ConfigEntry& entry, std::string_view value) {
  if (!entry.defaultValue) return false;
  const std::string& fallback = *entry.defaultValue;
  if (entry.type == "Boolean" && boolean(value) && boolean(fallback))
    return boolean(value) == boolean(fallback);
  if (isNumeric(entry.type)) {
    auto a = configNumber(entry.type, value), b = configNumber(entry.type, fallback);
    if (a && b) return *a == *b;
  }
  if (entry.flags) {
    auto a = configList(value), b = configList(fallback);
    auto lower = [](std::vector<std::string>& parts) {
      for (auto& p : parts)
        for (char& c : p) c = char(std::tolower((unsigned char)c));
      std::sort(parts.begin(), parts.end());
    };
    lower(a);
    lower(b);
    return a == b;
  }
  return configTrim(value) == configTrim(fallback);
}

std::string configFlagValue(const ConfigEntry& entry, const std::vector<std::string>& parts) {
  if (parts.empty()) return allowed(entry, "None") ? "None" : "0";
  std::string value;
  // In the order the enum lists them, as the loader writes a combination.
  for (const std::string& name : entry.allowedValues) {
    if (std::none_of(parts.begin(), parts.end(), [&](auto& p) { return sameText(p, name); })) continue;
    if (!value.empty()) value += ", ";
    value += name;
  }
  return value;
}
