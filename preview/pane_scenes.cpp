// The profile pane's scenes: the banners, the loader row in each status, the browse list in its
// states and the package sheet in its three states.
#include <QQuickItem>
#include <QQuickWindow>

#include <fstream>

#include "app/package_documents.hpp"
#include "foundation/fs.hpp"
#include "foundation/paths.hpp"
#include "scenes.hpp"
#include "testkit/zip_builder.hpp"

namespace {
const char* const readme = R"(# Plan Build

Plan a building **before** you gather the materials, then build it piece by piece.

## Features

- Blueprints you can share
- A *ghost* preview of every piece
- Works with [Jotunn](https://valheim.thunderstore.io/package/Odin/Jotunn/)

```
/planbuild toggle
```

<script>alert("never run")</script><b>HTML stays inert.</b>
)";

QObject* named(World& w, const char* name) {
  QObject* found = w.window().findChild<QObject*>(QString::fromLatin1(name));
  if (!found) qFatal("no item named %s", name);
  return found;
}

std::unique_ptr<World> onBrowse(std::unique_ptr<World> w) {
  w->state().activity()->setNote({});
  w->state().window()->setTab(DetailTab::Browse);
  w->window();
  World::settle();
  return w;
}

// The rich profile with two mods the player installed from files: one names its maker, one not.
std::unique_ptr<World> modsFromFiles() {
  auto w = richProfile();
  AppState& app = w->state();
  const auto dir = Paths::support() / "downloads-of-ida";
  FS::mkdir(dir);
  const std::pair<const char*, const char*> files[] = {
      {"Ida-Raid_Tweaks-1.2.0.zip", R"({"name": "Raid_Tweaks", "version_number": "1.2.0"})"},
      {"tweaks.zip", R"({"name": "Private_Build", "version_number": "0.3.1"})"}};
  for (const auto& [file, manifest] : files) {
    FS::writeAtomic(dir / file, zipBytes({{"manifest.json", manifest}, {"plugin.dll", "x"}}));
    app.modController()->installModFile(QUrl::fromLocalFile(QString::fromStdString((dir / file).string())));
    World::waitUntil([&] { return app.activity()->busy().isEmpty(); });
  }
  w->window();
  World::settle();
  return w;
}

std::unique_ptr<World> withBanners(bool update, bool error, bool steamOption) {
  auto w = richProfile();
  AppState& app = w->state();
  if (update) {
    AppUpdateItem notice;
    notice.update = {"0.2.0", std::nullopt,
                     std::string("Faster browsing, and every mod’s README in its sheet.")};
    app.catalogue()->setAppUpdate(QVariant::fromValue(notice));
  }
  if (error)
    app.activity()->setErrorMessage(
        QStringLiteral("Couldn’t reach Thunderstore. Check your internet connection."));
  if (steamOption) {
    const auto config = Paths::steamDir() / "userdata" / "4242" / "config";
    FS::mkdir(config);
    std::ofstream(config / "localconfig.vdf") << R"("LaunchOptions" "./run_bepinex.sh %command%")";
    app.game()->check();
  }
  World::settle();
  return w;
}

// Every banner at once: the three above and the missing game.
std::unique_ptr<World> bannersStacked() {
  auto w = withBanners(true, true, true);
  const auto game = w->state().game()->folder();
  std::filesystem::rename(game / "valheim.app", game / "valheim.app.away");
  w->state().game()->check();
  World::settle();
  return w;
}

// The browse tab with the keyboard focus on one control, as Tab leaves it.
std::unique_ptr<World> focusOn(const char* name) {
  auto w = onBrowse(richProfile());
  qobject_cast<QQuickItem*>(named(*w, name))->forceActiveFocus(Qt::TabFocusReason);
  World::settle();
  return w;
}

// The sheet of one of Odin's packages at `version`, with its README loaded.
std::unique_ptr<World> packageSheet(std::unique_ptr<World> w, const char* name, const char* version) {
  w->catalogue().setReadme("Odin", name, version, readme);
  AppState& app = w->state();
  app.window()->open(
      WindowState::Sheet::Package,
      QVariant::fromValue(PackageItem(*app.catalogue()->package(std::string("Odin"), std::string(name)))));
  World::waitUntil([&] { return !app.catalogue()->readmes()->loading(); });
  World::settle();
  return w;
}

std::unique_ptr<World> browseMany() {
  auto w = richProfile();
  w->publishMany(10000);
  return onBrowse(std::move(w));
}

std::unique_ptr<World> loaderUpdate() {
  auto w = richProfile();
  w->publishPack("5.4.2300");
  return w;
}

std::unique_ptr<World> loaderInstalled() {
  auto w = richProfile();
  w->withdraw("denikson-BepInExPack_Valheim");
  return w;
}

std::unique_ptr<World> browseLoading() {
  auto w = std::make_unique<World>();
  w->catalogue().answer(FakeCatalogue::indexPath, {.body = "[]", .delayMs = 60000});
  w->state().start();
  World::waitUntil([&] { return w->state().catalogue()->loading(); });
  return onBrowse(std::move(w));
}

std::unique_ptr<World> browseFailed() {
  auto w = std::make_unique<World>();
  w->catalogue().answer(FakeCatalogue::indexPath, {.status = 503, .body = "down"});
  w->state().start();
  World::waitUntil([&] { return !w->state().catalogue()->error().isEmpty(); });
  return onBrowse(std::move(w));
}

std::unique_ptr<World> browseNoMatch() {
  auto w = browseMany();
  named(*w, "browse.search")->setProperty("text", QStringLiteral("dragon saddle"));
  World::settle();
  return w;
}

std::unique_ptr<World> browseDeprecated() {
  auto w = browseMany();
  named(*w, "browse.deprecated")->setProperty("checked", true);
  QMetaObject::invokeMethod(named(*w, "browse.deprecated"), "toggled");
  named(*w, "browse.search")->setProperty("text", QStringLiteral("maker5"));
  World::settle();
  return w;
}

// A search whose other matches the deprecated switch hides: one row, or none, and the hint.
std::unique_ptr<World> browseDeprecatedHint(const char* query) {
  auto w = richProfile();
  w->publish({"Saddle_Bags", "2.0.1", {}, false, "Carry more on your lox."});
  w->publish({"Saddle_Classic", "1.0.0", {}, true, "The first saddle mod."});
  w->publish({"SaddlePlus", "0.4.0", {}, true, "Saddles for every tame."});
  auto shown = onBrowse(std::move(w));
  named(*shown, "browse.search")->setProperty("text", QString::fromLatin1(query));
  World::settle();
  return shown;
}

std::unique_ptr<World> browseOddTexts() {
  // HTML, a 5,000-character line, right-to-left text and emoji: elided or wrapped, never run.
  auto w = richProfile();
  w->publish({"A_Very_Long_Package_Name_That_Goes_On_And_On_Past_Any_Sensible_Width_For_A_Row_Of_The_List",
              "1.0.0",
              {},
              false,
              "<script>alert(1)</script><b>not bold</b> " + std::string(5000, 'x')});
  w->publish({"Arabic_Text", "1.0.0", {}, true, "مود يجعل القوارب أسرع في البحر"});
  w->publish({"Emoji_Shields", "1.0.0", {}, false, "🛡️ Stronger shields ⚔️ and 🐺 wolves"});
  auto shown = onBrowse(std::move(w));
  named(*shown, "browse.deprecated")->setProperty("checked", true);
  QMetaObject::invokeMethod(named(*shown, "browse.deprecated"), "toggled");
  named(*shown, "browse.search")->setProperty("text", QStringLiteral("   "));
  World::settle();
  return shown;
}

std::unique_ptr<World> sheetPackageAdd() {
  auto w = richProfile();
  w->publish({"Valkyrie",
              "1.0.0",
              {"Odin-ModSettings-1.1.4", "denikson-BepInExPack_Valheim-5.4.2202"},
              true,
              "Ride the valkyrie to any portal you have visited."});
  return packageSheet(std::move(w), "Valkyrie", "1.0.0");
}
}  // namespace

std::vector<Scene> paneScenes() {
  return {
      {"banner-update", [] { return withBanners(true, false, false); }},
      {"banner-error", [] { return withBanners(false, true, false); }},
      {"banner-steam-option", [] { return withBanners(false, false, true); }},
      {"banners-stacked", bannersStacked},
      {"focus-sort", [] { return focusOn("browse.sort"); }},
      {"focus-browse-row", [] { return focusOn("browse.list"); }},
      {"mods-from-files", modsFromFiles},
      {"loader-update", loaderUpdate},
      {"loader-installed", loaderInstalled},
      {"browse-loading", browseLoading},
      {"browse-failed", browseFailed},
      {"browse-10000", browseMany},
      {"browse-no-match", browseNoMatch},
      {"browse-deprecated", browseDeprecated},
      {"browse-deprecated-hint", [] { return browseDeprecatedHint("saddle"); }},
      {"browse-deprecated-hint-none", [] { return browseDeprecatedHint("valheim plus"); }},
      {"browse-odd-texts", browseOddTexts},
      {"sheet-package-add", sheetPackageAdd},
      {"sheet-package-in-profile", [] { return packageSheet(richProfile(), "PlanBuild", "0.18.1"); }},
      {"sheet-package-dependency", [] { return packageSheet(richProfile(), "ModSettings", "1.1.4"); }},
  };
}
