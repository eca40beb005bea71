#pragma once

#include <QtQml/qqmlregistration.h>
#include <QObject>
#include <QString>

// What the window says about the application itself, as the QML singleton `About`.
class About : public QObject {
  Q_OBJECT
  QML_NAMED_ELEMENT(About)
  QML_SINGLETON
  Q_PROPERTY(QString version READ version CONSTANT)
  Q_PROPERTY(QString website READ website CONSTANT)
  Q_PROPERTY(QString logFile READ logFile CONSTANT)

 public:
  using QObject::QObject;
  static QString version();
  static QString website();
  static QString logFile();
};
