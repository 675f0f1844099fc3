#include "i18n/Units.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "i18n/NumberText.h"
#include "platform/SettingsKey.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

using testsupport::Ansi;

namespace {

// Each test starts with the program's unit table and leaves it so.
class UnitsTest : public ::testing::Test {
 protected:
  void SetUp() override { CTUnitData::ResetUnits(); }
  void TearDown() override {
    CTUnitData::ResetUnits();
    SetUserDecimalSeparator('.');
  }
};

struct UnitRow {
  U_RepUnit dimension;
  int unit;
  const char* name;  // UTF-8
  double factor;
  double offset;
  int decimals;
};

TEST_F(UnitsTest, TableHoldsTheProgramsUnits) {
  const int counts[kUnitDimensionCount] = {1, 3, 1, 2, 3, 2, 2, 1, 1, 2, 2, 1,
                                           2, 3, 1, 1, 2, 1, 2, 1, 1, 1, 1, 1};
  for (int d = 0; d < kUnitDimensionCount; ++d)
    EXPECT_EQ(CTUnitData::UnitCount(static_cast<U_RepUnit>(d)), counts[d]) << "dimension " << d;

  const UnitRow rows[] = {
      {U_None, 0, "Нет...", 1, 0, 1},
      {U_Airflow, 0, "л/с", 1, 0, 1},
      {U_Airflow, 1, "миль/ч", 1 / 3.6, 0, 0},
      {U_Airflow, 2, "миль/с", 1000, 0, 1},
      {U_Current, 0, "A", 1, 0, 1},
      {U_Density, 0, "кг/ л", 1, 0, 3},
      {U_Density, 1, "кг/м", 0.001, 0, 3},
      {U_Energy, 0, " кДж", 1, 0, 1},
      {U_Energy, 1, "кВт/ч", 3600, 0, 1},
      {U_Energy, 2, "ккал", 4.1868, 0, 0},
      {U_Enthalpy, 0, " кДж/кг", 1, 0, 1},
      {U_Enthalpy, 1, "ккал/ кг", 4.1868, 0, 1},
      {U_HeatTransfer, 1, "ккал/ ч мл", 4.1868 / 3.6, 0, 1},
      {U_Length, 0, "м", 1, 0, 3},
      {U_MediumLength, 0, "см", 1, 0, 1},
      {U_ShortLength, 0, "мм", 1, 0, 0},
      {U_ShortLength, 1, "дюйм", 25.4, 0, 1},
      {U_Mass, 1, "lbs", 0.45359237, 0, 3},
      {U_ShortMass, 0, "g", 1, 0, 0},
      {U_Power, 0, "кВт", 1, 0, 1},
      {U_Power, 1, "ккал/ ч", 4.1868 / 3600, 0, 0},
      {U_Pressure, 1, "мБар", 100, 0, 3},
      {U_Pressure, 2, "мм вод. ст.", 9.80665, 0, 3},
      {U_RotationalSpeed, 0, "Число оборотов в мин.", 1, 0, 0},
      {U_Sound, 0, "по сух. терм.", 1, 0, 0},
      {U_Speed, 0, "м/с", 1, 0, 0},
      {U_Speed, 1, "км/ч", 1 / 3.6, 0, 3},
      {U_Surface, 0, "мл", 1, 0, 3},
      {U_Temperature, 0, "°C", 1, 0, 1},
      {U_Temperature, 1, "°F", 5.0 / 9.0, 32, 1},
      {U_Tension, 0, "В", 1, 0, 0},
      {U_Volume, 0, "миля", 1, 0, 3},
      {U_Appl3, 0, "", 1, 0, 1},
  };
  for (const UnitRow& row : rows) {
    const CTDimData& unit = CTUnitData::Dimension(row.dimension).Units().at(row.unit);
    const std::string where = std::to_string(row.dimension) + "/" + std::to_string(row.unit);
    EXPECT_EQ(unit.name, Ansi(row.name)) << where;
    EXPECT_DOUBLE_EQ(static_cast<double>(unit.factor), row.factor) << where;
    EXPECT_DOUBLE_EQ(static_cast<double>(unit.offset), row.offset) << where;
    EXPECT_EQ(unit.decimals, row.decimals) << where;
  }
  EXPECT_EQ(CTUnitData::UnitName(U_Temperature, 0),
            "\xB0"
            "C");  // stored as CP1251
  EXPECT_EQ(CTUnitData::Dimension(U_None).Caption(), Ansi("Нет..."));
  EXPECT_EQ(CTUnitData::Dimension(U_Power).Caption(), Ansi("Потребл. мощность"));
  EXPECT_EQ(CTUnitData::Dimension(U_Volume).Caption(), Ansi("Обьем"));
  EXPECT_EQ(CTUnitData::Dimension(U_Appl2).Caption(), "Appl2");
}

struct ConvertCase {
  U_RepUnit dimension;
  int from;
  int to;
  double value;
  double expected;
};

TEST_F(UnitsTest, ConvertGoesThroughTheBaseUnit) {
  const ConvertCase cases[] = {
      {U_Temperature, 0, 1, 20, 68},
      {U_Temperature, 1, 0, 68, 20},
      {U_Temperature, 1, 1, 68, 68},
      {U_Airflow, 1, 2, 3600, 1},
      {U_Airflow, 2, 1, 1, 3600},
      {U_Airflow, 0, 1, 1, 3.6},
      {U_Pressure, 1, 2, 1, 100 / 9.80665},
      // A unit out of range counts as the base unit.
      {U_Temperature, 7, 0, 68, 68},
      {U_Temperature, 0, 7, 20, 20},
      {U_Temperature, 7, 1, 20, 68},
      {U_Temperature, -1, 1, 20, 68},
      // A dimension out of range has only its base unit.
      {static_cast<U_RepUnit>(kUnitDimensionCount), 0, 1, 5, 5},
  };
  for (const ConvertCase& c : cases) {
    EXPECT_DOUBLE_EQ(CTUnitData::Convert(c.dimension, c.from, c.to, c.value), c.expected)
        << c.dimension << ": " << c.from << " -> " << c.to;
  }
}

TEST_F(UnitsTest, OutOfRangeUnitsReadAsTheBaseUnitAndAreNotChanged) {
  EXPECT_EQ(CTUnitData::UnitName(U_Speed, 2), Ansi("м/с"));
  EXPECT_EQ(CTUnitData::UnitName(U_Speed, -1), Ansi("м/с"));
  EXPECT_EQ(CTUnitData::Decimals(U_Speed, 5), 0);
  CTUnitData::SetUnitName(U_Speed, 2, "x");
  CTUnitData::SetDecimals(U_Speed, 2, 7);
  CTUnitData::SetCurrentUnit(U_Speed, 2);
  EXPECT_EQ(CTUnitData::UnitCount(U_Speed), 2);
  EXPECT_EQ(CTUnitData::CurrentUnit(U_Speed), 0);

  CTUnitData::SetUnitName(U_Speed, 1, "km/h");
  CTUnitData::SetDecimals(U_Speed, 1, 1);
  CTUnitData::SetCurrentUnit(U_Speed, 1);
  EXPECT_EQ(CTUnitData::CurrentUnitName(U_Speed), "km/h");
  EXPECT_EQ(CTUnitData::BaseUnitName(U_Speed), Ansi("м/с"));
  EXPECT_EQ(CTUnitData::Decimals(U_Speed, 1), 1);

  const LTUnitChoice choice = CTUnitData::UnitChoice(U_Speed);
  EXPECT_EQ(choice.caption, Ansi("Скорость"));
  EXPECT_EQ(choice.items, (std::vector<std::string>{Ansi("м/с"), "km/h"}));
  EXPECT_EQ(choice.selected, 1);
}

TEST_F(UnitsTest, AddUnitAppendsAUnitWithAUsableFactor) {
  EXPECT_EQ(CTUnitData::AddUnit(U_Length, Ansi("фут"), 0, 0.3048L, 1), 1);
  EXPECT_DOUBLE_EQ(CTUnitData::Convert(U_Length, 1, 0, 10), 3.048);
  EXPECT_EQ(CTUnitData::UnitName(U_Length, 1), Ansi("фут"));
  EXPECT_EQ(CTUnitData::Decimals(U_Length, 1), 1);

  EXPECT_EQ(CTUnitData::AddUnit(U_Length, "zero", 0, 0, 1), -1);
  EXPECT_EQ(CTUnitData::AddUnit(static_cast<U_RepUnit>(-1), "x", 0, 1, 1), -1);
  EXPECT_EQ(CTUnitData::UnitCount(U_Length), 2);
}

struct FormatValueCase {
  U_RepUnit dimension;
  int unit;
  int width;
  double value;  // in the base unit
  const char* expected;
};

TEST_F(UnitsTest, FormatValueShowsTheDisplayUnitWithItsDecimals) {
  SetUserDecimalSeparator(',');
  const FormatValueCase cases[] = {
      {U_Temperature, 1, 8, 20, "    68,0"}, {U_Temperature, 0, 0, -5.25, "-5,3"},
      {U_Temperature, 0, 3, 21.5, "21,5"},   {U_Airflow, 1, 6, 1000, "  3600"},
      {U_Pressure, 2, 0, 100, "10,197"},     {U_ShortLength, 0, 4, 12.5, "  13"},
  };
  for (const FormatValueCase& c : cases) {
    CTUnitData::SetCurrentUnit(c.dimension, c.unit);
    EXPECT_EQ(CTUnitData::FormatValue(c.dimension, c.width, c.value), c.expected)
        << c.dimension << "/" << c.unit << " " << c.value;
  }
  CTUnitData::SetDecimals(U_Temperature, 1, -2);
  CTUnitData::SetCurrentUnit(U_Temperature, 1);
  EXPECT_EQ(CTUnitData::FormatValue(U_Temperature, 0, 20), "6,8E+01");
}

TEST_F(UnitsTest, StoredAirFlowsInCubicMetresPerHourShowInEveryUnit) {
  SetUserDecimalSeparator('.');
  const double stored = 1260.0;  // m³/h, as a fan flow is stored
  CTUnitData::SetCurrentUnit(U_Airflow, 0);
  EXPECT_EQ(CTUnitData::FormatValue(U_Airflow, 0, AirflowBaseFromStored(stored)), "350.0");
  CTUnitData::SetCurrentUnit(U_Airflow, 1);
  EXPECT_EQ(CTUnitData::FormatValue(U_Airflow, 0, AirflowBaseFromStored(stored)), "1260");
  EXPECT_DOUBLE_EQ(AirflowStoredFromBase(AirflowBaseFromStored(stored)), stored);
}

TEST_F(UnitsTest, TypedTextIsReadWithTheUsersSeparator) {
  EXPECT_DOUBLE_EQ(CTUnitData::ParseValue("1 5,5"), 105.5);
  EXPECT_EQ(CTUnitData::FilterTyping("1.2.3e4e"), "1.203E40");
}

struct Notice {
  int listener;
  int oldUnit;
  std::string oldName;
  std::string newName;
  int newUnit;
};

bool operator==(const Notice& a, const Notice& b) {
  return a.listener == b.listener && a.oldUnit == b.oldUnit && a.oldName == b.oldName &&
         a.newName == b.newName && a.newUnit == b.newUnit;
}

TEST_F(UnitsTest, ListenersOfTheDimensionAreToldOfEachChange) {
  std::vector<Notice> notices;
  int first = 1;
  int second = 2;
  int other = 3;
  auto recorder = [&notices](int id) {
    return [&notices, id](int oldUnit, const std::string& oldName, const std::string& newName,
                          int newUnit) {
      notices.push_back({id, oldUnit, oldName, newName, newUnit});
    };
  };
  EXPECT_TRUE(CTUnitData::AddListener(U_Temperature, &first, recorder(first)));
  EXPECT_FALSE(CTUnitData::AddListener(U_Temperature, &first, recorder(99)));  // no duplicate
  EXPECT_TRUE(CTUnitData::AddListener(U_Temperature, &second, recorder(second)));
  EXPECT_TRUE(CTUnitData::AddListener(U_Pressure, &other, recorder(other)));
  EXPECT_FALSE(CTUnitData::AddListener(U_Pressure, &first, TUnitListener()));

  CTUnitData::SetCurrentUnit(U_Temperature, 1);
  CTUnitData::SetCurrentUnit(U_Temperature, 5);  // out of range: nothing happens
  CTUnitData::RemoveListener(U_Temperature, &first);
  CTUnitData::SetCurrentUnit(U_Temperature, 0);

  const std::string c = Ansi("°C");
  const std::string f = Ansi("°F");
  const std::vector<Notice> expected = {
      {1, 0, c, f, 1},
      {2, 0, c, f, 1},
      {2, 1, f, c, 0},
  };
  EXPECT_EQ(notices, expected);
}

TEST_F(UnitsTest, AListenerMayRemoveListenersWhileBeingTold) {
  int first = 0;
  int second = 0;
  int firstCalls = 0;
  int secondCalls = 0;
  CTUnitData::AddListener(U_Mass, &first, [&](int, const std::string&, const std::string&, int) {
    ++firstCalls;
    CTUnitData::RemoveListener(U_Mass, &first);
    CTUnitData::RemoveListener(U_Mass, &second);  // gone before its turn
  });
  CTUnitData::AddListener(U_Mass, &second,
                          [&](int, const std::string&, const std::string&, int) { ++secondCalls; });
  CTUnitData::SetCurrentUnit(U_Mass, 1);
  CTUnitData::SetCurrentUnit(U_Mass, 0);
  EXPECT_EQ(firstCalls, 1);
  EXPECT_EQ(secondCalls, 0);
}

TEST_F(UnitsTest, ResetRestoresTheProgramsTable) {
  int listener = 0;
  int calls = 0;
  CTUnitData::AddListener(U_Energy, &listener,
                          [&](int, const std::string&, const std::string&, int) { ++calls; });
  CTUnitData::AddUnit(U_Energy, "MJ", 0, 1000, 2);
  CTUnitData::SetUnitName(U_Energy, 0, "kJ");
  CTUnitData::SetDecimals(U_Energy, 0, 4);
  CTUnitData::SetCurrentUnit(U_Energy, 3);
  CTUnitData::ResetUnits();
  EXPECT_EQ(CTUnitData::UnitCount(U_Energy), 3);
  EXPECT_EQ(CTUnitData::BaseUnitName(U_Energy), Ansi(" кДж"));
  EXPECT_EQ(CTUnitData::Decimals(U_Energy, 0), 1);
  EXPECT_EQ(CTUnitData::CurrentUnit(U_Energy), 0);
  CTUnitData::SetCurrentUnit(U_Energy, 1);
  EXPECT_EQ(calls, 1);  // the listener went with the old table
}

class UnitsSettingsTest : public UnitsTest {
 protected:
  CTSettingsKey Key() {
    auto key = CTSettingsKey::Open(store_, CTSettingsHive::CurrentUser, "Software\\Test\\Units",
                                   CTSettingsKey::Access::Create);
    EXPECT_TRUE(key.has_value());
    return *key;
  }

  testsupport::TempDir dir_;
  CTSettingsStore store_{dir_.File("user.txt"), dir_.File("machine.txt")};
};

TEST_F(UnitsSettingsTest, SavedUnitsLoadBack) {
  CTUnitData::SetCurrentUnit(U_Airflow, 2);
  CTUnitData::SetCurrentUnit(U_Pressure, 1);
  CTUnitData::SetCurrentUnit(U_Temperature, 1);
  CTSettingsKey key = Key();
  ASSERT_TRUE(CTUnitData::SaveCurrentUnits(key));

  EXPECT_FALSE(key.ValueExists("Units0"));
  EXPECT_EQ(key.ReadInteger("Units1"), 2);
  EXPECT_EQ(key.ReadInteger("Units23"), 0);
  EXPECT_EQ(key.ValueNames().size(), 23u);

  CTUnitData::ResetUnits();
  CTSettingsStore reopened(dir_.File("user.txt"), dir_.File("machine.txt"));
  auto readKey = CTSettingsKey::Open(reopened, CTSettingsHive::CurrentUser, "Software\\Test\\Units",
                                     CTSettingsKey::Access::Read);
  ASSERT_TRUE(readKey);
  CTUnitData::LoadCurrentUnits(*readKey);
  EXPECT_EQ(CTUnitData::CurrentUnit(U_Airflow), 2);
  EXPECT_EQ(CTUnitData::CurrentUnit(U_Pressure), 1);
  EXPECT_EQ(CTUnitData::CurrentUnit(U_Temperature), 1);
  EXPECT_EQ(CTUnitData::CurrentUnit(U_Energy), 0);
}

TEST_F(UnitsSettingsTest, LoadKeepsADimensionWhoseStoredUnitIsOutOfRange) {
  for (U_RepUnit dimension : {U_Airflow, U_Energy, U_Pressure, U_Mass, U_Speed})
    CTUnitData::SetCurrentUnit(dimension, 1);
  CTSettingsKey key = Key();
  key.WriteInteger("Units13", 5);  // pressure has three units
  key.WriteInteger("Units4", -1);
  key.WriteString("Units10", "1");  // unreadable: counts as 0
  key.WriteInteger("Units16", 1);
  // Units1 is missing: counts as 0.
  CTUnitData::LoadCurrentUnits(key);
  EXPECT_EQ(CTUnitData::CurrentUnit(U_Pressure), 1);
  EXPECT_EQ(CTUnitData::CurrentUnit(U_Energy), 1);
  EXPECT_EQ(CTUnitData::CurrentUnit(U_Mass), 0);
  EXPECT_EQ(CTUnitData::CurrentUnit(U_Speed), 1);
  EXPECT_EQ(CTUnitData::CurrentUnit(U_Airflow), 0);
}

}  // namespace
