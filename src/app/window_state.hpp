#pragma once

#include <QObject>
#include <QUrl>
#include <QVariant>

#include <optional>

#include "app/values.hpp"

class LaunchCheck;

// Which tab and which sheet the window shows. One sheet at a time: while one of the sheet fields
// is set, setting another does nothing, and the commands that open a sheet are off. The launch
// report of `launchCheck` counts as a sheet too.
//
// In QML, the optional records (sharedCode, renaming, detailPackage) are null when absent.
class WindowState : public QObject {
  Q_OBJECT
  Q_PROPERTY(AppEnums::DetailTab tab READ tab WRITE setTab NOTIFY tabChanged)
  Q_PROPERTY(QVariant sharedCode READ sharedCode WRITE setSharedCode NOTIFY sharedCodeChanged)
  Q_PROPERTY(bool showLog READ showLog WRITE setShowLog NOTIFY showLogChanged)
  Q_PROPERTY(bool showHistory READ showHistory WRITE setShowHistory NOTIFY showHistoryChanged)
  Q_PROPERTY(bool showConfig READ showConfig WRITE setShowConfig NOTIFY showConfigChanged)
  Q_PROPERTY(bool showImport READ showImport WRITE setShowImport NOTIFY showImportChanged)
  // A profile file the import sheet imports instead of a code (chosen or dropped); empty for a code.
  Q_PROPERTY(QUrl importFile READ importFile WRITE setImportFile NOTIFY importFileChanged)
  Q_PROPERTY(bool showNewProfile READ showNewProfile WRITE setShowNewProfile NOTIFY showNewProfileChanged)
  Q_PROPERTY(QVariant renaming READ renaming WRITE setRenaming NOTIFY renamingChanged)
  Q_PROPERTY(QVariant detailPackage READ detailPackage WRITE setDetailPackage NOTIFY detailPackageChanged)
  Q_PROPERTY(bool sheetShown READ sheetShown NOTIFY sheetShownChanged)

 public:
  explicit WindowState(LaunchCheck* launchCheck, QObject* parent = nullptr);

  DetailTab tab() const { return tab_; }
  void setTab(DetailTab tab);
  QVariant sharedCode() const { return toVariant(sharedCode_); }
  std::optional<SharedCode> sharedCodeValue() const { return sharedCode_; }
  void setSharedCode(const QVariant& code);
  bool showLog() const { return showLog_; }
  void setShowLog(bool on);
  bool showHistory() const { return showHistory_; }
  void setShowHistory(bool on);
  bool showConfig() const { return showConfig_; }
  void setShowConfig(bool on);
  bool showImport() const { return showImport_; }
  void setShowImport(bool on);
  QUrl importFile() const { return importFile_; }
  void setImportFile(const QUrl& file);
  bool showNewProfile() const { return showNewProfile_; }
  void setShowNewProfile(bool on);
  QVariant renaming() const { return toVariant(renaming_); }
  void setRenaming(const QVariant& profile);
  QVariant detailPackage() const { return toVariant(detailPackage_); }
  void setDetailPackage(const QVariant& package);
  bool sheetShown() const;

  // A finished operation's sheet (a new code, a dropped profile file) takes the place of the one shown.
  void closeSheets();

 signals:
  void tabChanged();
  void sharedCodeChanged();
  void showLogChanged();
  void showHistoryChanged();
  void showConfigChanged();
  void showImportChanged();
  void importFileChanged();
  void showNewProfileChanged();
  void renamingChanged();
  void detailPackageChanged();
  void sheetShownChanged();

 private:
  // Opening a sheet that is not shown yet waits for no one: it is refused while another is shown.
  bool sheetInTheWay(bool opening, bool shownAlready) const {
    return opening && !shownAlready && sheetShown();
  }

  LaunchCheck* launchCheck_;
  DetailTab tab_ = DetailTab::Installed;
  std::optional<SharedCode> sharedCode_;
  bool showLog_ = false;
  bool showHistory_ = false;
  bool showConfig_ = false;
  bool showImport_ = false;
  QUrl importFile_;
  bool showNewProfile_ = false;
  std::optional<ProfileItem> renaming_;
  std::optional<PackageItem> detailPackage_;
};
