// The catalogue's package list -> TSPackage records, in one On-Demand pass over the document.
#include <algorithm>
#include <optional>

#include "catalogue/json_read.hpp"
#include "catalogue/thunderstore.hpp"

namespace Thunderstore {
namespace {
using namespace JsonRead;

// Required members seen so far in one object.
enum Required : unsigned { kName = 1, kFullName = 2, kOwner = 4, kVersions = 8 };

Date parseUpdated(std::string_view text) {
  if (auto d = Dates::parseRFC3339(text, true)) return *d;
  if (auto d = Dates::parseRFC3339(text, false)) return *d;
  return distantPast;
}

void addDownloads(int64_t& total, int64_t more) {
  // Saturates rather than wrapping, should a listing ever claim absurd counts.
  if (__builtin_add_overflow(total, more, &total)) total = more < 0 ? INT64_MIN : INT64_MAX;
}

// One version entry. Every entry gives its number and downloads; the details are kept from the
// newest (first) entry only, and of the others merely type-checked.
void readVersion(od::object version, bool newest, TSPackage& p) {
  std::string_view number;
  bool hasNumber = false;
  for (od::field f : version) {
    std::string_view k = key(f);
    od::value& v = f.value();
    if (k == "version_number") {
      number = v.get_string().value();
      hasNumber = true;
    } else if (k == "downloads") {
      if (!isNull(v)) addDownloads(p.downloads, v.get_int64().value());
    } else if (k == "description" || k == "icon") {
      std::string& detail = k == "icon" ? p.icon : p.description;
      if (!newest)
        expectType(v, od::json_type::string, true);
      else if (!isNull(v))
        detail = text(v);
    } else if (k == "file_size") {
      // Only shown beside an update: a size that is not a whole number is left out, not an error.
      if (newest && v.type().value() == od::json_type::number)
        if (int64_t bytes = 0; v.get_int64().get(bytes) == simdjson::SUCCESS)
          p.size = std::max<int64_t>(0, bytes);
    } else if (k == "dependencies") {
      if (isNull(v)) continue;
      if (newest) {
        p.dependencies = texts(v);
      } else {
        for (od::value item : v.get_array()) expectType(item, od::json_type::string, false);
      }
    }
  }
  if (!hasNumber) missing("version_number");
  p.versions.emplace_back(number);
}

// One package object, or nothing when it lists no versions.
bool readPackage(od::object object, TSPackage& p) {
  unsigned seen = 0;
  std::optional<std::string> packageURL;
  for (od::field f : object) {
    std::string_view k = key(f);
    od::value& v = f.value();
    if (k == "versions") {
      bool newest = true;
      for (od::value version : v.get_array()) {
        readVersion(version.get_object(), newest, p);
        newest = false;
      }
      seen |= kVersions;
    } else if (k == "full_name") {
      p.fullName = text(v);
      seen |= kFullName;
    } else if (k == "owner") {
      p.owner = text(v);
      seen |= kOwner;
    } else if (k == "name") {
      p.name = text(v);
      seen |= kName;
    } else if (isNull(v)) {
      continue;  // every other member is optional
    } else if (k == "package_url") {
      packageURL = text(v);
    } else if (k == "date_updated") {
      p.updated = parseUpdated(v.get_string().value());
    } else if (k == "rating_score") {
      p.rating = v.get_int64().value();
    } else if (k == "is_deprecated") {
      p.deprecated = v.get_bool().value();
    } else if (k == "has_nsfw_content") {
      p.nsfw = v.get_bool().value();
    } else if (k == "categories") {
      p.categories = texts(v);
    } else if (k == "uuid4") {
      p.uuid = text(v);
    }
  }
  if (!(seen & kFullName)) missing("full_name");
  if (!(seen & kName)) missing("name");
  if (!(seen & kOwner)) missing("owner");
  if (!(seen & kVersions)) missing("versions");
  if (p.versions.empty()) return false;
  p.latest = p.versions.front();
  p.pageURL = packageURL ? std::move(*packageURL) : pageURL(p.owner, p.name);
  return true;
}

std::vector<TSPackage> decode(simdjson::padded_string_view json) {
  std::vector<TSPackage> packages;
  forEachObject(json, "package list", [&](od::object object) {
    TSPackage p;
    if (readPackage(object, p)) packages.push_back(std::move(p));
  });
  return packages;
}
}  // namespace

std::vector<TSPackage> decodeIndex(std::string_view json) { return decode(padded(json)); }

std::vector<TSPackage> decodeIndex(std::string& json) {
  json.reserve(json.size() + simdjson::SIMDJSON_PADDING);
  return decode(simdjson::padded_string_view(json.data(), json.size(), json.capacity()));
}
}  // namespace Thunderstore
