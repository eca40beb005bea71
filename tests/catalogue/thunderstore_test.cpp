// The catalogue client against the fake service over real HTTP on the loopback interface.
#include <gmock/gmock.h>

#include <functional>

#include "catalogue/endpoints.hpp"
#include "catalogue/thunderstore.hpp"
#include "catalogue/thunderstore_seams.hpp"
#include "foundation/app_error.hpp"
#include "foundation/base64.hpp"
#include "foundation/fs.hpp"
#include "foundation/paths.hpp"
#include "temp_home.hpp"
#include "testkit/fake_catalogue.hpp"

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Names = std::vector<std::string>;

namespace {
auto fails(const std::string& message) { return testing::ThrowsMessage<AppError>(testing::StrEq(message)); }
std::string logText() { return FS::exists(Paths::logFile()) ? FS::readFile(Paths::logFile()) : ""; }
fs::path cacheFile() { return Paths::cache() / "valheim-index.json"; }

// A package list of packages "Team-<name>", one version each.
std::string packageList(const Names& names) {
  std::string json;
  for (const auto& name : names)
    json += (json.empty() ? "" : ",") + (R"({"name": ")" + name + R"(", "full_name": "Team-)" + name +
                                         R"(", "owner": "Team", "uuid4": "id-)" + name +
                                         R"(", "versions": [{"version_number": "1.0.0"}]})");
  return "[" + json + "]";
}

// A cache file holding `names`, last written `age` ago.
void writeCache(const Names& names, std::chrono::seconds age) {
  FS::mkdir(Paths::cache());
  FS::writeAtomic(cacheFile(), Thunderstore::encodeCache(Thunderstore::decodeIndex(packageList(names))));
  fs::last_write_time(cacheFile(), fs::file_time_type::clock::now() - age);
}

// The names of the packages loaded, or another field of theirs.
Names load(bool refresh, std::string TSPackage::*field = &TSPackage::name) {
  Names out;
  for (const auto& p : Thunderstore::loadIndex(refresh)) out.push_back(p.*field);
  return out;
}

class CatalogueClient : public testing::Test {
 protected:
  void TearDown() override {
    Thunderstore::waitForCacheWrites();
    Thunderstore::setTimeoutScale(1);
  }
  FakeCatalogue fake;
};
using IndexLoad = CatalogueClient;

TEST_F(IndexLoad, AFreshCacheServesWithoutRequestAndAStaleOneIsReplacedByTheGzippedDownload) {
  const std::string list = packageList({"A", "B"});
  fake.setPackageList(list, true);
  writeCache({"Cached"}, 5h + 59min);
  EXPECT_EQ(load(false), Names{"Cached"});
  EXPECT_EQ(fake.requestCount(FakeCatalogue::indexPath), 0);
  writeCache({"Cached"}, 6h);
  EXPECT_EQ(load(false), (Names{"A", "B"}));
  Thunderstore::waitForCacheWrites();
  EXPECT_EQ(load(false), (Names{"A", "B"}));
  EXPECT_EQ(load(false, &TSPackage::uuid), (Names{"id-A", "id-B"}))
      << "catalogue ids are kept beside the cache";
  EXPECT_EQ(fake.requestCount(FakeCatalogue::indexPath), 1) << "the new cache is fresh";
}

TEST_F(IndexLoad, EveryDownloadFailureIsLoggedAndFallsBackToACacheOfAnyAgeOrThrowsWithoutOne) {
  const std::vector<std::pair<std::function<void()>, std::string>> cases = {
      {[&] { fake.serve(FakeCatalogue::indexPath, "busy", 503); },
       " index download failed: Thunderstore returned an error (503).\n"},
      {[&] { fake.setPackageList(R"([{"name": "NoFullName", "versions": []}])"); },
       " index download failed: package list: element 0: missing \"full_name\"\n"},
      {[&] {
         fake.answer(FakeCatalogue::indexPath, {.body = packageList({"A", "B"}), .truncated = true});
       },
       " index download failed: The network connection was lost. ("},
      {[&] {  // 180 s become 90 ms
         Thunderstore::setTimeoutScale(0.0005);
         fake.answer(FakeCatalogue::indexPath, {.body = packageList({"Late"}), .delayMs = 2000});
       },
       " index download failed: The request timed out. ("},
      {[&] {
         std::string gone = FakeCatalogue().url();
         setEndpoints({gone, gone, gone, gone});
       },
       " index download failed: Could not connect to the server. ("},
  };
  // Without a readable cache a failure throws the connection message.
  fake.serve(FakeCatalogue::indexPath, "busy", 503);
  FS::mkdir(Paths::cache());
  FS::writeAtomic(cacheFile(),
                  R"([{"fullName": "Team-Broken"}])");  // fresh but corrupt: neither served nor a fallback
  EXPECT_THAT([] { Thunderstore::loadIndex(false); },
              fails("Couldn’t download the mod list from Thunderstore. Check your internet connection."));
  EXPECT_EQ(fake.requestCount(FakeCatalogue::indexPath), 1);

  writeCache({"Old"}, 72h);
  for (const auto& [arrange, line] : cases) {
    const size_t logged = logText().size();
    arrange();
    EXPECT_EQ(load(true), Names{"Old"}) << line;
    EXPECT_NE(logText().find(line, logged), std::string::npos) << line;
  }
}

TEST_F(CatalogueClient, ADownloadFollowsTheRedirectReportsProgressAndReplacesOnlyOnSuccess) {
  const std::string archive(300000, 'z');
  fake.addPackage("Team", "Mod", "1.0.0", archive);
  const fs::path to = TestHome::path() / "downloads" / "Team-Mod.zip";
  std::vector<std::pair<int64_t, std::optional<int64_t>>> seen;
  Thunderstore::download(Thunderstore::downloadURL("Team", "Mod", "1.0.0"), to,
                         [&](int64_t now, auto total) { seen.emplace_back(now, total); });
  EXPECT_EQ(FS::readFile(to), archive);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  EXPECT_EQ(seen.back(), std::pair(int64_t(archive.size()), std::optional(int64_t(archive.size()))));
  EXPECT_THAT([&] { Thunderstore::download(fake.url() + "/gone", to); },
              fails("Download failed (404): " + fake.url() + "/gone"));
  fake.answer("/cut", {.body = std::string(1000, 'x'), .truncated = true});
  Thunderstore::setTimeoutScale(0.001);  // the pauses between tries
  EXPECT_THROW(Thunderstore::download(fake.url() + "/cut", to), Http::NetworkError);
  EXPECT_EQ(fake.requestCount("/cut"), 4) << "the first try and three more";
  EXPECT_EQ(FS::readFile(to), archive);
}

TEST_F(CatalogueClient, ATransferThatBreaksOffOrStallsStartsAgainFromTheFirstByte) {
  Thunderstore::setTimeoutScale(0.01);  // 30 s without a byte becomes 0.3 s, the whole request 3 s
  const std::string archive(200000, 'r');
  const fs::path to = TestHome::path() / "got.zip";
  fake.answer("/flaky", {.body = archive, .dropFirst = 3});
  Thunderstore::download(fake.url() + "/flaky", to);
  EXPECT_EQ(FS::readFile(to), archive);
  EXPECT_EQ(fake.requestCount("/flaky"), 4);
  for (const auto& request : fake.requests()) EXPECT_EQ(request.header("range"), "");
  EXPECT_THAT(logText(), testing::HasSubstr("download retry 3 ("));

  fake.answer("/stall", {.body = archive + "!", .stallAt = 0.5, .dropFirst = 1});
  Thunderstore::download(fake.url() + "/stall", to);
  EXPECT_EQ(FS::readFile(to), archive + "!");
  EXPECT_EQ(fake.requestCount("/stall"), 2);
  EXPECT_THAT(logText(),
              testing::HasSubstr("download retry 1 (The download stalled: nothing arrived for 30 seconds.)"));
}

TEST_F(CatalogueClient, AnUpdateIsNoticedOnlyForANewerVersion) {
  for (auto [status, notice] : std::vector<std::pair<int, std::string>>{{200, R"({"version": "1.4.0"})"},
                                                                        {200, R"({"page": "https://x/"})"},
                                                                        {500, R"({"version": "9.0.0"})"}}) {
    fake.serve(FakeCatalogue::updateNoticePath, notice, status);
    EXPECT_EQ(Thunderstore::fetchUpdateNotice("1.4.0"), std::nullopt) << notice;
  }
  fake.setUpdateNotice(R"({"version": "1.10.0", "notes": "Faster.", "page": null})");
  EXPECT_EQ(Thunderstore::fetchUpdateNotice("1.4.0"), (AppUpdate{.version = "1.10.0", .notes = "Faster."}));
  EXPECT_EQ(fake.requests().back().header("cache-control"), "no-cache");
  EXPECT_NE(logText().find(" app update available: 1.4.0 -> 1.10.0\n"), std::string::npos);
}

using ProfileCodes = CatalogueClient;
TEST_F(ProfileCodes, ACodeCarriesTheWrappedArchiveBothWaysAndBadCodesGiveTheirMessages) {
  for (std::string code : {"", "  \n", "two words", "a/b", "a?b", "..", "k\u00F6de"})
    EXPECT_THAT([&] { Thunderstore::fetchProfileCode(code); },
                fails("That doesn’t look like a profile code."))
        << code;
  EXPECT_TRUE(fake.requests().empty());
  std::string archive;
  for (int i = 0; i < 256; ++i) archive += char(i);
  const std::string code = Thunderstore::createProfileCode(archive);
  EXPECT_EQ(fake.requests().at(0).body, "#r2modman\n" + Base64::encode(archive));
  EXPECT_EQ(Thunderstore::fetchProfileCode("\xC2\xA0 " + code + " \r\n\t"), archive);  // no-break space too
  EXPECT_EQ(Thunderstore::fetchProfileCode(fake.addProfileCode(Base64::encode(archive) + "\n")), archive);
  EXPECT_THAT([] { Thunderstore::fetchProfileCode("expired-code"); },
              fails("Profile code not found. Codes expire after a while — ask for a fresh one."));
  const std::string unreadable = fake.addProfileCode("#r2modman\nYWJj\nZ");
  EXPECT_THAT([&] { Thunderstore::fetchProfileCode(unreadable); }, fails("Couldn’t read that profile code."));
  fake.serve(FakeCatalogue::createCodePath, R"({"key": "abc"})", 413);
  EXPECT_THAT([] { Thunderstore::createProfileCode("zip"); },
              fails("Thunderstore didn’t accept the profile (413)."));
}
}  // namespace
