#include "app/config_editor.hpp"

#include <QFileSystemWatcher>

#include <algorithm>

#include "app/background.hpp"
#include "app/describe.hpp"
#include "foundation/fs.hpp"
#include "foundation/text.hpp"

namespace {
namespace fs = std::filesystem;

// A larger text file opens as a sentence rather than a wall of text.
constexpr size_t textLimit = 1u << 20;

QString qpath(const fs::path& p) { return QString::fromStdString(p.string()); }

bool isSettingsFile(const fs::path& p) {
  std::string ext = p.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return ext == ".cfg";
}

struct Opened {
  std::string bytes;
  std::optional<ConfigFile> file;
};
}  // namespace

ConfigEditor::ConfigEditor(QObject* parent)
    : QObject(parent),
      files_(new ConfigFileListModel(this)),
      entries_(new ConfigEntryModel(this)),
      search_(new ConfigSearch(files_, this)),
      prompt_(new UnsavedPrompt(this)),
      watcher_(new QFileSystemWatcher(this)) {
  // Another program replacing the file drops it from the watch; it is watched again when checked.
  connect(watcher_, &QFileSystemWatcher::fileChanged, this, &ConfigEditor::checkDisk);
}

QString ConfigEditor::currentPath() const { return current_ ? qpath(*current_) : QString(); }
QString ConfigEditor::currentName() const { return current_ ? qpath(current_->filename()) : QString(); }

OpenConfigFile ConfigEditor::current() const {
  return {currentPath(), title_, currentName(), settingsFile(), problem_, problemDetail_};
}

bool ConfigEditor::dirty() const {
  if (!current_) return false;
  return settings_ ? entries_->changed() : text_ != originalText_;
}

QString ConfigEditor::titleOf(const fs::path& file) const {
  const ConfigFileInfo* info = files_->find(qpath(file));
  return info ? QString::fromStdString(info->title) : qpath(file.filename());
}

void ConfigEditor::setText(const QString& text) {
  if (text == text_ || !current_ || settings_) return;
  text_ = text;
  emit textChanged();
  emit stateChanged();
}

void ConfigEditor::setFolder(const fs::path& folder) {
  if (folder == folder_) return;
  folder_ = folder;
  if (prompt_->asking()) prompt_->take();
  close();
  files_->setFiles({});
  search_->clear();
  emit folderChanged();
}

void ConfigEditor::setGameRunning(bool running) {
  if (running == gameRunning_) return;
  gameRunning_ = running;
  prompt_->setGameRunning(running);
  emit stateChanged();
  if (!running) refresh();  // the game has just written its files
}

void ConfigEditor::refresh() {
  if (!folder_.empty()) listTask(folder_);
  checkDisk();
}

QCoro::Task<> ConfigEditor::listTask(fs::path folder) {
  listing_ = true;
  emit listingChanged();
  try {
    auto job = background(this, [folder] { return ConfigFolder::list(folder); });
    auto found = co_await job;
    if (folder != folder_) co_return;
    files_->setFiles(std::move(found));
    if (!current_ && !opening_ && files_->total() > 0) request({files_->all().front().path, std::nullopt});
    search_->rerun();
  } catch (const Abandoned&) {
    co_return;
  } catch (...) {
  }
  listing_ = false;
  emit listingChanged();
}

void ConfigEditor::open(const QString& path) {
  fs::path p = path.toStdString();
  if (current_ != p) switchTo({p, std::nullopt});
}

void ConfigEditor::openMatch(int row) {
  const ConfigMatch* m = search_->matches()->matchAt(row);
  if (!m) return;
  Target target{search_->matches()->fileOf(*m).path, m->entry.line};
  if (current_ == target.path)
    setFocusRow(entries_->rowOfLine(m->entry.line));
  else
    switchTo(std::move(target));
}

void ConfigEditor::switchTo(Target target) {
  if (!dirty()) return request(std::move(target));
  const QString title = titleOf(target.path);
  leave(Leaving::toFile, title, [this, target] { request(target); });
}

void ConfigEditor::leave(Leaving why, const QString& towards, std::function<void()> then) {
  if (!dirty()) return then();
  prompt_->ask({towards, why, std::move(then)});
}

void ConfigEditor::saveAndSwitch() {
  auto pending = prompt_->take();
  if (pending) saveTask(std::move(pending->go));
}

// Dropping the changes is opening the other file over them, or the other profile's folder; closing
// the sheet or playing reads the file again first.
void ConfigEditor::discardAndSwitch() {
  auto pending = prompt_->take();
  if (!pending) return;
  if (pending->why == Leaving::toClose || pending->why == Leaving::toPlay) revert();
  pending->go();
}

void ConfigEditor::cancelSwitch() { prompt_->take(); }

void ConfigEditor::request(Target target) {
  opening_ = true;
  emit currentChanged();
  openTask(std::move(target));
}

QCoro::Task<> ConfigEditor::openTask(Target target) {
  unsigned generation = ++generation_;
  bool settings = isSettingsFile(target.path);
  std::optional<Opened> opened;
  QString failure;
  try {
    auto job = background(this, [path = target.path, settings] {
      Opened o{FS::readFile(path, configReadLimit), std::nullopt};
      // Some mods keep plain data under .cfg: a file without a single setting is edited as text.
      if (settings)
        if (auto file = ConfigFile::parse(o.bytes); !file.entries().empty()) o.file = std::move(file);
      return o;
    });
    opened = co_await job;
  } catch (const Abandoned&) {
    co_return;
  } catch (...) {
    failure = describe(std::current_exception());
  }
  if (generation != generation_) co_return;  // another file was opened meanwhile

  current_ = target.path;
  settings_ = opened ? opened->file.has_value() : settings;
  crlf_ = opened && opened->bytes.find("\r\n") != std::string::npos;
  title_ = titleOf(target.path);
  disk_ = opened ? std::move(opened->bytes) : std::string();
  problem_ = opened ? QString() : tr("“%1” can’t be read.").arg(currentName());
  problemDetail_ = failure;
  text_ = originalText_ = QString();
  entries_->setFile(opened ? std::move(opened->file) : std::nullopt);
  if (opened && !settings_) {
    if (disk_.size() > textLimit)
      problem_ = tr("This file is too large to edit here.");
    else if (disk_.find('\0') != std::string::npos || !Text::isValidUTF8(disk_))
      problem_ = tr("This file isn’t plain text, so it can’t be edited here.");
    else
      text_ = originalText_ =
          QString::fromStdString(disk_).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  }
  settle();
  setFocusRow(target.line ? entries_->rowOfLine(*target.line) : -1);
}

void ConfigEditor::close() {
  ++generation_;
  current_.reset();
  title_.clear();
  disk_.clear();
  problem_.clear();
  problemDetail_.clear();
  text_ = originalText_ = QString();
  entries_->setFile(std::nullopt);
  settle();
}

void ConfigEditor::settle() {
  opening_ = false;
  conflict_ = false;
  watch();
  emit currentChanged();
  emit textChanged();
  emit stateChanged();
}

void ConfigEditor::watch() {
  if (!watcher_->files().isEmpty()) watcher_->removePaths(watcher_->files());
  if (current_ && problem_.isEmpty()) watcher_->addPath(qpath(*current_));
}

void ConfigEditor::setFocusRow(int row) {
  // Through -1, so that showing the same setting again scrolls to it again.
  focusRow_ = -1;
  emit focusRowChanged();
  if (row < 0) return;
  focusRow_ = row;
  emit focusRowChanged();
}

void ConfigEditor::setConflict(bool on) {
  if (on == conflict_) return;
  conflict_ = on;
  emit stateChanged();
}
