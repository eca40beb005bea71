#pragma once

#include <gtest/gtest.h>

#include <QString>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_state.hpp"
#include "support/fake_catalogue.hpp"
#include "support/fake_tools.hpp"
#include "support/temp_home.hpp"

namespace fs = std::filesystem;

// Records what AppState asks of the desktop, and answers the folder chooser as told.
struct RecordingWorkspace : Workspace {
  std::vector<std::string> calls;  // "openURL <url>", "openFile <path>", "openFolder <path>", "reveal <path>"
  std::optional<fs::path> chosenFolder;
  QString pasteboard;

  void openURL(const QString& url) override { calls.push_back("openURL " + url.toStdString()); }
  void openFile(const fs::path& f) override { calls.push_back("openFile " + f.string()); }
  void reveal(const fs::path& p) override { calls.push_back("reveal " + p.string()); }
  void openFolder(const fs::path& p) override { calls.push_back("openFolder " + p.string()); }
  void setClipboard(const QString& text) override { pasteboard = text; }
  QString clipboard() override { return pasteboard; }
  void chooseFolder(const QString&, const QString&, FolderChosen done) override { done(chosenFolder); }
};

// Empties the test's home before anything else of a test is made.
struct FreshHome {
  FreshHome();
};

// One AppState against the fake catalogue, fake system tools and a fake game in the default game
// folder, with the loader already there and the loader pack published. Steam runs; the game does not.
class AppTest : public testing::Test, private FreshHome {
 protected:
  AppTest();
  ~AppTest() override;

  // Publishes Team-<name> at `version` in the package list, the latest lookup and the downloads.
  // `needs` are the dependencies its manifest declares ("Team-B-1.0.0").
  void publish(const std::string& name, const std::string& version, const std::vector<std::string>& needs = {});
  // Serves the current package list (publish does it too).
  void servePackageList();

  // Starts the state and waits until start-up and the first index load are done.
  void start();
  // Reloads the package list from the catalogue and waits for it.
  void refreshIndex();
  // Runs the event loop until `done` holds; false after a generous failsafe.
  static bool waitUntil(const std::function<bool()>& done);
  // Waits for the busy operation to end.
  void settle();
  // Every busy label shown since the state was made, in order (absent shown as "").
  const std::vector<std::string>& busyTexts() const { return busyTexts_; }

  // Reloads a profile from disk.
  static Profile onDisk(const std::string& id);
  // Whether the profile on disk records the same as `p` (the file keeps whole seconds of `created`).
  static bool savedAs(const Profile& p);
  const Profile& selected() const { return *state->selected(); }
  const TSPackage& pkg(const std::string& name) const { return *state->package("Team", name); }
  const ProfileMod& mod(const std::string& name) const;
  bool logHas(const std::string& text) const;
  static fs::path tmp() { return TestHome::path() / "tmp"; }
  static bool noWorkFolderLeft() { return fs::is_empty(tmp()); }

  fs::path game;
  FakeCatalogue catalogue;
  FakeTools tools{TestHome::path() / "tools"};
  std::shared_ptr<RecordingWorkspace> workspace = std::make_shared<RecordingWorkspace>();
  std::unique_ptr<AppState> state;
  bool startFinished = false;

 private:
  std::vector<std::string> packages_;  // the package list's entries, as JSON
  std::vector<std::string> busyTexts_;
};
