#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "i18n/NumberText.h"

class CTSettingsKey;

// The physical quantities ("dimensions") a value can have. The numbers are persisted (the
// settings value "Units<n>") and used by the start-up and the preferences, so the order is fixed.
enum U_RepUnit : int {
  U_None,
  U_Airflow,
  U_Current,
  U_Density,
  U_Energy,
  U_Enthalpy,
  U_HeatTransfer,
  U_Length,
  U_MediumLength,
  U_ShortLength,
  U_Mass,
  U_ShortMass,
  U_Power,
  U_Pressure,
  U_RotationalSpeed,
  U_Sound,
  U_Speed,
  U_Surface,
  U_Temperature,
  U_Tension,
  U_Volume,
  U_Appl1,
  U_Appl2,
  U_Appl3,
};
inline constexpr int kUnitDimensionCount = 24;

// Air flows are held in m³/h wherever they are stored or computed (the catalogue's fan flows, the
// project, the moist-air and coil computations), while the air-flow dimension's base unit is l/s.
// A stored flow is converted to the base unit once, where it is formatted, and a parsed one back.
inline constexpr double kStoredAirflowPerBase = 3.6;  // m³/h per l/s
inline double AirflowBaseFromStored(double cubicMetresPerHour) {
  return cubicMetresPerHour / kStoredAirflowPerBase;
}
inline double AirflowStoredFromBase(double litresPerSecond) {
  return litresPerSecond * kStoredAirflowPerBase;
}

// One unit of a dimension. A value in this unit relates to the dimension's base unit (its unit
// 0) by base = (value - offset) × factor.
struct CTDimData {
  std::string name;  // CP1251
  long double offset = 0.0L;
  long double factor = 1.0L;
  int decimals =
      0;  // shown after the decimal separator; below 0: significant digits, exponent form

  long double ToBase(long double value) const { return (value - offset) * factor; }
  long double FromBase(long double base) const { return base / factor + offset; }
};

// Told that the display unit of a dimension was set.
using TUnitListener = std::function<void(int oldUnit, const std::string& oldName,
                                         const std::string& newName, int newUnit)>;

// What a front end shows to let the user choose a dimension's display unit.
struct LTUnitChoice {
  std::string caption;
  std::vector<std::string> items;  // the unit names, in unit order
  int selected = 0;                // the current display unit
};

// The program's table of dimensions and units, one CTUnitData per dimension.
//
// Every value is computed and stored in the base unit of its dimension and converted to the
// dimension's current display unit only to be shown. The table is process-wide, built with the
// program's units when first used; start-up then adjusts decimals and adds units. It is used from
// the user-interface thread only.
//
// A unit index outside the dimension's units reads as unit 0 and is never changed; a dimension
// outside U_None..U_Appl3 reads as U_None and is never changed.
class CTUnitData {
 public:
  const std::string& Caption() const { return caption_; }  // CP1251
  const std::vector<CTDimData>& Units() const { return units_; }
  int Current() const { return current_; }

  // The dimension's entry; the reference holds until ResetUnits, Units() until AddUnit.
  static const CTUnitData& Dimension(U_RepUnit dimension);
  // Builds the table afresh with the program's units: every display unit back to 0, every
  // listener dropped. Start-up state for tests.
  static void ResetUnits();

  // The caption, the unit names and the current unit of a dimension.
  static LTUnitChoice UnitChoice(U_RepUnit dimension);

  static int UnitCount(U_RepUnit dimension);
  static std::string UnitName(U_RepUnit dimension, int unit);
  static void SetUnitName(U_RepUnit dimension, int unit, std::string name);
  static std::string BaseUnitName(U_RepUnit dimension);
  static std::string CurrentUnitName(U_RepUnit dimension);
  static int CurrentUnit(U_RepUnit dimension);
  // Makes the unit the dimension's display unit and tells every listener of the dimension, also
  // when it already was; a unit out of range is ignored.
  static void SetCurrentUnit(U_RepUnit dimension, int unit);

  // Appends a unit; returns its index, or -1 when the factor is zero or not finite, the offset
  // not finite, or the dimension out of range.
  static int AddUnit(U_RepUnit dimension, std::string name, long double offset, long double factor,
                     int decimals);
  static int Decimals(U_RepUnit dimension, int unit);
  static void SetDecimals(U_RepUnit dimension, int unit, int decimals);

  // The value in unit `from` expressed in unit `to`; equal units give it unchanged.
  static double Convert(U_RepUnit dimension, int from, int to, double value);
  // A value in the base unit as shown: in the display unit, with its decimals, right-aligned to
  // at least `width` characters (FormatNumber).
  static std::string FormatValue(U_RepUnit dimension, int width, double value);
  static std::string FormatNumber(int width, int decimals, double value) {
    return ::FormatNumber(width, decimals, value);
  }
  static double ParseValue(std::string_view text) { return ::ParseValue(text); }
  static std::string FilterTyping(std::string_view text) { return ::FilterTyping(text); }

  // Registers a listener of the dimension under a key (usually the listening control's address);
  // false when the key is already registered there or the callback is empty.
  static bool AddListener(U_RepUnit dimension, const void* listener, TUnitListener callback);
  static void RemoveListener(U_RepUnit dimension, const void* listener);

  // The display units of dimensions 1..23 as 32-bit integer values "Units1".."Units23" of the
  // key. Saving answers whether every value was written. Loading sets each dimension through
  // SetCurrentUnit: a missing or non-integer value counts as 0, a unit out of range leaves the
  // dimension as it is.
  static bool SaveCurrentUnits(CTSettingsKey& key);
  static void LoadCurrentUnits(const CTSettingsKey& key);

 private:
  CTUnitData(std::string caption, std::vector<CTDimData> units)
      : caption_(std::move(caption)), units_(std::move(units)) {}

  static CTUnitData* Find(U_RepUnit dimension);
  const CTDimData& UnitOrBase(int unit) const;
  static std::vector<CTUnitData> DefaultTable();
  static std::vector<CTUnitData>& Table();

  std::string caption_;
  std::vector<CTDimData> units_;
  int current_ = 0;
  std::vector<std::pair<const void*, TUnitListener>> listeners_;
};
