// The package list as the catalogue sends it, and the cache file written from it.
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
    "date_updated":"2023-04-05T08:07:08.5+02:00"}])");
  EXPECT_EQ(list, (std::vector{TSPackage{.fullName = "Me-My_Möd",
                                         .owner = "Me",
                                         .name = "My_Mod",
                                         .pageURL = "https://x/p/",
                                         .updated = sys_days{2023y / 4 / 5} + 6h + 7min + 8500ms,
                                         .rating = -3,
                                         .deprecated = true,
                                         .nsfw = true,
                                         .categories = {"Tools", "Maps"},
                                         .description = "\"q\" \\ / \xF0\x9F\x98\x80 \n",
                                         .icon = "https://i/1.png",
                                         .latest = "1.0.0",
                                         .downloads = 15,
                                         .versions = {"1.0.0", "2.0.0", "0.9.0"},
                                         .dependencies = {"a-B-1.0.0"}}}));
  EXPECT_EQ(list.at(0).uuid, "u") << "kept beside the fifteen fields, by which other managers name it";
}

TEST(IndexDecode, MissingOrNullOptionalsGiveDefaultsAndPackagesWithoutVersionsAreDropped) {
  setEndpoints({.catalogue = "https://catalogue.test"});
  auto list = decodeIndex("[" + package("A", oneVersion, R"("date_updated":"2023-04-05 06:07:08",)") + "," +
                          package("Gone", "[]") + "," +
                          package("B", R"([{"version_number":"1.0.0","description":null,"icon":null,
                                  "dependencies":null,"downloads":null}])",
                                  R"("package_url":null,"date_updated":null,"rating_score":null,
                                  "is_deprecated":null,"has_nsfw_content":null,"categories":null,)") +
                          "]");
  auto bare = [](const std::string& name) {
    return TSPackage{.fullName = "Owner-" + name,
                     .owner = "Owner",
                     .name = name,
                     .pageURL = "https://catalogue.test/c/valheim/p/Owner/" + name + "/",
                     .latest = "1.0.0",
                     .versions = {"1.0.0"}};
  };
  EXPECT_EQ(list, (std::vector{bare("A"), bare("B")}));
}

TEST(IndexDecode, AnyBadOrTruncatedPackageFailsTheWholeList) {
  const std::string good = package("A", oneVersion);
  for (const std::string& bad :
       {std::string(R"({"owner":"O","name":"N","versions":[]})"),  // no full_name
        package("N", R"([{"downloads":1}])"),
        package("N", R"([{"version_number":"1"},{"version_number":"0","description":7}])"),
        package("N", oneVersion, R"("rating_score":"5",)")})
    EXPECT_ANY_THROW(decodeIndex("[" + good + "," + bad + "]")) << bad;
  const std::string doc =
      "[" + good + "," + package("B", R"([{"version_number":"1.0.0","downloads":12}])") + "]";
  for (size_t n = 0; n < doc.size(); ++n) {
    std::string prefix = doc.substr(0, n);
    EXPECT_ANY_THROW(decodeIndex(std::string_view(prefix))) << prefix;
    EXPECT_ANY_THROW(decodeIndex(prefix)) << prefix;
  }
}

using Fields = std::vector<std::pair<std::string, std::string>>;
// The fifteen members of one cached package, as JSON texts, in the order they are written.
const Fields members = {{"fullName", R"("O-N")"},   {"owner", R"("O")"},
                        {"name", R"("N")"},         {"pageURL", R"("u")"},
                        {"updated", "1.5"},         {"rating", "2"},
                        {"deprecated", "false"},    {"nsfw", "true"},
                        {"categories", R"(["c"])"}, {"description", R"("d")"},
                        {"icon", R"("")"},          {"latest", R"("1")"},
                        {"downloads", "7"},         {"versions", R"(["1","0"])"},
                        {"dependencies", "[]"}};

std::string cache(const Fields& fields) {
  std::string object;
  for (const auto& [key, value] : fields)
    object += (object.empty() ? "" : ",") + ("\"" + key + "\":" + value);
  return "[{" + object + "}]";
}

TEST(IndexCache, RoundTripsEveryFieldAndReadsNothingElse) {
  EXPECT_EQ(Thunderstore::encodeCache(Thunderstore::decodeCache(cache(members))), cache(members));
  // Strict: every member is required with its type, and no partial list is read.
  for (size_t i = 0; i < members.size(); ++i) {
    auto without = members, wrong = members;
    without.erase(without.begin() + i);
    EXPECT_ANY_THROW(Thunderstore::decodeCache(cache(without))) << members[i].first;
    wrong[i].second = wrong[i].second[0] == '"' ? "1" : wrong[i].second[0] == '[' ? "[1]" : R"("1")";
    EXPECT_ANY_THROW(Thunderstore::decodeCache(cache(wrong))) << members[i].first;
  }
  const std::string whole = cache(members);
  for (size_t n = 0; n < whole.size(); ++n)
    EXPECT_ANY_THROW(Thunderstore::decodeCache(std::string_view(whole).substr(0, n))) << n;
}
TEST(IndexCache, DatesFarFrom2001ComeBackToTheMicrosecond) {
  std::vector<TSPackage> list;
  for (Date d : {distantPast + 1us, sys_days{1900y / 6 / 1} + 999999us, sys_days{2300y / 1 / 1} + 1us,
                 sys_days{4046y / 7 / 7} + 123457us, distantFuture})
    list.push_back({"A-B", "A", "B", "", d, 0, false, false, {}, "", "", "1", 0, {"1"}, {}});
  EXPECT_EQ(Thunderstore::decodeCache(Thunderstore::encodeCache(list)), list);
  // Other writers may use an exponent.
  auto fields = members;
  fields[4].second = "1.5e1";
  EXPECT_EQ(Thunderstore::decodeCache(cache(fields)).at(0).updated, sys_days{2001y / 1 / 1} + 15s);
}
}  // namespace

TEST(IndexCache, CatalogueIdsComeBackForThePackagesListedAndBadLinesArePassedBy) {
  const std::vector<TSPackage> list = {
      {.fullName = "A-One", .uuid = "id-1"}, {.fullName = "B-Two"}, {.fullName = "C-Three", .uuid = "id-3"}};
  const std::string lines = Thunderstore::encodeIds(list);
  EXPECT_EQ(lines, "A-One id-1\nC-Three id-3\n");
  std::vector<TSPackage> read = {{.fullName = "C-Three"}, {.fullName = "B-Two"}, {.fullName = "A-One"}};
  Thunderstore::applyIds(read, "no-space\n id-x\nB-Two \n" + lines.substr(0, lines.size() - 1));
  EXPECT_EQ(read[0].uuid, "id-3") << "the last line needs no line feed";
  EXPECT_EQ(read[1].uuid, "");
  EXPECT_EQ(read[2].uuid, "id-1");
}
