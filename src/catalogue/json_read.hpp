#pragma once
// Private to the catalogue library: what the two simdjson On-Demand readers (the package list
// and the index cache) share. Values are read once, in document order; objects are walked field
// by field so members may come in any order.

#include <simdjson.h>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace JsonRead {
namespace od = simdjson::ondemand;

[[noreturn]] inline void wrongType() { throw simdjson::simdjson_error(simdjson::INCORRECT_TYPE); }

// A field's key. Keys are compared as written; one holding an escape ("full\u005fname") is
// unescaped first, which is rare enough not to pay for on every key.
inline std::string_view key(od::field& field) {
  const char* raw = field.key().raw();
  size_t n = 0;
  while (raw[n] != '"' && raw[n] != '\\') ++n;
  if (raw[n] == '"') return {raw, n};
  return field.unescaped_key().value();
}

inline bool isNull(od::value& value) { return value.type().value() == od::json_type::null; }

inline std::string text(od::value& value) { return std::string(value.get_string().value()); }

inline std::vector<std::string> texts(od::value& value) {
  std::vector<std::string> out;
  for (od::value item : value.get_array()) out.emplace_back(item.get_string().value());
  return out;
}

// For values that are read only to be checked: fails unless `value` has the type (or is null
// when `nullable`).
inline void expectType(od::value& value, od::json_type type, bool nullable) {
  od::json_type actual = value.type().value();
  if (actual != type && !(nullable && actual == od::json_type::null)) wrongType();
}

// A padded copy of `json`: simdjson reads a little past the end of what it parses.
inline simdjson::padded_string padded(std::string_view json) {
  return simdjson::padded_string(json.data(), json.size());
}

// Walks a document that must be a JSON array of objects, handing each object to `read`. Any
// failure, simdjson's or a reader's (a missing member), fails the whole document with a message
// that names `what` and the element's position.
template <class Read>
void forEachObject(simdjson::padded_string_view json, std::string_view what, Read read) {
  size_t index = 0;
  auto failure = [&](const std::exception& e) {
    return std::runtime_error(std::string(what) + ": element " + std::to_string(index) + ": " + e.what());
  };
  try {
    od::parser parser;
    od::document doc = parser.iterate(json).value();
    for (od::value element : doc.get_array()) {
      read(element.get_object().value());
      ++index;
    }
  } catch (const simdjson::simdjson_error& e) {
    throw failure(e);
  } catch (const std::runtime_error& e) {
    throw failure(e);
  }
}

[[noreturn]] inline void missing(std::string_view member) {
  throw std::runtime_error("missing \"" + std::string(member) + "\"");
}
}  // namespace JsonRead
