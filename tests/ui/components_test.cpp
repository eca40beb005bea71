// The theme's components on their own: button looks by state and the package icon.
#include <QBuffer>
#include <QImage>
#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <fstream>

#include "support/fake_catalogue.hpp"
#include "support/temp_home.hpp"
#include "ui/main_window.hpp"
#include "ui/package_image.hpp"
#include "window_fixture.hpp"

namespace {
// A component of the Quernhold module in a window of its own, drawn offscreen.
class Components : public testing::Test {
 protected:
  Components() { MainWindow::prepare(engine); }

  QQuickWindow* show(const QByteArray& qml) {
    QQmlComponent component(&engine);
    component.setData(
        "import QtQuick\nimport Quernhold\nWindow { width: 200; height: 100; color: \"black\"\n" + qml +
            "\n}",
        QUrl("qrc:/test/Component.qml"));
    window.reset(qobject_cast<QQuickWindow*>(component.create()));
    if (!window) {
      ADD_FAILURE() << component.errorString().toStdString();
      return nullptr;
    }
    window->show();
    WindowTest::flush();
    return window.get();
  }
  QObject* find(const char* name) { return WindowTest::find(window.get(), name); }
  QColor color(const char* name, const char* property) {
    return find(name)->property(property).value<QColor>();
  }

  QQmlEngine engine;
  std::unique_ptr<QQuickWindow> window;
};

QColor rgb(double r, double g, double b) { return QColor::fromRgbF(float(r), float(g), float(b)); }

TEST_F(Components, ADisabledPlayButtonIsDarkGreyAtFullOpacityWithoutShadow) {
  show(R"(AppButton { objectName: "play"; kind: "play"; text: "Play Modded"; enabled: false })");
  EXPECT_EQ(color("button.shape", "color"), rgb(0.165, 0.184, 0.216));
  QObject* shape = find("button.shape");
  EXPECT_EQ(shape->property("border").value<QObject*>()->property("color").value<QColor>(),
            rgb(0.200, 0.227, 0.270));
  EXPECT_EQ(color("play", "textColor"), rgb(0.553, 0.580, 0.620));
  EXPECT_EQ(find("play")->property("opacity").toReal(), 1.0);
  EXPECT_EQ(find("button.shadow")->property("count").toInt(), 0);

  find("play")->setProperty("enabled", true);
  EXPECT_EQ(find("button.shadow")->property("count").toInt(), 5);
  EXPECT_EQ(color("play", "textColor"), rgb(0.100, 0.060, 0.020));
}

TEST_F(Components, DisabledButtonsOfOtherKindsKeepTheirColoursButFade) {
  show(R"(AppButton { objectName: "normal"; text: "Update 1"; enabled: false })");
  EXPECT_EQ(color("button.shape", "color"), rgb(0.114, 0.133, 0.165));
  EXPECT_NEAR(find("normal")->property("opacity").toReal(), 0.45, 1e-6);
}

TEST_F(Components, AGhostButtonHasNoFillOrOutlineUntilActive) {
  show(R"(AppButton { objectName: "ghost"; kind: "ghost"; text: "Log"; x: 100; y: 60 })");  // away from the
                                                                                            // pointer
  QObject* shape = find("button.shape");
  EXPECT_EQ(color("button.shape", "color").alpha(), 0);
  EXPECT_EQ(shape->property("border").value<QObject*>()->property("color").value<QColor>().alpha(), 0);
  find("ghost")->setProperty("active", true);
  EXPECT_EQ(color("button.shape", "color"), rgb(0.114, 0.133, 0.165));
}

TEST_F(Components, AnIconWithoutImageShowsItsUpperCaseInitial) {
  show(R"(ModIcon { title: "valheimPlus" })");
  EXPECT_EQ(find("modIcon.letter")->property("text").toString(), "V");
}

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

TEST_F(Components, ADimmedIconIsGreyAndFadedAfterItsImageLoads) {
  const fs::path file = TestHome::path() / "red.png";
  std::ofstream(file, std::ios::binary) << redPng().toStdString();
  show(QByteArray(R"(ModIcon { objectName: "icon"; size: 40; dimmed: true; url: "file://)") + file.c_str() +
       "\" }");
  QObject* image = find("modIcon.image");
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return image->property("status").toInt() == PackageImage::Ready; }, 10000));
  const QColor middle = window->grabWindow().pixelColor(20, 20);
  EXPECT_GT(middle.red(), 10);  // the image is drawn ...
  EXPECT_NEAR(middle.red(), middle.green(), 2);  // ... without colour
  EXPECT_NEAR(middle.red(), middle.blue(), 2);
  EXPECT_NEAR(find("icon")->property("opacity").toReal(), 0.45, 1e-6);
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
    QObject* image = find("modIcon.image");
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return image->property("status").toInt() == PackageImage::Error; }, 10000));
    EXPECT_TRUE(find("modIcon.letter")->property("visible").toBool());
  }
  show(QByteArray(R"(ModIcon { title: "x"; url: ")") + cdn.url().c_str() + "/good.png\" }");
  QObject* image = find("modIcon.image");
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return image->property("status").toInt() == PackageImage::Ready; }, 10000));
}
}  // namespace
