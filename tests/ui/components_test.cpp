// The package icon on its own: its dimmed look, and images it cannot show.
#include <QBuffer>
#include <QImage>
#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <fstream>

#include "temp_home.hpp"
#include "testkit/fake_catalogue.hpp"
#include "ui/main_window.hpp"
#include "ui/package_image.hpp"
#include "window_fixture.hpp"

namespace {
// A component of the Quernhold module in a window of its own, drawn offscreen.
class Components : public testing::Test {
 protected:
  Components() { MainWindow::prepare(engine); }

  void show(const QByteArray& qml) {
    QQmlComponent component(&engine);
    component.setData(
        "import QtQuick\nimport Quernhold\nWindow { width: 200; height: 100; color: \"black\"\n" + qml +
            "\n}",
        QUrl("qrc:/test/Component.qml"));
    window.reset(qobject_cast<QQuickWindow*>(component.create()));
    ASSERT_TRUE(window) << component.errorString().toStdString();
    window->show();
    WindowTest::flush();
  }
  QObject* find(const char* name) { return WindowTest::find(window.get(), name); }
  // Whether the icon's image reaches the status within ten seconds.
  bool imageBecomes(PackageImage::Status status) {
    QObject* image = find("modIcon.image");
    return QTest::qWaitFor([&] { return image->property("status").toInt() == status; }, 10000);
  }

  QQmlEngine engine;
  std::unique_ptr<QQuickWindow> window;
};

// A red square as PNG bytes.
QByteArray redPng() {
  QImage red(32, 32, QImage::Format_RGB32);
  red.fill(Qt::red);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  red.save(&buffer, "PNG");
  return bytes;
}

TEST_F(Components, ADimmedIconIsDrawnWithoutColourOnceItsImageLoads) {
  const fs::path file = TestHome::path() / "red.png";
  std::ofstream(file, std::ios::binary) << redPng().toStdString();
  show(QByteArray(R"(ModIcon { objectName: "icon"; size: 40; dimmed: true; url: "file://)") + file.c_str() +
       "\" }");
  ASSERT_TRUE(imageBecomes(PackageImage::Ready));
  const QColor middle = window->grabWindow().pixelColor(20, 20);
  EXPECT_GT(middle.red(), 10);  // the image is drawn ...
  EXPECT_NEAR(middle.red(), middle.green(), 2);  // ... without colour
  EXPECT_NEAR(middle.red(), middle.blue(), 2);
  EXPECT_FALSE(find("modIcon.letter")->property("visible").toBool());

  find("icon")->setProperty("dimmed", false);
  EXPECT_GT(window->grabWindow().pixelColor(20, 20).red(),
            window->grabWindow().pixelColor(20, 20).green() + 100);
}

// Whatever the icon address answers, an icon that cannot be shown keeps its letter.
TEST_F(Components, AnIconThatCannotBeFetchedKeepsItsLetter) {
  FakeCatalogue cdn;
  cdn.answer("/missing.png", {.status = 404});
  cdn.redirect("/loop-a.png", "/loop-b.png");
  cdn.redirect("/loop-b.png", "/loop-a.png");
  cdn.answer("/text.png", {.body = "<html>not an image</html>", .contentType = "image/png"});
  cdn.answer("/huge.png", {.body = std::string(PackageImage::maxBytes + 1, 'x'), .contentType = "image/png"});
  cdn.answer("/good.png", {.body = redPng().toStdString(), .contentType = "image/png"});
  for (const char* path : {"/missing.png", "/loop-a.png", "/text.png", "/huge.png"}) {
    SCOPED_TRACE(path);
    show(QByteArray(R"(ModIcon { title: "x"; url: ")") + cdn.url().c_str() + path + "\" }");
    ASSERT_TRUE(imageBecomes(PackageImage::Error));
    EXPECT_TRUE(find("modIcon.letter")->property("visible").toBool());
  }
  show(QByteArray(R"(ModIcon { title: "x"; url: ")") + cdn.url().c_str() + "/good.png\" }");
  EXPECT_TRUE(imageBecomes(PackageImage::Ready));
}
}  // namespace
