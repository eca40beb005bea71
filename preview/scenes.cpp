#include "scenes.hpp"

#include <QQuickItem>
#include <QQuickWindow>

#include "profiles/profile.hpp"

namespace {
// The catalogue every scene browses: three mods to add, two they depend on, one deprecated.
void publishCatalogue(World& w) {
  w.publish({"Jotunn", "2.20.0", {}, false, "The Valheim library for mod makers."});
  w.publish({"ModSettings", "1.1.4", {}, false, "Shared settings for other mods."});
  w.publish({"PlanBuild", "0.18.1", {"Odin-Jotunn-2.20.0"}, false, "Plan a building, then build it."});
  w.publish({"BetterArchery", "1.9.8", {"Odin-ModSettings-1.1.4"}, false, "Quivers and a steadier aim."});
  w.publish({"ValheimPlus", "0.9.9", {}, true, "Many tweaks in one mod."});
}

QObject* find(World& w, const char* name) {
  QObject* found = w.window().findChild<QObject*>(QString::fromLatin1(name));
  if (!found) qFatal("no item named %s", name);
  return found;
}

void type(World& w, const char* field, const QString& text) {
  find(w, field)->setProperty("text", text);
  World::settle();
}

void click(World& w, const char* button) {
  QMetaObject::invokeMethod(find(w, button), "clicked");
  World::settle();
}

std::unique_ptr<World> started(bool withGame = true) {
  auto w = std::make_unique<World>(withGame);
  publishCatalogue(*w);
  w->start();
  return w;
}

}  // namespace

QQuickItem* descendant(QQuickItem* root, const QString& name) {
  if (root->objectName() == name) return root;
  for (QQuickItem* child : root->childItems())
    if (QQuickItem* found = descendant(child, name)) return found;
  return nullptr;
}

// Default (empty), "Ashlands Raid" (three mods, two dependencies, one update, one disabled, one
// deprecated, selected) and "Hardcore Server" (one mod).
std::unique_ptr<World> richProfile() {
  auto w = started();
  AppState& app = w->state();
  app.newProfile(QStringLiteral("Hardcore Server"));
  w->add("PlanBuild");
  app.newProfile(QStringLiteral("Ashlands Raid"));
  for (const char* name : {"PlanBuild", "BetterArchery", "ValheimPlus"}) w->add(name);
  for (const ProfileMod& m : app.selected()->mods)
    if (m.name == "BetterArchery") app.modController()->setEnabled(ModItem(m), false);
  World::waitUntil([&] { return app.activity()->busy().isEmpty(); });
  w->publish({"Jotunn", "2.21.0", {}, false, "The Valheim library for mod makers."});
  app.activity()->setNote({});
  app.window()->setTab(DetailTab::Installed);
  w->window();
  return w;
}

namespace {
std::unique_ptr<World> withSheet(std::unique_ptr<World> w, WindowState::Sheet sheet) {
  w->state().window()->open(sheet);
  w->window();
  World::settle();
  return w;
}

std::unique_ptr<World> importNew() {
  auto w = richProfile();
  w->state().window()->open(WindowState::Sheet::Import);
  type(*w, "sheet.import.code", QStringLiteral("018f2c4e-7a1b-7c3d-9e2f-4a5b6c7d8e9f"));
  type(*w, "sheet.import.name", QStringLiteral("ashlands raid"));
  return w;
}

std::unique_ptr<World> importFile() {
  auto w = richProfile();
  w->state().window()->open(WindowState::Sheet::Import,
                            QUrl::fromLocalFile(QStringLiteral("/Users/ida/Downloads/ashlands raid.r2z")));
  type(*w, "sheet.import.name", QStringLiteral("Raid from Ida"));
  return w;
}

std::unique_ptr<World> importReplace(bool confirming) {
  auto w = richProfile();
  w->state().window()->open(WindowState::Sheet::Import);
  type(*w, "sheet.import.code", QStringLiteral("018f2c4e-7a1b-7c3d-9e2f-4a5b6c7d8e9f"));
  click(*w, "sheet.import.modeReplace");
  if (confirming) click(*w, "sheet.import.main");
  return w;
}

std::unique_ptr<World> busyDownload() {
  auto w = richProfile();
  // A large mod whose download stops at 40 % until the catalogue goes away.
  w->publish({"Valkyrie", "1.0.0", {}, false, "A big one."});
  w->catalogue().answer(FakeCatalogue::downloadPath("Odin", "Valkyrie", "1.0.0"),
                        {.body = std::string(4 << 20, 'x'), .stallAt = 0.4});
  AppState& app = w->state();
  app.modController()->add(*app.catalogue()->package(std::string("Odin"), std::string("Valkyrie")));
  World::waitUntil([&] { return app.activity()->downloading() && app.activity()->progress() >= 0.39; });
  World::settle();
  return w;
}

// The same download seen from another profile: the footer names the profile it goes into.
std::unique_ptr<World> busyOtherProfile() {
  auto w = busyDownload();
  for (const Profile& p : w->state().profiles())
    if (p.name == "Hardcore Server") w->state().setSelectedID(QString::fromStdString(p.id));
  World::settle();
  return w;
}

// Turning off Jotunn, which PlanBuild needs, asks first.
std::unique_ptr<World> dependencyOffPrompt() {
  auto w = richProfile();
  descendant(w->window().contentItem(), QStringLiteral("modRow.Jotunn"))->setProperty("askingOff", true);
  World::settle();
  return w;
}

std::unique_ptr<World> firstStartNoGame() {
  auto w = started(false);
  w->window();
  return w;
}

std::unique_ptr<World> emptyProfile() {
  auto w = started();
  w->window();
  return w;
}

std::unique_ptr<World> sheetNewProfile() {
  auto w = withSheet(richProfile(), WindowState::Sheet::NewProfile);
  type(*w, "sheet.newProfile.name", QStringLiteral("Mistlands run"));
  return w;
}

std::unique_ptr<World> sheetRename() {
  auto w = richProfile();
  w->state().window()->open(WindowState::Sheet::Rename,
                            QVariant::fromValue(ProfileItem(*w->state().selected())));
  World::settle();
  return w;
}

std::unique_ptr<World> sheetShare() {
  auto w = richProfile();
  w->state().window()->open(
      WindowState::Sheet::Share,
      QVariant::fromValue(SharedCode{QStringLiteral("018f2c4e-7a1b-7c3d-9e2f-4a5b6c7d8e9f"),
                                     QStringLiteral("Ashlands Raid")}));
  World::settle();
  return w;
}

// Three rows picked, the bar above the list with the commands on all of them.
std::unique_ptr<World> rowsPicked() {
  auto w = richProfile();
  for (const char* key : {"Odin-PlanBuild", "Odin-ValheimPlus", "Odin-Jotunn"})
    w->state().modSelection()->toggle(QString::fromLatin1(key));
  World::settle();
  return w;
}

// The search for a broken mod after its first step.
std::unique_ptr<World> turnOffHalf() {
  auto w = richProfile();
  w->state().modSelection()->selectAll();
  w->state().modSelection()->turnOffHalf();
  World::waitUntil([&] { return w->state().activity()->idle(); });
  World::settle();
  return w;
}

// Jotunn's sheet: what needs it.
std::unique_ptr<World> packageNeededBy() {
  auto w = richProfile();
  const TSPackage* jotunn = w->state().catalogue()->package("Odin", "Jotunn");
  w->state().window()->open(WindowState::Sheet::Package, QVariant::fromValue(PackageItem(*jotunn)));
  World::settle();
  return w;
}

std::unique_ptr<World> deleteConfirmation() {
  auto w = richProfile();
  find(*w, "sidebar")->setProperty("confirmDelete", QVariant::fromValue(ProfileItem(*w->state().selected())));
  World::settle();
  return w;
}
}  // namespace

const std::vector<Scene>& scenes() {
  static const std::vector<Scene> all = [] {
    std::vector<Scene> list = {
        {"first-start-no-game", firstStartNoGame},
        {"empty-profile", emptyProfile},
        {"rich-profile", richProfile},
        {"busy-download", busyDownload},
        {"busy-other-profile", busyOtherProfile},
        {"dependency-off-prompt", dependencyOffPrompt},
        {"sheet-new-profile", sheetNewProfile},
        {"sheet-rename", sheetRename},
        {"sheet-import-new-taken-name", importNew},
        {"sheet-import-file", importFile},
        {"sheet-import-replace", [] { return importReplace(false); }},
        {"sheet-import-replace-confirm", [] { return importReplace(true); }},
        {"sheet-share", sheetShare},
        {"sheet-log", [] { return withSheet(richProfile(), WindowState::Sheet::Log); }},
        {"delete-confirmation", deleteConfirmation},
        {"rows-picked", rowsPicked},
        {"turn-off-half", turnOffHalf},
        {"package-needed-by", packageNeededBy},
    };
    for (Scene& scene : paneScenes()) list.push_back(std::move(scene));
    for (Scene& scene : configScenes()) list.push_back(std::move(scene));
    for (Scene& scene : launchScenes()) list.push_back(std::move(scene));
    for (Scene& scene : historyScenes()) list.push_back(std::move(scene));
    return list;
  }();
  return all;
}
