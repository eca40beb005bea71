// The browse tab and the package sheet in the real window, over the state's catalogue index.
#include "app/package_documents.hpp"
#include "catalogue/thunderstore_seams.hpp"
#include "foundation/paths.hpp"
#include "window_fixture.hpp"

namespace {
class Browse : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    showTab(DetailTab::Browse);
  }
  int rows() const { return item("browse.list")->property("count").toInt(); }
  // The row showing this package, or null when it is not among the rows built.
  QObject* row(const QString& displayName) const {
    for (int i = 0; i < rows(); ++i)
      if (QObject* r = find(window.get(), QString("browseRow.%1").arg(i)))
        if (inside(r, "browseRow.name")->property("text").toString() == displayName) return r;
    return nullptr;
  }
  QString place(const QString& displayName) const {
    QObject* r = row(displayName);
    if (!r) return "(no row)";
    return inside(r, "browseRow.add")->property("visible").toBool()
               ? "Add"
               : inside(r, "browseRow.place")->property("text").toString();
  }
  // Opens the package's sheet; `settled` false looks at it before any event runs.
  void openSheet(const std::string& name, bool settled = true) {
    state->window()->open(WindowState::Sheet::Package, QVariant::fromValue(PackageItem(pkg(name))));
    if (settled) flush();
  }
  // A catalogue entry of Team's at 1.0.0.
  static std::string entry(const std::string& name, bool deprecated = false) {
    return R"({"name": ")" + name + R"(", "full_name": "Team-)" + name +
           R"(", "owner": "Team", "is_deprecated": )" + (deprecated ? "true" : "false") +
           R"(, "versions": [{"version_number": "1.0.0"}]})";
  }
  // A catalogue of `count` packages named Item000…, replacing the usual one.
  void listItems(int count) {
    std::string list = "[";
    for (int i = 0; i < count; ++i)
      list += (i ? "," : "") + entry(QString::asprintf("Item%03d", i).toStdString());
    serveList(list + "]");
  }
};

// A refresh keeps the list and says so; without a list the pane shows the load, then the failure.
TEST_F(Browse, ALoadShowsWhatItKeepsThenTheFailureAndRetry) {
  EXPECT_EQ(text("browse.status"), "3 mods");
  // What the pane shows while the load is in flight (a quick failure may end it within the call).
  QString during;
  bool spinner = false, refreshable = true, listShown = true;
  QObject::connect(state->catalogue(), &CatalogueState::loadingChanged, [&] {
    if (!state->catalogue()->loading()) return;
    during = text("browse.status");
    spinner = visible("browse.loading");
    refreshable = enabled("browse.refresh");
    listShown = visible("browse.list");
  });
  reloadIndex();
  EXPECT_EQ(during, "3 mods · refreshing…");
  EXPECT_EQ(text("browse.status"), "3 mods");

  listItems(0);
  // Nothing to fall back on: the cache the loads write in the background is removed.
  Thunderstore::waitForCacheWrites();
  fs::remove(Paths::cache() / "valheim-index.json");
  catalogue.answer(FakeCatalogue::indexPath, {.status = 503, .body = "down"});
  reloadIndex();
  EXPECT_TRUE(spinner);
  EXPECT_FALSE(refreshable);
  EXPECT_FALSE(listShown);
  EXPECT_FALSE(visible("browse.loading"));
  EXPECT_TRUE(visible("browse.error"));
  EXPECT_EQ(text("browse.error"), state->catalogue()->error());

  catalogue.answer(FakeCatalogue::indexPath, {.body = "[" + entry("X") + "]"});
  click("browse.retry");
  ASSERT_TRUE(waitUntil([&] { return !state->catalogue()->loading(); }));
  flush();
  EXPECT_TRUE(visible("browse.list"));
  EXPECT_EQ(text("browse.status"), "1 mods");
}

TEST_F(Browse, ASearchWithoutResultsSaysWhatWasTypedAndShowMoreAddsPages) {
  type("browse.search", "  dragon ");
  EXPECT_EQ(rows(), 0);
  EXPECT_TRUE(visible("browse.noMatch"));
  EXPECT_EQ(text("browse.noMatch"), "No mods match “  dragon ”.");
  click("browse.clear");
  EXPECT_EQ(text("browse.search"), "");
  EXPECT_EQ(rows(), 3);

  // Show More adds a page until all are shown.
  listItems(150);
  EXPECT_EQ(text("browse.more"), "Show more (50 more)");
  click("browse.more");
  EXPECT_EQ(rows(), 150);
  EXPECT_FALSE(visible("browse.more"));
}

TEST_F(Browse, DeprecatedMatchesTheSwitchHidesAreCountedUnderTheListWithAButton) {
  serveList("[" + entry("Saddle") + "," + entry("Saddle_Old", true) + "," + entry("Saddle_Classic", true) +
            "," + entry("Cart") + "]");
  const QRectF list = box("browse.list");

  type("browse.search", "saddle");
  ASSERT_EQ(rows(), 1);
  ASSERT_TRUE(visible("browse.deprecatedHint"));
  EXPECT_EQ(text("browse.deprecatedCount"), "2 deprecated mods match —");
  EXPECT_EQ(text("browse.showDeprecated"), "Show Them");
  const QRectF hint = box("browse.deprecatedHint");
  EXPECT_GE(hint.top(), box("browseRow.0").bottom());  // under the last row, inside the list box
  EXPECT_TRUE(list.contains(hint));

  click("browse.showDeprecated");
  EXPECT_TRUE(item("browse.deprecated")->property("checked").toBool());
  EXPECT_EQ(rows(), 3);
  EXPECT_FALSE(visible("browse.deprecatedHint"));

  // With nothing else listed, the hint sits under the no-match sentence.
  state->catalogue()->indexModel()->setShowDeprecated(false);
  type("browse.search", "classic");
  ASSERT_TRUE(visible("browse.noMatch"));
  EXPECT_EQ(text("browse.deprecatedCount"), "1 deprecated mod matches —");
  EXPECT_GE(box("browse.deprecatedHint").top(), box("browse.noMatch").bottom());
  EXPECT_TRUE(list.contains(box("browse.deprecatedHint")));

  type("browse.search", "cart");
  EXPECT_FALSE(visible("browse.deprecatedHint"));
}

// A row's Add installs the mod and its dependencies; rows and the sheet follow each package's place
// in the profile, and the sheet's Remove takes the mod out (the sheet's Return adds, in the
// keyboard's walk through the window).
TEST_F(Browse, ARowsAddInstallsTheModAndRowsAndTheSheetFollowItsPlace) {
  ASSERT_EQ(place("A"), "Add");
  run([&] { QMetaObject::invokeMethod(inside(row("A"), "browseRow.add"), "clicked"); });
  EXPECT_EQ(modKeys(), (Strings{"Team-A", "Team-B", "Team-C"}));
  EXPECT_EQ(mod("C").installed, "1.0.0");
  publish("D", "1.0.0");
  flush();
  EXPECT_EQ(place("A"), "In profile");
  EXPECT_EQ(place("B"), "Dependency");

  openSheet("B");
  EXPECT_TRUE(visible("sheet.package.dependency"));
  EXPECT_FALSE(visible("sheet.package.remove"));
  EXPECT_FALSE(visible("sheet.package.add"));
  openSheet("D");
  EXPECT_EQ(text("sheet.package.add"), "Add to “Default”");
  click("sheet.package.close");
  EXPECT_FALSE(isShown(WindowState::Sheet::Package));
  openSheet("A");
  EXPECT_TRUE(visible("sheet.package.remove"));
  run([&] { click("sheet.package.remove"); });
  EXPECT_TRUE(state->selected()->mods.empty());
}

TEST_F(Browse, WhileBusyAddingAndRemovingWaitButLookingDoesNot) {
  publish("D", "1.0.0");
  publish("E", "1.0.0");
  makeProfile("Raid");
  catalogue.hold();
  state->modController()->add(pkg("D"));  // still running while nothing else runs
  EXPECT_FALSE(inside(row("E"), "browseRow.add")->property("enabled").toBool());
  openSheet("E", false);
  EXPECT_FALSE(enabled("sheet.package.add"));
  EXPECT_TRUE(enabled("sheet.package.view"));
  EXPECT_TRUE(enabled("sheet.package.close"));
  state->window()->close(WindowState::Sheet::Package);
  openSheet("A", false);
  EXPECT_FALSE(enabled("sheet.package.remove"));
  EXPECT_TRUE(enabled("sheet.package.close"));
  catalogue.release();
  settle();
  EXPECT_TRUE(enabled("sheet.package.remove"));
}

TEST_F(Browse, TheSheetShowsTheReadmeAndOpensOnlyWebLinks) {
  catalogue.setReadme("Team", "A", "1.0.0",
                      "# A\n\nSee [the wiki](https://example.org/wiki).\n\n<script>alert(1)</script>" +
                          std::string(5000, 'x'));
  openSheet("A");
  ASSERT_TRUE(waitUntil([&] { return !state->catalogue()->readmes()->loading(); }));
  flush();
  QObject* readme = item("sheet.package.readme");
  EXPECT_TRUE(readme->property("text").toString().startsWith("**A**"));  // the heading at body size

  QMetaObject::invokeMethod(readme, "linkActivated", Q_ARG(QString, "javascript:alert(1)"));
  QMetaObject::invokeMethod(readme, "linkActivated", Q_ARG(QString, "https://example.org/wiki"));
  EXPECT_EQ(desktop->calls, std::vector<std::string>{"url https://example.org/wiki"});

  key(Qt::Key_Escape);
  catalogue.hold();
  openSheet("B", false);  // no README for B: the sheet says so once the catalogue has answered
  EXPECT_TRUE(visible("sheet.package.readmeLoading"));
  catalogue.release();
  ASSERT_TRUE(waitUntil([&] { return !state->catalogue()->readmes()->loading(); }));
  flush();
  EXPECT_FALSE(visible("sheet.package.readme"));
  EXPECT_TRUE(visible("sheet.package.noReadme"));
  EXPECT_EQ(text("sheet.package.noReadme"), "No README.");
  EXPECT_EQ(text("sheet.package.also"), "C");  // the loader pack is left out
}
}  // namespace
