// A settings file from a mod: read and written back it is the same bytes; a value set on any
// setting changes only that setting, and the file reads back with the same settings otherwise.
#include <string>

#include "fuzz_check.hpp"
#include "profiles/config_file.hpp"
#include "profiles/config_value.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = Fuzz::bytes(data, size);
  ConfigFile file = ConfigFile::parse(bytes);
  FUZZ_CHECK(file.bytes() == bytes, "an unchanged file writes back byte for byte");
  for (const ConfigEntry& entry : file.entries()) (void)configControl(entry);
  if (file.entries().empty()) return 0;

  const size_t which = size % file.entries().size();
  file.setValue(which, "x = y\nz");
  std::vector<ConfigEntry> expected = file.entries();
  const ConfigFile again = ConfigFile::parse(file.bytes());
  FUZZ_CHECK(again.entries() == expected, "a set value reads back and leaves the other settings alone");
  return 0;
}
