#include "design/Preferences.h"

#include <cmath>
#include <utility>
#include <vector>

#include "i18n/Units.h"
#include "platform/SettingsKey.h"
#include "platform/SettingsStore.h"

namespace {

CTPreferences* g_current = nullptr;

constexpr auto kUserHive = CTSettingsHive::CurrentUser;

// The data region whose catalogue starts with its own units and without the COP/EER option.
constexpr int kRegionWithOwnUnits = 2;

// The display units that region starts with (dimension, unit).
constexpr std::pair<U_RepUnit, int> kRegionUnits[] = {
    {U_Temperature, 1}, {U_Power, 2}, {U_Airflow, 4}, {U_ShortLength, 1},
    {U_Length, 1},      {U_Mass, 1},  {U_Appl1, 1},
};

// Every stored value with its name, in the order they are written. Visit is called with the name
// and a reference to the field (const when Prefs is), overloaded on the field's type.
template <class Prefs, class Visit>
void ForEachValue(Prefs& p, Visit&& visit) {
  visit("IND_COND_TYPE", p.indoorConditionType);
  visit("REFRIGERANT_CLS_ID", p.refrigerant.tableId);
  visit("REFRIGERANT_OBJ_ID", p.refrigerant.recordId);
  visit("OU_SERIES", p.outdoorSeries);
  visit("OU_FAMILY", p.outdoorFamily);
  visit("OU_COMBPERC", p.outdoorCombination);
  visit("OU_HI_COMBPERC", p.outdoorHighCombination);
  visit("OU_ALW_HI_COMBPERC", p.allowHighCombination);
  visit("IU_FAMILY", p.indoorFamily);
  visit("IU_MODEL", p.indoorModel);
  visit("AEX_MODEL", p.ventilationModel);
  visit("HXB415_CLS_ID", p.adapterOption.tableId);
  visit("HXB415_OBJ_ID", p.adapterOption.recordId);
  visit("COOL_ROOM_TEMP", p.coolRoomTemp);
  visit("COOL_ROOM_RH", p.coolRoomRH);
  visit("HEAT_ROOM_TEMP", p.heatRoomTemp);
  visit("HEAT_ROOM_RH", p.heatRoomRH);
  visit("COOL_OUT_TEMP", p.coolOutdoorTemp);
  visit("COOL_OUT_RH", p.coolOutdoorRH);
  visit("HEAT_OUT_TEMP", p.heatOutdoorTemp);
  visit("HEAT_OUT_RH", p.heatOutdoorRH);
  visit("COOL_LOAD_S", p.coolLoadSensible);
  visit("COOL_LOAD_T", p.coolLoadTotal);
  visit("HEAT_LOAD", p.heatLoad);
  visit("OU_PIPING_LENGTH", p.outdoorPipingLength);
  visit("OU_MAX_DIST_TO_IU", p.outdoorMaxDistToIndoor);
  visit("IU_MANUAL_SELECT", p.indoorManualSelect);

  visit("CLR_SHAPE_DRAW", p.shapeDrawColour);
  visit("CLR_SHAPE_FILL", p.shapeFillColour);
  visit("CLR_PIPING_2", p.piping2Colour);
  visit("LS_PIPING_2", p.piping2Pen);
  visit("CLR_PIPING_3", p.piping3Colour);
  visit("LS_PIPING_3", p.piping3Pen);
  visit("CLR_PIPING_OIL", p.pipingOilColour);
  visit("LS_PIPING_OIL", p.pipingOilPen);
  visit("CLR_WIRING_F1F2", p.wiringF1F2Colour);
  visit("LS_WIRING_F1F2", p.wiringF1F2Pen);
  visit("CLR_WIRED_REMCON", p.wiredRemoteColour);
  visit("LS_WIRED_REMCON", p.wiredRemotePen);
  visit("CLR_WIRELESS_REMCON", p.wirelessRemoteColour);
  visit("LS_WIRELESS_REMCON", p.wirelessRemotePen);
  visit("CLR_WIRING_Q1Q2", p.wiringQ1Q2Colour);
  visit("LS_WIRING_Q1Q2", p.wiringQ1Q2Pen);
  visit("CLR_WIRING_AC", p.wiringACColour);
  visit("LS_WIRING_AC", p.wiringACPen);
  visit("CLR_WIRING_REMSENS", p.remoteSensorColour);
  visit("LS_WIRING_REMSENS", p.remoteSensorPen);

  visit("DFT_PFX_IU", p.indoorPrefix);
  visit("DFT_PFX_OU", p.outdoorPrefix);
  visit("DFT_PFX_BS", p.boxPrefix);

  visit("RPT_PIPING", p.reportPiping);
  visit("RPT_WIRING", p.reportWiring);
  visit("RPT_MATLIST", p.reportMaterialList);
  visit("RPT_IUDETAILS", p.reportIndoorDetails);
  visit("RPT_OUDETAILS", p.reportOutdoorDetails);
  visit("RPT_OPTIONS", p.reportOptions);
  visit("RPT_OPEN", p.openReport);
  visit("RPT_OPEN_EXP", p.openExport);
  visit("RPT_PIP_VERT", p.reportPipingVertical);
  visit("RPT_DIVERSIFIED", p.reportDiversified);
  visit("RPT_REQ_CAP", p.reportRequiredCapacity);
  visit("RPT_COP_EER", p.reportCopEer);
  visit("RPT_DISCHARGE", p.reportDischarge);
  visit("RPT_DT_SUCTION", p.reportSuctionTemp);
  visit("RPT_DT_OUTSIDE", p.reportOutsideTemp);
}

// Sets each field that the key holds with the field's type; the others stay as they are.
class ValueReader {
 public:
  explicit ValueReader(const CTSettingsKey& key) : key_(key) {}

  void operator()(const char* name, int& field) const {
    if (const auto value = key_.ReadInteger(name)) field = *value;
  }
  void operator()(const char* name, bool& field) const {
    if (const auto value = key_.ReadInteger(name)) field = *value != 0;
  }
  void operator()(const char* name, std::uint32_t& field) const {
    if (const auto value = key_.ReadInteger(name)) field = static_cast<std::uint32_t>(*value);
  }
  // An infinity or NaN would spread through every computation that starts from it.
  void operator()(const char* name, double& field) const {
    if (const auto value = key_.ReadDouble(name); value && std::isfinite(*value)) field = *value;
  }
  void operator()(const char* name, std::string& field) const {
    if (auto value = key_.ReadString(name)) field = std::move(*value);
  }
  void operator()(const char* name, LTPen& field) const {
    if (const auto value = key_.ReadInteger(name); value && *value >= 0 && *value <= 5)
      field = CTPreferences::PenOfLineStyle(*value);
  }

 private:
  const CTSettingsKey& key_;
};

// Writes each field with its stored type until a write fails.
// Collects every value as it is stored, for one write of the whole key.
class ValueWriter {
 public:
  const std::vector<std::pair<std::string, LTSettingsValue>>& Values() const { return values_; }

  void operator()(const char* name, int field) { Integer(name, field); }
  void operator()(const char* name, bool field) { Integer(name, field ? 1 : 0); }
  void operator()(const char* name, std::uint32_t field) {
    Integer(name, static_cast<std::int32_t>(field));
  }
  void operator()(const char* name, double field) {
    values_.emplace_back(name, LTSettingsValue::Double(field));
  }
  void operator()(const char* name, const std::string& field) {
    values_.emplace_back(name, LTSettingsValue::String(field));
  }
  void operator()(const char* name, const LTPen& field) {
    Integer(name, CTPreferences::LineStyleOfPen(field));
  }

 private:
  void Integer(const char* name, std::int32_t value) {
    values_.emplace_back(name, LTSettingsValue::Integer(value));
  }

  std::vector<std::pair<std::string, LTSettingsValue>> values_;
};

// The units' display units from the store; a missing subkey reads like an empty one.
void LoadUnits(CTSettingsStore& store) {
  if (const auto key = CTSettingsKey::Open(store, kUserHive, CTPreferences::kUnitsKeyPath,
                                           CTSettingsKey::Access::Read)) {
    CTUnitData::LoadCurrentUnits(*key);
    return;
  }
  for (int dimension = U_None + 1; dimension < kUnitDimensionCount; ++dimension)
    CTUnitData::SetCurrentUnit(static_cast<U_RepUnit>(dimension), 0);
}

}  // namespace

CTPreferences& CTPreferences::Current() {
  if (g_current) return *g_current;
  static CTPreferences preferences;
  return preferences;
}

CTScopedPreferences::CTScopedPreferences(CTPreferences& preferences) : previous_(g_current) {
  g_current = &preferences;
}

CTScopedPreferences::~CTScopedPreferences() {
  g_current = previous_;
}

void CTPreferences::Load(CTSettingsStore& store, int dataRegion) {
  *this = CTPreferences();
  try {
    // A missing key reads as an empty one: every value at its default.
    if (const auto key =
            CTSettingsKey::Open(store, kUserHive, kKeyPath, CTSettingsKey::Access::Read))
      ForEachValue(*this, ValueReader(*key));
    const bool unitsStored = UnitsStored(store);
    LoadUnits(store);
    if (!unitsStored && dataRegion == kRegionWithOwnUnits)
      for (const auto& [dimension, unit] : kRegionUnits)
        CTUnitData::SetCurrentUnit(dimension, unit);
  } catch (...) {
    // What was read so far stands; the rest keeps its default.
  }
  if (dataRegion == kRegionWithOwnUnits) reportCopEer = false;
}

bool CTPreferences::Save(CTSettingsStore& store) const {
  try {
    auto key = CTSettingsKey::Open(store, kUserHive, kKeyPath, CTSettingsKey::Access::Create);
    if (!key) return false;
    ValueWriter writer;
    ForEachValue(*this, writer);
    if (!key->WriteValues(writer.Values())) return false;
    auto units =
        CTSettingsKey::Open(store, kUserHive, kUnitsKeyPath, CTSettingsKey::Access::Create);
    return units && CTUnitData::SaveCurrentUnits(*units);
  } catch (...) {
    return false;
  }
}

bool CTPreferences::Save() const {
  return Save(CTSettingsStore::Process());
}

bool CTPreferences::UnitsStored(CTSettingsStore& store) {
  return store.KeyExists(kUserHive, kUnitsKeyPath);
}

LTPen CTPreferences::PenOfLineStyle(int index) {
  switch (index) {
    case 1:
      return {2, LTPen::kSolid};
    case 2:
      return {3, LTPen::kSolid};
    case 3:
      return {0, LTPen::kDotted};
    case 4:
      return {0, LTPen::kDashed};
    case 5:
      return {0, LTPen::kDashDot};
    default:
      return {0, LTPen::kSolid};
  }
}

int CTPreferences::LineStyleOfPen(const LTPen& pen) {
  switch (pen.style) {
    case LTPen::kDashed:
      return 4;
    case LTPen::kDotted:
      return 3;
    case LTPen::kDashDot:
      return 5;
    case LTPen::kSolid:
      break;
  }
  return pen.width == 2 ? 1 : pen.width == 3 ? 2 : 0;
}

namespace {

constexpr int kMsgOutOfRange = 5011;

// The refusal of a value outside min..max (NaN included), or nothing.
std::optional<LTPreferencesRefusal> RangeRefusal(LTPreferencesRefusal::Field field,
                                                 const std::string& caption, double value,
                                                 double minimum, double maximum) {
  const bool below = !(value >= minimum);
  if (!below && value <= maximum) return std::nullopt;
  const double bound = below ? minimum : maximum;
  return LTPreferencesRefusal{field, kMsgOutOfRange,
                              caption + (below ? " < " : " > ") +
                                  CTUnitData::FormatValue(U_Temperature, 1, bound) +
                                  CTUnitData::CurrentUnitName(U_Temperature)};
}

}  // namespace

std::optional<LTPreferencesRefusal> DischargeTemperatureRefusal(bool discharge, double suctionTemp,
                                                                const std::string& suctionCaption,
                                                                double outsideTemp,
                                                                const std::string& outsideCaption) {
  if (!discharge) return std::nullopt;
  if (auto refusal =
          RangeRefusal(LTPreferencesRefusal::kSuctionTemp, suctionCaption, suctionTemp, 0, 24))
    return refusal;
  return RangeRefusal(LTPreferencesRefusal::kOutsideTemp, outsideCaption, outsideTemp, -20, 30);
}
