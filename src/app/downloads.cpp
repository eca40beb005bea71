// The download cache as the user sees it: emptying it from the Profile menu.
#include <QLocale>

#include "app/app_state.hpp"
#include "app/background.hpp"
#include "installer/download_cache.hpp"

void AppState::clearDownloadCache() {
  activity_->perform(QStringLiteral("Clearing the download cache…"), [this] { return clearCacheWork(); });
}

QCoro::Task<> AppState::clearCacheWork() {
  auto job = background(this, [] { return DownloadCache::clear(); });
  const uint64_t freed = co_await job;
  if (freed == 0) {
    activity_->setNote(QStringLiteral("The download cache was already empty."));
    co_return;
  }
  const QString size =
      QLocale(QLocale::English).formattedDataSize(qint64(freed), 1, QLocale::DataSizeSIFormat);
  activity_->setNote(QStringLiteral("Cleared the download cache and freed %1.").arg(size));
}
