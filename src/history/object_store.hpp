#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

// A file as a snapshot keeps it: the SHA-256 of its bytes (the object's name) and their length.
struct StoredFile {
  std::string hash;
  uint64_t size = 0;
  bool operator==(const StoredFile&) const = default;
};

// Writes the bytes under a temporary name beside `to`, then renames it over `to`: whole or absent
// whenever the process ends.
void writeReplacing(const std::filesystem::path& to, std::string_view bytes);

// Files kept by content in one folder: the same bytes are stored once, whoever refers to them.
class ObjectStore {
 public:
  explicit ObjectStore(std::filesystem::path folder) : folder_(std::move(folder)) {}

  // Stores the bytes unless they are there already (with writeReplacing).
  StoredFile put(std::string_view bytes) const;
  // Whether the object is there at its length (cheap: no hashing).
  bool present(const StoredFile& file) const;
  // The object's bytes, or none when it is missing or no longer matches its hash.
  std::optional<std::string> read(const StoredFile& file) const;
  // Every object's length, by name.
  std::map<std::string, uint64_t> sizes() const;
  // Removes the objects not in `keep` and what interrupted writes left behind.
  void removeAllBut(const std::set<std::string>& keep) const;

 private:
  std::filesystem::path path(const std::string& hash) const { return folder_ / hash; }
  std::filesystem::path folder_;
};
