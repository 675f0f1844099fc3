#pragma once

#include <string>
#include <vector>

#include "design/QsDevicePlacement.h"

class Cls_DeviceOption;
class Cls_OutdoorUnit;
class CTSelectionContext;
class Cls_QsOutPlacement;
class TAir;

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

  // The kinds of indoor option (OPT_Type) that decide remote controllers and adapters.
  enum IndoorOptionKind : int {
    kOptionWiredRemote = 0,
    kOptionWirelessRemote = 6,
    kOptionInterfaceAdapter = 8,
    kOptionRemoteSensor = 9
  };

  explicit Cls_QsIndPlacement(int recordId, CTBaseFactory* factory = nullptr);

  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");
  int TableId() const override { return kTableId; }

  // With a model that was chosen by hand or while connected: the name and the model's name in
  // brackets; otherwise the name and the family in brackets.
  void GetDisplayText(int& charset, std::string& text) const override;
  void GetTypeName(int& charset, std::string& text) const override;
  void GetNamePrefix(std::string& text) const override;
  // Family, room conditions, required capacities and the manual choice from the preferences,
  // and back (with the model chosen by hand as the remembered indoor model).
  void InitDefaults() override;
  void StoreAsDefaults() override;
  // One unit.
  int GetUnitCount() const override { return 1; }
  // The base; then, unless the unit uses another unit's remote controller, its remote sensors
  // go when it has no remote controller of its own.
  LTUsedOptionList ReconcileOptions(CTDbObject* model, bool addStandard,
                                    bool addPreferred) override;
  // The model's capacity index where it counts: always with counting set, otherwise only when
  // the unit can heat where it hangs (unconnected, below a BS box, or on a heat-pump system).
  double GetCapacityIndexSum(bool counting) override;
  // The base, 8 wider when the system's units need room for the junction-box mark.
  void GetBoxSize(int& width, int& height, bool forPiping) const override;
  // The model's offers; interface adapters are standard when the project has a central
  // controller and are not offered without one.
  LTOptionOfferList GetOptionCombinations(CTDbObject* model) override;

  // Whether the system's model choice chooses or checks this unit's model.
  virtual bool TakesPartInModelChoice() const { return true; }
  // Whether the unit has a remote controller, respectively a remote sensor, of its own among
  // its options; refresh reconciles the options and looks again, otherwise the last answer.
  virtual bool HasOwnRemote(bool refresh);
  virtual bool HasRemoteSensor(bool refresh);
  // Takes the remote-controller and remote-sensor answers from the used options as stored,
  // without reconciling them with the model (which may write): the system check's way to know
  // every unit's arrangement.
  void ReadRemoteOptions();
  // What a catalogue option is to this kind of unit.
  virtual bool IsWiredRemote(Cls_DeviceOption& option) const;
  virtual bool IsWirelessRemote(Cls_DeviceOption& option) const;
  virtual bool IsRemoteSensor(Cls_DeviceOption& option) const;
  // Whether the unit is connected through an interface adapter (one of its options).
  virtual bool HasInterfaceAdapter();
  // Whether other units may use this unit's remote controller.
  virtual bool MayHeadRemoteGroup() const { return true; }

  // Chooses or checks the model within the system for the outdoor model under trial (null:
  // none) with the estimated total capacity indexes at which the outdoor capacity is shared,
  // and sets the error state. A system check passes its context, which keeps what all its
  // units share.
  void SelectModelInSystem(Cls_QsOutPlacement& system, Cls_OutdoorUnit* outdoorModel,
                           const TAir& air, double heatingEstimate, double coolingEstimate,
                           CTSelectionContext* context = nullptr);
  // The capacity (kW) the unit delivers in its system: cooling total (totalOnly) or sensible, or
  // heating; at100 evaluates the outdoor unit at its 100 % index. 0 without indoor model or
  // outdoor model, and in heating where the unit cannot heat.
  double GetUnitCapacity(bool cooling, bool totalOnly, bool at100);
  // Whether the unit can heat where it hangs: unconnected, or in a system that heats and, in a
  // heat-recovery system, behind a BS box.
  bool CanHeatInSystem();
  // The outdoor system the unit is connected in (through boxes and headers); null when none.
  Cls_QsOutPlacement* GetOutdoorSystem() const;

  // -- Remote controllers -------------------------------------------------------------------------
  // Sets the remote-controller arrangement with its rules; a refusal is shown to the user and
  // leaves the arrangement. Value 0 with keepUnlessRemote set changes nothing unless the unit
  // has a remote controller of its own (after its options were edited).
  void SetRemoteType(int value, bool keepUnlessRemote);
  // The number of units that use this unit's remote controller, itself included, and the most
  // its remote controller allows; (0, 0) without system or own remote controller.
  void GetRemoteGroup(int& count, int& maximum);

  // The catalogue options found by the last refresh (null for none); catalogue instances.
  Cls_DeviceOption* RemoteOption() const { return remoteOption_; }
  Cls_DeviceOption* RemoteSensorOption() const { return remoteSensorOption_; }
  // Set before each diagram layout: some unit of the system carries the junction-box option.
  bool WideBox() const { return wideBox_; }
  void SetWideBox(bool value) { wideBox_ = value; }
  // Written by the system check: piping capacity factors and the unit's piping lengths (m).
  double CoolPipingFactor() const { return coolPipingFactor_; }
  double HeatPipingFactor() const { return heatPipingFactor_; }
  void SetPipingFactors(double cooling, double heating) {
    coolPipingFactor_ = cooling;
    heatPipingFactor_ = heating;
  }
  double ActualLength() const { return actualLength_; }
  double EquivalentLength() const { return equivalentLength_; }
  double EffectiveLength() const { return effectiveLength_; }
  void SetPipingLengths(double actual, double equivalent, double effective) {
    actualLength_ = actual;
    equivalentLength_ = equivalent;
    effectiveLength_ = effective;
  }

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
  // Remote-controller arrangement (RemoteType), the field alone; SetRemoteType applies the rules.
  int GetRemoteType() { return GetInt(kRemoteType); }
  void SetRemoteTypeValue(int value) { SetInt(kRemoteType, value); }
  // The model is chosen by hand.
  bool GetManualSelect() { return GetBool(kManualSelect); }
  void SetManualSelect(bool value) { SetBool(kManualSelect, value); }

 protected:
  Cls_QsIndPlacement(int tableId, int recordId, CTBaseFactory* factory);

  // Whether the option is an indoor option (not a ventilation-unit option) of the kind.
  static bool IsIndoorOptionOfKind(Cls_DeviceOption& option, int kind);
  // The catalogue options of the used options after reconciling them with the model.
  std::vector<Cls_DeviceOption*> ReconciledCatalogueOptions();

 private:
  // Finds the remote-controller and remote-sensor options among the reconciled options.
  void RefreshRemoteOptions();

  Cls_DeviceOption* remoteOption_ = nullptr;
  Cls_DeviceOption* remoteSensorOption_ = nullptr;
  bool wideBox_ = false;
  double coolPipingFactor_ = 1.0;
  double heatPipingFactor_ = 1.0;
  double actualLength_ = 0;
  double equivalentLength_ = 0;
  double effectiveLength_ = 0;
};
