#pragma once

#include <filesystem>
#include <string>

// Configuration files shaped like the ones the loader and Valheim mods write.
namespace ConfigSamples {
// "Example Mod": a number with a range, a key, an enum, a Boolean.
extern const std::string example;
// "Forge Tweaks": the same keys in two sections, values with "=" and spaces, an empty value, a
// colour, a vector, a [Flags] enum and a number without a range; CRLF line ends and a BOM.
extern const std::string forge;
// The loader's own file: no plugin line, [Flags] log levels.
extern const std::string loader;
// Entries without any comments, and lines the format does not know.
extern const std::string bare;
// "Trader Rates": what real plug-ins also write: a list of allowed values as a plain line between
// the comments and the entry, and ranges with a decimal comma.
extern const std::string noted;
// A mod's plain data under the .cfg extension: not a single setting.
extern const std::string dataOnly;
// A settings file with `entries` entries over sections of 20, as a large mod writes it.
std::string large(int entries, const std::string& plugin = "Huge Overhaul");

// Writes the files above into `folder` (made if needed), with a JSON and a YAML file beside them.
void write(const std::filesystem::path& folder);
}  // namespace ConfigSamples
