#pragma once

#include <QtQml/qqmlregistration.h>
#include <QObject>
#include <QUrl>

#include "app/workspace.hpp"

// The desktop services of the window. The folder chooser is the window's FolderDialog: a request
// goes out as folderRequested() and the dialog answers with finishFolderChoice().
class DesktopWorkspace : public QObject, public Workspace {
  Q_OBJECT
  QML_NAMED_ELEMENT(Desktop)
  QML_UNCREATABLE("The window is given its desktop services.")

 public:
  using QObject::QObject;
  void chooseFolder(const QString& message, const QString& button, FolderChosen done) override;
  // The chosen folder, or an empty address when the user cancelled.
  Q_INVOKABLE void finishFolderChoice(const QUrl& folder);

 signals:
  void folderRequested(const QString& message, const QString& button);

 private:
  FolderChosen pending_;
};
