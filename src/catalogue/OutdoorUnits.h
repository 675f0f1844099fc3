#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/Devices.h"

class Cls_DeviceOption;
class Cls_IndoorUnit;
class Cls_OMCombination;
class TAir;
class TPolyCapList;
class TVarCapList;
struct LTCapacityCurve;
struct LTCombinationRow;
struct LTOutdoorCapacity;
struct LTOutdoorCompat;

// Base of the outdoor devices: the operating envelope, the system kind and the series. Abstract
// table. In the envelope names C is cooling and H heating, O the outdoor and I the indoor
// temperature. A corner field (CDIndUL, HDOutLR, ...) gives how far that corner of the envelope
// is cut along the indoor (Ind) or outdoor (Out) axis; of its two letters, U or L names the
// upper or lower outdoor limit and L or R the low or high indoor end.
class Cls_OutdoorDevice : public Cls_Device {
 public:
  static constexpr int kTableId = 168;
  enum Fields : int {
    kCMaxOTemp = 3,
    kHMinITemp = 4,
    kCIndUpperLimit = 5,
    kCIndLowerLimit = 6,
    kHIndUpperLimit = 7,
    kHIndLowerLimit = 8,
    kHDIndLR = 9,
    kHDIndUR = 10,
    kHDOutUL = 11,
    kHMaxITemp = 12,
    kHMinOTemp = 13,
    kHMaxOTemp = 14,
    kFamily = 15,
    kSeries = 16,
    kCDIndLL = 17,
    kCDIndUL = 18,
    kCDIndUR = 19,
    kCDOutLL = 20,
    kCDOutUL = 21,
    kCDOutLR = 22,
    kCDOutUR = 23,
    kHDIndLL = 24,
    kHDIndUL = 25,
    kHDOutLR = 26,
    kHDOutUR = 27,
    kCMinITemp = 28,
    kCMaxITemp = 29,
    kCMinOTemp = 30,
    kCDIndLR = 31,
    kHDOutLL = 32,
  };

  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  // Outdoor temperature limits.
  double CMinOTemp() { return GetDouble(kCMinOTemp); }
  double CMaxOTemp() { return GetDouble(kCMaxOTemp); }
  double HMinOTemp() { return GetDouble(kHMinOTemp); }
  double HMaxOTemp() { return GetDouble(kHMaxOTemp); }
  // Indoor temperatures of the rated envelope, used to scale the corners.
  double CMinITemp() { return GetDouble(kCMinITemp); }
  double CMaxITemp() { return GetDouble(kCMaxITemp); }
  double HMinITemp() { return GetDouble(kHMinITemp); }
  double HMaxITemp() { return GetDouble(kHMaxITemp); }
  // Indoor temperature range covered by the capacity curves.
  double CIndUpperLimit() { return GetDouble(kCIndUpperLimit); }
  double CIndLowerLimit() { return GetDouble(kCIndLowerLimit); }
  double HIndUpperLimit() { return GetDouble(kHIndUpperLimit); }
  double HIndLowerLimit() { return GetDouble(kHIndLowerLimit); }
  // Cooling corners.
  double CDIndLL() { return GetDouble(kCDIndLL); }
  double CDIndUL() { return GetDouble(kCDIndUL); }
  double CDIndUR() { return GetDouble(kCDIndUR); }
  double CDIndLR() { return GetDouble(kCDIndLR); }
  double CDOutLL() { return GetDouble(kCDOutLL); }
  double CDOutUL() { return GetDouble(kCDOutUL); }
  double CDOutLR() { return GetDouble(kCDOutLR); }
  double CDOutUR() { return GetDouble(kCDOutUR); }
  // Heating corners.
  double HDIndLL() { return GetDouble(kHDIndLL); }
  double HDIndUL() { return GetDouble(kHDIndUL); }
  double HDIndUR() { return GetDouble(kHDIndUR); }
  double HDIndLR() { return GetDouble(kHDIndLR); }
  double HDOutLL() { return GetDouble(kHDOutLL); }
  double HDOutUL() { return GetDouble(kHDOutUL); }
  double HDOutLR() { return GetDouble(kHDOutLR); }
  double HDOutUR() { return GetDouble(kHDOutUR); }
  // System kind: 0 heat recovery, 1 heat pump, 2 cooling only.
  int Family() { return GetInt(kFamily); }
  const std::string& Series() { return GetString(kSeries); }

 protected:
  Cls_OutdoorDevice(int tableId, int recordId, CTBaseFactory* factory)
      : Cls_Device(tableId, recordId, factory) {}
};

// An outdoor unit model: its envelope, combination and piping limits, charge and connections.
class Cls_OutdoorUnit : public Cls_OutdoorDevice {
 public:
  static constexpr int kTableId = 119;
  enum Fields : int {
    kSimCMaxITemp = 33,
    kSimHMinITemp = 34,
    kSimHMaxITemp = 35,
    kMinConnRatio = 36,
    kMaxTotalPipingLength = 37,
    kMaxPipingDiff = 38,
    kMinConnRatioOutdoorBelow = 39,
    kMinConnRatioLargeDiff = 40,
    kMinLevelDiffOutdoorBelow = 41,
    kMaxLevelDiffOutdoorBelow = 42,
    kNomAmbientTempCooling = 43,
    kNomIndoorTempCooling = 44,
    kNomAmbientTempHeating = 45,
    kNomIndoorTempHeating = 46,
    kSupportsHighCombPerc = 47,
    kMaxLastBranchToIndoor = 48,
    kMaxActualLength = 49,
    kLengthForSizeUpOthers = 50,
    kMaxTotalRefrigCharge = 51,
    kAutoRecharge = 52,
    kMinAutoRechargeConnectionRatio = 53,
    kMaxConnRatio = 54,
    kIsDefault = 55,
    kMaxIndoorUnits = 56,
    kBaseCharge = 57,
    kExtraCharge = 58,
    kMaxLength = 59,
    kMaxHeight = 60,
    kAdjIndoors = 61,
    kMaxFirstBranchToIndoor = 62,
    kLiquidPipes = 63,
    kGasPipes = 64,
    kDischargePipes = 65,
    kLiquidPipeSide = 66,
    kLiquidPipeXY = 67,
    kOilEqualizingPipe = 68,
    kLengthForSizeUpMain = 69,
    kSimCMinITemp = 70,
    kHorsepower = 71,
    kRefrigerant = 72,  // reference, 72-73
  };

  explicit Cls_OutdoorUnit(int recordId, CTBaseFactory* factory = nullptr)
      : Cls_OutdoorDevice(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  // Indoor temperature limits of the operating envelope.
  double SimCMinITemp() { return GetDouble(kSimCMinITemp); }
  double SimCMaxITemp() { return GetDouble(kSimCMaxITemp); }
  double SimHMinITemp() { return GetDouble(kSimHMinITemp); }
  double SimHMaxITemp() { return GetDouble(kSimHMaxITemp); }
  // Combination ratios (%).
  double MinConnRatio() { return GetDouble(kMinConnRatio); }
  double MaxConnRatio() { return GetDouble(kMaxConnRatio); }
  double MinConnRatioOutdoorBelow() { return GetDouble(kMinConnRatioOutdoorBelow); }
  double MinConnRatioLargeDiff() { return GetDouble(kMinConnRatioLargeDiff); }
  // Whether the unit accepts combination ratios above MaxConnRatio.
  bool SupportsHighCombPerc() { return GetBool(kSupportsHighCombPerc); }
  int MaxIndoorUnits() { return GetInt(kMaxIndoorUnits); }
  // Piping limits (m).
  double MaxTotalPipingLength() { return GetDouble(kMaxTotalPipingLength); }
  double MaxPipingDiff() { return GetDouble(kMaxPipingDiff); }
  double MinLevelDiffOutdoorBelow() { return GetDouble(kMinLevelDiffOutdoorBelow); }
  double MaxLevelDiffOutdoorBelow() { return GetDouble(kMaxLevelDiffOutdoorBelow); }
  double MaxLastBranchToIndoor() { return GetDouble(kMaxLastBranchToIndoor); }
  double MaxFirstBranchToIndoor() { return GetDouble(kMaxFirstBranchToIndoor); }
  double MaxActualLength() { return GetDouble(kMaxActualLength); }
  double MaxLength() { return GetDouble(kMaxLength); }
  double MaxHeight() { return GetDouble(kMaxHeight); }
  // Lengths above which the main pipe and the other pipes are sized up (m).
  double LengthForSizeUpMain() { return GetDouble(kLengthForSizeUpMain); }
  double LengthForSizeUpOthers() { return GetDouble(kLengthForSizeUpOthers); }
  // Rating temperatures.
  double NomAmbientTempCooling() { return GetDouble(kNomAmbientTempCooling); }
  double NomIndoorTempCooling() { return GetDouble(kNomIndoorTempCooling); }
  double NomAmbientTempHeating() { return GetDouble(kNomAmbientTempHeating); }
  double NomIndoorTempHeating() { return GetDouble(kNomIndoorTempHeating); }
  // Refrigerant charge (kg) and automatic recharge.
  double MaxTotalRefrigCharge() { return GetDouble(kMaxTotalRefrigCharge); }
  double BaseCharge() { return GetDouble(kBaseCharge); }
  double ExtraCharge() { return GetDouble(kExtraCharge); }
  bool AutoRecharge() { return GetBool(kAutoRecharge); }
  double MinAutoRechargeConnectionRatio() { return GetDouble(kMinAutoRechargeConnectionRatio); }
  bool IsDefault() { return GetBool(kIsDefault); }
  double AdjIndoors() { return GetDouble(kAdjIndoors); }
  // Connection diameters (mm); 0 where the unit has no such pipe.
  double LiquidPipes() { return GetDouble(kLiquidPipes); }
  double GasPipes() { return GetDouble(kGasPipes); }
  double DischargePipes() { return GetDouble(kDischargePipes); }
  double OilEqualizingPipe() { return GetDouble(kOilEqualizingPipe); }
  int LiquidPipeSide() { return GetInt(kLiquidPipeSide); }
  double LiquidPipeXY() { return GetDouble(kLiquidPipeXY); }
  int Horsepower() { return GetInt(kHorsepower); }
  // The unit's refrigerant (a TBL_Refrigerant record).
  LTRecordRef RefrigerantRef() { return ReadReference(*this, kRefrigerant); }

  // -- Compatibility and modules (CompatTables.cpp) -------------------------------------------
  // Each list is built on first request and kept with the record's views, shared by every
  // handle on the record and every thread, until the catalogue disconnects; the lists and what
  // they hold belong to the catalogue, callers must not free or change them. The models listed
  // are the catalogue's cached instances (one per record), valid while it is connected.

  // The indoor models that may be connected, one per TBL_OICombination row of this model in
  // row order: a model named twice is listed twice, deleted models are not filtered, and rows
  // whose indoor reference does not resolve add nothing.
  const std::vector<Cls_IndoorUnit*>& GetCompatibleIndoorUnits();
  // The box models usable in this model's systems, from its TBL_OBCombination rows likewise.
  const std::vector<Cls_BSBox*>& GetCompatibleBSBoxes();
  // The module rows of a multi-module unit, largest module (horsepower) first, each carrying its
  // resolved module unit; empty for a single-module unit.
  const std::vector<Cls_OMCombination*>& GetModules();
  bool IsMultiModule() { return !GetModules().empty(); }
  // The summed capacity index of the modules after the first n, the rows expanded to their
  // quantities in module order; indexAt100 gives a module's capacity index at 100 %. Rows whose
  // module did not resolve or whose quantity is below 1 add nothing.
  double GetModulesCapacityIndex(int n, const std::function<double(Cls_OutdoorUnit&)>& indexAt100);
  // The multi-module connection piping kit: the first offered option of kind 1, in table order
  // of the offers. None for a single-module unit; kept once found, searched again otherwise.
  Cls_DeviceOption* GetMultiModuleKit();

  // -- Capacity model (OutdoorCapacity.cpp) ---------------------------------------------------
  // Capacities and power inputs in kW, temperatures in °C, ratios in per cent, lengths in m.
  // The combination rows, curve families and factor tables are built on the first request that
  // needs them and kept with the record's views like the lists above (an object that is not a
  // stored record keeps its own); evaluations allocate nothing.

  // The combination rows (ratio, capacity index), ascending by ratio.
  const std::vector<LTCombinationRow>& GetCombinationRows();
  // The highest combination ratio: OUT_MaxConnRatio, raised to the last combination row's ratio
  // when high ratios are allowed or OUT_MaxConnRatio is 0.
  double GetMaxCombinationRatio(bool highAllowed);
  // The capacity index at a ratio, interpolated between combination rows, proportional from
  // the origin below the first row and held at the last row above it; 0 for ratio <= 0.
  double GetCapacityIndexAt(double ratio);
  // The summed capacity index at 100 % of the modules after the first n.
  double GetModulesCapacityIndex(int n);
  // The curve families of a kind (POL_Type 5, 6, 2 or 4), ascending by combination ratio.
  const std::vector<TPolyCapList>& GetCapacityFamilies(int kind);
  // Whether (indoor ti, outdoor to) lies outside the cooling or heating operating envelope; ti
  // is the wet bulb in cooling, the dry bulb in heating.
  bool IsOutsideEnvelope(bool cooling, double ti, double to);
  // Capacity available at the conditions for the total connected capacity index: cooling on
  // the indoor wet bulb (from dry bulb and humidity at the calculator's pressure), heating on
  // the indoor dry bulb times the defrost factor. The outdoor humidity is not used. status
  // receives why the value is 0 (LTCapacityStatus).
  double GetCapacityAt(bool cooling, double indoorDryBulb, double indoorRh, double outdoorTemp,
                       double outdoorRh, double totalIndex, const TAir& air, int& status);
  // The cooling capacity for an indoor wet bulb already known (what GetCapacityAt computes from
  // the dry bulb and humidity).
  double GetCoolingCapacityAtWetBulb(double indoorWetBulb, double outdoorTemp, double totalIndex,
                                     int& status);
  // Power input at the same conditions (no defrost factor); 0 where the capacity has a status.
  double GetPowerInputAt(bool cooling, double indoorDryBulb, double indoorRh, double outdoorTemp,
                         double outdoorRh, double totalIndex, const TAir& air);
  // The capacity-variation table of kind 5 (cooling) or 6 (heating); both are built together.
  // Another kind gives an empty table.
  const TVarCapList& GetCapVariationTable(int kind);
  // The capacity factor for an equivalent piping length and a level difference (positive when
  // this unit stands above the indoor units), both in whole metres: interpolated in the table
  // from (0 m, 1.0), adjusted for the level in cooling, and never above 1.0. Length 0 gives 1.0.
  double GetPipingCorrection(const TVarCapList& table, int length, int levelDiff);
  // The heating capacity's defrost factor at an outdoor temperature; 1.0 without defrost rows.
  double GetDefrostFactor(double outdoorTemp);

 private:
  LTOutdoorCompat& Compat();
  LTOutdoorCapacity& Capacity();
  // The object the capacity model's tables name as their unit: the catalogue's cached instance
  // when the model is shared, this object when it is its own.
  Cls_OutdoorUnit& CapacityOwner();
  void BuildFamilies(LTOutdoorCapacity& model, int firstKind, int secondKind);
  void AddFamily(LTOutdoorCapacity& model, std::vector<TPolyCapList>& list, int kind,
                 const LTCombinationRow& row, std::vector<LTCapacityCurve> curves);
  CTViewLink<LTOutdoorCompat> compat_;
  CTViewLink<LTOutdoorCapacity> capacity_;
};
