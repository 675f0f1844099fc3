#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/CatalogueFields.h"
#include "objectstore/DbObject.h"

class Cls_BHJCombination;
class Cls_BSBox;
class Cls_OHJCombination;
class Cls_OutdoorUnit;

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

  // The catalogue's pipe sizes ascending by diameter: every size, or only those liquid pipes may
  // take. Built once per connected catalogue; the sizes belong to the list.
  static const std::vector<Cls_Diameter*>& GetDiameterList(bool liquid,
                                                           CTBaseFactory* factory = nullptr);
  // The diameter (mm) of the size a row refers to; with sizeUp the next larger size of the list
  // asked for (the liquid list for a liquid pipe, the full list for a gas pipe), or the size's own
  // when it is the last of that list or not in it. 0 when the reference is empty or names no size.
  static double GetRowDiameter(const LTRecordRef& size, bool sizeUp, bool liquidList,
                               CTBaseFactory* factory = nullptr);
  // The first size in catalogue order whose diameter is exactly millimetres; null when none is.
  // From the same lists, built once; the size belongs to them.
  static Cls_Diameter* FindDiameter(double millimetres, CTBaseFactory* factory = nullptr);
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

// The capacity steps of an outdoor model's main-pipe sizes, ascending by DCA_MaxCap, without
// the size-up row. Built once per model; the rows belong to the list.
const std::vector<Cls_DiameterCapacity*>& GetDiameterRows(Cls_OutdoorUnit& unit);
// The row that gives the model's main-pipe sizes after size-up: of the rows so marked, the one
// with the smallest DCA_MaxCap; null when the model has none.
Cls_DiameterCapacity* GetSizeUpRow(Cls_OutdoorUnit& unit);
bool HasSizeUpRow(Cls_OutdoorUnit& unit);

// A joint row of an outdoor model or of a box model together with its joint.
struct LTOutdoorJointRow {
  Cls_OHJCombination* row;
  Cls_HeaderJoint* joint;
};
struct LTBoxJointRow {
  Cls_BHJCombination* row;
  Cls_HeaderJoint* joint;
};
// The joints and headers usable in an outdoor model's piping, respectively below a box model,
// in the order of the related-rows query; rows whose joint is missing or deleted are left out.
// Built once per model; rows and joints belong to the list.
const std::vector<LTOutdoorJointRow>& GetJointRows(Cls_OutdoorUnit& unit);
const std::vector<LTBoxJointRow>& GetJointRows(Cls_BSBox& box);

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

  // The additional charge (kg per metre) of a liquid pipe of diameter mm for a refrigerant: the
  // first coefficient record in catalogue order whose refrigerant reference equals the given one
  // (table and record) and whose size has exactly that diameter. None when no record matches or
  // the refrigerant is not set.
  static std::optional<double> FindCoefficient(const LTRecordRef& refrigerant, double diameter,
                                               CTBaseFactory* factory = nullptr);
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

  // The refrigerants that at least one outdoor model uses, ascending by rank (the list sort);
  // deleted refrigerants and deleted outdoor models do not count. The list belongs to the caller.
  static std::vector<std::unique_ptr<Cls_Refrigerant>> GetUsedRefrigerants(
      CTBaseFactory* factory = nullptr);
};
