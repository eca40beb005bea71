#pragma once

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "foundation/date.hpp"

// One catalogue package as the app uses it: identity, flags and the newest version's details.
struct TSPackage {
  std::string fullName;  // owner-name: the key in the index
  std::string owner;
  std::string name;
  std::string pageURL;
  Date updated = distantPast;
  int64_t rating = 0;
  bool deprecated = false;
  bool nsfw = false;
  std::vector<std::string> categories;
  std::string description;  // of the newest version
  std::string icon;  // of the newest version, or empty
  std::string latest;  // the newest version number (first of `versions`)
  int64_t downloads = 0;  // summed over all versions
  std::vector<std::string> versions;  // newest first, as the catalogue lists them
  std::vector<std::string> dependencies;  // the newest version's "Owner-Name-1.2.3" entries
  // The catalogue's id of the package ("uuid4"), by which other managers name it; may be empty. It
  // is no part of what a package is: equality passes it by and the cache keeps it in a file of its own.
  std::string uuid;
  // The size of the newest version's archive in bytes, 0 when the catalogue does not say. Kept
  // beside the id, as the id is.
  int64_t size = 0;

  const std::string& id() const { return fullName; }
  std::string displayName() const;
  // The fifteen fields a package is; it stays an aggregate, so this is public.
  auto fields() const {
    return std::tie(fullName, owner, name, pageURL, updated, rating, deprecated, nsfw, categories,
                    description, icon, latest, downloads, versions, dependencies);
  }
  bool operator==(const TSPackage& other) const { return fields() == other.fields(); }
};
