// The additional refrigerant charge of a system and the note on automatic recharge.

#include <gtest/gtest.h>

#include "SizingFixture.h"
#include "catalogue/OutdoorUnits.h"
#include "design/RefrigerantCharge.h"
#include "support/TestSupport.h"

namespace {

TEST_F(SizingTest, ChargeOfAPipeIsItsLengthTimesTheCoefficientOfItsLiquidSize) {
  SetRefrigerant("R410A");
  Cls_QsOutPlacement& out = System("Out", "QSO-HP");
  TestIndoor& unit = Unit(out, "U1", 80, "QI-80");
  Node(out, unit)->SetBranchLength(12.5);
  // 9.5 mm: 0.054 kg/m, the first of the two rows for that size.
  EXPECT_NEAR(GetAdditionalCharge(out), 0.675, 1e-12);
  EXPECT_EQ(Cls_QsProject::FormatMass(true, false, GetAdditionalCharge(out)),
            testsupport::Ansi("0.675 кг"));
}

TEST_F(SizingTest, ChargeSumsEveryPipeBySizeAndRefrigerant) {
  SetRefrigerant("R410A");
  Cls_QsOutPlacement& out = System("Out", "QSO-HP");
  TestIndoor& u1 = Unit(out, "U1", 25, "QI-25");
  TestIndoor& u2 = Unit(out, "U2", 80, "QI-80");
  TestIndoor& u3 = Unit(out, "U3", 25);
  Cls_QsPipingNode* main = out.GetRootNode()->ChildAt(0);
  main->SetBranchLength(12.5);         // the main pipe's 9.5 mm
  Node(out, u1)->SetBranchLength(10);  // the unit's 6.4 mm: 0.022 kg/m
  Node(out, u2)->SetBranchLength(4);   // 9.5 mm
  Node(out, u3)->SetBranchLength(7);   // no model, no size: nothing
  const double expected = 12.5 * 0.054 + 10 * 0.022 + 4 * 0.054;
  EXPECT_NEAR(GetAdditionalCharge(out), expected, 1e-12);
  // A length stored on the root counts with the main pipe's size.
  out.GetRootNode()->SetBranchLength(2);
  EXPECT_NEAR(GetAdditionalCharge(out), expected + 2 * 0.054, 1e-12);
  out.GetRootNode()->SetBranchLength(0);

  // R32 has a coefficient for 9.5 mm only.
  SetRefrigerant("R32");
  EXPECT_NEAR(GetAdditionalCharge(out), (12.5 + 4) * 0.047, 1e-12);
  // A refrigerant without coefficients, no refrigerant, no model: nothing.
  SetRefrigerant("R407C");
  EXPECT_EQ(GetAdditionalCharge(out), 0);
  SetRefrigerant("");
  EXPECT_EQ(GetAdditionalCharge(out), 0);
  SetRefrigerant("R410A");
  out.SetModel(nullptr);
  EXPECT_EQ(GetAdditionalCharge(out), 0);
}

TEST_F(SizingTest, AutoRechargeNoteBelowTheMinimumRatio) {
  Cls_QsOutPlacement& out = System("Out", "QSO-HP");
  TestIndoor& unit = Unit(out, "U1", 159.8);
  double minimum = -1;
  // 79.9 % of the index 200 at 100 %.
  EXPECT_TRUE(AutoRechargeNote(out, minimum));
  EXPECT_EQ(minimum, 80);
  unit.index = 160;
  EXPECT_FALSE(AutoRechargeNote(out, minimum));
  // A model without automatic recharge never needs the note.
  out.SetModel(Catalogue<Cls_OutdoorUnit>("QSO-HP2"));
  unit.index = 20;
  EXPECT_FALSE(AutoRechargeNote(out, minimum));
  out.SetModel(nullptr);
  EXPECT_FALSE(AutoRechargeNote(out, minimum));
}

}  // namespace
