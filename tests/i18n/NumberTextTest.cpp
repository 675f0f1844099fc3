#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <string>

#include "i18n/InputTextRules.h"
#include "i18n/NumberText.h"
#include "support/TestSupport.h"

namespace {

// Restores the default decimal separator after each test.
class NumberTextTest : public ::testing::Test {
 protected:
  void TearDown() override { SetUserDecimalSeparator('.'); }
};

struct TextCase {
  char separator;
  std::string typed;
  const char* expected;
};

TEST_F(NumberTextTest, FilterTypingTurnsStrayCharactersIntoZeros) {
  const TextCase cases[] = {
      {'.', "1.2.3e4e", "1.203E40"},
      {'.', "", ""},
      {'.', " 1 2 ", "12"},  // spaces are dropped
      {'.', "-1", "-1"},
      {'.', "--1", "-01"},  // one sign at the start
      {'.', "1-", "10"},
      {'.', "+1e-5", "+1E-5"},  // and one right after the exponent letter
      {'.', "1e+-5", "1E+05"},
      {'.', "1e5-", "1E50"},
      {'.', "e5", "05"},  // no exponent before the mantissa
      {'.', "1d3", "1E3"},
      {'.', "1D2e3", "1E203"},
      {'.', "1e5.5", "1E505"},  // no separator in the exponent
      {'.', "1,5", "1.5"},      // either separator is the user's
      {'.', "12a", "120"},
      {'.', testsupport::Ansi("5м"), "50"},  // a CP1251 letter
      {',', "1.5", "1,5"},
      {',', "1,5,5", "1,505"},
      {',', "-2.5d1", "-2,5E1"},
      {';', "1;5", "1;5"},  // any separator character is honoured
  };
  for (const TextCase& c : cases) {
    SetUserDecimalSeparator(c.separator);
    EXPECT_EQ(FilterTyping(c.typed), c.expected) << c.typed << " with '" << c.separator << "'";
  }
}

struct ValueCase {
  char separator;
  const char* text;
  double expected;
};

TEST_F(NumberTextTest, ParseValueReadsBothSeparatorsAndSpacesAsZeros) {
  const ValueCase cases[] = {
      {'.', "1 5,5", 105.5},
      {'.', "  2.5\t", 2.5},  // trimmed
      {'.', "1 000", 10000},  // an inner space is a zero, not a thousands separator
      {'.', "- 5", -5},
      {'.', "-3", -3},
      {'.', "+4", 4},
      {'.', ".5", 0.5},
      {'.', "5.", 5},
      {'.', "1e3", 1000},
      {'.', "2.5E-2", 0.025},
      {',', "1.5", 1.5},
      {',', "1,5", 1.5},
      // Unconvertible texts give 0.
      {'.', "", 0},
      {'.', "abc", 0},
      {'.', "1.2.3", 0},
      {'.', "1,5.5", 0},
      {'.', ".", 0},
      {'.', "1e", 0},
      {'.', "1e+", 0},
      {'.', "1d3", 0},
      {'.', "inf", 0},
      {'.', "nan", 0},
      {'.', "0x10", 0},
      {'.', "1e999", 0},
      {'.', "++1", 0},
  };
  for (const ValueCase& c : cases) {
    SetUserDecimalSeparator(c.separator);
    EXPECT_DOUBLE_EQ(ParseValue(c.text), c.expected) << c.text << " with '" << c.separator << "'";
  }
}

struct FormatCase {
  char separator;
  int width;
  int decimals;
  double value;
  const char* expected;
};

TEST_F(NumberTextTest, FormatNumberRoundsTheShownDecimalsHalfAwayFromZero) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const FormatCase cases[] = {
      {'.', 0, 1, 20, "20.0"},
      {'.', 0, 1, 0.15, "0.2"},  // as written, although the double lies just below 0.15
      {'.', 0, 2, -12.345, "-12.35"},
      {'.', 0, 0, 2.5, "3"},
      {'.', 0, 0, -2.5, "-3"},
      {'.', 0, 0, 0.4, "0"},
      {'.', 0, 0, 0.5, "1"},
      {'.', 0, 3, 0.0005, "0.001"},
      {'.', 0, 2, 0.001, "0.00"},
      {'.', 0, 2, 1e-300, "0.00"},
      {'.', 0, 1, 99.96, "100.0"},
      {'.', 0, 1, -0.04, "0.0"},  // no minus sign on a zero
      {'.', 0, 1, -0.0, "0.0"},
      {'.', 0, 0, 1e20, "100000000000000000000"},
      {'.', 0, 1000, 0.5, "0.50000000000000000000"},  // at most 20 decimals
      {',', 8, 1, 68, "    68,0"},
      {',', 2, 1, 123, "123,0"},  // a longer text is not cut
      {'.', -5, 1, 1, "1.0"},
      // Exponent notation with -decimals significant digits.
      {'.', 0, -3, 12345, "1.23E+04"},
      {',', 0, -3, 12345, "1,23E+04"},
      {'.', 0, -1, 0.0000005, "5E-07"},
      {'.', 0, -2, 9.96, "1.0E+01"},
      {'.', 0, -2, -0.000125, "-1.3E-04"},
      {'.', 0, -3, 0, "0.00E+00"},
      {'.', 0, -1, 1e300, "1E+300"},
      {'.', 10, -2, 1500, "   1.5E+03"},
      {'.', 0, INT_MIN, 1, "1.0000000000000000000E+00"},  // at most 20 digits
      {'.', 5, 1, kInf, "  inf"},
      {'.', 0, -2, -kInf, "-inf"},
      {'.', 0, 1, std::numeric_limits<double>::quiet_NaN(), "nan"},
  };
  for (const FormatCase& c : cases) {
    SetUserDecimalSeparator(c.separator);
    EXPECT_EQ(FormatNumber(c.width, c.decimals, c.value), c.expected)
        << c.value << " width " << c.width << " decimals " << c.decimals;
  }
}

struct RefusalCase {
  TInputOptions options;
  const char* text;
  int message;
};

constexpr TInputOptions kNumericInput = kInputNumericTyping | kInputNumericValidation;

TEST(InputTextRulesTest, RefusalMessageOnOk) {
  const RefusalCase cases[] = {
      {kNumericInput, "12a", -6},
      {kNumericInput, "1.5", 0},  // a real-valued input takes fractions
      {kNumericInput, "1,5", 0},
      {kNumericInput, "1.5e", -6},
      {kNumericInput | kInputEmptyAllowed | kInputZeroAllowed, "", -6},
      {kNumericInput, "2147483648", 0},
      {kNumericInput | kInputZeroAllowed, "-0.25", -7},
      {kNumericInput, "+", -6},
      {kNumericInput, "1 2", 0},  // a space typed inside a value reads as "0"
      {kNumericInput, " 7 ", 0},
      {kNumericInput, "+7", 0},
      {kNumericInput, "2147483647", 0},
      {kNumericInput, "-5", -8},
      {kNumericInput | kInputZeroAllowed, "-5", -7},
      {kNumericInput | kInputZeroAllowed, "-2147483648", -7},
      {kNumericInput, "0", -8},
      {kNumericInput, "-0", -8},
      {kNumericInput | kInputZeroAllowed, "0", 0},
      {kNumericInput | kInputIntegerOnly, "-5", 0},
      {kNumericInput | kInputIntegerOnly, "0", 0},
      {kNumericInput | kInputIntegerOnly, "1.5", -6},
      {kNumericInput | kInputIntegerOnly, "2147483648", -6},
      {kNumericInput | kInputIntegerOnly, "1 2", -6},
      {kInputNumericTyping, "12a", 0},  // both options are needed for a check
      {kInputNumericValidation, "-5", 0},
      {0, "", 0},
  };
  for (const RefusalCase& c : cases) {
    EXPECT_EQ(InputRefusalMessage(c.options, c.text), c.message)
        << "'" << c.text << "' with options " << c.options;
  }
}

TEST(InputTextRulesTest, OkIsEnabledForANonBlankTextOrWhenEmptyIsAllowed) {
  EXPECT_FALSE(InputOkEnabled(0, ""));
  EXPECT_FALSE(InputOkEnabled(kNumericInput, " \t "));
  EXPECT_TRUE(InputOkEnabled(0, " x "));
  EXPECT_TRUE(InputOkEnabled(kInputEmptyAllowed, ""));
}

}  // namespace
