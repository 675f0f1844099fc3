#pragma once

#include <string>

#include "catalogue/CatalogueFields.h"
#include "objectstore/DbObject.h"

class CTMemoryStream;

// Pictures of a device class, optionally for one indoor family and one series.
class Cls_Visualization : public CTDbObject {
 public:
  static constexpr int kTableId = 191;
  enum Fields : int {
    kDeviceClassID = 1,
    kDeviceFamily = 2,
    kDeviceSeries = 3,
    kSmallImage = 4,
    kLargeImage = 5,
  };

  explicit Cls_Visualization(int recordId, CTBaseFactory* factory = nullptr)
      : CTDbObject(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  // Table id of the device class the pictures are for.
  int DeviceClassID() { return GetInt(kDeviceClassID); }
  // Record id of the indoor family the pictures are for; 0 for any.
  int DeviceFamily() { return GetInt(kDeviceFamily); }
  // Series the pictures are for; empty for any.
  const std::string& DeviceSeries() { return GetString(kDeviceSeries); }
  // The stored bitmap file images; false when the record holds none.
  bool SmallImage(CTMemoryStream& stream) { return GetBlob(kSmallImage, stream); }
  bool LargeImage(CTMemoryStream& stream) { return GetBlob(kLargeImage, stream); }
};

// The terminal labels of the wiring diagram (the catalogue holds one record).
class Cls_WiringLabels : public CTDbObject {
 public:
  static constexpr int kTableId = 192;
  enum Fields : int {
    kControlOut = 1,
    kRemoteController = 2,
    kOutdoorModules = 3,
    kControl = 4,
    kControlIn = 5,
  };

  explicit Cls_WiringLabels(int recordId, CTBaseFactory* factory = nullptr)
      : CTDbObject(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  // Outgoing control terminals of an outdoor unit.
  std::string ControlOut(int* charset = nullptr) { return ReadText(*this, kControlOut, charset); }
  std::string RemoteController(int* charset = nullptr) {
    return ReadText(*this, kRemoteController, charset);
  }
  // Terminals between outdoor modules.
  std::string OutdoorModules(int* charset = nullptr) {
    return ReadText(*this, kOutdoorModules, charset);
  }
  // Control (transmission) terminals.
  std::string Control(int* charset = nullptr) { return ReadText(*this, kControl, charset); }
  std::string ControlIn(int* charset = nullptr) { return ReadText(*this, kControlIn, charset); }
};
