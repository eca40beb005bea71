#pragma once

#include <QAbstractItemModelTester>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>

#include <memory>
#include <string>
#include <vector>

#include "app_fixture.hpp"
#include "ui/desktop_workspace.hpp"

// Desktop services that record what the window asks for instead of opening anything.
class RecordingDesktop : public DesktopWorkspace {
 public:
  void openURL(const QString& url) override { calls.push_back("url " + url.toStdString()); }
  void openFile(const fs::path& file) override { calls.push_back("file " + file.string()); }
  void reveal(const fs::path& item) override { calls.push_back("reveal " + item.string()); }
  void openFolder(const fs::path& folder) override { calls.push_back("folder " + folder.string()); }
  std::vector<std::string> calls;
};

// The real main window, offscreen, over a started AppState with the fake catalogue, game and tools.
class WindowTest : public StartedApp {
 public:
  // Inside `parent` (a list row, a sheet); fails the test when there is none.
  static QObject* inside(QObject* parent, const QString& name);
  // Lets bindings, loaders and popups catch up (AppTest::settle waits for busy work).
  static void flush();
  // The item under `root` with this objectName, or null.
  static QObject* find(QObject* root, const QString& name);

 protected:
  void SetUp() override;
  void TearDown() override;

  // The item with this objectName; fails the test when there is none.
  QObject* item(const QString& name) const;
  QString text(const QString& name) const { return item(name)->property("text").toString(); }
  bool enabled(const QString& name) const { return item(name)->property("enabled").toBool(); }
  bool visible(const QString& name) const { return item(name)->property("visible").toBool(); }
  bool exists(const QString& name) const;
  // Where the item is drawn, in the window's coordinates.
  QRectF box(const QString& name) const;
  void click(const QString& name);
  // Calls the item's method or signal ("clicked", "triggered", "open"), then lets the window catch up.
  static void press(QObject* item, const char* method = "clicked") {
    QMetaObject::invokeMethod(item, method);
    flush();
  }
  // Chooses a menu item, as a click on it would.
  void trigger(const QString& menuItem);
  void type(const QString& field, const QString& text);
  void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  // As the app fixture's, then the window catches up.
  void settle() {
    AppTest::settle();
    flush();
  }
  void serveList(const std::string& list) {
    AppTest::serveList(list);
    flush();
  }
  void reloadIndex() {
    AppTest::reloadIndex();
    flush();
  }
  void showTab(DetailTab tab) {
    state->window()->setTab(tab);
    flush();
  }
  void showSheet(WindowState::Sheet sheet, const QVariant& payload = {}) {
    state->window()->open(sheet, payload);
    flush();
  }
  // Moves the game's app out of the game folder, or back, and the state looks again.
  void moveGame(bool away);
  // Makes a profile, selects it and adds mod A to it (A brings B and C as dependencies).
  void makeProfile(const QString& name);
  // Checks every change these models report while the views use them; the first wrong one fails.
  void testModels(std::initializer_list<QAbstractItemModel*> models);

  std::shared_ptr<RecordingDesktop> desktop = std::make_shared<RecordingDesktop>();
  std::unique_ptr<QQmlEngine> engine;
  std::unique_ptr<QQuickWindow> window;
  std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
};
