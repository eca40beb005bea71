// Reading a mod's declared dependencies from its stored manifest.

#include <nlohmann/json.hpp>

#include "foundation/fs.hpp"
#include "foundation/loader_pack.hpp"
#include "foundation/package_id.hpp"
#include "installer/installer.hpp"
#include "installer/internal.hpp"

namespace Installer {
namespace {
void appendUTF8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// UTF-16 after its byte-order mark; unpaired surrogates become U+FFFD, an odd last byte is dropped.
std::string utf16ToUTF8(std::string_view bytes, bool bigEndian) {
  auto unit = [&](size_t i) -> uint32_t {
    auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (a << 8 | b) : (b << 8 | a);
  };
  std::string out;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    uint32_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
      uint32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        appendUTF8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    appendUTF8(out, (u >= 0xD800 && u <= 0xDFFF) ? 0xFFFD : u);
  }
  return out;
}
}  // namespace

// Manifests are written by many tools: UTF-8 with or without a byte-order mark, or UTF-16 with one.
std::string detail::manifestText(std::string bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return bytes.substr(3);
  if (bytes.starts_with("\xFF\xFE")) return utf16ToUTF8(std::string_view(bytes).substr(2), false);
  if (bytes.starts_with("\xFE\xFF")) return utf16ToUTF8(std::string_view(bytes).substr(2), true);
  return bytes;
}

std::vector<DependencyRef> parseDependencies(std::string_view bytes) {
  const auto json = nlohmann::json::parse(detail::manifestText(std::string(bytes)), nullptr, false);
  if (json.is_discarded() || !json.is_object()) return {};
  const auto member = json.find("dependencies");
  if (member == json.end() || !member->is_array()) return {};
  for (const auto& element : *member)
    if (!element.is_string()) return {};

  std::vector<DependencyRef> result;
  for (const auto& element : *member) {
    PackageID id = splitPackageID(element.get_ref<const std::string&>());
    // The loader pack is installed on its own, whoever publishes it.
    if (id.name != LoaderPack::name) result.push_back({std::move(id.ns), std::move(id.name)});
  }
  return result;
}

std::vector<DependencyRef> dependencies(const std::string& key, const Profile& profile) noexcept {
  try {
    return parseDependencies(FS::readFile(profile.metaDir() / (key + ".json"), detail::maxManifestBytes));
  } catch (...) {
    return {};  // an unreadable or missing manifest means no dependencies
  }
}
}  // namespace Installer
