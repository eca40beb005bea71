// A settings file from a mod: read and written back it is the same bytes; a value set on any
// setting changes only that setting, and the file reads back with the same settings otherwise.
#include <string>

#include "fuzz_check.hpp"
#include "profiles/config_file.hpp"
#include "profiles/config_value.hpp"

FUZZ_TARGET(bytes) {
  ConfigFile file = ConfigFile::parse(bytes);
  FUZZ_CHECK(file.bytes() == bytes, "an unchanged file writes back byte for byte");
  for (const ConfigEntry& entry : file.entries()) (void)configControl(entry);
  if (file.entries().empty()) return;

  const size_t which = bytes.size() % file.entries().size();
  file.setValue(which, "x = y\nz");
  std::vector<ConfigEntry> expected = file.entries();
  const ConfigFile again = ConfigFile::parse(file.bytes());
  FUZZ_CHECK(again.entries() == expected, "a set value reads back and leaves the other settings alone");
}
