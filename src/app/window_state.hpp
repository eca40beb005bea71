#pragma once

#include <QObject>
#include <QVariant>

#include "app/values.hpp"

class LaunchCheck;

// Which tab and which sheet the window shows. One sheet at a time: opening one is refused while
// another shows, and the commands that open a sheet are off meanwhile. Closing names the sheet it
// closes, so that a late close cannot shut the sheet that took its place.
class WindowState : public QObject {
  Q_OBJECT
  Q_PROPERTY(AppEnums::DetailTab tab READ tab WRITE setTab NOTIFY tabChanged)
  Q_PROPERTY(Sheet sheet READ sheet NOTIFY sheetChanged)
  // What the sheet shows: the profile renamed (ProfileItem), the package (PackageItem), the new code
  // (SharedCode), the profile file imported instead of a code (a file URL); null otherwise.
  Q_PROPERTY(QVariant payload READ payload NOTIFY payloadChanged)
  Q_PROPERTY(bool sheetShown READ sheetShown NOTIFY sheetShownChanged)

 public:
  // The launch report opens only while there is a report, and closes when a new launch drops it.
  // The update review fills itself with the selected profile's updates when it opens.
  enum class Sheet {
    None,
    Log,
    History,
    Config,
    Import,
    NewProfile,
    Rename,
    Package,
    Share,
    LaunchReport,
    UpdateReview
  };
  Q_ENUM(Sheet)

  explicit WindowState(LaunchCheck* launchCheck, QObject* parent = nullptr);

  DetailTab tab() const { return tab_; }
  void setTab(DetailTab tab);
  Sheet sheet() const { return sheet_; }
  QVariant payload() const { return payload_; }
  bool sheetShown() const { return sheet_ != Sheet::None; }

  // Shows `sheet` with `payload`; refused (false) while another sheet shows.
  Q_INVOKABLE bool open(WindowState::Sheet sheet, const QVariant& payload = {});
  // Closes `sheet` if it is the one shown; any other is left alone.
  Q_INVOKABLE void close(WindowState::Sheet sheet);
  // What a finished operation shows (a new code, a dropped profile file) takes the place of any
  // sheet shown.
  void replace(Sheet sheet, const QVariant& payload = {});

 signals:
  void tabChanged();
  void sheetChanged();
  void payloadChanged();
  void sheetShownChanged();

 private:
  void show(Sheet sheet, const QVariant& payload);

  LaunchCheck* launchCheck_;
  DetailTab tab_ = DetailTab::Installed;
  Sheet sheet_ = Sheet::None;
  QVariant payload_;
};
