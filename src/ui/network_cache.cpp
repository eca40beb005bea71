#include "ui/network_cache.hpp"

#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QNetworkRequest>

#include "app/values.hpp"
#include "catalogue/http.hpp"
#include "foundation/paths.hpp"

namespace {
class Manager : public QNetworkAccessManager {
 public:
  using QNetworkAccessManager::QNetworkAccessManager;

 protected:
  QNetworkReply* createRequest(Operation op, const QNetworkRequest& original, QIODevice* data) override {
    QNetworkRequest request(original);
    if (!request.hasRawHeader("User-Agent"))
      request.setHeader(QNetworkRequest::UserAgentHeader, qs(Http::userAgent()));
    // Icons rarely change: a cached copy is good enough, the network is asked only without one.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::PreferCache);
    return QNetworkAccessManager::createRequest(op, request, data);
  }
};
}  // namespace

CachingNetworkFactory::CachingNetworkFactory(QString folder, qint64 maxBytes)
    : folder_(folder.isEmpty() ? qpath(Paths::cache() / "images") : std::move(folder)), maxBytes_(maxBytes) {}

QNetworkAccessManager* CachingNetworkFactory::create(QObject* parent) {
  auto* manager = new Manager(parent);
  auto* cache = new QNetworkDiskCache(manager);
  cache->setCacheDirectory(folder_);
  cache->setMaximumCacheSize(maxBytes_);
  manager->setCache(cache);
  // A redirect loop ends after a few hops instead of going on for ever.
  manager->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
  return manager;
}
