// The theme's components on their own: button looks by state and the package icon.
#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickWindow>

#include "ui/main_window.hpp"
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
}  // namespace
