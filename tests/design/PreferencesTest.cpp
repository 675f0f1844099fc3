#include "design/Preferences.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

#include "i18n/Units.h"
#include "platform/SettingsKey.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

using testsupport::Ansi;

namespace {

constexpr auto kUser = CTSettingsHive::CurrentUser;
constexpr char kKey[] = "Software\\Ostrel\\Hi-QRN Selection\\QRNSolvo\\Preferences";
constexpr char kUnitsKey[] = "Software\\Ostrel\\Hi-QRN Selection\\QRNSolvo\\Preferences\\Units";

// Settings in a temporary folder; each test starts and ends with the program's unit table, with
// enough units appended that every region default names an existing unit (as start-up does).
class PreferencesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CTUnitData::ResetUnits();
    for (int i = 0; i < 2; ++i) CTUnitData::AddUnit(U_Airflow, "flow", 0, 1 + i, 1);
    CTUnitData::AddUnit(U_Power, "power", 0, 3.5, 1);
    CTUnitData::AddUnit(U_Length, "length", 0, 0.3, 1);
    CTUnitData::AddUnit(U_Appl1, "diameter", 0, 25.4, 1);
  }
  void TearDown() override { CTUnitData::ResetUnits(); }

  std::string UserFile() const { return dir_.File("user.txt"); }
  void Write(const char* name, const LTSettingsValue& value) {
    ASSERT_TRUE(store_.WriteValue(kUser, kKey, name, value)) << name;
  }
  CTPreferences Loaded(int dataRegion = 0) {
    CTPreferences preferences;
    preferences.Load(store_, dataRegion);
    return preferences;
  }

  testsupport::TempDir dir_;
  CTSettingsStore store_{UserFile(), dir_.File("machine.txt")};
};

// Every value away from its default, pens among the line-style list's.
CTPreferences Changed() {
  CTPreferences p;
  p.indoorConditionType = 2;
  p.refrigerant = {201, 7};
  p.outdoorSeries = Ansi("Серия X");
  p.outdoorFamily = 0;
  p.outdoorCombination = 130;
  p.outdoorHighCombination = 200;
  p.allowHighCombination = true;
  p.indoorFamily = "FXSQ";
  p.indoorModel = 31;
  p.ventilationModel = 12;
  p.adapterOption = {96, 4};
  p.coolRoomTemp = 26.5;
  p.coolRoomRH = 45;
  p.heatRoomTemp = 21.25;
  p.heatRoomRH = 40;
  p.coolOutdoorTemp = 35;
  p.coolOutdoorRH = 60;
  p.heatOutdoorTemp = -7;
  p.heatOutdoorRH = 85;
  p.coolLoadSensible = 1.8;
  p.coolLoadTotal = 2.4;
  p.heatLoad = 3.1;
  p.outdoorPipingLength = 70;
  p.outdoorMaxDistToIndoor = 30;
  p.indoorManualSelect = true;
  p.shapeDrawColour = 0x101010;
  p.shapeFillColour = 0xFFFFFF;
  p.piping2Colour = 0x0000FF;
  p.piping2Pen = {3, LTPen::kSolid};
  p.piping3Colour = 0x00FF00;
  p.piping3Pen = {2, LTPen::kSolid};
  p.pipingOilColour = 0x404040;
  p.pipingOilPen = {0, LTPen::kDashDot};
  p.wiringF1F2Colour = 0x00FFFF;
  p.wiringF1F2Pen = {0, LTPen::kDotted};
  p.wiredRemoteColour = 0xFF00FF;
  p.wiredRemotePen = {0, LTPen::kDashed};
  p.wirelessRemoteColour = 0x123456;
  p.wirelessRemotePen = {0, LTPen::kSolid};
  p.wiringQ1Q2Colour = 0x654321;
  p.wiringQ1Q2Pen = {3, LTPen::kSolid};
  p.wiringACColour = 0xFEDCBA;
  p.wiringACPen = {0, LTPen::kDotted};
  p.remoteSensorColour = 0xABCDEF;
  p.remoteSensorPen = {0, LTPen::kDashDot};
  p.indoorPrefix = Ansi("Внутр. ");
  p.outdoorPrefix = "";
  p.boxPrefix = "B-";
  p.reportPiping = false;
  p.reportWiring = false;
  p.reportMaterialList = false;
  p.reportIndoorDetails = false;
  p.reportOutdoorDetails = false;
  p.reportOptions = false;
  p.openReport = false;
  p.openExport = false;
  p.reportPipingVertical = false;
  p.reportDiversified = true;
  p.reportRequiredCapacity = true;
  p.reportCopEer = true;
  p.reportDischarge = false;
  p.reportSuctionTemp = 20;
  p.reportOutsideTemp = -10;
  return p;
}

}  // namespace

TEST_F(PreferencesTest, FirstStartGivesEveryDefaultAndWritesNothing) {
  CTUnitData::SetCurrentUnit(U_Temperature, 1);
  CTPreferences preferences = Changed();
  preferences.Load(store_);
  EXPECT_EQ(preferences, CTPreferences());
  EXPECT_EQ(CTUnitData::CurrentUnit(U_Temperature), 0);  // a missing "Units" reads as empty
  EXPECT_FALSE(CTPreferences::UnitsStored(store_));
  EXPECT_FALSE(testsupport::FileExists(UserFile()));
}

TEST_F(PreferencesTest, SavedValuesLoadBackWithTheirStoredTypes) {
  CTUnitData::SetCurrentUnit(U_Temperature, 1);
  CTUnitData::SetCurrentUnit(U_Pressure, 2);
  ASSERT_TRUE(Changed().Save(store_));
  ASSERT_TRUE(Changed().Save(store_));  // unchanged values are written again without failing
  EXPECT_TRUE(CTPreferences::UnitsStored(store_));

  struct Stored {
    const char* name;
    LTSettingsValue value;
  };
  const Stored stored[] = {
      {"IND_COND_TYPE", LTSettingsValue::Integer(2)},
      {"REFRIGERANT_CLS_ID", LTSettingsValue::Integer(201)},
      {"OU_SERIES", LTSettingsValue::String(Ansi("Серия X"))},
      {"COOL_ROOM_TEMP", LTSettingsValue::Double(26.5)},
      {"OU_ALW_HI_COMBPERC", LTSettingsValue::Integer(1)},
      {"RPT_PIPING", LTSettingsValue::Integer(0)},
      {"CLR_SHAPE_FILL", LTSettingsValue::Integer(0xFFFFFF)},
      {"LS_PIPING_OIL", LTSettingsValue::Integer(5)},
      {"LS_WIRELESS_REMCON", LTSettingsValue::Integer(0)},
      {"DFT_PFX_OU", LTSettingsValue::String("")},
      {"RPT_DT_OUTSIDE", LTSettingsValue::Double(-10)},
  };
  for (const Stored& s : stored)
    EXPECT_EQ(store_.ReadValue(kUser, kKey, s.name), s.value) << s.name;
  EXPECT_EQ(store_.ReadValue(kUser, kUnitsKey, "Units18"), LTSettingsValue::Integer(1));

  CTUnitData::ResetUnits();
  CTSettingsStore reopened(UserFile(), dir_.File("machine.txt"));
  CTPreferences loaded;
  loaded.Load(reopened);
  EXPECT_EQ(loaded, Changed());
  EXPECT_EQ(CTUnitData::CurrentUnit(U_Temperature), 1);
  EXPECT_EQ(CTUnitData::CurrentUnit(U_Pressure), 2);
}

TEST_F(PreferencesTest, EachStoredValueReachesItsFieldAndAWrongTypeKeepsTheDefault) {
  using P = CTPreferences;
  struct Row {
    const char* name;
    LTSettingsValue value;
    void (*expect)(P&);  // the change from the defaults; null: the defaults stand
  };
  const Row rows[] = {
      {"IND_COND_TYPE", LTSettingsValue::Integer(1), [](P& p) { p.indoorConditionType = 1; }},
      {"REFRIGERANT_OBJ_ID", LTSettingsValue::Integer(9), [](P& p) { p.refrigerant.recordId = 9; }},
      {"HXB415_CLS_ID", LTSettingsValue::Integer(96), [](P& p) { p.adapterOption.tableId = 96; }},
      {"IU_FAMILY", LTSettingsValue::String("FXZQ"), [](P& p) { p.indoorFamily = "FXZQ"; }},
      {"OU_HI_COMBPERC", LTSettingsValue::Double(160),
       [](P& p) { p.outdoorHighCombination = 160; }},
      {"IU_MANUAL_SELECT", LTSettingsValue::Integer(7), [](P& p) { p.indoorManualSelect = true; }},
      {"RPT_OPEN_EXP", LTSettingsValue::Integer(0), [](P& p) { p.openExport = false; }},
      {"CLR_WIRING_AC", LTSettingsValue::Integer(-1), [](P& p) { p.wiringACColour = 0xFFFFFFFF; }},
      {"LS_PIPING_2", LTSettingsValue::Integer(3),
       [](P& p) {
         p.piping2Pen = {0, LTPen::kDotted};
       }},
      {"LS_WIRING_AC", LTSettingsValue::Integer(0),
       [](P& p) {
         p.wiringACPen = {0, LTPen::kSolid};
       }},
      {"DFT_PFX_BS", LTSettingsValue::String(""), [](P& p) { p.boxPrefix = ""; }},
      {"rpt_dt_suction", LTSettingsValue::Double(12), [](P& p) { p.reportSuctionTemp = 12; }},
      // Wrong types and values the program cannot use.
      {"COOL_ROOM_TEMP", LTSettingsValue::Integer(26), nullptr},
      {"COOL_ROOM_TEMP", LTSettingsValue::Binary("1234"), nullptr},
      {"HEAT_LOAD", LTSettingsValue::Double(std::numeric_limits<double>::quiet_NaN()), nullptr},
      {"COOL_LOAD_S", LTSettingsValue::Double(std::numeric_limits<double>::infinity()), nullptr},
      {"OU_SERIES", LTSettingsValue::Integer(1), nullptr},
      {"DFT_PFX_IU", LTSettingsValue::Binary("Ind "), nullptr},
      {"OU_FAMILY", LTSettingsValue::String("0"), nullptr},
      {"RPT_PIPING", LTSettingsValue::String("0"), nullptr},
      {"LS_WIRELESS_REMCON", LTSettingsValue::Integer(6), nullptr},
      {"LS_WIRELESS_REMCON", LTSettingsValue::Integer(-1), nullptr},
      {"CLR_PIPING_3", LTSettingsValue::Double(1), nullptr},
  };
  for (const Row& row : rows) {
    Write(row.name, row.value);
    CTPreferences expected;
    if (row.expect) row.expect(expected);
    EXPECT_EQ(Loaded(), expected) << row.name;
    ASSERT_TRUE(store_.DeleteValue(kUser, kKey, row.name));
  }
}

TEST_F(PreferencesTest, LineStylesAndPens) {
  const LTPen pens[] = {{0, LTPen::kSolid},  {2, LTPen::kSolid},  {3, LTPen::kSolid},
                        {0, LTPen::kDotted}, {0, LTPen::kDashed}, {0, LTPen::kDashDot}};
  for (int index = 0; index < 6; ++index) {
    EXPECT_EQ(CTPreferences::PenOfLineStyle(index), pens[index]) << index;
    EXPECT_EQ(CTPreferences::LineStyleOfPen(pens[index]), index) << index;
  }
  // The style decides before the width; a solid pen of another width is the one-pixel line.
  EXPECT_EQ(CTPreferences::LineStyleOfPen({2, LTPen::kDotted}), 3);
  EXPECT_EQ(CTPreferences::LineStyleOfPen({3, LTPen::kDashed}), 4);
  EXPECT_EQ(CTPreferences::LineStyleOfPen({2, LTPen::kDashDot}), 5);
  EXPECT_EQ(CTPreferences::LineStyleOfPen(CTPreferences().piping2Pen), 0);
  EXPECT_EQ(CTPreferences::LineStyleOfPen({5, LTPen::kSolid}), 0);

  Write("LS_WIRING_Q1Q2", LTSettingsValue::Integer(3));
  CTPreferences loaded = Loaded();
  EXPECT_EQ(loaded.wiringQ1Q2Pen, (LTPen{0, LTPen::kDotted}));
  ASSERT_TRUE(loaded.Save(store_));
  EXPECT_EQ(store_.ReadValue(kUser, kKey, "LS_WIRING_Q1Q2"), LTSettingsValue::Integer(3));
}

TEST_F(PreferencesTest, DataRegionTwoStartsWithItsUnitsAndWithoutCopEer) {
  Write("RPT_COP_EER", LTSettingsValue::Integer(1));
  EXPECT_FALSE(Loaded(2).reportCopEer);
  EXPECT_TRUE(Loaded(0).reportCopEer);

  Loaded(2);
  const std::pair<U_RepUnit, int> regionUnits[] = {
      {U_Temperature, 1}, {U_Power, 2}, {U_Airflow, 4}, {U_ShortLength, 1},
      {U_Length, 1},      {U_Mass, 1},  {U_Appl1, 1}};
  for (const auto& [dimension, unit] : regionUnits)
    EXPECT_EQ(CTUnitData::CurrentUnit(dimension), unit) << dimension;
  EXPECT_EQ(CTUnitData::CurrentUnit(U_Pressure), 0);

  // Stored units win over the region's.
  ASSERT_TRUE(store_.WriteValue(kUser, kUnitsKey, "Units18", LTSettingsValue::Integer(0)));
  Loaded(2);
  EXPECT_EQ(CTUnitData::CurrentUnit(U_Temperature), 0);
  EXPECT_EQ(CTUnitData::CurrentUnit(U_Power), 0);
}

TEST_F(PreferencesTest, AnUnwritableLocationFailsTheSave) {
  testsupport::WriteFile(dir_.File("plain"), "a file, not a folder");
  CTSettingsStore blocked(dir_.File("plain/user.txt"), dir_.File("plain/machine.txt"));
  bool saved = true;
  EXPECT_NO_THROW(saved = Changed().Save(blocked));
  EXPECT_FALSE(saved);
  CTPreferences loaded = Changed();
  loaded.Load(blocked);
  EXPECT_EQ(loaded, CTPreferences());
}

TEST_F(PreferencesTest, DischargeTemperaturesMustLieInTheirRanges) {
  const std::string degC = Ansi("°C"), degF = Ansi("°F");
  struct Case {
    int unit;  // temperature display unit
    bool discharge;
    double suction, outside;  // °C
    std::optional<LTPreferencesRefusal> expected;
  };
  const auto refused = [](LTPreferencesRefusal::Field field, std::string placeholder) {
    return std::optional<LTPreferencesRefusal>({field, 5011, std::move(placeholder)});
  };
  const auto S = LTPreferencesRefusal::kSuctionTemp, O = LTPreferencesRefusal::kOutsideTemp;
  const Case cases[] = {
      {0, true, 24, 30, std::nullopt},
      {0, true, 0, -20, std::nullopt},
      {0, true, 24.1, 0, refused(S, "Suction > 24.0" + degC)},
      {0, true, -0.1, 0, refused(S, "Suction < 0.0" + degC)},
      {0, true, 18, 30.1, refused(O, "Outside > 30.0" + degC)},
      {0, true, 18, -20.1, refused(O, "Outside < -20.0" + degC)},
      {0, true, 25, 31, refused(S, "Suction > 24.0" + degC)},  // the suction field first
      {0, false, 99, -99, std::nullopt},
      {1, true, 24, 30, std::nullopt},
      {1, true, CTUnitData::Convert(U_Temperature, 1, 0, 75.2), 0, std::nullopt},
      {1, true, 24.1, 0, refused(S, "Suction > 75.2" + degF)},
      {1, true, 18, -20.1, refused(O, "Outside < -4.0" + degF)},
  };
  for (const Case& c : cases) {
    CTUnitData::SetCurrentUnit(U_Temperature, c.unit);
    EXPECT_EQ(DischargeTemperatureRefusal(c.discharge, c.suction, "Suction", c.outside, "Outside"),
              c.expected)
        << c.unit << " " << c.suction << " " << c.outside;
  }
}
