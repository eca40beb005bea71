#include "app/config_models.hpp"

#include <QStringList>

#include "profiles/config_value.hpp"

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }

QStringList qlist(const std::vector<std::string>& items) {
  QStringList out;
  for (const auto& s : items) out << q(s);
  return out;
}

double number(const ConfigEntry& e, const std::optional<std::string>& text) {
  return text ? configNumber(e.type, *text).value_or(0) : 0;
}
}  // namespace

// ---- Files

int ConfigFileListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(shown_.size());
}

QVariant ConfigFileListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const ConfigFileInfo& f = files_[shown_[index.row()]];
  switch (role) {
    case Qt::DisplayRole:
    case TitleRole: return q(f.title);
    case RelativeRole: return q(f.relative);
    case PathRole: return QString::fromStdString(f.path.string());
    case SettingsRole: return f.settings;
    default: return {};
  }
}

QHash<int, QByteArray> ConfigFileListModel::roleNames() const {
  return {{TitleRole, "title"}, {RelativeRole, "relative"}, {PathRole, "path"}, {SettingsRole, "settings"}};
}

void ConfigFileListModel::setFiles(std::vector<ConfigFileInfo> files) {
  if (files == files_) return;
  beginResetModel();
  files_ = std::move(files);
  refilter();
  endResetModel();
  emit countChanged();
}

const ConfigFileInfo* ConfigFileListModel::find(const QString& path) const {
  for (const ConfigFileInfo& f : files_)
    if (QString::fromStdString(f.path.string()) == path) return &f;
  return nullptr;
}

void ConfigFileListModel::setFilter(const QString& filter) {
  if (filter == filter_) return;
  beginResetModel();
  filter_ = filter;
  refilter();
  endResetModel();
  emit filterChanged();
  emit countChanged();
}

void ConfigFileListModel::refilter() {
  shown_.clear();
  QString needle = filter_.trimmed();
  for (size_t i = 0; i < files_.size(); ++i)
    if (needle.isEmpty() || q(files_[i].title).contains(needle, Qt::CaseInsensitive) ||
        q(files_[i].relative).contains(needle, Qt::CaseInsensitive))
      shown_.push_back(i);
}

// ---- Settings of the open file

int ConfigEntryModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !file_ ? 0 : int(file_->entries().size());
}

QVariant ConfigEntryModel::data(const QModelIndex& index, int role) const {
  const ConfigEntry* e = entry(index.row());
  if (!index.isValid() || !e) return {};
  switch (role) {
    case SectionRole: return q(e->section);
    case Qt::DisplayRole:
    case KeyRole: return q(e->key);
    case ValueRole: return q(e->value);
    case DescriptionRole: return q(e->description);
    case TypeRole: return q(configKindName(*e));
    case ControlRole: return int(configControl(*e));
    case MinRole: return number(*e, e->rangeMin);
    case MaxRole: return number(*e, e->rangeMax);
    case WholeRole: return configNumber(e->type, "1.5") == std::nullopt;  // integer types refuse a fraction
    case ChoicesRole: return qlist(e->allowedValues);
    case PartsRole: return qlist(configList(e->value));
    case DefaultRole: return q(e->defaultValue.value_or(""));
    case HasDefaultRole: return e->defaultValue.has_value();
    case IsDefaultRole: return configIsDefault(*e, e->value);
    case ChangedRole: return e->value != original_[size_t(index.row())];
    default: return {};
  }
}

QHash<int, QByteArray> ConfigEntryModel::roleNames() const {
  return {{SectionRole, "section"},       {KeyRole, "key"},
          {ValueRole, "value"},           {DescriptionRole, "description"},
          {TypeRole, "typeName"},         {ControlRole, "controlKind"},
          {MinRole, "minimum"},           {MaxRole, "maximum"},
          {WholeRole, "whole"},           {ChoicesRole, "choices"},
          {PartsRole, "parts"},           {DefaultRole, "defaultValue"},
          {HasDefaultRole, "hasDefault"}, {IsDefaultRole, "isDefault"},
          {ChangedRole, "changed"}};
}

void ConfigEntryModel::setFile(std::optional<ConfigFile> file) {
  beginResetModel();
  file_ = std::move(file);
  original_.clear();
  if (file_)
    for (const ConfigEntry& e : file_->entries()) original_.push_back(e.value);
  changed_ = 0;
  endResetModel();
}

const ConfigEntry* ConfigEntryModel::entry(int row) const {
  if (!file_ || row < 0 || row >= rowCount()) return nullptr;
  return &file_->entries()[size_t(row)];
}

void ConfigEntryModel::setValue(int row, const std::string& value) {
  const ConfigEntry* e = entry(row);
  if (!e || e->value == value) return;
  bool was = e->value != original_[size_t(row)];
  file_->setValue(size_t(row), value);
  changed_ += int(e->value != original_[size_t(row)]) - int(was);
  emit dataChanged(index(row), index(row));
}

void ConfigEntryModel::markSaved(std::vector<std::string> values) {
  original_ = std::move(values);
  changed_ = 0;
  for (int row = 0; row < rowCount(); ++row) changed_ += int(entry(row)->value != original_[size_t(row)]);
  if (rowCount() > 0) emit dataChanged(index(0), index(rowCount() - 1), {ChangedRole});
}

std::vector<std::string> ConfigEntryModel::values() const {
  std::vector<std::string> out;
  if (file_)
    for (const ConfigEntry& e : file_->entries()) out.push_back(e.value);
  return out;
}

int ConfigEntryModel::rowOfLine(size_t line) const {
  for (int row = 0; row < rowCount(); ++row)
    if (file_->entries()[size_t(row)].line == line) return row;
  return -1;
}

// ---- Search results

int ConfigMatchModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(matches_.size());
}

QVariant ConfigMatchModel::data(const QModelIndex& index, int role) const {
  const ConfigMatch* m = matchAt(index.row());
  if (!index.isValid() || !m) return {};
  switch (role) {
    case TitleRole: return q(files_[m->file].title);
    case SectionRole: return q(m->entry.section);
    case Qt::DisplayRole:
    case KeyRole: return q(m->entry.key);
    case ValueRole: return q(m->entry.value);
    case DescriptionRole: return q(m->entry.description);
    default: return {};
  }
}

QHash<int, QByteArray> ConfigMatchModel::roleNames() const {
  return {{TitleRole, "title"},
          {SectionRole, "section"},
          {KeyRole, "key"},
          {ValueRole, "value"},
          {DescriptionRole, "description"}};
}

void ConfigMatchModel::setMatches(std::vector<ConfigFileInfo> files, std::vector<ConfigMatch> matches) {
  beginResetModel();
  files_ = std::move(files);
  matches_ = std::move(matches);
  endResetModel();
  emit countChanged();
}

const ConfigMatch* ConfigMatchModel::matchAt(int row) const {
  return row >= 0 && row < rowCount() ? &matches_[size_t(row)] : nullptr;
}
