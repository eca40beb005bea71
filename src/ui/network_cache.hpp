#pragma once

#include <QQmlNetworkAccessManagerFactory>
#include <QString>

// The QML engine's network access (package icons): every manager keeps a bounded disk cache in
// the cache folder, so an icon is fetched once and not at every start, and introduces itself with
// the catalogue client's User-Agent.
class CachingNetworkFactory : public QQmlNetworkAccessManagerFactory {
 public:
  static constexpr qint64 defaultMaxBytes = 100LL * 1024 * 1024;

  // `folder` empty: "images" in the cache folder.
  explicit CachingNetworkFactory(QString folder = {}, qint64 maxBytes = defaultMaxBytes);
  // Called by the engine, possibly from its loader threads.
  QNetworkAccessManager* create(QObject* parent) override;

 private:
  QString folder_;
  qint64 maxBytes_;
};
