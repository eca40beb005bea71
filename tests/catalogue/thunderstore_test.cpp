// The catalogue client against the fake service over real HTTP on the loopback interface.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <optional>

#include "catalogue/endpoints.hpp"
#include "catalogue/thunderstore.hpp"
#include "catalogue/thunderstore_seams.hpp"
#include "foundation/app_error.hpp"
#include "foundation/app_version.hpp"
#include "foundation/fs.hpp"
#include "foundation/paths.hpp"
#include "support/fake_catalogue.hpp"
#include "support/temp_home.hpp"

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::StrEq;
using testing::ThrowsMessage;

namespace {
const std::string offlineMessage =
    "Couldn’t download the mod list from Thunderstore. Check your internet connection.";

std::string logText() {
  return FS::exists(Paths::logFile()) ? FS::readFile(Paths::logFile()) : "";
}

fs::path cacheFile() { return Paths::cache() / "valheim-index.json"; }

// A package list of packages "Team-<name>", one version each.
std::string packageList(const std::vector<std::string>& names) {
  std::string json = "[";
  for (const auto& name : names) {
    if (json.size() > 1) json += ',';
    json += R"({"name": ")" + name + R"(", "full_name": "Team-)" + name +
            R"(", "owner": "Team", "versions": [{"version_number": "1.0.0"}]})";
  }
  return json + "]";
}

TSPackage package(const std::string& name) {
  return {.fullName = "Team-" + name, .owner = "Team", .name = name,
          .pageURL = "https://example.com/" + name + "/", .latest = "1.0.0",
          .versions = {"1.0.0"}};
}

// A cache file holding `names`, last written `age` ago.
void writeCache(const std::vector<std::string>& names, std::chrono::seconds age) {
  std::vector<TSPackage> packages;
  for (const auto& name : names) packages.push_back(package(name));
  FS::mkdir(Paths::cache());
  FS::writeAtomic(cacheFile(), Thunderstore::encodeCache(packages));
  fs::last_write_time(cacheFile(), fs::file_time_type::clock::now() - age);
}

std::vector<std::string> names(const std::vector<TSPackage>& packages) {
  std::vector<std::string> out;
  for (const auto& p : packages) out.push_back(p.name);
  return out;
}

// An address where nothing listens: the port of a fake that has stopped.
std::string closedAddress() {
  return FakeCatalogue().url();
}

class CatalogueClient : public testing::Test {
 protected:
  void SetUp() override { TestHome::clear(); }
  void TearDown() override {
    Thunderstore::waitForCacheWrites();
    Thunderstore::setTimeoutScale(1);
  }

  void goOffline() {
    std::string closed = closedAddress();
    setEndpoints({closed, closed, closed, closed});
  }

  FakeCatalogue fake;
};

using IndexLoad = CatalogueClient;

TEST_F(IndexLoad, FreshCacheServesWithoutRequestUnlessRefreshing) {
  writeCache({"Cached"}, 1h);
  fake.setPackageList(packageList({"Fresh"}));

  EXPECT_EQ(names(Thunderstore::loadIndex(false)), std::vector<std::string>{"Cached"});
  EXPECT_EQ(fake.requestCount(FakeCatalogue::indexPath), 0);

  EXPECT_EQ(names(Thunderstore::loadIndex(true)), std::vector<std::string>{"Fresh"});
  EXPECT_EQ(fake.requestCount(FakeCatalogue::indexPath), 1);
}

TEST_F(IndexLoad, CacheOfExactlySixHoursIsStale) {
  writeCache({"Cached"}, 21600s);
  fake.setPackageList(packageList({"Fresh"}));
  EXPECT_EQ(names(Thunderstore::loadIndex(false)), std::vector<std::string>{"Fresh"});
}

TEST_F(IndexLoad, DownloadLogsReplacesCacheAndDropsLegacyFile) {
  writeCache({"Cached"}, 48h);
  FS::writeAtomic(Paths::cache() / "valheim-packages.json", "[]");
  std::string list = packageList({"A", "B"});
  fake.setPackageList(list);

  auto packages = Thunderstore::loadIndex(false);
  EXPECT_EQ(names(packages), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(packages[0].pageURL, fake.url() + "/c/valheim/p/Team/A/");
  EXPECT_FALSE(FS::exists(Paths::cache() / "valheim-packages.json"));
  EXPECT_NE(logText().find(" index download: http=200 bytes=" + std::to_string(list.size()) +
                           " (0s)\n"),
            std::string::npos);

  Thunderstore::waitForCacheWrites();
  EXPECT_EQ(Thunderstore::decodeCache(FS::readFile(cacheFile())), packages);
  EXPECT_LT(*Thunderstore::cacheAge(), 60);
}

TEST_F(IndexLoad, GzipEncodedListIsDecoded) {
  std::string list = packageList({"Zipped"});
  fake.setPackageList(list, true);
  EXPECT_EQ(names(Thunderstore::loadIndex(true)), std::vector<std::string>{"Zipped"});
  EXPECT_NE(logText().find("bytes=" + std::to_string(list.size()) + " "), std::string::npos);
}

TEST_F(IndexLoad, ServiceErrorFallsBackToCacheOfAnyAge) {
  writeCache({"Old"}, 72h);
  fake.serve(FakeCatalogue::indexPath, "busy", 503);

  EXPECT_EQ(names(Thunderstore::loadIndex(false)), std::vector<std::string>{"Old"});
  EXPECT_NE(logText().find(" index download: http=503 bytes=4 (0s)\n"), std::string::npos);
  EXPECT_NE(logText().find(" index download failed: Thunderstore returned an error (503).\n"),
            std::string::npos);
}

TEST_F(IndexLoad, ServiceErrorWithoutCacheThrowsConnectionMessage) {
  fake.serve(FakeCatalogue::indexPath, "busy", 503);
  EXPECT_THAT([] { Thunderstore::loadIndex(false); }, ThrowsMessage<AppError>(StrEq(offlineMessage)));
  EXPECT_FALSE(Thunderstore::cacheAge());
}

TEST_F(IndexLoad, OfflineLogsTransportErrorAndServesOldCache) {
  writeCache({"Old"}, 72h);
  goOffline();
  EXPECT_EQ(names(Thunderstore::loadIndex(true)), std::vector<std::string>{"Old"});
  auto log = logText();
  EXPECT_NE(log.find(" index download failed: Failed to connect to 127.0.0.1 port"),
            std::string::npos)
      << log;
  EXPECT_EQ(log.find("index download: http="), std::string::npos);
}

TEST_F(IndexLoad, CorruptFreshCacheIsNeitherServedNorFallback) {
  FS::mkdir(Paths::cache());
  FS::writeAtomic(cacheFile(), R"([{"fullName": "Team-Broken"}])");
  fake.setPackageList(packageList({"Fresh"}));
  EXPECT_EQ(names(Thunderstore::loadIndex(false)), std::vector<std::string>{"Fresh"});

  Thunderstore::waitForCacheWrites();
  FS::writeAtomic(cacheFile(), "[{");
  goOffline();
  EXPECT_THAT([] { Thunderstore::loadIndex(false); }, ThrowsMessage<AppError>(StrEq(offlineMessage)));
}

TEST_F(IndexLoad, UndecodableOrCutShortListFallsBack) {
  writeCache({"Old"}, 72h);
  fake.setPackageList(R"([{"name": "NoFullName", "versions": []}])");
  EXPECT_EQ(names(Thunderstore::loadIndex(true)), std::vector<std::string>{"Old"});

  fake.answer(FakeCatalogue::indexPath, {.body = packageList({"A", "B", "C"}), .truncated = true});
  EXPECT_EQ(names(Thunderstore::loadIndex(true)), std::vector<std::string>{"Old"});
  EXPECT_NE(logText().find(" index download failed: transfer closed with"), std::string::npos)
      << logText();
}

TEST_F(IndexLoad, SlowServiceTimesOut) {
  Thunderstore::setTimeoutScale(0.0005);  // 180 s become 90 ms
  writeCache({"Old"}, 72h);
  fake.answer(FakeCatalogue::indexPath, {.body = packageList({"Late"}), .delayMs = 2000});

  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(names(Thunderstore::loadIndex(true)), std::vector<std::string>{"Old"});
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
  EXPECT_NE(logText().find(" index download failed: Operation timed out"), std::string::npos)
      << logText();
}

TEST_F(CatalogueClient, RequestsCarryUserAgentAndAcceptCompression) {
  fake.setLatest("Team", "Mod", "1.0.0");
  Thunderstore::latestVersion("Team", "Mod");

  const auto& agent = Thunderstore::userAgent();
  EXPECT_TRUE(agent.starts_with("Quernhold/" + std::string(App::version) + " (macOS; +"))
      << agent;
  EXPECT_TRUE(agent.ends_with(")"));
  ASSERT_EQ(fake.requests().size(), 1u);
  EXPECT_EQ(fake.requests()[0].header("user-agent"), agent);
  EXPECT_NE(fake.requests()[0].header("accept-encoding").find("gzip"), std::string::npos);
}

TEST_F(CatalogueClient, IconAddressOnlyWhenValid) {
  EXPECT_EQ(Thunderstore::iconURL("Team", "Mod", "1.2.3"),
            fake.url() + "/live/repository/icons/Team-Mod-1.2.3.png");
  EXPECT_EQ(Thunderstore::iconURL("Team", "My Mod", "1.2.3"), std::nullopt);
}

TEST_F(CatalogueClient, LatestVersion) {
  fake.setLatest("Team", "Mod", "1.2.3");
  fake.serve(FakeCatalogue::latestPath("Team", "Html"), "<html>");
  fake.serve(FakeCatalogue::latestPath("Team", "Number"), R"({"latest": {"version_number": 3}})");

  EXPECT_EQ(Thunderstore::latestVersion("Team", "Mod"), "1.2.3");
  EXPECT_EQ(Thunderstore::latestVersion("Team", "Missing"), std::nullopt);
  EXPECT_EQ(Thunderstore::latestVersion("Team", "Html"), std::nullopt);
  EXPECT_EQ(Thunderstore::latestVersion("Team", "Number"), std::nullopt);
  auto log = logText();
  EXPECT_EQ(log.find("latest lookup failed: Team-Mod"), std::string::npos);
  EXPECT_NE(log.find(" latest lookup failed: Team-Missing\n"), std::string::npos);
  EXPECT_NE(log.find(" latest lookup failed: Team-Number\n"), std::string::npos);
}

TEST_F(CatalogueClient, DownloadFollowsRedirectAndReportsProgress) {
  std::string archive(300000, 'z');
  fake.addPackage("Team", "Mod", "1.0.0", archive);
  fs::path to = TestHome::path() / "downloads" / "Team-Mod.zip";

  std::vector<int64_t> received;
  std::optional<int64_t> expected;
  Thunderstore::download(Thunderstore::downloadURL("Team", "Mod", "1.0.0"), to,
                         [&](int64_t now, std::optional<int64_t> total) {
                           received.push_back(now);
                           if (total) expected = total;
                         });
  EXPECT_EQ(FS::readFile(to), archive);
  ASSERT_FALSE(received.empty());
  EXPECT_TRUE(std::is_sorted(received.begin(), received.end()));
  EXPECT_EQ(received.back(), int64_t(archive.size()));
  EXPECT_EQ(expected, int64_t(archive.size()));
}

TEST_F(CatalogueClient, FailedDownloadLeavesDestinationUntouched) {
  fs::path to = TestHome::path() / "Team-Mod.zip";
  FS::writeAtomic(to, "previous");
  std::string url = Thunderstore::downloadURL("Team", "Gone", "1.0.0");
  EXPECT_THAT([&] { Thunderstore::download(url, to); },
              ThrowsMessage<AppError>(StrEq("Download failed (404): " + url)));
  EXPECT_NE(logText().find(" download failed http=404: " + url + "\n"), std::string::npos);

  fake.answer("/cut", {.body = std::string(1000, 'x'), .truncated = true});
  EXPECT_THROW(Thunderstore::download(fake.url() + "/cut", to), Thunderstore::NetworkError);
  EXPECT_EQ(FS::readFile(to), "previous");
}

TEST_F(CatalogueClient, UpdateNotice) {
  std::string running = "1.4.0";
  fake.setUpdateNotice(R"({"version": "1.4.0"})");
  EXPECT_EQ(Thunderstore::fetchUpdateNotice(running), std::nullopt);
  EXPECT_EQ(fake.requests().back().header("cache-control"), "no-cache");

  fake.setUpdateNotice(R"({"page": "https://quernhold.app/download"})");
  EXPECT_EQ(Thunderstore::fetchUpdateNotice(running), std::nullopt);
  fake.serve(FakeCatalogue::updateNoticePath, R"({"version": "9.0.0"})", 500);
  EXPECT_EQ(Thunderstore::fetchUpdateNotice(running), std::nullopt);
  EXPECT_EQ(logText(), "");

  fake.setUpdateNotice(R"({"version": "1.10.0", "notes": "Faster.", "page": null})");
  EXPECT_EQ(Thunderstore::fetchUpdateNotice(running),
            (AppUpdate{.version = "1.10.0", .notes = "Faster."}));
  EXPECT_NE(logText().find(" app update available: 1.4.0 -> 1.10.0\n"), std::string::npos);
}
}  // namespace
