#pragma once

#include <string>

#include "catalogue/CatalogueFields.h"
#include "objectstore/DbObject.h"

// Base of the documentation records: the dimensions and weight of one device. Abstract table.
class Cls_DeviceDocumentation : public CTDbObject {
 public:
  static constexpr int kTableId = 166;
  enum Fields : int {
    kHeight = 1,
    kWidth = 2,
    kDepth = 3,
    kWeight = 4,
    kDevice = 5,  // reference, 5-6
  };

  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  // Dimensions (mm) and weight (kg).
  double Height() { return GetDouble(kHeight); }
  double Width() { return GetDouble(kWidth); }
  double Depth() { return GetDouble(kDepth); }
  double Weight() { return GetDouble(kWeight); }
  // The documented device, in its concrete table.
  LTRecordRef DeviceRef() { return ReadReference(*this, kDevice); }

 protected:
  Cls_DeviceDocumentation(int tableId, int recordId, CTBaseFactory* factory)
      : CTDbObject(tableId, recordId, factory) {}
};

// Dimensions of a branch-selector box.
class Cls_BSDocumentation : public Cls_DeviceDocumentation {
 public:
  static constexpr int kTableId = 77;

  explicit Cls_BSDocumentation(int recordId, CTBaseFactory* factory = nullptr)
      : Cls_DeviceDocumentation(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");
};

// Dimensions, clearances and sound levels of an indoor unit. The clearance fields are kept as
// the catalogue names them (O_, I_ and S_ groups per side).
class Cls_IndDocumentation : public Cls_DeviceDocumentation {
 public:
  static constexpr int kTableId = 107;
  enum Fields : int {
    kOLeft = 7,
    kORight = 8,
    kOFront = 9,
    kOBack = 10,
    kOTop = 11,
    kOBottom = 12,
    kITop = 13,
    kSBottom = 14,
    kSoundHigh = 15,
    kILeft = 16,
    kIRight = 17,
    kIFront = 18,
    kIBack = 19,
    kIBottom = 20,
    kSLeft = 21,
    kSRight = 22,
    kSFront = 23,
    kSBack = 24,
    kSTop = 25,
    kSoundLow = 26,
  };

  explicit Cls_IndDocumentation(int recordId, CTBaseFactory* factory = nullptr)
      : Cls_DeviceDocumentation(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  // Sound pressure levels at high and low fan speed (dB(A)).
  double SoundHigh() { return GetDouble(kSoundHigh); }
  double SoundLow() { return GetDouble(kSoundLow); }
  double OLeft() { return GetDouble(kOLeft); }
  double ORight() { return GetDouble(kORight); }
  double OFront() { return GetDouble(kOFront); }
  double OBack() { return GetDouble(kOBack); }
  double OTop() { return GetDouble(kOTop); }
  double OBottom() { return GetDouble(kOBottom); }
  double ILeft() { return GetDouble(kILeft); }
  double IRight() { return GetDouble(kIRight); }
  double IFront() { return GetDouble(kIFront); }
  double IBack() { return GetDouble(kIBack); }
  double ITop() { return GetDouble(kITop); }
  double IBottom() { return GetDouble(kIBottom); }
  double SLeft() { return GetDouble(kSLeft); }
  double SRight() { return GetDouble(kSRight); }
  double SFront() { return GetDouble(kSFront); }
  double SBack() { return GetDouble(kSBack); }
  double STop() { return GetDouble(kSTop); }
  double SBottom() { return GetDouble(kSBottom); }
};

// Base of the outdoor documentation: adds the service space around the unit. Abstract table.
class Cls_OutdoorDocumentation : public Cls_DeviceDocumentation {
 public:
  static constexpr int kTableId = 167;
  enum Fields : int { kBack = 7, kFront = 8, kSide = 9 };

  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  // Service space behind, in front of and beside the unit (mm).
  double Back() { return GetDouble(kBack); }
  double Front() { return GetDouble(kFront); }
  double Side() { return GetDouble(kSide); }

 protected:
  Cls_OutdoorDocumentation(int tableId, int recordId, CTBaseFactory* factory)
      : Cls_DeviceDocumentation(tableId, recordId, factory) {}
};

// Dimensions, service space and sound level of an outdoor unit.
class Cls_OutDocumentation : public Cls_OutdoorDocumentation {
 public:
  static constexpr int kTableId = 118;
  enum Fields : int { kSoundPressure = 10 };

  explicit Cls_OutDocumentation(int recordId, CTBaseFactory* factory = nullptr)
      : Cls_OutdoorDocumentation(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  // Sound pressure level (dB(A)).
  double SoundPressure() { return GetDouble(kSoundPressure); }
};

// Dimensions of a ventilation unit.
class Cls_AEXDocumentation : public Cls_DeviceDocumentation {
 public:
  static constexpr int kTableId = 145;

  explicit Cls_AEXDocumentation(int recordId, CTBaseFactory* factory = nullptr)
      : Cls_DeviceDocumentation(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");
};
