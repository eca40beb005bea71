#pragma once

#include <QtQml/qqmlregistration.h>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include "app/app_state.hpp"

// What the import sheet's fields say: the problem to show, whether the import can go ahead, and
// the confirmation before a profile is replaced. The sheet binds its fields here and calls submit().
class ImportForm : public QObject {
  Q_OBJECT
  QML_ELEMENT
  Q_PROPERTY(AppState* app READ app WRITE setApp NOTIFY changed)
  Q_PROPERTY(QString code READ code WRITE setCode NOTIFY changed)
  // A profile file to import instead of a code; empty for a code.
  Q_PROPERTY(QUrl file READ file WRITE setFile NOTIFY changed)
  Q_PROPERTY(QString fileName READ fileName NOTIFY changed)
  Q_PROPERTY(Mode mode READ mode WRITE setMode NOTIFY changed)
  Q_PROPERTY(QString name READ name WRITE setName NOTIFY changed)
  Q_PROPERTY(QString replaceID READ replaceID WRITE setReplaceID NOTIFY changed)
  Q_PROPERTY(QString problem READ problem NOTIFY changed)
  Q_PROPERTY(bool canImport READ canImport NOTIFY changed)
  Q_PROPERTY(QString confirmTitle READ confirmTitle NOTIFY changed)
  Q_PROPERTY(QString confirmMessage READ confirmMessage NOTIFY changed)

 public:
  enum Mode { NewProfile, Replace };
  Q_ENUM(Mode)

  using QObject::QObject;

  AppState* app() const { return app_; }
  // Also picks the profile to replace: the selected one, else the first, else none.
  void setApp(AppState* app);
  QString code() const { return code_; }
  void setCode(const QString& code);
  QUrl file() const { return file_; }
  void setFile(const QUrl& file);
  QString fileName() const { return file_.fileName(); }
  Mode mode() const { return mode_; }
  void setMode(Mode mode);
  QString name() const { return name_; }
  void setName(const QString& name);
  QString replaceID() const { return replaceID_; }
  void setReplaceID(const QString& id);

  QString problem() const;
  bool canImport() const;
  QString confirmTitle() const;
  QString confirmMessage() const;

  // Takes pasted text as the code, trimmed of white space and line breaks; empty text changes nothing.
  Q_INVOKABLE void paste(const QString& text);
  // The main button: replacing asks for confirmation first, a new profile imports at once.
  Q_INVOKABLE void submit();
  // Hands the import to the app state; the sheet closes on started().
  Q_INVOKABLE void run();

 signals:
  void changed();
  void confirmationNeeded();
  void started();

 private:
  QString trimmedCode() const { return code_.trimmed(); }
  bool hasSource() const { return !file_.isEmpty() || !trimmedCode().isEmpty(); }
  QString trimmedName() const;
  const Profile* target() const;  // the profile to replace, if it exists

  QPointer<AppState> app_;
  QString code_, name_, replaceID_;
  QUrl file_;
  Mode mode_ = NewProfile;
};
