#pragma once

#include <string>

#include "catalogue/CatalogueFields.h"
#include "objectstore/DbObject.h"

// A refrigerant branch joint (two connections) or header (more).
class Cls_HeaderJoint : public CTDbObject {
 public:
  static constexpr int kTableId = 105;
  enum Fields : int { kEquivalentLength = 1, kName = 2, kDeleted = 3, kConnections = 4 };

  explicit Cls_HeaderJoint(int recordId, CTBaseFactory* factory = nullptr)
      : CTDbObject(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  void GetName(int& charset, std::string& text) const override;
  void SetName(const std::string& text) override;
  bool IsDeleted() const override;
  void SetDeleted(bool deleted) override;

  // Equivalent pipe length added for the fitting (m).
  double EquivalentLength() { return GetDouble(kEquivalentLength); }
  // Number of branch connections.
  int Connections() { return GetInt(kConnections); }
};

// A pipe size with its texts in millimetres and inches.
class Cls_Diameter : public CTDbObject {
 public:
  static constexpr int kTableId = 103;
  enum Fields : int { kIsLiquid = 1, kMMString = 2, kInchString = 3, kDiameter = 4 };

  explicit Cls_Diameter(int recordId, CTBaseFactory* factory = nullptr)
      : CTDbObject(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  // Whether the size is used for liquid pipes.
  bool IsLiquid() { return GetBool(kIsLiquid); }
  // The size as shown, in millimetres (decimal comma) and in inches.
  std::string MMString(int* charset = nullptr) { return ReadText(*this, kMMString, charset); }
  std::string InchString(int* charset = nullptr) { return ReadText(*this, kInchString, charset); }
  // Outer diameter (mm).
  double Diameter() { return GetDouble(kDiameter); }
};

// The main-pipe sizes of an outdoor model up to a capacity index, normal or after size-up.
class Cls_DiameterCapacity : public CTDbObject {
 public:
  static constexpr int kTableId = 102;
  enum Fields : int {
    kIsSizeUp = 1,
    kMaxCap = 2,
    kDiameter = 3,     // reference, 3-4: liquid pipe
    kDiameter2 = 5,    // reference, 5-6: suction gas pipe
    kDiameter3 = 7,    // reference, 7-8: discharge gas pipe
    kOutdoorUnit = 9,  // reference, 9-10
  };

  explicit Cls_DiameterCapacity(int recordId, CTBaseFactory* factory = nullptr)
      : CTDbObject(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  // Whether the row gives the sizes after size-up.
  bool IsSizeUp() { return GetBool(kIsSizeUp); }
  // Highest capacity index for which the row applies.
  double MaxCap() { return GetDouble(kMaxCap); }
  LTRecordRef LiquidDiameterRef() { return ReadReference(*this, kDiameter); }
  LTRecordRef SuctionDiameterRef() { return ReadReference(*this, kDiameter2); }
  // Not set when the system has no discharge gas pipe.
  LTRecordRef DischargeDiameterRef() { return ReadReference(*this, kDiameter3); }
  LTRecordRef OutdoorUnitRef() { return ReadReference(*this, kOutdoorUnit); }
};

// Additional refrigerant per metre of liquid pipe of one size, for one refrigerant.
class Cls_RefChargeCoefficient : public CTDbObject {
 public:
  static constexpr int kTableId = 127;
  enum Fields : int {
    kCoefficient = 1,
    kDiameter = 2,     // reference, 2-3
    kRefrigerant = 4,  // reference, 4-5
  };

  explicit Cls_RefChargeCoefficient(int recordId, CTBaseFactory* factory = nullptr)
      : CTDbObject(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  // kg per metre.
  double Coefficient() { return GetDouble(kCoefficient); }
  LTRecordRef DiameterRef() { return ReadReference(*this, kDiameter); }
  LTRecordRef RefrigerantRef() { return ReadReference(*this, kRefrigerant); }
};

// A refrigerant; refrigerants are offered in ascending rank.
class Cls_Refrigerant : public CTDbObject {
 public:
  static constexpr int kTableId = 128;
  enum Fields : int { kRank = 1, kName = 2, kDeleted = 3 };

  explicit Cls_Refrigerant(int recordId, CTBaseFactory* factory = nullptr)
      : CTDbObject(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  void GetName(int& charset, std::string& text) const override;
  void SetName(const std::string& text) override;
  bool IsDeleted() const override;
  void SetDeleted(bool deleted) override;

  int Rank() { return GetInt(kRank); }
};
