// The QML engine's network access: icons are fetched once and then come from the disk cache,
// and every request introduces itself as the catalogue client does.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>

#include <memory>

#include "catalogue/http.hpp"
#include "testkit/fake_catalogue.hpp"
#include "ui/network_cache.hpp"

namespace {
QByteArray fetch(QNetworkAccessManager& manager, const std::string& url) {
  std::unique_ptr<QNetworkReply> reply(manager.get(QNetworkRequest(QUrl(QString::fromStdString(url)))));
  QEventLoop loop;
  QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
  if (!reply->isFinished()) loop.exec();
  return reply->readAll();
}

TEST(NetworkCache, AnIconIsFetchedOnceAndKeptOnDiskAcrossManagers) {
  FakeCatalogue catalogue;
  catalogue.answer(
      "/icon.png",
      {.body = "PNGDATA", .contentType = "image/png", .headers = {{"Cache-Control", "max-age=86400"}}});
  CachingNetworkFactory factory;
  std::unique_ptr<QNetworkAccessManager> first(factory.create(nullptr));
  EXPECT_EQ(fetch(*first, catalogue.url() + "/icon.png"), "PNGDATA");
  ASSERT_EQ(catalogue.requestCount("/icon.png"), 1);
  EXPECT_EQ(catalogue.requests().back().header("user-agent"), Http::userAgent());

  // A later engine (the next start) finds it on disk.
  std::unique_ptr<QNetworkAccessManager> second(factory.create(nullptr));
  EXPECT_EQ(fetch(*second, catalogue.url() + "/icon.png"), "PNGDATA");
  EXPECT_EQ(catalogue.requestCount("/icon.png"), 1);
}
}  // namespace
