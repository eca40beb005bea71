#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "catalogue/endpoints.hpp"
#include "catalogue/thunderstore.hpp"

using namespace std::chrono;
using Thunderstore::decodeIndex;

namespace {
// A package object holding the required members (versions last, so `extra` can precede them).
std::string package(const std::string& name, const std::string& versions, const std::string& extra = "") {
  return R"({"full_name":"Owner-)" + name + R"(","owner":"Owner","name":")" + name + "\"," + extra +
         R"("versions":)" + versions + "}";
}
const std::string oneVersion = R"([{"version_number":"1.0.0"}])";
}  // namespace

TEST(IndexDecode, KeepsTheNewestVersionsDetailsAndSumsDownloads) {
  // Members in an unusual order, unknown ones (nested too), an escaped key, and a later version
  // with a higher number: the catalogue lists newest first and that order is trusted.
  auto list = decodeIndex(R"([{"versions":[
      {"downloads":10,"dependencies":["a-B-1.0.0"],"icon":"https://i/1.png","version_number":"1.0.0",
       "description":"\"q\" \\ \/ \ud83d\ude00 \n","file_size":{"x":[1,{"y":null}]}},
      {"version_number":"2.0.0","description":"old","icon":"https://i/2.png","dependencies":["c-D-2.0.0"]},
      {"version_number":"0.9.0","downloads":5,"dependencies":null}],
    "uuid4":"u","categories":["Tools","Maps"],"is_deprecated":true,"has_nsfw_content":true,
    "rating_score":-3,"package_url":"https://x/p/","name":"My_Mod","owner":"Me","full\u005fname":"Me-My_M\u00f6d",
    "date_updated":"2023-04-05T06:07:08Z"}])");
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0], (TSPackage{"Me-My_Möd", "Me", "My_Mod", "https://x/p/", sys_days{2023y / 4 / 5} + 6h + 7min + 8s,
                                -3, true, true, {"Tools", "Maps"}, "\"q\" \\ / \xF0\x9F\x98\x80 \n", "https://i/1.png",
                                "1.0.0", 15, {"1.0.0", "2.0.0", "0.9.0"}, {"a-B-1.0.0"}}));
  EXPECT_EQ(list[0].displayName(), "My Mod");
}

TEST(IndexDecode, MissingOrNullOptionalsGiveDefaultsAndPackagesWithoutVersionsAreDropped) {
  setEndpoints({.catalogue = "https://catalogue.test"});
  auto list = decodeIndex("[" + package("A", oneVersion) + "," + package("Gone", "[]") + "," +
                          package("B", R"([{"version_number":"1.0.0","description":null,"icon":null,
                                  "dependencies":null,"downloads":null}])",
                                  R"("package_url":null,"date_updated":null,"rating_score":null,
                                  "is_deprecated":null,"has_nsfw_content":null,"categories":null,)") +
                          "]");
  ASSERT_EQ(list.size(), 2u);
  for (const TSPackage& p : list)
    EXPECT_EQ(p, (TSPackage{"Owner-" + p.name, "Owner", p.name,
                            "https://catalogue.test/c/valheim/p/Owner/" + p.name + "/",
                            distantPast, 0, false, false, {}, "", "", "1.0.0", 0, {"1.0.0"}, {}}));
  EXPECT_EQ(list[0].name + list[1].name, "AB");
  EXPECT_TRUE(decodeIndex(" [ ] ").empty());
}

TEST(IndexDecode, ReadsBothDateFormsAndFallsBackToTheDistantPast) {
  auto updated = [](const std::string& date) {
    return decodeIndex("[" + package("A", oneVersion, R"("date_updated":")" + date + "\",") + "]").at(0).updated;
  };
  Date instant = sys_days{2023y / 4 / 5} + 6h + 7min + 8s;
  EXPECT_EQ(updated("2023-04-05T06:07:08.123456Z"), instant + 123456us);
  EXPECT_EQ(updated("2023-04-05T08:07:08+02:00"), instant);
  EXPECT_EQ(updated("2023-04-05 06:07:08"), distantPast);
  EXPECT_EQ(updated(""), distantPast);
}

TEST(IndexDecode, AnyBadPackageFailsTheWholeList) {
  const std::string good = package("A", oneVersion);
  const std::vector<std::string> bad = {
      R"({"owner":"O","name":"N","versions":[]})",  // no full_name
      R"({"full_name":"O-N","owner":"O","name":"N"})",
      R"({"full_name":null,"owner":"O","name":"N","versions":[]})",
      package("N", R"([{"downloads":1}])"),
      package("N", R"([{"version_number":"1"},{"version_number":"0","description":7}])"),
      package("N", R"([{"version_number":"1"},{"version_number":"0","dependencies":[1]}])"),
      package("N", R"([{"version_number":"1","downloads":"10"}])"),
      package("N", oneVersion, R"("rating_score":"5",)"),
      package("N", oneVersion, R"("categories":[null],)"),
  };
  for (const std::string& b : bad) EXPECT_ANY_THROW(decodeIndex("[" + good + "," + b + "]")) << b;
  for (std::string_view doc : {"", "{}", "[1]", "[{}]", "nope"}) EXPECT_ANY_THROW(decodeIndex(doc));
  EXPECT_THAT([&] { decodeIndex("[" + good + "," + bad[0] + "]"); },
              testing::ThrowsMessage<std::runtime_error>(testing::HasSubstr("element 1: missing \"full_name\"")));
}

TEST(IndexDecode, ReadsInPlaceAlikeAndFailsOnATruncatedList) {
  std::string doc = "[" + package("A", R"([{"version_number":"1.0.0","downloads":12}])",
                                  R"("is_deprecated":false,"categories":["x"],)") +
                    "," + package("B", oneVersion) + "]";
  const std::string before = doc;
  EXPECT_EQ(decodeIndex(doc), decodeIndex(std::string_view(before)));
  EXPECT_EQ(doc, before);
  for (size_t n = 0; n < doc.size(); ++n) {
    std::string prefix = doc.substr(0, n);
    EXPECT_ANY_THROW(decodeIndex(std::string_view(prefix))) << prefix;
    EXPECT_ANY_THROW(decodeIndex(prefix)) << prefix;
  }
}
