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
std::string logText() {
  return FS::exists(Paths::logFile()) ? FS::readFile(Paths::logFile()) : "";
}

std::string allBytes() {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += char(i);
  return bytes;
}

TEST(Base64, RoundTripsEveryLengthAndByte) {
  std::string bytes = allBytes();
  for (size_t length : {0, 1, 2, 3, 4, 5, 256}) {
    std::string piece = bytes.substr(bytes.size() - length);
    EXPECT_EQ(Base64::decode(Base64::encode(piece)), piece) << length;
  }
  EXPECT_EQ(Base64::encode("ab"), "YWI=");
  EXPECT_EQ(Base64::encode("a"), "YQ==");
}

TEST(Base64, SkipsForeignCharactersButNeedsWholeGroups) {
  EXPECT_EQ(Base64::decode(" YW\r\nI=\n"), "ab");
  EXPECT_EQ(Base64::decode("Y*W-I\xC3\xA9="), "ab");
  EXPECT_EQ(Base64::decode(""), "");
  EXPECT_EQ(Base64::decode("YWI"), std::nullopt);       // fill missing
  EXPECT_EQ(Base64::decode("Y==="), std::nullopt);      // too much fill
  EXPECT_EQ(Base64::decode("YQ==YQ=="), std::nullopt);  // data after the fill
  EXPECT_EQ(Base64::decode("Y=Q="), std::nullopt);
}

class ProfileCodes : public testing::Test {
 protected:
  void SetUp() override { TestHome::clear(); }
  FakeCatalogue fake;
};

TEST_F(ProfileCodes, FetchUnwrapsWithOrWithoutHeaderLine) {
  std::string archive = allBytes();
  std::string wrapped = fake.addProfileCode("#r2modman\n" + Base64::encode(archive) + "\n");
  std::string bare = fake.addProfileCode(Base64::encode(archive));
  std::string headerOnly = fake.addProfileCode("#r2modman");

  EXPECT_EQ(Thunderstore::fetchProfileCode(wrapped), archive);
  EXPECT_EQ(Thunderstore::fetchProfileCode(bare), archive);
  EXPECT_EQ(Thunderstore::fetchProfileCode(headerOnly), "");
}

TEST_F(ProfileCodes, FetchTrimsTheTypedCode) {
  std::string code = fake.addProfileCode("#r2modman\nYWI=");
  EXPECT_EQ(Thunderstore::fetchProfileCode("  " + code + " \r\n"), "ab");
  EXPECT_EQ(Thunderstore::fetchProfileCode("\xC2\xA0" + code + "\t"), "ab");  // no-break space

  EXPECT_EQ(fake.requests().front().path, FakeCatalogue::codePath(code));
  EXPECT_NE(logText().find(" profile code get " + code + ": http=200 bytes=14\n"),
            std::string::npos);
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
              ThrowsMessage<AppError>(StrEq(
                  "Profile code not found. Codes expire after a while — ask for a fresh one.")));
  EXPECT_NE(logText().find(" profile code get expired-code: http=404 bytes=9\n"),
            std::string::npos);

  std::string code = fake.addProfileCode("#r2modman\nYWJj\nZ");
  EXPECT_THAT([&] { Thunderstore::fetchProfileCode(code); },
              ThrowsMessage<AppError>(StrEq("Couldn’t read that profile code.")));
}

TEST_F(ProfileCodes, CreateUploadsWrappedArchive) {
  std::string archive = allBytes();
  std::string code = Thunderstore::createProfileCode(archive);

  auto requests = fake.requests();
  ASSERT_EQ(requests.size(), 1u);
  const auto& upload = requests[0];
  EXPECT_EQ(upload.method, "POST");
  EXPECT_EQ(upload.path, FakeCatalogue::createCodePath);
  EXPECT_EQ(upload.header("content-type"), "application/octet-stream");
  EXPECT_EQ(upload.body, "#r2modman\n" + Base64::encode(archive));
  EXPECT_NE(logText().find(R"( profile code create: http=200 {"key": ")" + code + "\"}\n"),
            std::string::npos);

  EXPECT_EQ(Thunderstore::fetchProfileCode(code), archive);
}

TEST_F(ProfileCodes, CreateNeedsSuccessAndKey) {
  fake.serve(FakeCatalogue::createCodePath, R"({"key": "abc123"})", 201);
  EXPECT_EQ(Thunderstore::createProfileCode("zip"), "abc123");

  auto rejected = [](const std::string& status) {
    return ThrowsMessage<AppError>(
        StrEq("Thunderstore didn’t accept the profile (" + status + ")."));
  };
  // Only the first 200 bytes are logged; the cut through "é" becomes U+FFFD.
  std::string page = std::string(199, '<') + "\xC3\xA9" + "tail";
  fake.serve(FakeCatalogue::createCodePath, page, 200);
  EXPECT_THAT([] { Thunderstore::createProfileCode("zip"); }, rejected("200"));
  EXPECT_NE(logText().find(" profile code create: http=200 " + std::string(199, '<') +
                           "\xEF\xBF\xBD\n"),
            std::string::npos);

  fake.serve(FakeCatalogue::createCodePath, R"({"key": 7})", 200);
  EXPECT_THAT([] { Thunderstore::createProfileCode("zip"); }, rejected("200"));
  fake.serve(FakeCatalogue::createCodePath, R"({"key": "abc"})", 413);
  EXPECT_THAT([] { Thunderstore::createProfileCode("zip"); }, rejected("413"));
}
}  // namespace
