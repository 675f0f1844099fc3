#include "i18n/DimValue.h"

#include <gtest/gtest.h>

namespace {

// Temperatures shown in degrees Fahrenheit (unit 1), back to Celsius afterwards.
class DimValue : public ::testing::Test {
 protected:
  void SetUp() override {
    CTUnitData::ResetUnits();
    CTUnitData::SetCurrentUnit(U_Temperature, 1);
  }
  void TearDown() override { CTUnitData::ResetUnits(); }
};

TEST_F(DimValue, ShowsTheBaseValueInTheDisplayUnitAndReadsItBack) {
  CTDimValue control;
  int changes = 0;
  control.onChange = [&] { ++changes; };
  EXPECT_EQ(control.UnitName(), "Unit");
  control.SetUnitId(U_Temperature);
  EXPECT_EQ(control.DimId(), 1);
  EXPECT_EQ(control.UnitName(), CTUnitData::UnitName(U_Temperature, 1));
  control.SetValue(20);
  EXPECT_EQ(changes, 1);
  EXPECT_NEAR(control.ValueDisplayed(), 68, 1e-9);
  EXPECT_EQ(control.Text(), CTUnitData::FormatValue(U_Temperature, 1, 20));
  // Typed text counts at once, before the field is left.
  int caret = 2;
  control.Type("25", caret);
  EXPECT_NEAR(control.Value(), (25 - 32) / 1.8, 1e-9);
  EXPECT_TRUE(control.Modified());
  caret = 3;
  control.Type("212", caret);
  control.Leave();
  EXPECT_NEAR(control.Value(), 100, 1e-9);
  EXPECT_EQ(changes, 2);
}

TEST_F(DimValue, TypingFiltersAndTheUnitFollowsTheUsersChoice) {
  CTDimValue control;
  int shown = 0;
  control.onDisplay = [&] { ++shown; };
  control.SetUnitId(U_Temperature);
  control.SetValue(20);
  // A letter becomes 0 where it was typed; the caret stays.
  int caret = 2;
  control.Type("2a", caret);
  EXPECT_EQ(control.Text(), "20");
  EXPECT_EQ(caret, 2);
  caret = 3;
  control.Type("1 5", caret);
  EXPECT_EQ(control.Text(), "15");
  EXPECT_EQ(caret, 2);
  control.Leave();
  // The display unit changes while the control exists: label and number follow.
  const int before = shown;
  CTUnitData::SetCurrentUnit(U_Temperature, 0);
  EXPECT_GT(shown, before);
  EXPECT_EQ(control.DimId(), 0);
  EXPECT_EQ(control.UnitName(), CTUnitData::UnitName(U_Temperature, 0));
  EXPECT_NEAR(control.ValueDisplayed(), (15 - 32) / 1.8, 1e-9);
}

}  // namespace
