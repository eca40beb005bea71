// The Config Files sheet's scenes: each kind of control, plain text, a search, the notices and the prompt.
#include <QQuickItem>
#include <QQuickWindow>

#include "foundation/fs.hpp"
#include "scenes.hpp"
#include "testkit/config_samples.hpp"

namespace {
std::filesystem::path folderOf(World& w) { return w.state().selected()->bepinex() / "config"; }

// The rich profile with real-shaped config files, in the Config Files sheet with `file` open.
std::unique_ptr<World> onConfig(const std::string& file) {
  auto w = richProfile();
  ConfigSamples::write(folderOf(*w));
  w->state().activity()->setNote({});
  w->state().window()->open(WindowState::Sheet::Config);
  w->window();
  ConfigEditor& config = *w->state().configEditor();
  World::waitUntil([&] { return !config.listing() && !config.opening(); });
  QString path = QString::fromStdString((folderOf(*w) / file).string());
  config.open(path);
  World::waitUntil([&] { return !config.opening() && config.currentPath() == path; });
  World::settle();
  return w;
}

int rowOf(ConfigEditor& config, const std::string& key) {
  for (int r = 0; r < config.entries()->rowCount(); ++r)
    if (config.entries()->entry(r)->key == key) return r;
  qFatal("no setting %s", key.c_str());
}

// Forge Tweaks with two changes waiting to be saved.
std::unique_ptr<World> forgeEdited() {
  auto w = onConfig("smithy.forgetweaks.cfg");
  ConfigEditor& config = *w->state().configEditor();
  config.setValue(rowOf(config, "Yield"), QStringLiteral("9"));
  config.setFlag(rowOf(config, "Ores"), QStringLiteral("Silver"), true);
  World::settle();
  return w;
}
}  // namespace

std::vector<Scene> configScenes() {
  return {
      {"config-example", [] { return onConfig("example.mod.cfg"); }},
      {"config-forge-edited", forgeEdited},
      {"config-loader-flags", [] { return onConfig("BepInEx.cfg"); }},
      {"config-text-file", [] { return onConfig("Forge/recipes.json"); }},
      {"config-search",
       [] {
         auto w = onConfig("example.mod.cfg");
         ConfigEditor& config = *w->state().configEditor();
         config.search()->setQuery(QStringLiteral("enabled"));
         World::waitUntil([&] { return !config.search()->searching(); });
         World::settle();
         return w;
       }},
      {"config-game-running",
       [] {
         auto w = forgeEdited();
         w->state().configEditor()->setGameRunning(true);
         World::settle();
         return w;
       }},
      {"config-conflict",
       [] {
         auto w = forgeEdited();
         ConfigEditor& config = *w->state().configEditor();
         FS::writeAtomic(folderOf(*w) / "smithy.forgetweaks.cfg", ConfigSamples::forge + "\r\n");
         config.checkDisk();
         World::waitUntil([&] { return config.conflict(); });
         World::settle();
         return w;
       }},
      {"config-unsaved-prompt",
       [] {
         auto w = forgeEdited();
         w->state().configEditor()->open(QString::fromStdString((folderOf(*w) / "example.mod.cfg").string()));
         World::settle();
         return w;
       }},
      {"config-unsaved-done-prompt",
       [] {
         auto w = forgeEdited();
         w->state().closeConfig();
         World::settle();
         return w;
       }},
      {"config-unsaved-profile-prompt",
       [] {
         auto w = forgeEdited();
         for (const Profile& p : w->state().profiles())
           if (p.name == "Hardcore Server") w->state().setSelectedID(QString::fromStdString(p.id));
         World::settle();
         return w;
       }},
      // Lines the format does not know, a header without "]", an entry without "=": kept, and text fields.
      {"config-bad-input", [] { return onConfig("server.settings.cfg"); }},
      {"config-invalid-number",
       [] {
         auto w = onConfig("smithy.forgetweaks.cfg");
         QQuickItem* row = descendant(w->window().contentItem(), QStringLiteral("config.entry.Yield"));
         if (QQuickItem* field = row ? descendant(row, QStringLiteral("config.field")) : nullptr)
           field->setProperty("text", QStringLiteral("lots"));
         World::settle();
         return w;
       }},
      {"config-no-files",
       [] {
         auto w = richProfile();
         std::filesystem::remove_all(folderOf(*w));
         w->state().window()->open(WindowState::Sheet::Config);
         World::settle();
         return w;
       }},
  };
}
