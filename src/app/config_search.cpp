#include "app/config_search.hpp"

#include "app/background.hpp"

namespace {
constexpr size_t searchLimit = 200;
}  // namespace

ConfigSearch::ConfigSearch(const ConfigFileListModel* files, QObject* parent)
    : QObject(parent), files_(files), matches_(new ConfigMatchModel(this)) {}

void ConfigSearch::setQuery(const QString& query) {
  if (query == query_) return;
  query_ = query;
  emit queryChanged();
  searchTask(query);
}

void ConfigSearch::rerun() {
  if (!query_.trimmed().isEmpty()) searchTask(query_);
}

void ConfigSearch::clear() { matches_->setMatches({}, {}); }

QCoro::Task<> ConfigSearch::searchTask(QString query) {
  unsigned generation = ++generation_;
  std::vector<ConfigFileInfo> files = files_->all();
  if (query.trimmed().isEmpty()) {
    matches_->setMatches({}, {});
    searching_ = false;
    emit searchingChanged();
    co_return;
  }
  searching_ = true;
  emit searchingChanged();
  try {
    auto job = background(
        this, [files, q = query.toStdString()] { return ConfigFolder::search(files, q, searchLimit); });
    auto found = co_await job;
    if (generation != generation_) co_return;  // a newer search replaces this one
    matches_->setMatches(std::move(files), std::move(found));
  } catch (const Abandoned&) {
    co_return;
  } catch (...) {
    matches_->setMatches({}, {});
  }
  searching_ = false;
  emit searchingChanged();
}
