#pragma once

#include <QQuickItem>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "world.hpp"

// A named screen of the real window, built from fixture state; the window is open and settled.
struct Scene {
  std::string name;
  std::function<std::unique_ptr<World>()> build;
};

const std::vector<Scene>& scenes();
// The profile pane's scenes: banners, loader statuses, the browse list and the package sheet.
std::vector<Scene> paneScenes();
// The Config Files sheet's scenes: each kind of control, plain text, a search, the notices and the prompt.
std::vector<Scene> configScenes();
// After Play Modded: a clean launch, one with problems and its report, a loader that never started.
std::vector<Scene> launchScenes();
// The History sheet (a list with a diff, a version no longer to be had) and a held mod.
std::vector<Scene> historyScenes();
// The item named `name` at or under `root`. List rows are visual children only, so the search
// walks the item tree.
QQuickItem* descendant(QQuickItem* root, const QString& name);
// The window's richest profile, "Ashlands Raid", selected, on the installed tab.
std::unique_ptr<World> richProfile();
