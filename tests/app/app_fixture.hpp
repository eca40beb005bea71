#pragma once

#include <gtest/gtest.h>

#include <QUrl>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_state.hpp"
#include "history/history.hpp"
#include "temp_home.hpp"
#include "testkit/fake_catalogue.hpp"
#include "testkit/fake_tools.hpp"

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// The application, and a work folder in the test's home, before anything else of a test is made.
struct Prelude {
  Prelude();
};

// One AppState against the fake catalogue, fake system tools and a fake game in the default game
// folder with the loader already there. The catalogue has the loader pack and a chain of mods:
// A needs B, B needs C and the pack. Steam runs; the game does not.
class AppTest : public testing::Test, private Prelude {
 protected:
  AppTest();
  ~AppTest() override;

  // Publishes Team-<name> (catalogue id "uuid-<name>") at `version`; `needs` are its manifest's
  // dependencies ("Team-B-1.0.0"); a `size` above 0 is the archive size the list gives.
  // Once started, the state reloads the package list.
  void publish(const std::string& name, const std::string& version, const Strings& needs = {},
               int64_t size = 0);
  // Serves `list` as the package list and, once started, waits for the state to reload it.
  void serveList(const std::string& list);
  void reloadIndex();  // and waits for the load to end
  // Starts the state and waits for start-up and the first index load.
  void start();
  // Runs the event loop until `done` holds; false after a generous failsafe.
  static bool waitUntil(const std::function<bool()>& done);
  // Waits for the busy operation to end and the records to be saved.
  void settle();
  void run(const std::function<void()>& operation);  // then settle

  static QUrl fileAt(const fs::path& p) { return QUrl::fromLocalFile(QString::fromStdString(p.string())); }
  static Profile onDisk(const std::string& id);
  // Whether the profile on disk records the same as `p` (the file keeps whole seconds of `created`).
  static bool savedAs(const Profile& p);
  const Profile& selected() const { return *state->selected(); }
  bool isShown(WindowState::Sheet sheet) const { return state->window()->sheet() == sheet; }
  const TSPackage& pkg(const std::string& name) const { return *state->catalogue()->package("Team", name); }
  const ProfileMod& mod(const std::string& name) const;
  // A at 1.1.0 in the catalogue and in the selected profile, which gets A (with B and C) first when
  // it does not have it.
  void updateA();
  Strings modKeys() const;
  // The selected profile's snapshots, newest first, without the row that stands for it now.
  std::vector<History::SnapshotInfo> snapshots() const;
  // The game starts or quits, and the state has seen it.
  void gameRuns(bool running);
  bool logHas(const std::string& text) const;
  static bool noWorkFolderLeft() { return fs::is_empty(TestHome::path() / "tmp"); }

  fs::path game;
  FakeCatalogue catalogue;
  FakeTools tools{TestHome::path() / "tools"};
  std::unique_ptr<AppState> state;
  bool startFinished = false;
  Strings busyTexts;  // every busy label shown, in order (idle as "")

 private:
  Strings packages_;  // the package list's entries, as JSON
};

// The same, started.
class StartedApp : public AppTest {
 protected:
  void SetUp() override { start(); }
};
