#pragma once

#include <string>

#include "catalogue/CatalogueFields.h"
#include "objectstore/DbObject.h"

// A kind of power supply (phases, voltage, terminal names).
class Cls_PowerSupply : public CTDbObject {
 public:
  static constexpr int kTableId = 122;
  enum Fields : int {
    kDeleted = 1,
    kName = 2,
    kPhases = 3,
    kFrequency = 4,
    kVoltage = 5,
    kRange = 6,
    kDefault = 7,
    kPhaseNames = 8,
  };

  explicit Cls_PowerSupply(int recordId, CTBaseFactory* factory = nullptr)
      : CTDbObject(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  void GetName(int& charset, std::string& text) const override;
  void SetName(const std::string& text) override;
  bool IsDeleted() const override;
  void SetDeleted(bool deleted) override;

  // Number of phases as text ("1", "3", "3N").
  const std::string& Phases() { return GetString(kPhases); }
  const std::string& Frequency() { return GetString(kFrequency); }
  const std::string& Voltage() { return GetString(kVoltage); }
  const std::string& Range() { return GetString(kRange); }
  // The supply is a device's default when it is among the device's allowed supplies.
  bool IsDefault() { return GetBool(kDefault); }
  // Terminal names of the phases, comma separated ("L,N").
  const std::string& PhaseNames() { return GetString(kPhaseNames); }
};

// Base of the power supplies allowed for a device. Abstract table.
class Cls_DevPSAllowed : public CTDbObject {
 public:
  static constexpr int kTableId = 165;
  enum Fields : int {
    kWiring = 1,
    kDevice = 2,       // reference, 2-3
    kPowerSupply = 4,  // reference, 4-5
  };

  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  const std::string& Wiring() { return GetString(kWiring); }
  LTRecordRef DeviceRef() { return ReadReference(*this, kDevice); }
  LTRecordRef PowerSupplyRef() { return ReadReference(*this, kPowerSupply); }

 protected:
  Cls_DevPSAllowed(int tableId, int recordId, CTBaseFactory* factory)
      : CTDbObject(tableId, recordId, factory) {}
};

// A power supply allowed for a device, with the device's electrical data on that supply.
class Cls_QRNPSAllowed : public Cls_DevPSAllowed {
 public:
  static constexpr int kTableId = 170;
  enum Fields : int {
    kMaxVolts = 6,
    kMCA = 7,
    kMFA = 8,
    kMinVolts = 9,
    kStartingCurrent = 10,
    kFuses = 11,
    kRunningAmps = 12,
  };

  explicit Cls_QRNPSAllowed(int recordId, CTBaseFactory* factory = nullptr)
      : Cls_DevPSAllowed(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  const std::string& MaxVolts() { return GetString(kMaxVolts); }
  const std::string& MinVolts() { return GetString(kMinVolts); }
  // Minimum circuit amps, maximum fuse amps, starting and running current (A).
  double MCA() { return GetDouble(kMCA); }
  double MFA() { return GetDouble(kMFA); }
  double StartingCurrent() { return GetDouble(kStartingCurrent); }
  double RunningAmps() { return GetDouble(kRunningAmps); }
  // Fuse recommendation text.
  const std::string& Fuses() { return GetString(kFuses); }
};
