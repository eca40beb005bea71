#pragma once

// A profile of many mods for the window benchmarks: the catalogue's list and archives of mods
// "Bench-Mod0" to "Bench-Mod<count-1>", the profile that holds them, and the window over it.
#include <QGuiApplication>
#include <QTemporaryDir>

#include <QQuickItem>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "app/translations.hpp"
#include "bench_window.hpp"
#include "foundation/paths.hpp"
#include "profiles/profile_store.hpp"
#include "testkit/fake_catalogue.hpp"
#include "testkit/fake_game.hpp"
#include "testkit/zip_builder.hpp"
#include "ui/package_image.hpp"

namespace Bench {
// Every mod at `version` (with 1.0.0 before it), the i-th archive holding a plug-in of
// `bytes + i * step` incompressible bytes, with `changelog` when one is given; the loader pack
// beside them. With `icons`, each entry names its newest version's icon, as the real catalogue's do.
inline void publishMods(FakeCatalogue& catalogue, int count, const std::string& version, size_t bytes,
                        size_t step, std::string_view changelog = {}, bool icons = false) {
  std::string list = R"([{"name": "BepInExPack_Valheim", "full_name": "denikson-BepInExPack_Valheim",
      "owner": "denikson", "versions": [{"version_number": "5.4.2202"}]})";
  catalogue.addPackage("denikson", "BepInExPack_Valheim", "5.4.2202", zipBytes(FakeGame::packArchive()));
  for (int i = 0; i < count; ++i) {
    const std::string name = "Mod" + std::to_string(i);
    const std::string manifest = R"({"name": ")" + name + R"(", "version_number": ")" + version + R"("})";
    catalogue.addPackage("Bench", name, version,
                         zipBytes({{"manifest.json", manifest},
                                   {"plugins/" + name + ".dll", incompressible(bytes + step * size_t(i))}}));
    if (!changelog.empty()) catalogue.setChangelog("Bench", name, version, std::string(changelog));
    std::string versions = R"({"version_number": ")" + version + R"(", "file_size": )" +
                           std::to_string(bytes + step * size_t(i));
    if (icons)
      versions += R"(, "icon": ")" + catalogue.url() + "/live/repository/icons/Bench-" + name + "-" +
                  version + R"(.png")";
    versions += "}";
    if (version != "1.0.0") versions += R"(, {"version_number": "1.0.0"})";
    list += R"(, {"name": ")" + name + R"(", "full_name": "Bench-)" + name +
            R"(", "owner": "Bench", "versions": [)" + versions + "]}";
  }
  catalogue.setPackageList(list + "]");
}

// A profile named `name` that wants the `count` mods at 1.0.0, saved; the app installs them.
// Whether an icon under `item` is still being fetched.
inline bool loadingImage(const QQuickItem* item) {
  if (const auto* image = qobject_cast<const PackageImage*>(item);
      image && image->status() == PackageImage::Loading)
    return true;
  const auto children = item->childItems();
  return std::any_of(children.begin(), children.end(), loadingImage);
}

inline Profile benchProfile(const std::string& name, int count) {
  Profile profile = ProfileStore::create(name);
  profile.packVersion = "5.4.2202";
  for (int i = 0; i < count; ++i)
    profile.mods.push_back({"Bench", "Mod" + std::to_string(i), "1.0.0", std::nullopt, true, true});
  ProfileStore::save(profile);
  return profile;
}

// Where every window benchmark over many mods starts: a temporary home folder, the fake catalogue
// with `count` mods, a profile that holds them all, installed, and the window showing it.
class ModdedWindow {
 public:
  ModdedWindow(int& argc, char** argv, int count, size_t bytes, size_t step, bool icons = false)
      : homeSet_(home_.isValid() && setenv("HOME", home_.path().toLocal8Bit().constData(), 1) == 0),
        application_(argc, argv),
        count_(count),
        bytes_(bytes),
        step_(step),
        icons_(icons) {
    if (!homeSet_) return;
    installTranslations();
    FakeGame::make(Paths::defaultGameDir());
    FakeGame::addLoader(Paths::defaultGameDir());
    publishMods(catalogue, count, "1.0.0", bytes, step, {}, icons);
    benchProfile("Bench", count);
    main = std::make_unique<AppWindow>();
    if (!main->window) return;
    AppState& state = main->app;
    showStarted(*main, [&] { return state.selected() && !state.catalogue()->loading(); });
    state.modController()->installMissing();
    pump([&] { return state.activity()->idle(); });
  }

  bool ready() const { return homeSet_ && main && main->window; }
  AppState& app() { return main->app; }
  QQuickWindow& window() { return *main->window; }

  // Publishes `version` of every mod, with `changelog`, and waits for the profile to show them all
  // as updates; false when it does not.
  bool offerUpdates(const std::string& version, std::string_view changelog = {}) {
    publishMods(catalogue, count_, version, bytes_, step_, changelog, icons_);
    app().catalogue()->loadIndex(true);
    pump([&] { return !app().catalogue()->loading() && app().selection()->updates() == count_; });
    // The rows show the new versions' icons: the player sees them before choosing to update.
    pump([&] { return !loadingImage(window().contentItem()); });
    return app().selection()->updates() == count_;
  }

 private:
  QTemporaryDir home_;
  bool homeSet_;
  QGuiApplication application_;
  int count_;
  size_t bytes_, step_;
  bool icons_;

 public:
  FakeCatalogue catalogue;
  std::unique_ptr<AppWindow> main;
};
}  // namespace Bench
