#include "app/unsaved_prompt.hpp"

#include <utility>

QString UnsavedPrompt::message() const {
  if (!pending_) return {};
  const QString& to = pending_->title;
  switch (pending_->why) {
    case Leaving::toFile:
      return gameRunning_ ? tr("Valheim is running, so they can’t be saved now. Open “%1” without them, or "
                               "stay here.")
                                .arg(to)
                          : tr("If you open “%1” without saving, your changes are lost.").arg(to);
    case Leaving::toProfile:
      return gameRunning_
                 ? tr("Valheim is running, so they can’t be saved now. Switch to the profile "
                      "“%1” without them, or stay here.")
                       .arg(to)
                 : tr("If you switch to the profile “%1” without saving, your changes are lost.").arg(to);
    case Leaving::toClose:
      return gameRunning_
                 ? tr("Valheim is running, so they can’t be saved now. Close without them, or stay here.")
                 : tr("If you close without saving, your changes are lost.");
    case Leaving::toPlay:
      return tr(
          "Valheim reads these settings when it starts. If you play without saving, your "
          "changes are lost.");
  }
  return {};
}

void UnsavedPrompt::ask(Pending pending) {
  pending_ = std::move(pending);
  emit changed();
}

std::optional<UnsavedPrompt::Pending> UnsavedPrompt::take() {
  auto pending = std::exchange(pending_, std::nullopt);
  emit changed();
  return pending;
}

void UnsavedPrompt::setGameRunning(bool running) {
  if (running == gameRunning_) return;
  gameRunning_ = running;
  emit changed();
}
