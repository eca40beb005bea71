#include "window_fixture.hpp"

#include <QtQuickTest/quicktest.h>
#include <QGuiApplication>
#include <QTest>

#include "app/translations.hpp"
#include "ui/main_window.hpp"

// Fontconfig keeps a few caches of its own until the process ends; they are not ours to free. Qt
// before 6.5 loses the scene graph's textures of cached images once the application is deleted (the
// image cache outlives it); their short stacks name only Qt's frames.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n"
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
         "leak:QSGTexture::QSGTexture\nleak:QImageData::create\nleak:QPixmap::fromImage\n"
         "leak:ExternalRefCountData::getAndRef\nleak:libQt6Quick.so\n"
#endif
      ;
}

namespace {
// The window needs a QGuiApplication, made before any fixture makes a console one. It goes after
// the last test, while the process still has everything Qt's caches and deferred deletes need.
class GuiEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char* argv[] = {const_cast<char*>("ui_tests"), nullptr};
    application_ = std::make_unique<QGuiApplication>(argc, argv);
    installTranslations();
  }
  void TearDown() override {
    WindowTest::flush();
    application_.reset();
  }

 private:
  std::unique_ptr<QGuiApplication> application_;
};
const auto* const environment = testing::AddGlobalTestEnvironment(new GuiEnvironment);

// List delegates and popup contents are items without an owning QObject parent, so the search
// walks the visual children as well as the object tree.
QObject* findNamed(QObject* root, const QString& name) {
  if (root->objectName() == name) return root;
  for (QObject* child : root->children())
    if (QObject* found = findNamed(child, name)) return found;
  if (auto* item = qobject_cast<QQuickItem*>(root))
    for (QQuickItem* child : item->childItems())
      if (child->parent() != root)
        if (QObject* found = findNamed(child, name)) return found;
  return nullptr;
}

// What a missing item's lookup returns after failing the test, so that the test's next steps read
// defaults instead of crashing. Made only in a failing test, where it is left to the process's end.
QObject* absent(const QString& name) {
  ADD_FAILURE() << "no item " << name.toStdString();
  static auto* standIn = new QQuickItem;
  return standIn;
}
}  // namespace

void WindowTest::SetUp() {
  StartedApp::SetUp();
  state->setWorkspace(desktop);
  engine = std::make_unique<QQmlEngine>();
  MainWindow::prepare(*engine);
  window.reset(MainWindow::create(*engine, *state, *desktop));
  ASSERT_TRUE(window);
  window->show();
  window->requestActivate();
  flush();
}

void WindowTest::TearDown() {
  // What the window deferred is deleted while its engine is still there, not later inside exit().
  window.reset();
  flush();
  engine.reset();
  flush();
}

QObject* WindowTest::item(const QString& name) const {
  QObject* found = find(window.get(), name);
  return found ? found : absent(name);
}

QObject* WindowTest::inside(QObject* parent, const QString& name) {
  QObject* found = find(parent, name);
  return found ? found : absent(name);
}

bool WindowTest::exists(const QString& name) const { return find(window.get(), name) != nullptr; }

QObject* WindowTest::find(QObject* root, const QString& name) {
  if (auto* w = qobject_cast<QQuickWindow*>(root))
    if (QObject* found = findNamed(w->contentItem(), name)) return found;
  return findNamed(root, name);
}

void WindowTest::click(const QString& name) {
  QObject* button = item(name);
  EXPECT_TRUE(button->property("enabled").toBool()) << name.toStdString() << " is disabled";
  QMetaObject::invokeMethod(button, "clicked");
  flush();
}

void WindowTest::trigger(const QString& menuItem) {
  QObject* entry = item(menuItem);
  auto* action = entry->property("action").value<QObject*>();
  QMetaObject::invokeMethod(action ? action : entry, action ? "trigger" : "triggered");
  flush();
}

void WindowTest::type(const QString& field, const QString& text) {
  item(field)->setProperty("text", text);
  flush();
}

void WindowTest::key(int key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(window.get(), Qt::Key(key), modifiers);
  flush();
}

void WindowTest::flush() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // closed sheets go away
    // Layouts place their items when the window polishes, which may come after the events.
    for (QWindow* shown : QGuiApplication::topLevelWindows())
      if (auto* quick = qobject_cast<QQuickWindow*>(shown); quick && QQuickTest::qIsPolishScheduled(quick)) {
        EXPECT_TRUE(QQuickTest::qWaitForPolish(quick)) << "the window never laid itself out";
      }
  }
}

void WindowTest::testModels(std::initializer_list<QAbstractItemModel*> models) {
  for (QAbstractItemModel* model : models)
    testers.push_back(std::make_unique<QAbstractItemModelTester>(
        model, QAbstractItemModelTester::FailureReportingMode::Fatal));
}

void WindowTest::makeProfile(const QString& name) {
  state->newProfile(name);
  run([&] { state->modController()->add(pkg("A")); });
}

QRectF WindowTest::box(const QString& name) const {
  QObject* found = item(name);
  auto* shown = qobject_cast<QQuickItem*>(found);
  if (!shown) shown = found->property("contentItem").value<QQuickItem*>();  // a pop-up: what it shows
  return shown->mapRectToScene(shown->boundingRect());
}

void WindowTest::moveGame(bool away) {
  fs::rename(game / (away ? "valheim.app" : "away.app"), game / (away ? "away.app" : "valheim.app"));
  state->game()->check();
  flush();
}
