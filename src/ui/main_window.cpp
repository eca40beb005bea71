#include "ui/main_window.hpp"

#include <QGuiApplication>
#include <QPalette>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QtQml/QQmlExtensionPlugin>

#include "app/app_state.hpp"
#include "ui/desktop_workspace.hpp"
#include "ui/network_cache.hpp"

Q_IMPORT_QML_PLUGIN(QuernholdPlugin)

namespace MainWindow {

void prepare(QQmlEngine& engine) {
  // Qt 6.4 does not look in the resource folder qt_add_qml_module uses; later versions do.
  engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
  // Icons from the catalogue are kept on disk between runs. One factory serves every engine.
  static CachingNetworkFactory network;
  engine.setNetworkAccessManagerFactory(&network);
  // Markdown takes its link colour from the application's palette: the theme's emberHi.
  QPalette palette = QGuiApplication::palette();
  palette.setColor(QPalette::Link, QColor::fromRgbF(0.949f, 0.573f, 0.310f));
  QGuiApplication::setPalette(palette);
}

QQuickWindow* create(QQmlEngine& engine, AppState& app, DesktopWorkspace& desktop) {
  QQmlComponent component(&engine, QUrl(QStringLiteral("qrc:/qt/qml/Quernhold/qml/Main.qml")));
  if (!component.isReady()) {
    qWarning().noquote() << component.errorString();
    return nullptr;
  }
  QObject* made =
      component.createWithInitialProperties({{QStringLiteral("app"), QVariant::fromValue(&app)},
                                             {QStringLiteral("desktop"), QVariant::fromValue(&desktop)}});
  if (!made) {
    qWarning().noquote() << component.errorString();
    return nullptr;
  }
  auto* window = qobject_cast<QQuickWindow*>(made);
  if (!window) delete made;
  return window;
}

}  // namespace MainWindow
