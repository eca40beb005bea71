// Profile codes over the fake service, and the Base64 they carry.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "catalogue/thunderstore.hpp"
#include "foundation/app_error.hpp"
#include "foundation/base64.hpp"
#include "foundation/fs.hpp"
#include "foundation/paths.hpp"
#include "support/fake_catalogue.hpp"
#include "support/temp_home.hpp"

using testing::StrEq;
using testing::ThrowsMessage;

namespace {
bool logHas(const std::string& line) {
  return FS::exists(Paths::logFile()) && FS::readFile(Paths::logFile()).find(line) != std::string::npos;
}

std::string allBytes() {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += char(i);
  return bytes;
}

TEST(Base64, RoundTripsEveryLengthAndSkipsForeignCharactersButNeedsWholeGroups) {
  for (size_t length : {0, 1, 2, 3, 4, 256}) {
    std::string piece = allBytes().substr(256 - length);
    EXPECT_EQ(Base64::decode(Base64::encode(piece)), piece) << length;
  }
  EXPECT_EQ(Base64::encode("a"), "YQ==");
  EXPECT_EQ(Base64::decode(" Y*W-\r\nI\xC3\xA9=\n"), "ab");
  for (const char* bad : {"YWI", "Y===", "YQ==YQ==", "Y=Q="}) EXPECT_EQ(Base64::decode(bad), std::nullopt) << bad;
}

class ProfileCodes : public testing::Test {
 protected:
  void SetUp() override { TestHome::clear(); }
  FakeCatalogue fake;
};

TEST_F(ProfileCodes, FetchTrimsTheCodeAndUnwrapsWithOrWithoutHeaderLine) {
  const std::string archive = allBytes();
  const std::string stored = "#r2modman\n" + Base64::encode(archive) + "\n";
  std::string wrapped = fake.addProfileCode(stored);
  EXPECT_EQ(Thunderstore::fetchProfileCode("\xC2\xA0 " + wrapped + " \r\n\t"), archive);  // no-break space too
  EXPECT_EQ(fake.requests().front().path, FakeCatalogue::codePath(wrapped));
  EXPECT_TRUE(logHas(" profile code get " + wrapped + ": http=200 bytes=" + std::to_string(stored.size()) + "\n"));
  EXPECT_EQ(Thunderstore::fetchProfileCode(fake.addProfileCode(Base64::encode(archive))), archive);
  EXPECT_EQ(Thunderstore::fetchProfileCode(fake.addProfileCode("#r2modman")), "");
}

TEST_F(ProfileCodes, MalformedCodeMakesNoRequest) {
  for (std::string code : {"", "  \n", "two words", "a/b", "a?b", "..", "k\xC3\xB6" "de"})
    EXPECT_THAT([&] { Thunderstore::fetchProfileCode(code); },
                ThrowsMessage<AppError>(StrEq("That doesn’t look like a profile code.")))
        << code;
  EXPECT_TRUE(fake.requests().empty());
}

TEST_F(ProfileCodes, FetchFailures) {
  EXPECT_THAT([] { Thunderstore::fetchProfileCode("expired-code"); },
              ThrowsMessage<AppError>(
                  StrEq("Profile code not found. Codes expire after a while — ask for a fresh one.")));
  EXPECT_TRUE(logHas(" profile code get expired-code: http=404 bytes=9\n"));
  std::string code = fake.addProfileCode("#r2modman\nYWJj\nZ");
  EXPECT_THAT([&] { Thunderstore::fetchProfileCode(code); },
              ThrowsMessage<AppError>(StrEq("Couldn’t read that profile code.")));
}

TEST_F(ProfileCodes, CreateUploadsTheWrappedArchive) {
  const std::string archive = allBytes();
  std::string code = Thunderstore::createProfileCode(archive);
  auto requests = fake.requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].method, "POST");
  EXPECT_EQ(requests[0].path, FakeCatalogue::createCodePath);
  EXPECT_EQ(requests[0].header("content-type"), "application/octet-stream");
  EXPECT_EQ(requests[0].body, "#r2modman\n" + Base64::encode(archive));
  EXPECT_TRUE(logHas(R"( profile code create: http=200 {"key": ")" + code + "\"}\n"));
  EXPECT_EQ(Thunderstore::fetchProfileCode(code), archive);
}

TEST_F(ProfileCodes, CreateNeedsSuccessAndAKey) {
  fake.serve(FakeCatalogue::createCodePath, R"({"key": "abc123"})", 201);
  EXPECT_EQ(Thunderstore::createProfileCode("zip"), "abc123");
  // Only the first 200 bytes are logged; the cut through "é" becomes U+FFFD.
  const std::string page = std::string(199, '<') + "\xC3\xA9" + "tail";
  for (auto [status, body] : std::vector<std::pair<int, std::string>>{
           {200, page}, {200, R"({"key": 7})"}, {413, R"({"key": "abc"})"}}) {
    fake.serve(FakeCatalogue::createCodePath, body, status);
    EXPECT_THAT([] { Thunderstore::createProfileCode("zip"); },
                ThrowsMessage<AppError>(
                    StrEq("Thunderstore didn’t accept the profile (" + std::to_string(status) + ").")));
  }
  EXPECT_TRUE(logHas(" profile code create: http=200 " + std::string(199, '<') + "\xEF\xBF\xBD\n"));
}
}  // namespace
