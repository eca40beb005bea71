#include "app/window_state.hpp"

#include "app/assign.hpp"
#include "app/launch_check.hpp"

WindowState::WindowState(LaunchCheck* launchCheck, QObject* parent)
    : QObject(parent), launchCheck_(launchCheck) {
  // A new launch drops the last report, and its sheet with it.
  connect(launchCheck_, &LaunchCheck::reportChanged, this, [this] {
    if (!launchCheck_->hasReport()) close(Sheet::LaunchReport);
  });
}

void WindowState::setTab(DetailTab tab) { assign(this, tab_, tab, &WindowState::tabChanged); }

bool WindowState::open(Sheet sheet, const QVariant& payload) {
  if (sheet == Sheet::None || sheet_ != Sheet::None) return false;
  if (sheet == Sheet::LaunchReport && !launchCheck_->hasReport()) return false;
  show(sheet, payload);
  return true;
}

void WindowState::close(Sheet sheet) {
  if (sheet != Sheet::None && sheet == sheet_) show(Sheet::None, {});
}

void WindowState::replace(Sheet sheet, const QVariant& payload) { show(sheet, payload); }

// Both fields change before any signal, so that a sheet made on `sheetChanged` finds its payload.
void WindowState::show(Sheet sheet, const QVariant& payload) {
  const bool wasShown = sheetShown();
  const bool sheetChanges = sheet != sheet_;
  const bool payloadChanges = payload != payload_;
  sheet_ = sheet;
  payload_ = payload;
  if (sheetChanges) emit sheetChanged();
  if (payloadChanges) emit payloadChanged();
  if (wasShown != sheetShown()) emit sheetShownChanged();
}
