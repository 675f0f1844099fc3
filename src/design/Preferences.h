#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "objectstore/RecordRef.h"

class CTSettingsStore;

// A pen of the diagrams: width in pixels (0: one pixel) and style.
struct LTPen {
  enum Style : int { kSolid, kDotted, kDashed, kDashDot };
  int width = 0;
  Style style = kSolid;
  bool operator==(const LTPen&) const = default;
};

// The per-user preferences of the program: default design conditions of new units, the last
// choices of the selection dialogs, diagram colours and pens, name prefixes and report options.
// One set is the program's (Current); it is loaded at start-up, read by the project and its
// placements, and saved when a dialog or a placement stores new defaults. The values live in
// the per-user settings under kKeyPath, each under its stored name (the comments give it).
struct CTPreferences {
  static constexpr const char* kKeyPath =
      "Software\\Ostrel\\Hi-QRN Selection\\QRNSolvo\\Preferences";
  // The subkey of kKeyPath where the units of measure keep their display units.
  static constexpr const char* kUnitsKeyPath =
      "Software\\Ostrel\\Hi-QRN Selection\\QRNSolvo\\Preferences\\Units";

  // -- Default conditions and the memory of the selection dialogs
  int indoorConditionType = 0;          // IND_COND_TYPE: 0 DB+RH, 1 DB+WB, 2 WB+RH
  LTRecordRef refrigerant;              // REFRIGERANT_CLS_ID, REFRIGERANT_OBJ_ID
  std::string outdoorSeries;            // OU_SERIES
  int outdoorFamily = 1;                // OU_FAMILY
  double outdoorCombination = 100;      // OU_COMBPERC (%)
  double outdoorHighCombination = 100;  // OU_HI_COMBPERC (%)
  bool allowHighCombination = false;    // OU_ALW_HI_COMBPERC
  std::string indoorFamily;             // IU_FAMILY
  int indoorModel = 0;                  // IU_MODEL (record id)
  int ventilationModel = 0;             // AEX_MODEL (record id)
  LTRecordRef adapterOption;            // HXB415_CLS_ID, HXB415_OBJ_ID
  double coolRoomTemp = 24;             // COOL_ROOM_TEMP (°C)
  double coolRoomRH = 50;               // COOL_ROOM_RH (%)
  double heatRoomTemp = 20;             // HEAT_ROOM_TEMP (°C)
  double heatRoomRH = 50;               // HEAT_ROOM_RH (%)
  double coolOutdoorTemp = 32;          // COOL_OUT_TEMP (°C)
  double coolOutdoorRH = 50;            // COOL_OUT_RH (%)
  double heatOutdoorTemp = 0;           // HEAT_OUT_TEMP (°C)
  double heatOutdoorRH = 50;            // HEAT_OUT_RH (%)
  double coolLoadSensible = 2;          // COOL_LOAD_S (kW)
  double coolLoadTotal = 2;             // COOL_LOAD_T (kW)
  double heatLoad = 2;                  // HEAT_LOAD (kW)
  double outdoorPipingLength = 45;      // OU_PIPING_LENGTH (m)
  double outdoorMaxDistToIndoor = 40;   // OU_MAX_DIST_TO_IU (m)
  bool indoorManualSelect = false;      // IU_MANUAL_SELECT

  // -- Diagram colours (0x00BBGGRR) and pens
  std::uint32_t shapeDrawColour = 0x000000;       // CLR_SHAPE_DRAW
  std::uint32_t shapeFillColour = 0xF8F0F0;       // CLR_SHAPE_FILL
  std::uint32_t piping2Colour = 0xFF0000;         // CLR_PIPING_2
  LTPen piping2Pen{1, LTPen::kSolid};             // LS_PIPING_2
  std::uint32_t piping3Colour = 0x800080;         // CLR_PIPING_3
  LTPen piping3Pen{1, LTPen::kSolid};             // LS_PIPING_3
  std::uint32_t pipingOilColour = 0x808080;       // CLR_PIPING_OIL
  LTPen pipingOilPen{1, LTPen::kSolid};           // LS_PIPING_OIL
  std::uint32_t wiringF1F2Colour = 0xFF0000;      // CLR_WIRING_F1F2
  LTPen wiringF1F2Pen{2, LTPen::kSolid};          // LS_WIRING_F1F2
  std::uint32_t wiredRemoteColour = 0xFF0000;     // CLR_WIRED_REMCON
  LTPen wiredRemotePen{2, LTPen::kSolid};         // LS_WIRED_REMCON
  std::uint32_t wirelessRemoteColour = 0xFF0000;  // CLR_WIRELESS_REMCON
  LTPen wirelessRemotePen{2, LTPen::kDotted};     // LS_WIRELESS_REMCON
  std::uint32_t wiringQ1Q2Colour = 0xFF0000;      // CLR_WIRING_Q1Q2
  LTPen wiringQ1Q2Pen{2, LTPen::kSolid};          // LS_WIRING_Q1Q2
  std::uint32_t wiringACColour = 0x808080;        // CLR_WIRING_AC
  LTPen wiringACPen{1, LTPen::kDashed};           // LS_WIRING_AC
  std::uint32_t remoteSensorColour = 0xFF0000;    // CLR_WIRING_REMSENS
  LTPen remoteSensorPen{2, LTPen::kSolid};        // LS_WIRING_REMSENS

  // -- Name prefixes of new placements (followed by a number)
  std::string indoorPrefix = "Ind ";   // DFT_PFX_IU
  std::string outdoorPrefix = "Out ";  // DFT_PFX_OU
  std::string boxPrefix = "BS ";       // DFT_PFX_BS

  // -- Report options
  bool reportPiping = true;             // RPT_PIPING
  bool reportWiring = true;             // RPT_WIRING
  bool reportMaterialList = true;       // RPT_MATLIST
  bool reportIndoorDetails = true;      // RPT_IUDETAILS
  bool reportOutdoorDetails = true;     // RPT_OUDETAILS
  bool reportOptions = true;            // RPT_OPTIONS
  bool openReport = true;               // RPT_OPEN
  bool openExport = true;               // RPT_OPEN_EXP
  bool reportPipingVertical = true;     // RPT_PIP_VERT
  bool reportDiversified = false;       // RPT_DIVERSIFIED
  bool reportRequiredCapacity = false;  // RPT_REQ_CAP
  bool reportCopEer = false;            // RPT_COP_EER
  bool reportDischarge = true;          // RPT_DISCHARGE
  double reportSuctionTemp = 18;        // RPT_DT_SUCTION (°C)
  double reportOutsideTemp = -15;       // RPT_DT_OUTSIDE (°C)

  // The program's preferences (the defaults until something is loaded or set).
  static CTPreferences& Current();

  bool operator==(const CTPreferences&) const = default;

  // Sets every value from the per-user settings: a value that is missing or of the wrong type
  // (a double that is not finite, a line style outside the list) takes its default, and a
  // settings error leaves what was read so far with the rest at their defaults. Lets the units of
  // measure load their choices from the subkey "Units" (a missing subkey reads as all units 0);
  // when that subkey is missing and dataRegion is 2 the units are set to that region's defaults.
  // In data region 2 the COP/EER option is off whatever is stored. Loading only reads: a missing
  // key is not created, so that work which only reads writes no settings file.
  void Load(CTSettingsStore& store, int dataRegion = 0);
  // Writes every value and the units' choices ("Units"), creating the key when missing; false
  // when something was not written (it stops at the first failure). Never throws.
  bool Save(CTSettingsStore& store) const;
  // Save to the program's settings store.
  bool Save() const;

  // The pens of the dialog's line-style list (index 0..5) and back.
  static LTPen PenOfLineStyle(int index);
  static int LineStyleOfPen(const LTPen& pen);

  // Whether the store holds the units' subkey (kUnitsKeyPath): without it the units of a data
  // region 2 catalogue start at that region's defaults.
  static bool UnitsStored(CTSettingsStore& store);
};

// A value the preferences dialog refuses on confirmation: the message, the text for its
// placeholder "$1", and the field that gets the focus back.
struct LTPreferencesRefusal {
  enum Field { kSuctionTemp, kOutsideTemp };
  Field field = kSuctionTemp;
  int message = 0;
  std::string placeholder;
  bool operator==(const LTPreferencesRefusal&) const = default;
};

// The check of the discharge-temperature fields when the preferences dialog is confirmed. With
// the discharge option ticked the suction temperature must lie in 0..24 °C and the outside
// temperature in -20..30 °C, bounds included (values in °C, the temperature's base unit); the
// suction field is checked first. A value out of range is refused with message 5011 and the
// placeholder caption + " < " or " > " + the bound in the current temperature display unit
// followed by the unit's name. Without the option nothing is checked.
std::optional<LTPreferencesRefusal> DischargeTemperatureRefusal(bool discharge, double suctionTemp,
                                                                const std::string& suctionCaption,
                                                                double outsideTemp,
                                                                const std::string& outsideCaption);

// Puts a set of preferences in the place of the program's for a scope (tests, previews) and
// restores the previous one, also when an exception leaves the scope.
class CTScopedPreferences {
 public:
  explicit CTScopedPreferences(CTPreferences& preferences);
  ~CTScopedPreferences();
  CTScopedPreferences(const CTScopedPreferences&) = delete;
  CTScopedPreferences& operator=(const CTScopedPreferences&) = delete;

 private:
  CTPreferences* previous_;
};
