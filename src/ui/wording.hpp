#pragma once

#include <QtQml/qqmlregistration.h>
#include <QObject>
#include <QString>

#include "app/text.hpp"

// The counted texts and status lines of the sidebar and footer, worked out from AppState's fields.

// The footer's status line: its text and how it is drawn.
struct StatusLine {
  Q_GADGET
  Q_PROPERTY(QString text MEMBER text)
  Q_PROPERTY(bool spinner MEMBER spinner)  // a small spinner before the text
  Q_PROPERTY(bool emphasis MEMBER emphasis)  // primary colour (bold unless the spinner shows); else muted
  Q_PROPERTY(bool bold MEMBER bold)

 public:
  QString text;
  bool spinner = false, emphasis = false, bold = false;
  bool operator==(const StatusLine&) const = default;
};

// The footer's work button: install what is missing, or update; `text` is empty when there is none.
struct WorkButton {
  Q_GADGET
  Q_PROPERTY(QString text MEMBER text)
  Q_PROPERTY(bool installs MEMBER installs)

 public:
  QString text;
  bool installs = false;
  bool operator==(const WorkButton&) const = default;
};

namespace Wording {
QString modCount(int explicitMods);  // "1 mod", "3 mods", "0 mods"
QString updatesAvailable(int updates);  // "1 update available", "2 updates available"
// The first case that applies: busy, note, first catalogue load, missing items, updates, all current
// (saying how many updates holds keep back).
StatusLine footerStatus(const QString& busy, const QString& note, bool indexLoading, bool indexEmpty,
                        int needsInstall, int updates, int heldUpdates = 0);
WorkButton workButton(int needsInstall, int updates);
}  // namespace Wording

// The same for QML, as the singleton `Wording`.
class WordingObject : public QObject {
  Q_OBJECT
  QML_NAMED_ELEMENT(Wording)
  QML_SINGLETON

 public:
  using QObject::QObject;
  Q_INVOKABLE QString modCount(int n) const { return Wording::modCount(n); }
  Q_INVOKABLE QString updatesAvailable(int n) const { return Wording::updatesAvailable(n); }
  // A typed profile name as it is used: spaces and tabs trimmed from both ends.
  Q_INVOKABLE QString profileName(const QString& typed) const { return trimSpacesAndTabs(typed); }
  Q_INVOKABLE StatusLine footerStatus(const QString& busy, const QString& note, bool indexLoading,
                                      bool indexEmpty, int needsInstall, int updates, int heldUpdates) const {
    return Wording::footerStatus(busy, note, indexLoading, indexEmpty, needsInstall, updates, heldUpdates);
  }
  Q_INVOKABLE WorkButton workButton(int needsInstall, int updates) const {
    return Wording::workButton(needsInstall, updates);
  }
};
