#include "profiles/holds.hpp"

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "foundation/fs.hpp"

using nlohmann::json;

namespace {
std::filesystem::path holdsFile(const Profile& profile) { return profile.dir() / "holds.json"; }
}  // namespace

namespace ProfileStore {

HeldVersions loadHolds(const Profile& profile) {
  FS::removeStaleTemporaries(holdsFile(profile));
  try {
    return decodeHolds(FS::readFile(holdsFile(profile)));
  } catch (const std::exception&) {
    return {};
  }
}

void saveHolds(const Profile& profile, const HeldVersions& holds) {
  FS::mkdir(profile.dir());
  FS::writeAtomic(holdsFile(profile), encodeHolds(holds));
}

std::string encodeHolds(const HeldVersions& holds) { return json(holds).dump(2); }

HeldVersions decodeHolds(std::string_view text) {
  json j = json::parse(text);
  if (!j.is_object()) throw std::runtime_error("holds.json: not an object");
  return j.get<HeldVersions>();
}
}  // namespace ProfileStore
