#include "app_fixture.hpp"

#include <algorithm>
#include <map>

#include "foundation/app_error.hpp"
#include "installer/installer.hpp"
#include "profiles/profile_store.hpp"

namespace {
using Strings = std::vector<std::string>;

class Sync : public AppTest {
 protected:
  void SetUp() override {
    publish("A", "1.0.0", {"Team-B-1.0.0"});
    publish("B", "1.0.0", {"Team-C-2.0.0", "denikson-BepInExPack_Valheim-5.4.2202"});
    publish("C", "1.0.0");
    start();
  }
  void add(const std::string& name) {
    state->add(pkg(name));
    settle();
  }
  Strings modKeys() const {
    Strings keys;
    for (const ProfileMod& m : selected().mods) keys.push_back(m.id());
    return keys;
  }
  int downloads(const std::string& name, const std::string& version = "1.0.0") const {
    return catalogue.requestCount(FakeCatalogue::downloadPath("Team", name, version));
  }
};

TEST_F(Sync, ADependencyChainIsAddedAndInstalledBreadthFirst) {
  EXPECT_EQ(state->needsInstall(selected()), 1);  // only the pack
  add("A");

  EXPECT_EQ(state->note(), "Added A.");
  EXPECT_TRUE(state->errorMessage().isEmpty());
  EXPECT_EQ(busyTexts(), (Strings{"Adding A…", "Installing BepInEx 5.4.2202…", "Installing A 1.0.0…",
                                  "Installing B 1.0.0…", "Installing C 1.0.0…", ""}));
  EXPECT_EQ(modKeys(), (Strings{"Team-A", "Team-B", "Team-C"}));
  EXPECT_TRUE(mod("A").isExplicit);
  EXPECT_FALSE(mod("B").isExplicit);
  EXPECT_FALSE(mod("C").isExplicit);
  EXPECT_TRUE(mod("C").enabled);
  EXPECT_EQ(mod("C").installed, "1.0.0");  // the catalogue's latest, not the version B asked for
  EXPECT_EQ(selected().packVersion, "5.4.2202");
  EXPECT_EQ(selected().packInstalled, "5.4.2202");
  EXPECT_TRUE(savedAs(selected()));
  EXPECT_EQ(state->needsInstall(selected()), 0);
  EXPECT_EQ(state->status(mod("A"), selected()), ModStatus::upToDate);
  EXPECT_TRUE(state->canPlay());
  EXPECT_EQ(state->modsModel()->count(), 1);
  EXPECT_EQ(state->dependenciesModel()->count(), 2);

  // A second run finds nothing to do.
  const int requests = int(catalogue.requests().size());
  state->installMissing();
  settle();
  EXPECT_EQ(state->note(), "Profile is ready to play.");
  EXPECT_EQ(int(catalogue.requests().size()), requests);
}

TEST_F(Sync, EachDownloadShowsItsProgressUnderItsOwnStep) {
  std::map<std::string, std::vector<double>> seen;  // busy label -> progress values while downloading
  QObject::connect(state.get(), &AppState::progressChanged, [&] {
    if (state->downloading()) seen[state->busy().toStdString()].push_back(state->progress());
  });
  add("A");

  EXPECT_EQ(seen.size(), 4u);
  for (const std::string label : {"Installing BepInEx 5.4.2202…", "Installing A 1.0.0…", "Installing B 1.0.0…",
                                  "Installing C 1.0.0…"}) {
    ASSERT_FALSE(seen[label].empty()) << label;
    EXPECT_EQ(seen[label].back(), 1.0) << label;
    EXPECT_TRUE(std::is_sorted(seen[label].begin(), seen[label].end())) << label;
  }
  EXPECT_FALSE(state->downloading());
}

TEST_F(Sync, ASharedDependencyAndACycleAreHandledOnce) {
  publish("D", "1.0.0", {"Team-C-1.0.0", "Team-E-1.0.0"});
  publish("E", "1.0.0", {"Team-D-1.0.0"});  // D and E need each other
  refreshIndex();
  add("A");
  add("D");

  EXPECT_EQ(modKeys(), (Strings{"Team-A", "Team-B", "Team-C", "Team-D", "Team-E"}));
  EXPECT_EQ(downloads("C"), 1);
  EXPECT_EQ(downloads("D"), 1);
  EXPECT_EQ(downloads("E"), 1);
  EXPECT_EQ(state->note(), "Added D.");
}

TEST_F(Sync, StatusFollowsTheFilesAndTheCatalogue) {
  add("C");
  const Profile& p = selected();
  Installer::removeFiles("Team-C", p, true);  // the files went behind the manager's back
  EXPECT_EQ(state->status(mod("C"), p), ModStatus::notInstalled);
  EXPECT_EQ(state->needsInstall(p), 1);
  EXPECT_FALSE(state->canPlay());
  state->installMissing();
  settle();
  EXPECT_EQ(state->status(mod("C"), selected()), ModStatus::upToDate);

  publish("C", "1.1.0");
  refreshIndex();
  EXPECT_EQ(state->status(mod("C"), selected()), ModStatus::update);
  EXPECT_EQ(state->updateCount(selected()), 1);
  EXPECT_EQ(state->selectedUpdateCount(), 1);
}

TEST_F(Sync, WhatWasDoneBeforeAFailureStaysSaved) {
  catalogue.answer(FakeCatalogue::downloadPath("Team", "B", "1.0.0"), {.status = 404, .body = "gone"});
  state->add(pkg("A"));
  settle();

  EXPECT_FALSE(state->errorMessage().isEmpty());
  EXPECT_TRUE(state->note().isEmpty());
  EXPECT_TRUE(logHas("error: " + state->errorMessage().toStdString()));
  const Profile saved = onDisk(selected().id);
  ASSERT_EQ(saved.mods.size(), 2u);
  EXPECT_EQ(saved.mods[0].installed, "1.0.0");  // A
  EXPECT_EQ(saved.mods[1].id(), "Team-B");       // recorded, not installed
  EXPECT_EQ(saved.mods[1].installed, std::nullopt);
  EXPECT_EQ(saved.packInstalled, "5.4.2202");
}

TEST_F(Sync, MissingThingsFailWithTheirOwnSentences) {
  publish("Orphan", "1.0.0", {"Team-Nowhere-1.0.0"});
  refreshIndex();
  state->add(pkg("Orphan"));
  settle();
  EXPECT_EQ(state->errorMessage(), "Couldn’t find Team-Nowhere on Thunderstore (needed by Orphan).");

  // No pack in the index nor from the catalogue.
  catalogue.answer(FakeCatalogue::latestPath("denikson", "BepInExPack_Valheim"), {.status = 404});
  state->newProfile("Bare");
  catalogue.setPackageList("[]");
  refreshIndex();
  state->installMissing();
  settle();
  EXPECT_EQ(state->errorMessage(), "Couldn’t reach Thunderstore. Check your internet connection.");

  fs::remove_all(game);
  state->checkGame();
  state->installMissing();
  settle();
  EXPECT_EQ(state->errorMessage(), "Valheim wasn’t found. Choose your Valheim folder first.");
}
}  // namespace
