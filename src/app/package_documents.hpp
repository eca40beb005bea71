#pragma once

#include <QCoroTask>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QVariantMap>

#include <string>

#include "catalogue/thunderstore.hpp"

// One kind of document (the README, the changelog) of the package the sheet shows: read from the
// cache folder or fetched, in the background, and kept in memory for the session. Only the package
// asked for last is published; answers for earlier ones are kept.
class PackageDocuments : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString markdown READ markdown NOTIFY changed)  // empty while loading and when there is none
  Q_PROPERTY(bool loading READ loading NOTIFY changed)
  // The catalogue has no such document for the package, or only an empty one.
  Q_PROPERTY(bool missing READ missing NOTIFY changed)

 public:
  explicit PackageDocuments(Thunderstore::PackageDocument kind, QObject* parent = nullptr)
      : QObject(parent), kind_(kind) {}

  Q_INVOKABLE void show(const QString& ns, const QString& name, const QString& version);
  // What a changelog says since the version installed: {markdown, cut}, where `cut` tells that
  // older sections were left out. The whole when nothing is installed.
  Q_INVOKABLE QVariantMap newerThan(const QString& markdown, const QString& installed) const;
  QString markdown() const { return markdown_; }
  bool loading() const { return loading_; }
  bool missing() const { return !loading_ && markdown_.trimmed().isEmpty(); }

 signals:
  void changed();

 private:
  QCoro::Task<> fetch(QString key, std::string ns, std::string name, std::string version);
  void publish();

  Thunderstore::PackageDocument kind_;
  QHash<QString, QString> found_;  // "ns-name-version" -> Markdown, "" when there is none
  QSet<QString> inFlight_;
  QString shown_;
  QString markdown_;
  bool loading_ = false;
};
