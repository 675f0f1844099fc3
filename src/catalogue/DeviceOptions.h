#pragma once

#include <string>

#include "catalogue/CatalogueFields.h"
#include "objectstore/DbObject.h"

// Base of the options of every device kind: model name, kind code, a kind-dependent value, a
// translated description and a deleted flag. Abstract table.
class Cls_DeviceOption : public CTDbObject {
 public:
  static constexpr int kTableId = 163;
  enum Fields : int {
    kFrequency = 1,
    kHeight = 2,
    kMCA = 3,
    kName = 4,
    kPictureName = 5,
    kTechSpec = 6,
    kType = 7,
    kWidth = 8,
    kValue = 9,
    kDescription = 10,
    kVolts = 11,
    kDeleted = 12,
    kDepth = 13,
  };

  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  void GetName(int& charset, std::string& text) const override;
  void SetName(const std::string& text) override;
  void GetDescription(int& charset, std::string& text) const override;
  void SetDescription(const std::string& text) override;
  bool IsDeleted() const override;
  void SetDeleted(bool deleted) override;

  // Supply texts.
  const std::string& Frequency() { return GetString(kFrequency); }
  const std::string& MCA() { return GetString(kMCA); }
  const std::string& Volts() { return GetString(kVolts); }
  const std::string& PictureName() { return GetString(kPictureName); }
  const std::string& TechSpec() { return GetString(kTechSpec); }
  // Option kind code; its meaning depends on the option table.
  int Type() { return GetInt(kType); }
  // Kind-dependent number: the largest remote-controller group of a remote controller, the
  // power (kW) of an electric heater.
  double Value() { return GetDouble(kValue); }
  // Dimensions (mm).
  double Width() { return GetDouble(kWidth); }
  double Height() { return GetDouble(kHeight); }
  double Depth() { return GetDouble(kDepth); }

 protected:
  Cls_DeviceOption(int tableId, int recordId, CTBaseFactory* factory)
      : CTDbObject(tableId, recordId, factory) {}

  // The name, " (", the description and ")": the full name of the concrete option classes.
  std::string NameWithDescription() const;
};

// An option of a branch-selector box.
class Cls_BSOption : public Cls_DeviceOption {
 public:
  static constexpr int kTableId = 78;

  explicit Cls_BSOption(int recordId, CTBaseFactory* factory = nullptr)
      : Cls_DeviceOption(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  void GetFullName(std::string& text) const override { text = NameWithDescription(); }
};

// An option of an indoor unit (remote controllers, heaters, adapters, ...).
class Cls_IndOption : public Cls_DeviceOption {
 public:
  static constexpr int kTableId = 110;

  explicit Cls_IndOption(int recordId, CTBaseFactory* factory = nullptr)
      : Cls_DeviceOption(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  void GetFullName(std::string& text) const override { text = NameWithDescription(); }
};

// An option of an outdoor unit.
class Cls_OutOption : public Cls_DeviceOption {
 public:
  static constexpr int kTableId = 120;

  explicit Cls_OutOption(int recordId, CTBaseFactory* factory = nullptr)
      : Cls_DeviceOption(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  void GetFullName(std::string& text) const override { text = NameWithDescription(); }
};

// An option of a ventilation unit, with the characteristics a coil option gives the unit.
class Cls_AEXOption : public Cls_DeviceOption {
 public:
  static constexpr int kTableId = 146;
  enum Fields : int {
    kHUnitSize = 14,
    kLowFan = 15,
    kHighFan = 16,
    kLowByPass = 17,
    kHighBypass = 18,
    kCapIndex = 19,
    kCUnitSize = 20,
  };

  explicit Cls_AEXOption(int recordId, CTBaseFactory* factory = nullptr)
      : Cls_DeviceOption(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  void GetFullName(std::string& text) const override { text = NameWithDescription(); }

  // Nominal heating and cooling capacity (kW).
  double HUnitSize() { return GetDouble(kHUnitSize); }
  double CUnitSize() { return GetDouble(kCUnitSize); }
  // Air flows (m3/h) and bypass factors at low and high fan speed.
  double LowFan() { return GetDouble(kLowFan); }
  double HighFan() { return GetDouble(kHighFan); }
  double LowByPass() { return GetDouble(kLowByPass); }
  double HighBypass() { return GetDouble(kHighBypass); }
  double CapIndex() { return GetDouble(kCapIndex); }
};

// An option offered for a device: whether it is standard or preferred and how many the device
// takes.
class Cls_DevOptCombination : public CTDbObject {
 public:
  static constexpr int kTableId = 164;
  enum Fields : int {
    kIsStandard = 1,
    kNrRequired = 2,
    kIsPreferred = 3,
    kDevice = 4,        // reference, 4-5
    kDeviceOption = 6,  // reference, 6-7
    kPowerSupply = 8,   // reference, 8-9
  };

  explicit Cls_DevOptCombination(int recordId, CTBaseFactory* factory = nullptr)
      : CTDbObject(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  // The option always comes with the device and cannot be removed from a placement.
  bool IsStandard() { return GetBool(kIsStandard); }
  // Quantity of the option per device.
  int NrRequired() { return GetInt(kNrRequired); }
  // The option is chosen by default for a new placement.
  bool IsPreferred() { return GetBool(kIsPreferred); }
  LTRecordRef DeviceRef() { return ReadReference(*this, kDevice); }
  LTRecordRef DeviceOptionRef() { return ReadReference(*this, kDeviceOption); }
  // The table half may be set while the record half is 0 (no supply).
  LTRecordRef PowerSupplyRef() { return ReadReference(*this, kPowerSupply); }
};
