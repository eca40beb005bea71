// Steam's app manifest of the game: its build id and the time of its last update.
#include "installer/game_build.hpp"

#include <cctype>
#include <deque>
#include <system_error>

#include "foundation/fs.hpp"
#include "foundation/key_values.hpp"
#include "foundation/text.hpp"
#include "installer/installer.hpp"

namespace fs = std::filesystem;

namespace Installer {
namespace {
// A manifest is a few kilobytes; a larger file is not one.
constexpr size_t maxManifestBytes = 1 << 20;
// The last second a Date can hold, 9999-12-31T23:59:59Z, as Unix time.
constexpr int64_t lastUnixSecond = 253402300799;

bool sameName(const fs::path& p, std::string_view name) {
  const std::string s = p.filename().string();
  if (s.size() != name.size()) return false;
  for (size_t i = 0; i < s.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(s[i])) != std::tolower(static_cast<unsigned char>(name[i])))
      return false;
  return true;
}

// "<library>/steamapps/common/<game>" → "<library>/steamapps/appmanifest_<id>.acf".
std::optional<fs::path> manifestBeside(fs::path gameDir) {
  gameDir = gameDir.lexically_normal();
  if (gameDir.filename().empty()) gameDir = gameDir.parent_path();  // a trailing "/"
  const fs::path common = gameDir.parent_path();
  if (!sameName(common, "common") || !sameName(common.parent_path(), "steamapps")) return std::nullopt;
  return common.parent_path() / ("appmanifest_" + std::string(steamAppID) + ".acf");
}

std::optional<int64_t> positiveNumber(std::optional<std::string_view> text) {
  if (!text) return std::nullopt;
  const std::string_view digits = Text::trim(*text);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  auto n = Text::parseInt64(digits);
  if (!n || *n <= 0) return std::nullopt;  // Steam writes 0 for a build it does not know
  return n;
}

// The block that holds the app's fields: "AppState", else the shallowest block that has one.
const KeyValue* appBlock(const KeyValue& root) {
  if (const KeyValue* state = root.find("AppState"); state && state->isBlock) return state;
  std::deque<const KeyValue*> blocks{&root};
  while (!blocks.empty()) {
    const KeyValue* block = blocks.front();
    blocks.pop_front();
    if (block->text("buildid") || block->text("LastUpdated")) return block;
    for (const KeyValue& e : block->entries)
      if (e.isBlock) blocks.push_back(&e);
  }
  return nullptr;
}
}  // namespace

std::optional<fs::path> appManifestFile(const fs::path& gameDir) {
  if (auto file = manifestBeside(gameDir)) return file;
  // A game folder reached through a link is found where the link leads.
  std::error_code ec;
  const fs::path real = fs::weakly_canonical(gameDir, ec);
  if (ec) return std::nullopt;
  return manifestBeside(real);
}

GameBuild parseAppManifest(std::string_view text) {
  const KeyValue root = KeyValues::parse(text);
  const KeyValue* app = appBlock(root);
  if (!app) return {};
  // A manifest copied from another game says nothing about this one.
  if (auto id = app->text("appid"); id && Text::trim(*id) != steamAppID) return {};
  GameBuild build{.buildID = positiveNumber(app->text("buildid"))};
  if (auto seconds = positiveNumber(app->text("LastUpdated")); seconds && *seconds <= lastUnixSecond)
    build.lastUpdated = Date{std::chrono::seconds{*seconds}};
  return build;
}

std::optional<GameBuild> readGameBuild(const fs::path& gameDir) noexcept {
  try {
    const auto file = appManifestFile(gameDir);
    if (!file) return std::nullopt;
    GameBuild build = parseAppManifest(FS::readFile(*file, maxManifestBytes));
    if (!build.buildID && !build.lastUpdated) return std::nullopt;
    return build;
  } catch (const std::exception&) {
    return std::nullopt;  // missing or unreadable: the guard stays quiet
  }
}
}  // namespace Installer
