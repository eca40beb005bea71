#include <gtest/gtest.h>

#include <locale>

#include "foundation/text.hpp"

namespace {
// A locale that writes "0,5", as a German Mac does; numbers in settings files must not follow it.
struct DecimalComma : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

class Decimals : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::locale::global(std::locale(std::locale::classic(), new DecimalComma));
  }
  void TearDown() override { std::locale::global(previous_); }

 private:
  std::locale previous_;
};
}  // namespace

// Built twice: with the standard library's from_chars where it has one, and with the portable path
// a Mac's libc++ takes; both must read exactly the same texts.
TEST_F(Decimals, ReadTheLoadersShapeInAnyLocaleAndNothingElse) {
  const std::pair<const char*, double> good[] = {{"0.5", 0.5},
                                                 {"-0.25", -0.25},
                                                 {"+20", 20},
                                                 {"1E-05", 1e-05},
                                                 {"2.5e3", 2500},
                                                 {".5", 0.5},
                                                 {"5.", 5},
                                                 {"-0", 0},
                                                 {"007", 7},
                                                 {"1e+2", 100},
                                                 {"0.1", 0.1},
                                                 {"3", 3},
                                                 {"1.7976931348623157e308", 1.7976931348623157e308}};
  for (auto [text, value] : good) EXPECT_EQ(Text::parseDecimal(text), value) << text;
  for (const char* bad :
       {"",  "0,5", "1.000,5", "1,000", "NaN", "inf", "Infinity", "0x10", "1.5f",  "--1",   "+-1",
        ".", "-",   "e5",      "1e",    "1e+", " 1",  "1 ",       "1..2", "1e999", "-1e999"})
    EXPECT_EQ(Text::parseDecimal(bad), std::nullopt) << bad;
}
