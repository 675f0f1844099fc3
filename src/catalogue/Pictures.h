#pragma once

#include <memory>
#include <string>

#include "catalogue/Bitmap.h"
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

// The picture record for devices of a class (table id), an indoor family (record id) and a
// series, walking the pictures in catalogue order: a record for exactly that family and series is
// taken at once; otherwise the first record that names a family or a series, or failing that the
// last record that names neither. nullptr when no record applies.
std::unique_ptr<CTDbObject> FindPictureRecord(int deviceClassId, int familyId,
                                              const std::string& series,
                                              CTBaseFactory* factory = nullptr);

// The decoded picture of that record: the large one when wanted and the record holds a readable
// one (largeDelivered tells whether it did), else the small one; nullptr when there is none or it
// cannot be decoded. The caller owns the picture.
std::unique_ptr<CTBitmap> GetPicture(int deviceClassId, int familyId, bool largeWanted,
                                     const std::string& series, bool* largeDelivered = nullptr,
                                     CTBaseFactory* factory = nullptr);

// The terminal labels of the wiring diagram, read from the only record of the label table. The
// record is looked up on the first request that finds exactly one and kept by this object (owned
// with the other catalogue caches, so it never outlives its catalogue); while the table holds no
// record or several, every label is empty and the next request looks again. charset receives
// the translation's character set (0 when the text was not translated).
class CTWiringLabels {
 public:
  explicit CTWiringLabels(CTBaseFactory* factory = nullptr) : factory_(factory) {}

  std::string GetControlLabel(int* charset = nullptr);
  std::string GetControlInLabel(int* charset = nullptr);
  std::string GetControlOutLabel(int* charset = nullptr);
  std::string GetRemoteControllerLabel(int* charset = nullptr);
  std::string GetOutdoorModulesLabel(int* charset = nullptr);

 private:
  std::string Label(int field, int* charset);

  CTBaseFactory* factory_;
  std::unique_ptr<CTDbObject> record_;
};
