// The settings sheet's edits, saves and disk checks.
#include <QFileSystemWatcher>

#include "app/background.hpp"
#include "app/config_editor.hpp"
#include "app/describe.hpp"
#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "profiles/config_value.hpp"

namespace {
namespace fs = std::filesystem;
}  // namespace

QString ConfigEditor::valueProblem(int row, const QString& value) const {
  const ConfigEntry* e = entries_->entry(row);
  if (!e) return {};
  return QString::fromStdString(configValueProblem(*e, value.toStdString()).value_or(""));
}

bool ConfigEditor::setValue(int row, const QString& value) {
  if (!entries_->entry(row) || !valueProblem(row, value).isEmpty()) return false;
  entries_->setValue(row, value.toStdString());
  emit stateChanged();
  return true;
}

void ConfigEditor::setFlag(int row, const QString& part, bool on) {
  const ConfigEntry* e = entries_->entry(row);
  if (!e) return;
  std::vector<std::string> parts;
  for (const std::string& p : configList(e->value))
    if (QString::fromStdString(p).compare(part, Qt::CaseInsensitive) != 0) parts.push_back(p);
  if (on) parts.push_back(part.toStdString());
  setValue(row, QString::fromStdString(configFlagValue(*e, parts)));
}

void ConfigEditor::resetToDefault(int row) {
  const ConfigEntry* e = entries_->entry(row);
  if (!e || !e->defaultValue) return;
  entries_->setValue(row, *e->defaultValue);  // the file's own default, even one of another type
  emit stateChanged();
}

void ConfigEditor::save() {
  if (canSave()) saveTask({});
}

void ConfigEditor::revert() {
  if (current_) request({*current_, std::nullopt});
}

void ConfigEditor::keepMine() {
  disk_ = theirs_;  // the next save replaces what is on disk now
  setConflict(false);
}

void ConfigEditor::loadTheirs() { revert(); }

void ConfigEditor::checkDisk() {
  if (current_ && !opening_ && !saving_ && problem_.isEmpty()) checkTask();
}

QCoro::Task<> ConfigEditor::checkTask() {
  unsigned generation = generation_;
  fs::path path = *current_;
  std::string bytes;
  try {
    auto job = background(this, [path] { return FS::readFile(path, configReadLimit); });
    bytes = co_await job;
  } catch (const Abandoned&) {
    co_return;
  } catch (...) {
    co_return;  // gone or unreadable for now: what is here stays, and a save writes it back
  }
  QString watched = QString::fromStdString(path.string());
  if (!watcher_->files().contains(watched)) watcher_->addPath(watched);
  if (generation != generation_ || bytes == disk_) co_return;
  if (!dirty()) {
    request({path, std::nullopt});
    co_return;
  }
  theirs_ = std::move(bytes);
  setConflict(true);
}

QCoro::Task<> ConfigEditor::saveTask(std::function<void()> then) {
  if (!canSave()) co_return;
  unsigned generation = generation_;
  saving_ = true;
  emit stateChanged();
  // What is saved is what is here now; edits made while it is written stay unsaved changes.
  std::vector<std::string> values = entries_->values();
  QString text = text_;
  std::string bytes = settings_ ? entries_->file()->bytes()
                      : crlf_
                          ? QString(text).replace(QStringLiteral("\n"), QStringLiteral("\r\n")).toStdString()
                          : text.toStdString();
  fs::path path = *current_;
  try {
    // A file that changed on disk since it was read is not overwritten unasked.
    auto found = std::make_shared<std::optional<std::string>>();
    std::function<void()> write = [path, bytes, base = disk_, found] {
      std::string now = FS::exists(path) ? FS::readFile(path, configReadLimit) : base;
      if (now != base)
        *found = std::move(now);
      else
        FS::writeAtomic(path, bytes);
    };
    auto job = saveRunner_ ? saveRunner_(path, write) : background(this, write);
    co_await job;
    std::optional<std::string> changed = std::move(*found);
    saving_ = false;
    if (generation != generation_) {
      // Another file or profile was opened meanwhile; what this save leaves behind is not its state.
      emit stateChanged();
      co_return;
    }
    if (changed) {
      theirs_ = std::move(*changed);
      conflict_ = true;
    } else {
      ++generation_;
      disk_ = bytes;
      entries_->markSaved(std::move(values));
      originalText_ = text;
      watch();  // the rename put a new file in place of the watched one
      Log::write("config saved: " + path.filename().string());
      emit saved();
    }
    emit stateChanged();
    if (!changed && then) then();
  } catch (const Abandoned&) {
    co_return;
  } catch (...) {
    saving_ = false;
    QString why = describe(std::current_exception());
    Log::write("error: " + why.toStdString());
    emit stateChanged();
    emit failed(why);
  }
}
