#pragma once

#include <string>

#include "design/QsDevicePlacement.h"

// One room unit of the design: its family, the room's design conditions and the capacities it
// must deliver, or a model picked by hand. Ventilation and adapter-connected units derive from it.
class Cls_QsIndPlacement : public Cls_QsDevicePlacement {
 public:
  static constexpr int kTableId = 175;

  enum Fields : int {
    kIuSeqNr = 11,
    kFamily = 12,
    kCoolIndoorTemp = 13,
    kCoolIndoorRH = 14,
    kHeatCapReq = 15,
    kHeatIndoorTemp = 16,
    kHeatIndoorRH = 17,
    kCoolCapReqTotal = 18,
    kRemoteType = 19,
    kCoolCapReqSensible = 20,
    kManualSelect = 21,
    kFieldCount = 22
  };

  // Remote-controller arrangements.
  enum RemoteType : int {
    kOwnRemote = 0,
    kNoWiredRemote = 1,
    kRemoteOfNextUnit = 2,
    kRemoteOfPreviousUnit = 3
  };

  explicit Cls_QsIndPlacement(int recordId, CTBaseFactory* factory = nullptr);

  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");
  int TableId() const override { return kTableId; }

  // Order of the unit in the project's list of indoor units.
  int GetIuSeqNr() { return GetInt(kIuSeqNr); }
  void SetIuSeqNr(int value) { SetInt(kIuSeqNr, value); }
  // Family code (the catalogue's short family name) the model is chosen from.
  std::string GetFamily() { return GetString(kFamily); }
  void SetFamily(const std::string& value) { SetString(kFamily, value); }
  // Room conditions: dry-bulb temperature (degrees C) and relative humidity (%).
  double GetCoolIndoorTemp() { return GetDouble(kCoolIndoorTemp); }
  void SetCoolIndoorTemp(double value) { SetDouble(kCoolIndoorTemp, value); }
  double GetCoolIndoorRH() { return GetDouble(kCoolIndoorRH); }
  void SetCoolIndoorRH(double value) { SetDouble(kCoolIndoorRH, value); }
  double GetHeatIndoorTemp() { return GetDouble(kHeatIndoorTemp); }
  void SetHeatIndoorTemp(double value) { SetDouble(kHeatIndoorTemp, value); }
  double GetHeatIndoorRH() { return GetDouble(kHeatIndoorRH); }
  void SetHeatIndoorRH(double value) { SetDouble(kHeatIndoorRH, value); }
  // Required capacities (kW); 0 means no requirement.
  double GetHeatCapReq() { return GetDouble(kHeatCapReq); }
  void SetHeatCapReq(double value) { SetDouble(kHeatCapReq, value); }
  double GetCoolCapReqTotal() { return GetDouble(kCoolCapReqTotal); }
  void SetCoolCapReqTotal(double value) { SetDouble(kCoolCapReqTotal, value); }
  double GetCoolCapReqSensible() { return GetDouble(kCoolCapReqSensible); }
  void SetCoolCapReqSensible(double value) { SetDouble(kCoolCapReqSensible, value); }
  // Remote-controller arrangement (RemoteType).
  int GetRemoteType() { return GetInt(kRemoteType); }
  void SetRemoteType(int value) { SetInt(kRemoteType, value); }
  // The model is chosen by hand.
  bool GetManualSelect() { return GetBool(kManualSelect); }
  void SetManualSelect(bool value) { SetBool(kManualSelect, value); }

 protected:
  Cls_QsIndPlacement(int tableId, int recordId, CTBaseFactory* factory);
};
