// The catalogue client against the fake service over real HTTP on the loopback interface.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

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
using Names = std::vector<std::string>;
using testing::StrEq;
using testing::ThrowsMessage;

namespace {
const auto offline = ThrowsMessage<AppError>(
    StrEq("Couldn’t download the mod list from Thunderstore. Check your internet connection."));

std::string logText() { return FS::exists(Paths::logFile()) ? FS::readFile(Paths::logFile()) : ""; }
fs::path cacheFile() { return Paths::cache() / "valheim-index.json"; }

// A package list of packages "Team-<name>", one version each.
std::string packageList(const Names& names) {
  std::string json;
  for (const auto& name : names)
    json += (json.empty() ? "" : ",") + (R"({"name": ")" + name + R"(", "full_name": "Team-)" + name +
                                         R"(", "owner": "Team", "versions": [{"version_number": "1.0.0"}]})");
  return "[" + json + "]";
}

// A cache file holding `names`, last written `age` ago.
void writeCache(const Names& names, std::chrono::seconds age) {
  std::vector<TSPackage> packages;
  for (const auto& name : names)
    packages.push_back({.fullName = "Team-" + name, .owner = "Team", .name = name, .latest = "1", .versions = {"1"}});
  FS::mkdir(Paths::cache());
  FS::writeAtomic(cacheFile(), Thunderstore::encodeCache(packages));
  fs::last_write_time(cacheFile(), fs::file_time_type::clock::now() - age);
}

Names load(bool refresh) {
  Names out;
  for (const auto& p : Thunderstore::loadIndex(refresh)) out.push_back(p.name);
  return out;
}

class CatalogueClient : public testing::Test {
 protected:
  void SetUp() override { TestHome::clear(); }
  void TearDown() override {
    Thunderstore::waitForCacheWrites();
    Thunderstore::setTimeoutScale(1);
  }
  void goOffline() {
    std::string closed = FakeCatalogue().url();  // the port of a fake that has stopped
    setEndpoints({closed, closed, closed, closed});
  }
  FakeCatalogue fake;
};

using IndexLoad = CatalogueClient;

TEST_F(IndexLoad, ACacheYoungerThanSixHoursServesWithoutRequestUnlessRefreshing) {
  fake.setPackageList(packageList({"Fresh"}));
  writeCache({"Cached"}, 5h + 59min);
  EXPECT_EQ(load(false), Names{"Cached"});
  EXPECT_EQ(fake.requestCount(FakeCatalogue::indexPath), 0);
  EXPECT_EQ(load(true), Names{"Fresh"});
  Thunderstore::waitForCacheWrites();
  writeCache({"Cached"}, 6h);
  EXPECT_EQ(load(false), Names{"Fresh"});
  EXPECT_EQ(fake.requestCount(FakeCatalogue::indexPath), 2);
}

TEST_F(IndexLoad, AGzippedDownloadIsLoggedReplacesTheCacheAndDropsTheLegacyFile) {
  writeCache({"Cached"}, 48h);
  FS::writeAtomic(Paths::cache() / "valheim-packages.json", "[]");
  const std::string list = packageList({"A", "B"});
  fake.setPackageList(list, true);

  auto packages = Thunderstore::loadIndex(false);
  ASSERT_EQ(packages.size(), 2u);
  EXPECT_EQ(packages[1].pageURL, fake.url() + "/c/valheim/p/Team/B/");
  EXPECT_FALSE(FS::exists(Paths::cache() / "valheim-packages.json"));
  EXPECT_NE(logText().find(" index download: http=200 bytes=" + std::to_string(list.size()) + " (0s)\n"),
            std::string::npos);
  Thunderstore::waitForCacheWrites();
  EXPECT_EQ(Thunderstore::decodeCache(FS::readFile(cacheFile())), packages);
  EXPECT_LT(*Thunderstore::cacheAge(), 60);
}

TEST_F(IndexLoad, EveryDownloadFailureIsLoggedAndFallsBackToACacheOfAnyAge) {
  struct Case {
    std::string why;
    std::function<void()> arrange;
    std::vector<std::string> logged;
  };
  const std::vector<Case> cases = {
      {"service error", [&] { fake.serve(FakeCatalogue::indexPath, "busy", 503); },
       {" index download: http=503 bytes=4 (0s)\n",
        " index download failed: Thunderstore returned an error (503).\n"}},
      {"undecodable", [&] { fake.setPackageList(R"([{"name": "NoFullName", "versions": []}])"); },
       {" index download failed: package list: element 0: missing \"full_name\"\n"}},
      {"cut short",
       [&] { fake.answer(FakeCatalogue::indexPath, {.body = packageList({"A", "B", "C"}), .truncated = true}); },
       {" index download failed: transfer closed with"}},
      {"slow",
       [&] {
         Thunderstore::setTimeoutScale(0.0005);  // 180 s become 90 ms
         fake.answer(FakeCatalogue::indexPath, {.body = packageList({"Late"}), .delayMs = 2000});
       },
       {" index download failed: Operation timed out"}},
      {"offline", [&] { goOffline(); }, {" index download failed: Failed to connect to 127.0.0.1 port"}},
  };
  writeCache({"Old"}, 72h);
  for (const auto& c : cases) {
    const size_t logged = logText().size();
    c.arrange();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(load(true), Names{"Old"}) << c.why;
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s) << c.why;
    const std::string log = logText().substr(logged);
    for (const auto& line : c.logged) EXPECT_NE(log.find(line), std::string::npos) << c.why << "\n" << log;
    if (c.why == "offline") EXPECT_EQ(log.find("index download: http="), std::string::npos);
  }
}

TEST_F(IndexLoad, WithoutAReadableCacheAFailureThrowsTheConnectionMessage) {
  fake.serve(FakeCatalogue::indexPath, "busy", 503);
  EXPECT_THAT([] { Thunderstore::loadIndex(false); }, offline);
  EXPECT_FALSE(Thunderstore::cacheAge());
  FS::mkdir(Paths::cache());
  FS::writeAtomic(cacheFile(), R"([{"fullName": "Team-Broken"}])");  // fresh but corrupt: neither served nor a fallback
  EXPECT_THAT([] { Thunderstore::loadIndex(false); }, offline);
  EXPECT_EQ(fake.requestCount(FakeCatalogue::indexPath), 2);
}

TEST_F(CatalogueClient, RequestsCarryTheUserAgentAndAcceptCompression) {
  fake.setLatest("Team", "Mod", "1.0.0");
  Thunderstore::latestVersion("Team", "Mod");
  const auto& agent = Thunderstore::userAgent();
  EXPECT_TRUE(agent.starts_with("Quernhold/" + std::string(App::version) + " (macOS; +") && agent.ends_with(")"));
  ASSERT_EQ(fake.requests().size(), 1u);
  EXPECT_EQ(fake.requests()[0].header("user-agent"), agent);
  EXPECT_NE(fake.requests()[0].header("accept-encoding").find("gzip"), std::string::npos);
}

TEST_F(CatalogueClient, IconAddressOnlyWhenValid) {
  EXPECT_EQ(Thunderstore::iconURL("Team", "Mod", "1.2.3"), fake.url() + "/live/repository/icons/Team-Mod-1.2.3.png");
  EXPECT_EQ(Thunderstore::iconURL("Team", "My Mod", "1.2.3"), std::nullopt);
}

TEST_F(CatalogueClient, LatestVersionIsNulloptOnAnyBadAnswer) {
  fake.setLatest("Team", "Mod", "1.2.3");
  fake.serve(FakeCatalogue::latestPath("Team", "Html"), "<html>");
  fake.serve(FakeCatalogue::latestPath("Team", "Number"), R"({"latest": {"version_number": 3}})");
  EXPECT_EQ(Thunderstore::latestVersion("Team", "Mod"), "1.2.3");
  for (const char* name : {"Missing", "Html", "Number"})
    EXPECT_EQ(Thunderstore::latestVersion("Team", name), std::nullopt) << name;
  const auto log = logText();
  EXPECT_EQ(log.find("latest lookup failed: Team-Mod"), std::string::npos);
  EXPECT_NE(log.find(" latest lookup failed: Team-Missing\n"), std::string::npos);
  EXPECT_NE(log.find(" latest lookup failed: Team-Number\n"), std::string::npos);
}

TEST_F(CatalogueClient, DownloadFollowsTheRedirectAndReportsProgress) {
  const std::string archive(300000, 'z');
  fake.addPackage("Team", "Mod", "1.0.0", archive);
  const fs::path to = TestHome::path() / "downloads" / "Team-Mod.zip";
  std::vector<int64_t> received;
  std::optional<int64_t> expected;
  Thunderstore::download(Thunderstore::downloadURL("Team", "Mod", "1.0.0"), to, [&](int64_t now, auto total) {
    received.push_back(now);
    if (total) expected = total;
  });
  EXPECT_EQ(FS::readFile(to), archive);
  ASSERT_FALSE(received.empty());
  EXPECT_TRUE(std::is_sorted(received.begin(), received.end()));
  EXPECT_EQ(received.back(), int64_t(archive.size()));
  EXPECT_EQ(expected, int64_t(archive.size()));
}

TEST_F(CatalogueClient, AFailedDownloadLeavesTheDestinationUntouched) {
  const fs::path to = TestHome::path() / "Team-Mod.zip";
  FS::writeAtomic(to, "previous");
  const std::string url = Thunderstore::downloadURL("Team", "Gone", "1.0.0");
  EXPECT_THAT([&] { Thunderstore::download(url, to); },
              ThrowsMessage<AppError>(StrEq("Download failed (404): " + url)));
  EXPECT_NE(logText().find(" download failed http=404: " + url + "\n"), std::string::npos);
  fake.answer("/cut", {.body = std::string(1000, 'x'), .truncated = true});
  EXPECT_THROW(Thunderstore::download(fake.url() + "/cut", to), Thunderstore::NetworkError);
  EXPECT_EQ(FS::readFile(to), "previous");
}

TEST_F(CatalogueClient, AnUpdateIsNoticedOnlyForANewerVersion) {
  fake.setUpdateNotice(R"({"version": "1.4.0"})");
  EXPECT_EQ(Thunderstore::fetchUpdateNotice("1.4.0"), std::nullopt);
  EXPECT_EQ(fake.requests().back().header("cache-control"), "no-cache");
  fake.setUpdateNotice(R"({"page": "https://quernhold.app/download"})");
  EXPECT_EQ(Thunderstore::fetchUpdateNotice("1.4.0"), std::nullopt);
  fake.serve(FakeCatalogue::updateNoticePath, R"({"version": "9.0.0"})", 500);
  EXPECT_EQ(Thunderstore::fetchUpdateNotice("1.4.0"), std::nullopt);
  EXPECT_EQ(logText(), "");

  fake.setUpdateNotice(R"({"version": "1.10.0", "notes": "Faster.", "page": null})");
  EXPECT_EQ(Thunderstore::fetchUpdateNotice("1.4.0"), (AppUpdate{.version = "1.10.0", .notes = "Faster."}));
  EXPECT_NE(logText().find(" app update available: 1.4.0 -> 1.10.0\n"), std::string::npos);
}
}  // namespace
