#include "ui/import_form.hpp"

#include "app/app_state.hpp"
#include "app/text.hpp"

namespace {
template <typename T>
void assign(ImportForm* form, T& field, const T& value) {
  if (field == value) return;
  field = value;
  emit form->changed();
}
}  // namespace

void ImportForm::setApp(AppState* app) {
  if (app_ == app) return;
  if (app_) {
    disconnect(app_->selection(), nullptr, this, nullptr);
    disconnect(app_->profilesModel(), nullptr, this, nullptr);
  }
  app_ = app;
  if (app_) {
    // The problem and the button follow the profiles and the busy state (a derived value's input).
    connect(app_->selection(), &SelectedProfile::changed, this, &ImportForm::changed);
    connect(app_->profilesModel(), &ProfileListModel::countChanged, this, &ImportForm::changed);
    const auto& profiles = app_->profiles();
    replaceID_ = !app_->selectedID().isEmpty() ? app_->selectedID()
                 : profiles.empty()            ? QString()
                                               : qs(profiles.front().id);
  }
  emit changed();
}

void ImportForm::setCode(const QString& code) { assign(this, code_, code); }
void ImportForm::setFile(const QUrl& file) { assign(this, file_, file); }
void ImportForm::setMode(Mode mode) { assign(this, mode_, mode); }
void ImportForm::setName(const QString& name) { assign(this, name_, name); }
void ImportForm::setReplaceID(const QString& id) { assign(this, replaceID_, id); }

QString ImportForm::trimmedName() const { return trimSpacesAndTabs(name_); }

const Profile* ImportForm::target() const {
  return app_ && !replaceID_.isEmpty() ? app_->current(ss(replaceID_)) : nullptr;
}

QString ImportForm::problem() const {
  if (!hasSource()) return {};
  if (mode_ == Replace) return target() ? QString() : tr("Choose the profile to replace.");
  const QString name = trimmedName();
  if (!name.isEmpty() && app_ && app_->nameIsTaken(name))
    return tr("You already have a profile called “%1”.").arg(name);
  return {};
}

bool ImportForm::canImport() const {
  if (!app_ || !hasSource() || !app_->activity()->idle() || !problem().isEmpty()) return false;
  return mode_ == Replace ? target() != nullptr : !trimmedName().isEmpty();
}

QString ImportForm::confirmTitle() const {
  const Profile* target = this->target();
  return tr("Replace “%1”?").arg(target ? qs(target->name) : QString());
}

QString ImportForm::confirmMessage() const {
  const Profile* target = this->target();
  const int mods = target ? int(target->mods.size()) : 0;
  return file_.isEmpty()
             ? tr("Its %1 installed mods will be removed and replaced with the mods from this code. "
                  "This can’t be undone.")
                   .arg(mods)
             : tr("Its %1 installed mods will be removed and replaced with the mods from this file. "
                  "This can’t be undone.")
                   .arg(mods);
}

void ImportForm::paste(const QString& text) {
  const QString code = text.trimmed();
  if (!code.isEmpty()) setCode(code);
}

void ImportForm::submit() {
  if (!canImport()) return;
  if (mode_ == Replace)
    emit confirmationNeeded();
  else
    run();
}

void ImportForm::run() {
  if (!app_) return;
  if (!file_.isEmpty() && mode_ == Replace)
    app_->transfer()->importFileReplacing(file_, replaceID_);
  else if (!file_.isEmpty())
    app_->transfer()->importFileAsNew(file_, trimmedName());
  else if (mode_ == Replace)
    app_->transfer()->importCodeReplacing(trimmedCode(), replaceID_);
  else
    app_->transfer()->importCodeAsNew(trimmedCode(), trimmedName());
  emit started();
}
