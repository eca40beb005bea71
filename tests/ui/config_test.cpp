// The settings sheet in the real window, over a profile whose config folder holds real-shaped files.
#include <QSignalSpy>

#include "foundation/fs.hpp"
#include "testkit/config_samples.hpp"
#include "window_fixture.hpp"

namespace {
class ConfigSheet : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    folder = selected().bepinex() / "config";
    ConfigSamples::write(folder);
    config = state->configEditor();
    testModels({config->files(), config->entries(), config->search()->matches()});
    trigger("menu.Config Files");
    ASSERT_TRUE(
        waitUntil([&] { return !config->listing() && !config->opening() && config->currentPath() != ""; }));
    flush();
  }

  // Opens the file and waits for it (a prompt about unsaved changes stops the wait).
  void open(const std::string& name) {
    QString path = QString::fromStdString((folder / name).string());
    config->open(path);
    ASSERT_TRUE(waitUntil([&] {
      return config->prompt()->title() != "" || (!config->opening() && config->currentPath() == path);
    }));
    flush();
  }
  // Writes a file into the folder, lists the folder again and opens the file.
  void add(const std::string& name, const std::string& bytes) {
    FS::writeAtomic(folder / name, bytes);
    config->refresh();
    ASSERT_TRUE(waitUntil([&] { return !config->listing(); }));
    open(name);
  }
  std::string value(const QString& key) const { return config->entries()->entry(row(key))->value; }
  int row(const QString& key) const {
    for (int r = 0; r < config->entries()->rowCount(); ++r)
      if (config->entries()->entry(r)->key == key.toStdString()) return r;
    return -1;
  }
  void saveAndWait() {
    config->save();
    ASSERT_TRUE(waitUntil([&] { return !config->dirty() || config->conflict(); }));
  }
  std::string onDisk(const std::string& name) const { return FS::readFile(folder / name); }

  fs::path folder;
  ConfigEditor* config = nullptr;
};
}  // namespace

TEST_F(ConfigSheet, ListsFilesByPluginAndShowsEachSettingWithItsControl) {
  EXPECT_EQ(config->files()->rowCount(), 6);
  EXPECT_EQ(config->currentTitle(), "BepInEx.cfg");  // the first file opens by itself
  config->files()->setFilter("forge");
  EXPECT_EQ(config->files()->rowCount(), 2);  // by plugin name and by folder

  open("smithy.forgetweaks.cfg");
  EXPECT_EQ(text("config.title"), "Forge Tweaks");
  QObject* list = item("config.entryList");
  EXPECT_TRUE(find(inside(list, "config.entry.Yield"), "config.field"));
  EXPECT_TRUE(find(inside(list, "config.entry.Ores"), "config.flags"));
  EXPECT_TRUE(find(list, "config.toggle"));

  open("Forge/recipes.json");
  EXPECT_TRUE(visible("config.textArea"));
  EXPECT_EQ(text("config.textArea"), QString::fromStdString(onDisk("Forge/recipes.json")));
}

TEST_F(ConfigSheet, SavingWritesOnlyTheChangedValueRevertDiscardsAndEachFileOpensAsItCan) {
  open("smithy.forgetweaks.cfg");
  EXPECT_FALSE(config->setValue(row("Yield"), "lots"));
  EXPECT_FALSE(enabled("config.save"));

  ASSERT_TRUE(config->setValue(row("Yield"), "7"));
  config->setFlag(row("Ores"), "Iron", false);
  EXPECT_TRUE(visible("config.unsaved"));
  EXPECT_TRUE(enabled("config.save"));
  saveAndWait();
  std::string expected = ConfigSamples::forge;
  expected.replace(expected.find("Yield = 4"), 9, "Yield = 7");
  expected.replace(expected.find("Ores = Copper, Tin, Iron"), 24, "Ores = Copper, Tin");
  EXPECT_EQ(onDisk("smithy.forgetweaks.cfg"), expected);

  config->resetToDefault(row("Yield"));
  EXPECT_TRUE(config->dirty());
  config->revert();
  ASSERT_TRUE(waitUntil([&] { return !config->opening() && !config->dirty(); }));
  EXPECT_EQ(value("Yield"), "7");
  EXPECT_EQ(onDisk("smithy.forgetweaks.cfg"), expected);

  // A text file with CR LF line ends opens unchanged in the editor and keeps them when saved.
  add("server.ini", "[Server]\r\nport=2456\r\n");
  EXPECT_FALSE(config->dirty());
  config->setText(config->text().replace("2456", "2457"));
  saveAndWait();
  EXPECT_EQ(onDisk("server.ini"), "[Server]\r\nport=2457\r\n");

  // A .cfg file without settings opens as text to edit.
  add("traders.cfg", ConfigSamples::dataOnly);
  EXPECT_TRUE(visible("config.textArea"));
  EXPECT_EQ(text("config.textArea"), QString::fromStdString(ConfigSamples::dataOnly));

  // Files that cannot be edited say so in a sentence.
  add("notes.txt", std::string("\x89PNG\r\n\x1A\n\0\0", 10));
  EXPECT_EQ(item("config.unreadable")->property("title").toString(),
            "This file isn’t plain text, so it can’t be edited here.");

  fs::remove(folder / "waypoints.yml");  // gone between listing and opening
  open("waypoints.yml");
  EXPECT_EQ(config->problem(), "“waypoints.yml” can’t be read.");
  EXPECT_FALSE(config->problemDetail().isEmpty());
}

// Every way of leaving unsaved settings asks first: Cancel stays with the edit, Save writes it and
// goes on, Don't Save goes on and writes nothing. Deleting the profile asks nothing.
TEST_F(ConfigSheet, LeavingUnsavedSettingsAsksAndEachAnswerDoesWhatItSays) {
  state->newProfile("Raid");
  flush();
  click("sidebar.row.0");
  const QString first = state->selectedID();
  const QString closing = "If you close without saving, your changes are lost.";
  struct Trigger {
    const char* name;
    std::function<void()> go;
    std::function<bool()> went;
    QString message;  // empty: not looked at
  };
  const std::vector<Trigger> triggers = {
      {"another file",
       [&] { config->open(QString::fromStdString((folder / "smithy.forgetweaks.cfg").string())); },
       [&] { return config->currentTitle() == "Forge Tweaks"; }, ""},
      {"Done", [&] { click("sheet.config.done"); }, [&] { return !isShown(WindowState::Sheet::Config); },
       closing},
      {"Escape", [&] { key(Qt::Key_Escape); }, [&] { return !isShown(WindowState::Sheet::Config); }, closing},
      {"another profile", [&] { click("sidebar.row.1"); }, [&] { return state->selectedID() != first; },
       "If you switch to the profile “Raid” without saving, your changes are lost."},
      {"Play", [&] { click("footer.play"); },
       [&] { return state->activity()->note().startsWith("Valheim is starting with"); },
       "Valheim reads these settings when it starts. If you play without saving, your changes are lost."},
  };
  std::string written = "2.5";
  for (const Trigger& leave : triggers)
    for (const char* answer : {"cancel", "save", "discard"}) {
      SCOPED_TRACE(std::string(leave.name) + ", " + answer);
      if (state->selectedID() != first) click("sidebar.row.0");
      if (!isShown(WindowState::Sheet::Config)) trigger("menu.Config Files");
      ASSERT_TRUE(waitUntil([&] { return !config->listing() && !config->opening(); }));
      open("example.mod.cfg");
      state->activity()->setNote({});
      const std::string edit = written == "3" ? "4" : "3";  // never what the file holds
      ASSERT_TRUE(config->setValue(row("Drop rate"), QString::fromStdString(edit)));
      leave.go();
      flush();
      ASSERT_TRUE(exists("sheet.unsaved"));
      EXPECT_EQ(inside(item("sheet.unsaved"), "sheet.title")->property("text"),
                "Save changes to “Example Mod”?");
      if (!leave.message.isEmpty()) {
        EXPECT_EQ(text("sheet.unsaved.message"), leave.message);
      }
      if (answer == std::string("cancel") && leave.name == std::string("Escape"))
        key(Qt::Key_Escape);  // the prompt's Escape is Cancel
      else
        click(QStringLiteral("sheet.unsaved.") + answer);
      if (answer == std::string("cancel")) {
        flush();
        EXPECT_FALSE(exists("sheet.unsaved"));
        EXPECT_FALSE(leave.went());
        EXPECT_EQ(value("Drop rate"), edit);
        config->revert();
        ASSERT_TRUE(waitUntil([&] { return !config->opening() && !config->dirty(); }));
        continue;
      }
      ASSERT_TRUE(waitUntil(leave.went));
      settle();
      if (answer == std::string("save")) written = edit;
      EXPECT_NE(onDisk("example.mod.cfg").find("Drop rate = " + written + "\n"), std::string::npos);
    }

  // Deleting the profile drops its edits without asking.
  click("sidebar.row.0");
  ASSERT_TRUE(waitUntil([&] { return !config->listing() && !config->opening(); }));
  open("example.mod.cfg");
  config->setValue(row("Drop rate"), "5");
  state->deleteProfile(ProfileItem(*state->selected()));
  flush();
  EXPECT_EQ(config->prompt()->title(), "");
  EXPECT_FALSE(FS::exists(folder));
}

// Nothing is saved while the game runs; a save that cannot write keeps the edit and says why; a
// file deleted since it was opened is written again; an edit made while a save runs stays unsaved.
TEST_F(ConfigSheet, ASaveKeepsWhatItCouldNotWriteAndWhatArrivedWhileItRan) {
  open("example.mod.cfg");
  config->setValue(row("Difficulty"), "Easy");
  config->setGameRunning(true);
  flush();
  EXPECT_TRUE(visible("config.gameRunning"));
  EXPECT_FALSE(enabled("config.save"));
  config->save();
  flush();
  EXPECT_EQ(onDisk("example.mod.cfg"), ConfigSamples::example);
  config->setGameRunning(false);
  saveAndWait();
  EXPECT_NE(onDisk("example.mod.cfg").find("Difficulty = Easy\n"), std::string::npos);

  open("Forge/recipes.json");
  const QString edited = config->text() + "\n";
  config->setText(edited);
  fs::remove_all(folder / "Forge");
  FS::writeAtomic(folder / "Forge", "a file where the folder was");
  QSignalSpy failed(config, &ConfigEditor::failed);
  config->save();
  ASSERT_TRUE(waitUntil([&] { return failed.count() == 1; }));
  EXPECT_TRUE(config->dirty());
  EXPECT_TRUE(config->canSave());
  EXPECT_EQ(config->text(), edited);
  EXPECT_EQ(state->activity()->errorMessage(), failed[0][0].toString());

  fs::remove(folder / "Forge");
  fs::create_directory(folder / "Forge");  // the file is gone now
  saveAndWait();
  EXPECT_EQ(onDisk("Forge/recipes.json"), edited.toStdString());

  open("example.mod.cfg");
  ASSERT_TRUE(config->setValue(row("Drop rate"), "3"));
  config->save();
  ASSERT_TRUE(config->setValue(row("Drop rate"), "4"));  // before the write has run
  ASSERT_TRUE(waitUntil([&] { return config->canSave(); }));
  EXPECT_NE(onDisk("example.mod.cfg").find("Drop rate = 3\n"), std::string::npos);
  EXPECT_TRUE(config->dirty());
  EXPECT_EQ(value("Drop rate"), "4");
  saveAndWait();
  EXPECT_NE(onDisk("example.mod.cfg").find("Drop rate = 4\n"), std::string::npos);
}

TEST_F(ConfigSheet, AFileChangedOnDiskReloadsOrLetsTheUserChoose) {
  open("example.mod.cfg");
  std::string theirs = ConfigSamples::example;
  theirs.replace(theirs.find("Drop rate = 2.5"), 15, "Drop rate = 4");
  FS::writeAtomic(folder / "example.mod.cfg", theirs);
  config->checkDisk();
  ASSERT_TRUE(waitUntil([&] { return value("Drop rate") == "4"; }));

  // Edits here meet another change there: the save does not overwrite it unasked.
  config->setValue(row("Drop rate"), "5");
  std::string again = theirs;
  again.replace(again.find("Menu key = F1"), 13, "Menu key = F2");
  FS::writeAtomic(folder / "example.mod.cfg", again);
  saveAndWait();
  EXPECT_TRUE(config->conflict());
  flush();
  EXPECT_TRUE(visible("config.conflict"));
  EXPECT_EQ(onDisk("example.mod.cfg"), again);
  config->keepMine();
  saveAndWait();
  EXPECT_NE(onDisk("example.mod.cfg").find("Drop rate = 5\n"), std::string::npos);
  EXPECT_NE(onDisk("example.mod.cfg").find("Menu key = F1\n"), std::string::npos);

  config->setValue(row("Drop rate"), "6");
  FS::writeAtomic(folder / "example.mod.cfg", again);
  config->checkDisk();
  ASSERT_TRUE(waitUntil([&] { return config->conflict(); }));
  config->loadTheirs();
  ASSERT_TRUE(waitUntil([&] { return !config->opening() && !config->conflict(); }));
  EXPECT_EQ(value("Menu key"), "F2");
  EXPECT_FALSE(config->dirty());
}

TEST_F(ConfigSheet, SearchFindsSettingsInEveryFileAndOpensTheOneChosen) {
  type("config.search", "smelted");
  ASSERT_TRUE(waitUntil(
      [&] { return !config->search()->searching() && config->search()->matches()->rowCount() > 0; }));
  flush();
  EXPECT_TRUE(visible("config.matchList"));
  EXPECT_EQ(text("config.matchCount"), "1 setting");
  config->openMatch(0);
  ASSERT_TRUE(waitUntil([&] { return config->currentTitle() == "Forge Tweaks" && !config->opening(); }));
  EXPECT_EQ(config->focusRow(), row("Yield"));

  type("config.search", "no such thing");
  ASSERT_TRUE(waitUntil([&] { return !config->search()->searching(); }));
  flush();
  EXPECT_EQ(text("config.noMatch"), "No settings match “no such thing”.");
}
