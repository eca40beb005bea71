#include "app/window_state.hpp"

#include "app/assign.hpp"
#include "app/launch_check.hpp"

WindowState::WindowState(LaunchCheck* launchCheck, QObject* parent)
    : QObject(parent), launchCheck_(launchCheck) {
  connect(launchCheck_, &LaunchCheck::shownChanged, this, &WindowState::sheetShownChanged);
}

void WindowState::setTab(DetailTab tab) { assign(this, tab_, tab, &WindowState::tabChanged); }
void WindowState::setShowLog(bool on) {
  if (sheetInTheWay(on, showLog_)) return;
  if (assign(this, showLog_, on, &WindowState::showLogChanged)) emit sheetShownChanged();
}
void WindowState::setShowHistory(bool on) {
  if (sheetInTheWay(on, showHistory_)) return;
  if (assign(this, showHistory_, on, &WindowState::showHistoryChanged)) emit sheetShownChanged();
}
void WindowState::setShowConfig(bool on) {
  if (sheetInTheWay(on, showConfig_)) return;
  if (assign(this, showConfig_, on, &WindowState::showConfigChanged)) emit sheetShownChanged();
}
void WindowState::setShowImport(bool on) {
  if (sheetInTheWay(on, showImport_)) return;
  if (assign(this, showImport_, on, &WindowState::showImportChanged)) emit sheetShownChanged();
}
void WindowState::setImportFile(const QUrl& file) {
  assign(this, importFile_, file, &WindowState::importFileChanged);
}
void WindowState::setShowNewProfile(bool on) {
  if (sheetInTheWay(on, showNewProfile_)) return;
  if (assign(this, showNewProfile_, on, &WindowState::showNewProfileChanged)) emit sheetShownChanged();
}
void WindowState::setSharedCode(const QVariant& code) {
  auto value = fromVariant<SharedCode>(code);
  if (sheetInTheWay(value.has_value(), sharedCode_.has_value())) return;
  if (assign(this, sharedCode_, std::move(value), &WindowState::sharedCodeChanged)) emit sheetShownChanged();
}
void WindowState::setRenaming(const QVariant& profile) {
  auto value = fromVariant<ProfileItem>(profile);
  if (sheetInTheWay(value.has_value(), renaming_.has_value())) return;
  if (assign(this, renaming_, std::move(value), &WindowState::renamingChanged)) emit sheetShownChanged();
}
void WindowState::setDetailPackage(const QVariant& package) {
  auto value = fromVariant<PackageItem>(package);
  if (sheetInTheWay(value.has_value(), detailPackage_.has_value())) return;
  if (assign(this, detailPackage_, std::move(value), &WindowState::detailPackageChanged))
    emit sheetShownChanged();
}

bool WindowState::sheetShown() const {
  return showNewProfile_ || renaming_ || showImport_ || sharedCode_ || showLog_ || showHistory_ ||
         showConfig_ || detailPackage_ || launchCheck_->shown();
}

void WindowState::closeSheets() {
  setShowNewProfile(false);
  setRenaming({});
  setShowImport(false);
  setSharedCode({});
  setShowLog(false);
  setShowHistory(false);
  setShowConfig(false);
  setDetailPackage({});
  launchCheck_->setShown(false);
}
