#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/thunderstore.hpp"

using namespace std::chrono;
using Thunderstore::decodeCache;
using Thunderstore::encodeCache;

namespace {
using Fields = std::vector<std::pair<std::string, std::string>>;
// The fifteen members of one cached package, as JSON texts, in the order they are written.
const Fields members = {{"fullName", R"("O-N")"},  {"owner", R"("O")"},         {"name", R"("N")"},
                        {"pageURL", R"("u")"},     {"updated", "1.5"},          {"rating", "2"},
                        {"deprecated", "false"},   {"nsfw", "true"},            {"categories", R"(["c"])"},
                        {"description", R"("d")"}, {"icon", R"("")"},           {"latest", R"("1")"},
                        {"downloads", "7"},        {"versions", R"(["1","0"])"}, {"dependencies", "[]"}};

std::string cache(const Fields& fields) {
  std::string object;
  for (const auto& [key, value] : fields) object += (object.empty() ? "" : ",") + ("\"" + key + "\":" + value);
  return "[{" + object + "}]";
}
}  // namespace

TEST(IndexCache, WritesFifteenPlainMembersAndReadsThemInAnyOrder) {
  TSPackage p{"O-N", "O", "N", "u", sys_days{2001y / 1 / 1} + 1500ms, 2, false, true, {"c"}, "d", "",
              "1", 7, {"1", "0"}, {}};
  EXPECT_EQ(encodeCache({p}), cache(members));
  Fields reversed(members.rbegin(), members.rend());
  EXPECT_EQ(decodeCache(cache(reversed)), std::vector{p});
  EXPECT_EQ(encodeCache({}), "[]");
  EXPECT_TRUE(decodeCache("[]").empty());
}

TEST(IndexCache, RoundTripsEveryFieldIncludingTheDate) {
  std::vector<TSPackage> list = {
      {"A-B", "A", "B", "https://x/", sys_days{1999y / 12 / 31} + 23h + 59min + 59s + 500001us, -4, true,
       false, {"Tools", "Ünïcode"}, "\"q\" \\ \n\t\x01 😀", "https://i", "2.0.0", INT64_MAX,
       {"2.0.0", "1.0.0"}, {"A-C-1.0.0", "A-D-2.0.0"}},
      {"A-C", "A", "C", "", distantPast, 0, false, false, {}, "", "", "1", 0, {"1"}, {}},
  };
  EXPECT_EQ(decodeCache(encodeCache(list)), list);
}

TEST(IndexCache, EveryMemberIsRequiredWithItsTypeAndNoPartialListIsRead) {
  for (size_t i = 0; i < members.size(); ++i) {
    auto without = members;
    without.erase(without.begin() + i);
    EXPECT_ANY_THROW(decodeCache(cache(without))) << members[i].first;
    auto wrong = members;
    const char first = wrong[i].second[0];
    for (const char* value : {first == '"' ? "1" : first == '[' ? "[1]" : R"("1")", "null"}) {
      wrong[i].second = value;
      EXPECT_ANY_THROW(decodeCache(cache(wrong))) << members[i].first << " = " << value;
    }
  }
  for (std::string_view doc : {"", "{}", "[1]", "[[]]"}) EXPECT_ANY_THROW(decodeCache(doc));
  const std::string whole = cache(members);
  for (size_t n = 0; n < whole.size(); ++n) EXPECT_ANY_THROW(decodeCache(std::string_view(whole).substr(0, n))) << n;
}
