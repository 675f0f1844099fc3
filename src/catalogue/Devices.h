#pragma once

#include <memory>
#include <string>
#include <vector>

#include "catalogue/CatalogueFields.h"
#include "catalogue/Documentation.h"
#include "catalogue/PowerSupplies.h"
#include "objectstore/DbObject.h"
#include "objectstore/DbViews.h"

struct LTDeviceViews;

// Base of every device the tool can place (indoor and outdoor units, branch-selector boxes,
// central controllers, ventilation units): a model name and a deleted flag. Abstract table.
class Cls_Device : public CTDbObject {
 public:
  static constexpr int kTableId = 162;
  enum Fields : int { kName = 1, kDeleted = 2 };

  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  void GetName(int& charset, std::string& text) const override;
  void SetName(const std::string& text) override;
  bool IsDeleted() const override;
  void SetDeleted(bool deleted) override;

  // -- Queries (a device that is not a stored record has no related rows) ---------------------
  // The Tbl_DevOptCombination rows offering options for this device, in table order.
  CTDbObjectList GetOptionOffers();
  // The Tbl_QRNPSAllowed rows of the supplies this device may run on, in table order.
  CTDbObjectList GetAllowedSupplies();

  // The resolved supply: the first allowed supply marked default, else the last allowed one.
  // Resolved on first use and kept with the record's views (shared by every handle on the
  // record, freed when the catalogue disconnects). nullptr when the device has no supply.
  Cls_PowerSupply* GetPowerSupply();
  // True when the device has no allowed-supply rows.
  bool HasNoPowerSupply();
  // Electrical data of the resolved supply's row (A); 0 and empty without one.
  double GetMCA();
  double GetRunningAmps();
  double GetStartingCurrent();
  std::string GetFuses();
  // The supply's phases followed by the word for "phase" ("3фаза"); empty without a supply.
  std::string GetPhasesText();
  // The supply's terminal names ("L,N"); empty without a supply.
  std::string GetPhaseNamesText();
  // Voltage, a blank and the phases text ("400V 3фаза"), the blank only between two non-empty
  // texts; empty without a supply.
  std::string GetSupplyText();

  // The device's documentation record, looked up on first use and kept with the record's views
  // like the supply; nullptr when none.
  Cls_DeviceDocumentation* GetDocumentation();
  // Width, height, depth (mm) and weight (kg) from the documentation record; all 0 without one.
  void GetDimensions(double& width, double& height, double& depth, double& weight);

 protected:
  Cls_Device(int tableId, int recordId, CTBaseFactory* factory)
      : CTDbObject(tableId, recordId, factory) {}

 private:
  // The record's views with the supply resolved.
  const LTDeviceViews& Supply();

  CTViewLink<LTDeviceViews> views_;
};

// A branch-selector box: the capacity range it serves, its pipe connections and series.
class Cls_BSBox : public Cls_Device {
 public:
  static constexpr int kTableId = 76;
  enum Fields : int {
    kMinCapIndex = 3,
    kMaxCapIndex = 4,
    kLiquidPipesIndoor = 5,
    kGasPipesIndoor = 6,
    kIndoorPipeSide = 7,
    kIndoorPipeXY = 8,
    kLiquidPipesOutdoor = 9,
    kGasPipesSuctionOutdoor = 10,
    kGasPipesDischOutdoor = 11,
    kOutdoorPipeSide = 12,
    kSeries = 13,
    kEquivalentLength = 14,
    kOutdoorPipeXY = 15,
  };

  explicit Cls_BSBox(int recordId, CTBaseFactory* factory = nullptr)
      : Cls_Device(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  // Lowest and highest total capacity index of the indoor units the box serves.
  double MinCapIndex() { return GetDouble(kMinCapIndex); }
  double MaxCapIndex() { return GetDouble(kMaxCapIndex); }
  // Connection diameters (mm).
  double LiquidPipesIndoor() { return GetDouble(kLiquidPipesIndoor); }
  double GasPipesIndoor() { return GetDouble(kGasPipesIndoor); }
  double LiquidPipesOutdoor() { return GetDouble(kLiquidPipesOutdoor); }
  double GasPipesSuctionOutdoor() { return GetDouble(kGasPipesSuctionOutdoor); }
  double GasPipesDischOutdoor() { return GetDouble(kGasPipesDischOutdoor); }
  // Drawing side and offset of the pipes on the box symbol.
  int IndoorPipeSide() { return GetInt(kIndoorPipeSide); }
  double IndoorPipeXY() { return GetDouble(kIndoorPipeXY); }
  int OutdoorPipeSide() { return GetInt(kOutdoorPipeSide); }
  double OutdoorPipeXY() { return GetDouble(kOutdoorPipeXY); }
  const std::string& Series() { return GetString(kSeries); }
  // Equivalent pipe length added for the box in piping calculations (m).
  double EquivalentLength() { return GetDouble(kEquivalentLength); }
};

// A central controller.
class Cls_CentralController : public Cls_Device {
 public:
  static constexpr int kTableId = 80;
  enum Fields : int {
    kNeedsPower = 3,
    kTechSpec = 4,
    kMaxGroups = 5,
    kWidth = 6,
    kType = 7,
    kSeries = 8,
    kPictureName = 9,
    kHeight = 10,
    kMaxOutdoors = 11,
    kMaxCapacity = 12,
    kDepth = 13,
  };

  explicit Cls_CentralController(int recordId, CTBaseFactory* factory = nullptr)
      : Cls_Device(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  // Whether the controller needs its own power supply.
  bool NeedsPower() { return GetBool(kNeedsPower); }
  const std::string& TechSpec() { return GetString(kTechSpec); }
  int MaxGroups() { return GetInt(kMaxGroups); }
  // Controller kind code 0-3.
  int Type() { return GetInt(kType); }
  std::string Series(int* charset = nullptr) { return ReadText(*this, kSeries, charset); }
  const std::string& PictureName() { return GetString(kPictureName); }
  int MaxOutdoors() { return GetInt(kMaxOutdoors); }
  int MaxCapacity() { return GetInt(kMaxCapacity); }
  // Dimensions (mm).
  double Width() { return GetDouble(kWidth); }
  double Height() { return GetDouble(kHeight); }
  double Depth() { return GetDouble(kDepth); }

  // Series text (lower case unless a translation with other than capitals was found), a blank,
  // the trimmed name and "+name" per component of a combined choice. A combined choice of kind 2
  // starts with its first component's display text instead.
  void GetDisplayText(int& charset, std::string& text) const override;
  // The name alone.
  void GetFullName(std::string& text) const override;

  // The controllers this one combines: the components of its Tbl_CCCombination rows, in table
  // order (queried on every call).
  std::vector<std::unique_ptr<Cls_CentralController>> GetComponents();

  // The choices offered in the controller lists, per controller in table order: a plain choice
  // for kinds 0 and 1, then, except for kind 1, a combined choice holding its components when
  // it has any.
  static std::vector<std::unique_ptr<Cls_CentralController>> GetChoiceList(
      CTBaseFactory* factory = nullptr);
  // The components held by a combined choice; empty on every other object.
  const std::vector<std::unique_ptr<Cls_CentralController>>& ChoiceComponents() const {
    return choiceComponents_;
  }

 private:
  std::vector<std::unique_ptr<Cls_CentralController>> choiceComponents_;
};

// A heat-reclaim ventilation unit; its data is descriptive.
class Cls_AEX : public Cls_Device {
 public:
  static constexpr int kTableId = 144;
  enum Fields : int {
    kNomHumidity = 3,
    kNomAirflow = 4,
    kMinAirflow = 5,
    kMaxAirflow = 6,
    kType = 7,
    kSeries = 8,
    kDuctDiam = 9,
    kTempLow = 10,
    kTempHigh = 11,
    kRH = 12,
  };

  explicit Cls_AEX(int recordId, CTBaseFactory* factory = nullptr)
      : Cls_Device(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  double NomHumidity() { return GetDouble(kNomHumidity); }
  // Air flows (m3/h).
  double NomAirflow() { return GetDouble(kNomAirflow); }
  double MinAirflow() { return GetDouble(kMinAirflow); }
  double MaxAirflow() { return GetDouble(kMaxAirflow); }
  int Type() { return GetInt(kType); }
  const std::string& Series() { return GetString(kSeries); }
  double DuctDiam() { return GetDouble(kDuctDiam); }
  // Operating temperatures and the highest relative humidity (%).
  double TempLow() { return GetDouble(kTempLow); }
  double TempHigh() { return GetDouble(kTempHigh); }
  double RH() { return GetDouble(kRH); }
};
