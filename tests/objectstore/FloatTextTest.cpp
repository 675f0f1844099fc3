#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "objectstore/FloatText.h"

TEST(FloatText, WritesGeneralFormatWithFifteenDigits) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {199.9, "199.9"},
      {100, "100"},
      {0, "0"},
      {-2.5, "-2.5"},
      {0.000664851634008807, "0.000664851634008807"},
      {0.0000590039559146638, "5.90039559146638E-5"},
      {1e20, "1E20"},
      {0.0001, "0.0001"},
      {0.00001, "1E-5"},
      {999999999999999.0, "999999999999999"},
      {1e15, "1E15"},
      {999999999999999.9, "1E15"},  // rounds to 16 integer digits
      {1.0 / 3.0, "0.333333333333333"},
      {2.0 / 3.0, "0.666666666666667"},
      {-1.5e-300, "-1.5E-300"},
      {123456.789, "123456.789"},
      {45000.25, "45000.25"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatStoreFloat(c.value), c.text) << c.value;
  EXPECT_EQ(FormatStoreFloat(std::numeric_limits<double>::infinity()), "INF");
  EXPECT_EQ(FormatStoreFloat(std::nan("")), "NAN");
}

TEST(FloatText, ParsesDecimalTextOnly) {
  struct Case {
    const char* text;
    double value;
  };
  const Case valid[] = {{"1E-5", 0.00001}, {"0.00001", 0.00001}, {"+2.5", 2.5},
                        {"-7", -7},        {".5", 0.5},          {"5.", 5},
                        {"1e+3", 1000},    {"1E-400", 0}};
  for (const auto& c : valid) {
    const auto parsed = ParseStoreFloat(c.text);
    ASSERT_TRUE(parsed) << c.text;
    EXPECT_DOUBLE_EQ(*parsed, c.value) << c.text;
  }
  for (const char* bad : {"1,5", "", "-", ".", "e5", "1e", "1e+", "inf", "nan", "0x10", "1 ",
                          "1.2.3", "1E400000" /* no double holds it */}) {
    EXPECT_FALSE(ParseStoreFloat(bad)) << bad;
  }
}

TEST(FloatText, WrittenValuesReadBackExactlyToFifteenDigits) {
  for (double v : {199.9, 0.1, 3.14159265358979, 1e-7, 6.02214076e23, -0.000123}) {
    const auto back = ParseStoreFloat(FormatStoreFloat(v));
    ASSERT_TRUE(back);
    EXPECT_EQ(FormatStoreFloat(*back), FormatStoreFloat(v));
    EXPECT_NEAR(*back, v, std::abs(v) * 1e-14);
  }
}
