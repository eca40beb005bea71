#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_state.hpp"
#include "testkit/fake_catalogue.hpp"
#include "testkit/fake_tools.hpp"
#include "ui/desktop_workspace.hpp"

class QQmlEngine;
class QQuickWindow;

// One scene's world: a fresh home folder, the fake catalogue with a small Valheim catalogue, fake
// system tools, optionally a game folder with the loader, and the real window over an AppState.
class World {
 public:
  struct Package {
    std::string name, version;
    std::vector<std::string> needs;  // "Owner-Name-1.0.0"
    bool deprecated = false;
    std::string description;
    int64_t size = 0;  // the archive size the list gives; 0 leaves it out
    std::string updated = "2024-03-01T10:00:00.000000Z";  // when the catalogue last changed it
  };

  explicit World(bool withGame = true);
  ~World();

  // Publishes a package of the owner "Odin" (a newer version replaces the old one).
  void publish(const Package& package);
  // Adds `count` made-up packages of many owners (without archives) and reloads the index.
  void publishMany(int count);
  // Lists a newer loader pack in the package list and reloads the index.
  void publishPack(const std::string& version);
  // Takes a package out of the package list ("Owner-Name") and reloads the index.
  void withdraw(const std::string& fullName);
  // Starts the state and waits for start-up and the catalogue.
  void start();
  // Adds the package to the selected profile and waits until it is installed.
  void add(const std::string& name);
  // Opens the window at its default size.
  QQuickWindow& window();
  // Runs the event loop until `done` holds (or a failsafe of 20 seconds passes).
  static bool waitUntil(const std::function<bool()>& done);
  // Lets bindings, loaders and layouts settle.
  static void settle();

  FakeCatalogue& catalogue() { return *catalogue_; }
  // Stops the fake catalogue, so that a download held open ends (with an error).
  void stopCatalogue();
  AppState& state() { return *state_; }
  FakeTools& tools() { return *tools_; }

 private:
  std::unique_ptr<FakeCatalogue> catalogue_;
  std::unique_ptr<FakeTools> tools_;
  void reloadIndex();
  std::string serveIcon(const std::string& fullNameAndVersion);

  std::vector<std::string> packages_;  // the package list's entries, as JSON
  std::shared_ptr<DesktopWorkspace> desktop_;
  std::unique_ptr<AppState> state_;
  std::unique_ptr<QQmlEngine> engine_;
  std::unique_ptr<QQuickWindow> window_;
};
