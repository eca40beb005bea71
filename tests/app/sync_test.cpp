#include <algorithm>
#include <map>

#include "app_fixture.hpp"
#include "catalogue/endpoints.hpp"
#include "catalogue/thunderstore_seams.hpp"

namespace {
using Sync = StartedApp;

TEST_F(Sync, ADependencyChainIsInstalledBreadthFirstWithEachDownloadUnderItsStep) {
  std::map<std::string, std::vector<double>> seen;  // busy label -> progress values while downloading
  QObject::connect(state->activity(), &Activity::progressChanged, [&] {
    if (state->activity()->downloading())
      seen[state->activity()->busy().toStdString()].push_back(state->activity()->progress());
  });
  run([&] { state->modController()->add(pkg("A")); });

  EXPECT_EQ(state->activity()->note(), "Added A.");
  EXPECT_EQ(busyTexts, (Strings{"Adding A…", "Installing BepInEx 5.4.2202…", "Installing A 1.0.0…",
                                "Installing B 1.0.0…", "Installing C 1.0.0…", ""}));
  EXPECT_EQ(seen.size(), 4u);
  for (const std::string& label : Strings(busyTexts.begin() + 1, busyTexts.end() - 1)) {
    ASSERT_FALSE(seen[label].empty()) << label;
    EXPECT_EQ(seen[label].back(), 1.0) << label;
    EXPECT_TRUE(std::is_sorted(seen[label].begin(), seen[label].end())) << label;
  }
  EXPECT_FALSE(state->activity()->downloading());  // the finished step took its progress along
  EXPECT_EQ(modKeys(), (Strings{"Team-A", "Team-B", "Team-C"}));
  EXPECT_FALSE(mod("B").isExplicit || mod("C").isExplicit);
  EXPECT_EQ(mod("C").installed, "1.0.0");  // the catalogue's latest, not the version B asked for
  EXPECT_EQ(selected().packInstalled, "5.4.2202");

  const size_t requests = catalogue.requests().size();  // a second run finds nothing to do
  run([&] { state->modController()->installMissing(); });
  EXPECT_EQ(state->activity()->note(), "Profile is ready to play.");
  EXPECT_EQ(catalogue.requests().size(), requests);
}

TEST_F(Sync, ASharedDependencyAndACycleAreHandledOnce) {
  publish("D", "1.0.0", {"Team-C-1.0.0", "Team-E-1.0.0"});
  publish("E", "1.0.0", {"Team-D-1.0.0"});  // D and E need each other
  run([&] { state->modController()->add(pkg("A")); });
  run([&] { state->modController()->add(pkg("D")); });

  EXPECT_EQ(state->activity()->note(), "Added D.");
  EXPECT_EQ(modKeys(), (Strings{"Team-A", "Team-B", "Team-C", "Team-D", "Team-E"}));
  for (const char* name : {"C", "D", "E"})
    EXPECT_EQ(catalogue.requestCount(FakeCatalogue::downloadPath("Team", name, "1.0.0")), 1) << name;
}

TEST_F(Sync, WhatWasDoneBeforeAFailureStaysSaved) {
  catalogue.answer(FakeCatalogue::downloadPath("Team", "B", "1.0.0"), {.status = 404, .body = "gone"});
  run([&] { state->modController()->add(pkg("A")); });

  EXPECT_FALSE(state->activity()->errorMessage().isEmpty());
  EXPECT_TRUE(logHas("error: " + state->activity()->errorMessage().toStdString()));
  const Profile saved = onDisk(selected().id);
  ASSERT_EQ(saved.mods.size(), 2u);  // B recorded, not installed
  EXPECT_EQ(saved.mods[0].installed, "1.0.0");  // A

  publish("Orphan", "1.0.0", {"Team-Nowhere-1.0.0"});
  state->newProfile("Other");
  run([&] { state->modController()->add(pkg("Orphan")); });
  EXPECT_EQ(state->activity()->errorMessage(),
            "Couldn’t find Team-Nowhere on Thunderstore (needed by Orphan).");
}

TEST_F(Sync, ANetworkFailureShowsItsPlainSentenceAndLogsTheDetail) {
  // Every try of D's archive breaks off; the pauses between tries are shortened.
  publish("D", "1.0.0");
  catalogue.answer(FakeCatalogue::downloadPath("Team", "D", "1.0.0"),
                   {.body = std::string(1000, 'x'), .truncated = true});
  Thunderstore::setTimeoutScale(0.001);
  run([&] { state->modController()->add(pkg("D")); });
  Thunderstore::setTimeoutScale(1);
  EXPECT_EQ(state->activity()->errorMessage(), "The network connection was lost.");
  EXPECT_TRUE(logHas("download failed (The network connection was lost. ("));

  // The service is gone: sharing a code says so without its address.
  const std::string gone = FakeCatalogue().url();
  setEndpoints({gone, gone, gone, gone});
  run([&] { state->transfer()->shareCode(selected()); });
  EXPECT_EQ(state->activity()->errorMessage(), "Could not connect to the server.");
  EXPECT_TRUE(logHas("profile code create failed: Could not connect to the server. ("));
}
}  // namespace
