#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "CatalogueTestStore.h"
#include "catalogue/OutdoorCapacity.h"
#include "catalogue/OutdoorUnits.h"
#include "physics/MoistAir.h"

// The capacity fixture (tests/data/catalogue/capacity/capacity.tsv) holds two models with
// hand-made linear and quadratic curves, so that every expected value below can be worked out on
// paper:
//
// QOT-10: combination rows 50 % -> 100, 100 % -> 200, 130 % -> 260, 200 % -> 340;
//   OUT_MaxConnRatio 130. Cooling table range wet bulb 10..24, envelope indoor 10..24 (rated
//   15..22), outdoor -5..46, upper-left corner cut 5 x 7.3. Cooling capacity curves
//   (x = indoor wet bulb):
//     50 %:  -5 °C 16 + 0.25x,  20 °C 15 + 0.25x,  46 °C 11 + 0.2x
//     100 %: -5 °C 30 + 0.5x,   20 °C 28 + 0.5x,   30 °C 26 + 0.5x (stored at 100.4 %),
//            46 °C 20 + 0.4x
//     130 %: -5 °C 36 + 0.6x,   40 °C 30 + 0.5x
//     75 %:  a curve of no combination row (never used)
//   Heating table range dry bulb 15..27.5, envelope indoor 15..27.5, outdoor -20..15, lower-right
//   corner cut 3 x 5. Heating capacity at 100 %: -20 °C 12 - 0.05x, 0 °C 16 + 0.01x²,
//   15 °C 22 - 0.1x. Power inputs at 100 % only: cooling -5 °C 4 + 0.1x, 46 °C 8 + 0.1x;
//   heating -20 °C 5 + 0.05x, 15 °C 4 + 0.05x.
//   Defrost rows -7 .. 7 °C: 0.88 0.90 0.92 0.95 0.97 0.99 1.0. Cooling variation (0, 1.0),
//   (59.6, 1.0), (68, 0.97); heating (0, 1.0), (100, 0.9). OUT_MaxLevelDiffOutdoorBelow -40.
// QOT-20: rows 50 % -> 300 and 60 % -> 360, OUT_MaxConnRatio 0, no curves, tables or defrost
//   rows.

namespace {

class OutdoorCapacity : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(store.LoadFixture("capacity")); }
  Cls_OutdoorUnit& Unit(int id) {
    return dynamic_cast<Cls_OutdoorUnit&>(*CTDbObject::CachedObject(119, id, &store.factory));
  }
  Cls_OutdoorUnit& T10() { return Unit(1); }
  Cls_OutdoorUnit& T20() { return Unit(2); }

  CTCatalogueTestStore store;
  TAir air;
};

constexpr double kEps = 1e-9;

}  // namespace

TEST(CapacityCurve, HornerValueAndFaults) {
  const double a[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_DOUBLE_EQ(EvaluateCurve(a, 2.0), 1793.0);  // 1 + 2·2 + 3·4 + ... + 8·128
  EXPECT_DOUBLE_EQ(EvaluateCurve(a, -1.0), -4.0);
  EXPECT_DOUBLE_EQ(EvaluateCurve(a, 0.0), 1.0);
  const double huge[8] = {0, 0, 0, 0, 0, 0, 0, 1e300};
  EXPECT_EQ(EvaluateCurve(huge, 1e10), 0.0);  // overflow
  EXPECT_EQ(EvaluateCurve(a, std::numeric_limits<double>::quiet_NaN()), 0.0);
}

TEST(OperatingEnvelope, LimitsAndCornerCuts) {
  LTOperatingEnvelope e;
  e.ratedMin = 15;
  e.ratedMax = 22;
  e.minIndoor = 10;
  e.maxIndoor = 24;
  e.minOutdoor = -5;
  e.maxOutdoor = 46;
  // Indoor extent 5, outdoor extent 7.3; the allowed range starts 5 K below the rated one, so
  // the outdoor extent becomes 7.3 · (5 + 5) / 5 = 14.6. Stored signs do not matter.
  e.upperLeft = {-5, -7.3};
  // Ends at the allowed maximum 24 (2 K above rated): 6 · (2 + 2) / 2 = 12.
  e.lowerRight = {2, 6};
  // A corner with one zero extent is not cut.
  e.upperRight = {2, 0};
  e.lowerLeft = {0, 3};
  struct Case {
    double ti, to;
    bool outside;
  } cases[] = {
      {10, 31.4, false},     {10, 31.41, true},     // F - 14.6
      {14.9, 45.707, false}, {14.9, 45.709, true},  // F - 0.292
      {15, 46, false},                              // past the corner
      {24, 7.0, false},      {24, 6.99, true},      // E + 12 at the right end
      {23, 1.0, false},      {23, 0.99, true},      // E + (23 - 22) · 12 / 2
      {24, 46, false},                              // the uncut upper-right corner
      {10, -5, false},                              // the uncut lower-left corner
      {9.99, 20, true},      {24.01, 20, true},    {15, -5.01, true}, {15, 46.01, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(e.IsOutside(c.ti, c.to), c.outside) << c.ti << " / " << c.to;
  }
  // Without scaling the corner keeps its stored extent.
  LTOperatingEnvelope plain = e;
  plain.minIndoor = 15;
  plain.upperLeft = {5, 7.3};
  EXPECT_FALSE(plain.IsOutside(15, 46 - 7.3));
  EXPECT_TRUE(plain.IsOutside(15, 46 - 7.29));
}

TEST_F(OutdoorCapacity, CombinationRowsRatiosAndIndexes) {
  std::vector<double> ratios;
  for (const auto& row : T10().GetCombinationRows()) ratios.push_back(row.ratio);
  EXPECT_EQ(ratios, (std::vector<double>{50, 100, 130, 200}));

  EXPECT_EQ(T10().GetMaxCombinationRatio(true), 200.0);
  EXPECT_EQ(T10().GetMaxCombinationRatio(false), 130.0);
  // OUT_MaxConnRatio 0 always takes the last row.
  EXPECT_EQ(T20().GetMaxCombinationRatio(false), 60.0);

  struct Case {
    int unit;
    double ratio, index;
  } cases[] = {
      {1, 40, 80},   {1, 50, 100},  {1, 75, 150}, {1, 100, 200}, {1, 165, 300},
      {1, 200, 340}, {1, 250, 340}, {1, 0, 0},    {1, -5, 0},    {2, 55, 330},
      {2, 40, 240},  {2, 60, 360},  {2, 90, 360},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(Unit(c.unit).GetCapacityIndexAt(c.ratio), c.index, kEps)
        << c.unit << " at " << c.ratio;
  }
}

TEST_F(OutdoorCapacity, FamiliesAreFormedByRoundedRatioAndBuiltOnce) {
  const auto& cooling = T10().GetCapacityFamilies(kCurveCoolingCapacity);
  ASSERT_EQ(cooling.size(), 3u);  // 200 % has no curves, 75 % has no row
  EXPECT_EQ(cooling[0].KeyIndex(), 100.0);
  EXPECT_EQ(cooling[1].KeyIndex(), 200.0);
  EXPECT_EQ(cooling[2].KeyIndex(), 260.0);
  std::vector<double> temps;
  for (const auto& curve : cooling[1].Curves()) temps.push_back(curve.outdoorTemp);
  EXPECT_EQ(temps, (std::vector<double>{-5, 20, 30, 46}));  // 100.4 % counts as 100 %
  EXPECT_EQ(cooling[1].IndoorLow(), 10.0);
  EXPECT_EQ(cooling[1].IndoorHigh(), 24.0);
  EXPECT_DOUBLE_EQ(cooling[1].Smallest(), 24.0);  // 20 + 0.4 · 10
  EXPECT_DOUBLE_EQ(cooling[1].Largest(), 42.0);   // 30 + 0.5 · 24

  const auto& heating = T10().GetCapacityFamilies(kCurveHeatingCapacity);
  ASSERT_EQ(heating.size(), 1u);
  // Sampled at 15, 16, ..., 27 and at the range end 27.5, where both extremes lie.
  EXPECT_DOUBLE_EQ(heating[0].Smallest(), 12 - 0.05 * 27.5);
  EXPECT_DOUBLE_EQ(heating[0].Largest(), 16 + 0.01 * 27.5 * 27.5);
  EXPECT_FALSE(heating[0].IsCooling());

  EXPECT_EQ(T10().GetCapacityFamilies(kCurveCoolingPower).size(), 1u);
  EXPECT_EQ(T10().GetCapacityFamilies(kCurveHeatingPower).size(), 1u);
  EXPECT_EQ(&T10().GetCapacityFamilies(kCurveCoolingCapacity), &cooling);
  EXPECT_EQ(T10().GetCapacityFamilies(kCurveCoolingCapacity)[1].Curves().data(),
            cooling[1].Curves().data());
  EXPECT_TRUE(T10().GetCapacityFamilies(3).empty());
  EXPECT_TRUE(T20().GetCapacityFamilies(kCurveCoolingCapacity).empty());
}

TEST_F(OutdoorCapacity, ValueOfKindAcrossTemperaturesIndexesAndStatuses) {
  const auto& families = T10().GetCapacityFamilies(kCurveCoolingCapacity);
  struct Case {
    double ti, to, ci, value;
    int status;
  } cases[] = {
      {18, 20, 200, 37, 0},         // exactly an intermediate curve
      {18, -5, 200, 39, 0},         // the first curve
      {18, 25, 200, 36, 0},         // halfway between 20 °C (37) and 30 °C (35)
      {24, 46, 200, 29.6, 0},       // both range ends
      {10, 31.4, 200, 30.3875, 0},  // on the corner cut: 31 + 1.4 · (24 - 31) / 16
      {24.01, 46, 200, 0, 3},
      {24, 46.01, 200, 0, 3},
      {9.99, 20, 200, 0, 3},
      {10, 31.5, 200, 0, 1},                       // in the cut corner
      {18, 20, 100, 19.5, 0},                      // the 50 % family
      {18, 20, 50, 19.5, 0},                       // below the first key index
      {18, 20, 150, 28.25, 0},                     // halfway: the mean of 19.5 and 37
      {18, 20, 260, 46.8 - 25.0 / 45.0 * 7.8, 0},  // the 130 % family
      {18, 20, 400, 46.8 - 25.0 / 45.0 * 7.8, 0},  // above the last key index
      {18, 43, 230, 0, 3},                         // the 130 % curves end at 40 °C
      {18, 43, 300, 0, 3},
      {18, 43, 200, 35 - 13.0 / 16.0 * 7.8, 0},  // a key index: the 130 % family is not asked
  };
  for (const Case& c : cases) {
    int status = -1;
    EXPECT_NEAR(ValueOfKind(families, c.ti, c.to, c.ci, status), c.value, 1e-9)
        << c.ti << " / " << c.to << " / " << c.ci;
    EXPECT_EQ(status, c.status) << c.ti << " / " << c.to << " / " << c.ci;
  }
  int status = -1;
  EXPECT_EQ(ValueOfKind({}, 18, 20, 200, status), 0.0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ValueOfKind(families, std::nan(""), 20, 200, status), 0.0);
  EXPECT_EQ(status, 3);
}

TEST_F(OutdoorCapacity, CapacityAndPowerAtConditions) {
  int status = -1;
  // Cooling works on the indoor wet bulb.
  const double wb = air.WetBulbTemperature(27, 47);
  EXPECT_NEAR(wb, 19.0, 0.3);
  EXPECT_NEAR(T10().GetCapacityAt(true, 27, 47, 20, 40, 200, air, status), 28 + 0.5 * wb, kEps);
  EXPECT_EQ(status, 0);
  // Power input interpolated across outdoor temperatures; with 100 % curves only every index
  // gives the same value.
  for (double ci : {50.0, 200.0, 400.0}) {
    EXPECT_NEAR(T10().GetPowerInputAt(true, 27, 47, 20.5, 40, ci, air), 6 + 0.1 * wb, kEps);
  }
  // Heating: dry bulb, times the defrost factor.
  EXPECT_NEAR(T10().GetCapacityAt(false, 20, 50, 0, 80, 200, air, status), 20 * 0.95, kEps);
  EXPECT_EQ(status, 0);
  EXPECT_NEAR(T10().GetCapacityAt(false, 20, 50, -20, 80, 200, air, status), 11 * 0.88, kEps);
  EXPECT_NEAR(T10().GetCapacityAt(false, 27, 50, -15, 80, 200, air, status),
              (10.65 + 0.25 * (23.29 - 10.65)) * 0.88, kEps);
  EXPECT_EQ(status, 0);
  // The heating corner: below -20 + (27 - 24.5) · 5 / 3 at 27 °C indoor.
  EXPECT_EQ(T10().GetCapacityAt(false, 27, 50, -16, 80, 200, air, status), 0.0);
  EXPECT_EQ(status, 2);
  EXPECT_EQ(T10().GetCapacityAt(false, 14.9, 50, 0, 80, 200, air, status), 0.0);
  EXPECT_EQ(status, 4);
  EXPECT_EQ(T10().GetCapacityAt(false, 20, 50, 15.5, 80, 200, air, status), 0.0);
  EXPECT_EQ(status, 4);
  // Heating power has no defrost factor: 6 + 20 / 35 · (5 - 6).
  EXPECT_NEAR(T10().GetPowerInputAt(false, 20, 50, 0, 80, 200, air), 6 - 20.0 / 35.0, kEps);
  EXPECT_EQ(T10().GetPowerInputAt(false, 14.9, 50, 0, 80, 200, air), 0.0);
  // A model without curves gives 0 kW and status 0.
  EXPECT_EQ(T20().GetCapacityAt(true, 27, 47, 35, 40, 300, air, status), 0.0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(T20().GetCapacityAt(false, 20, 50, 7, 80, 300, air, status), 0.0);
  EXPECT_EQ(status, 0);
}

TEST_F(OutdoorCapacity, DefrostFactor) {
  struct Case {
    double t, factor;
  } cases[] = {{-10, 0.88}, {-7, 0.88}, {-4, 0.91}, {0, 0.95}, {6, 0.995}, {7, 1.0}, {10, 1.0}};
  for (const Case& c : cases) EXPECT_NEAR(T10().GetDefrostFactor(c.t), c.factor, kEps) << c.t;
  EXPECT_EQ(T20().GetDefrostFactor(-10), 1.0);
}

TEST_F(OutdoorCapacity, PipingCorrectionFromTheCatalogue) {
  const TVarCapList& cooling = T10().GetCapVariationTable(kVariationCooling);
  const TVarCapList& heating = T10().GetCapVariationTable(kVariationHeating);
  EXPECT_EQ(cooling.Rows().size(), 3u);
  EXPECT_EQ(cooling.Rows().front().at, 0.0);
  EXPECT_EQ(&T10().GetCapVariationTable(kVariationCooling), &cooling);
  struct Case {
    const TVarCapList* table;
    int length, level;
    double factor;
  } cases[] = {
      {&cooling, 64, 0, 0.985},  // (60, 1.0) .. (68, 0.97); 59.6 m counts as 60 m
      {&cooling, 60, 0, 1.0},    {&cooling, 100, 0, 0.97}, {&cooling, 0, 10, 1.0},
      {&cooling, 30, 10, 0.98},  {&heating, 50, 0, 0.95},  {&heating, 50, 10, 0.95},
      {&heating, 50, -45, 0.95}, {&heating, 150, 0, 0.9},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(T10().GetPipingCorrection(*c.table, c.length, c.level), c.factor, kEps)
        << c.table->Kind() << " " << c.length << " " << c.level;
  }
  // No rows: 1.0 after the level adjustment.
  const TVarCapList& none = T20().GetCapVariationTable(kVariationCooling);
  EXPECT_TRUE(none.Rows().empty());
  EXPECT_EQ(T20().GetPipingCorrection(none, 30, 0), 1.0);
  EXPECT_NEAR(T20().GetPipingCorrection(none, 30, 10), 0.98, kEps);
}

TEST_F(OutdoorCapacity, PipingLevelAdjustmentWithTheUnitBelow) {
  // T10's OUT_MaxLevelDiffOutdoorBelow is -40: its magnitude counts.
  const TVarCapList sloped(kVariationCooling, &T10(), {{0, 1.0}, {30, 1.0}, {45, 0.95}});
  const TVarCapList flat(kVariationCooling, &T10(), {{0, 1.0}, {100, 1.0}});
  const TVarCapList heating(kVariationHeating, &T10(), {{0, 1.0}, {30, 1.0}, {45, 0.95}});
  EXPECT_NEAR(T10().GetPipingCorrection(sloped, 30, -10), 1.0, kEps);  // below 40 m
  EXPECT_NEAR(T10().GetPipingCorrection(sloped, 45, -10), 0.96425, kEps);
  EXPECT_EQ(T10().GetPipingCorrection(flat, 45, -10), 1.0);  // 1.015 capped
  EXPECT_NEAR(T10().GetPipingCorrection(heating, 45, -10), 0.95, kEps);
}
