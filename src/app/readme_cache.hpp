#pragma once

#include <QCoroTask>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

#include <string>

// The README of the package the sheet shows: fetched in the background, kept in memory for the
// session. Only the package asked for last is published; answers for earlier ones are kept.
class ReadmeCache : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString markdown READ markdown NOTIFY changed)  // empty while loading and when there is none
  Q_PROPERTY(bool loading READ loading NOTIFY changed)
  // The catalogue has no README for the package, or only an empty one.
  Q_PROPERTY(bool missing READ missing NOTIFY changed)

 public:
  using QObject::QObject;

  Q_INVOKABLE void show(const QString& ns, const QString& name, const QString& version);
  QString markdown() const { return markdown_; }
  bool loading() const { return loading_; }
  bool missing() const { return !loading_ && markdown_.trimmed().isEmpty(); }

 signals:
  void changed();

 private:
  QCoro::Task<> fetch(QString key, std::string ns, std::string name, std::string version);
  void publish();

  QHash<QString, QString> found_;  // "ns-name-version" -> Markdown, "" when there is none
  QSet<QString> inFlight_;
  QString shown_;
  QString markdown_;
  bool loading_ = false;
};
