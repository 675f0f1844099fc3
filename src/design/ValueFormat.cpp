// Values as the tabs and reports show them: in the user's display units, with their symbols.

#include "design/ValueFormat.h"

#include <cmath>

#include "design/QsProject.h"
#include "i18n/NumberText.h"
#include "i18n/Units.h"
#include "objectstore/FloatText.h"

namespace {

// The value (in the dimension's base unit) in the display unit, with the unit's name after a
// blank when asked for; an empty text for 0 where the quantity shows nothing for it.
std::string Format(U_RepUnit dimension, bool withUnit, double value, bool emptyForZero) {
  if (emptyForZero && value == 0) return {};
  std::string text = CTUnitData::FormatValue(dimension, 0, value);
  if (withUnit) text += " " + CTUnitData::CurrentUnitName(dimension);
  return text;
}

}  // namespace

std::string FormatGeneralNumber(double value) {
  std::string text = FormatStoreFloat(value);
  for (char& c : text) {
    if (c == '.') c = UserDecimalSeparator();
  }
  return text;
}

std::string Cls_QsProject::FormatPower(bool withUnit, double kilowatts) {
  return Format(U_Power, withUnit, kilowatts, true);
}

std::string Cls_QsProject::FormatTemperature(bool withUnit, double celsius) {
  return Format(U_Temperature, withUnit, celsius, false);
}

std::string Cls_QsProject::FormatAirflow(bool withUnit, double cubicMetresPerHour) {
  return Format(U_Airflow, withUnit, AirflowBaseFromStored(cubicMetresPerHour), false);
}

std::string Cls_QsProject::FormatMass(bool withUnit, bool asInteger, double kilograms) {
  if (kilograms == 0) return {};
  if (!asInteger) return Format(U_Mass, withUnit, kilograms, true);
  const int unit = CTUnitData::CurrentUnit(U_Mass);
  const double rounded = std::round(CTUnitData::Convert(U_Mass, 0, unit, kilograms));
  std::string text = rounded == 0 ? std::string() : FormatNumber(0, 0, rounded);
  if (withUnit) text += (text.empty() ? "" : " ") + CTUnitData::CurrentUnitName(U_Mass);
  return text;
}

std::string Cls_QsProject::FormatLength(bool withUnit, double metres) {
  return Format(U_Length, withUnit, metres, true);
}

std::string Cls_QsProject::FormatShortLength(bool withUnit, double millimetres) {
  return Format(U_ShortLength, withUnit, millimetres, false);
}
