#pragma once

#include <memory>
#include <string>

#include "catalogue/Devices.h"

// Base of the indoor devices: coil and fan data, series, capacity index and pipe connections.
// Abstract table.
class Cls_IndoorDevice : public Cls_Device {
 public:
  static constexpr int kTableId = 169;
  enum Fields : int {
    kPipDrainInt = 3,
    kPipDrainExt = 4,
    kHighBypass = 5,
    kHighFan = 6,
    kLowFan = 7,
    kLowBypass = 8,
    kSeries = 9,
    kCapIndex = 10,
    kHasDucting = 11,
    kIsFloorModel = 12,
    kDrainPipeXY = 13,
    kDrainPipeSide = 14,
    kLiquidPipeXY = 15,
    kLiquidPipeSide = 16,
    kPipLiquid = 17,
    kPipGas = 18,
  };

  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  // Drain connection, internal and external diameter (mm).
  double PipDrainInt() { return GetDouble(kPipDrainInt); }
  double PipDrainExt() { return GetDouble(kPipDrainExt); }
  // Coil bypass factors as fractions (0.05 = 5 %) and air flows (m3/h) at high and low fan speed.
  double HighBypass() { return GetDouble(kHighBypass); }
  double LowBypass() { return GetDouble(kLowBypass); }
  double HighFan() { return GetDouble(kHighFan); }
  double LowFan() { return GetDouble(kLowFan); }
  const std::string& Series() { return GetString(kSeries); }
  double CapIndex() { return GetDouble(kCapIndex); }
  bool HasDucting() { return GetBool(kHasDucting); }
  bool IsFloorModel() { return GetBool(kIsFloorModel); }
  // Drawing offsets and sides of the drain and liquid connections.
  double DrainPipeXY() { return GetDouble(kDrainPipeXY); }
  int DrainPipeSide() { return GetInt(kDrainPipeSide); }
  double LiquidPipeXY() { return GetDouble(kLiquidPipeXY); }
  int LiquidPipeSide() { return GetInt(kLiquidPipeSide); }
  // Liquid and gas connection diameters (mm).
  double PipLiquid() { return GetDouble(kPipLiquid); }
  double PipGas() { return GetDouble(kPipGas); }

 protected:
  Cls_IndoorDevice(int tableId, int recordId, CTBaseFactory* factory)
      : Cls_Device(tableId, recordId, factory) {}
};

// An indoor unit model.
class Cls_IndoorUnit : public Cls_IndoorDevice {
 public:
  static constexpr int kTableId = 109;
  enum Fields : int {
    kMaxConnRatio = 19,
    kConnRatioIncreasedTo = 20,
    kFamily = 21,
    kHUnitSize = 22,
    kCUnitSize = 23,
  };

  explicit Cls_IndoorUnit(int recordId, CTBaseFactory* factory = nullptr)
      : Cls_IndoorDevice(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  // Highest combination ratio (%) of a system in which the model may be selected.
  double MaxConnRatio() { return GetDouble(kMaxConnRatio); }
  // Highest combination ratio (%) a system with this model's series and family may reach when
  // high combination ratios are in use.
  double ConnRatioIncreasedTo() { return GetDouble(kConnRatioIncreasedTo); }
  // Family code, the IFA_Short of an indoor family.
  const std::string& Family() { return GetString(kFamily); }
  // Nominal heating and cooling capacity (kW).
  double HUnitSize() { return GetDouble(kHUnitSize); }
  double CUnitSize() { return GetDouble(kCUnitSize); }

  // Low and high sound level of the documentation record ("28-35"); a level of 0 is left out,
  // and the text is empty when both are 0 or there is no record.
  std::string GetSoundText();
};

// An indoor unit family (a kind of casing): its translated name and its short code.
class Cls_IndFamily : public CTDbObject {
 public:
  static constexpr int kTableId = 108;
  enum Fields : int { kName = 1, kShort = 2 };

  explicit Cls_IndFamily(int recordId, CTBaseFactory* factory = nullptr)
      : CTDbObject(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  void GetName(int& charset, std::string& text) const override;
  void SetName(const std::string& text) override;

  // The code, " - " and the name; the code alone when the name is empty.
  void GetDisplayText(int& charset, std::string& text) const override;

  // Family code of one to three letters.
  const std::string& Short() { return GetString(kShort); }

  // The family whose code equals the given one without regard to case, skipping deleted
  // families; nullptr when there is none.
  static std::unique_ptr<Cls_IndFamily> FindByCode(const std::string& code,
                                                   CTBaseFactory* factory = nullptr);
};
