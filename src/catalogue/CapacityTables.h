#pragma once

#include <string>

#include "catalogue/CatalogueFields.h"
#include "objectstore/DbObject.h"

// Base of the polynomial curves: kind, the two selectors and the coefficients of x^0..x^7, in
// the field order of the catalogue files (x^1, x^2, x^3, x^5, x^6, x^7, the outdoor temperature,
// x^0, x^4). Abstract table.
class Cls_Polynomial : public CTDbObject {
 public:
  static constexpr int kTableId = 121;
  enum Fields : int {
    kType = 1,
    kSelect2 = 2,
    kA1 = 3,
    kA2 = 4,
    kA3 = 5,
    kA5 = 6,
    kA6 = 7,
    kA7 = 8,
    kSelect1 = 9,
    kA0 = 10,
    kA4 = 11,
  };

  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  // Curve kind: 5 cooling capacity, 6 cooling power input, 2 heating capacity, 4 heating power
  // input.
  int Type() { return GetInt(kType); }
  // Combination ratio (%) the curve belongs to.
  double Select2() { return GetDouble(kSelect2); }
  // Outdoor temperature of the curve.
  double Select1() { return GetDouble(kSelect1); }
  double A0() { return GetDouble(kA0); }
  double A1() { return GetDouble(kA1); }
  double A2() { return GetDouble(kA2); }
  double A3() { return GetDouble(kA3); }
  double A4() { return GetDouble(kA4); }
  double A5() { return GetDouble(kA5); }
  double A6() { return GetDouble(kA6); }
  double A7() { return GetDouble(kA7); }

 protected:
  Cls_Polynomial(int tableId, int recordId, CTBaseFactory* factory)
      : CTDbObject(tableId, recordId, factory) {}
};

// A capacity or power-input curve of an outdoor model.
class Cls_OutCapacity : public Cls_Polynomial {
 public:
  static constexpr int kTableId = 116;
  enum Fields : int {
    kOutdoorUnit = 12,  // reference, 12-13
  };

  explicit Cls_OutCapacity(int recordId, CTBaseFactory* factory = nullptr)
      : Cls_Polynomial(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  LTRecordRef OutdoorUnitRef() { return ReadReference(*this, kOutdoorUnit); }
};

// The capacity index of an outdoor model at one combination ratio.
class Cls_OutCombination : public CTDbObject {
 public:
  static constexpr int kTableId = 117;
  enum Fields : int {
    kCombination = 1,
    kCapIndex = 2,
    kCUnitSize = 3,
    kHUnitSize = 4,
    kOutdoorUnit = 5,  // reference, 5-6
  };

  explicit Cls_OutCombination(int recordId, CTBaseFactory* factory = nullptr)
      : CTDbObject(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  // Combination ratio (%).
  double Combination() { return GetDouble(kCombination); }
  double CapIndex() { return GetDouble(kCapIndex); }
  // Nominal cooling and heating capacity at that ratio (kW).
  double CUnitSize() { return GetDouble(kCUnitSize); }
  double HUnitSize() { return GetDouble(kHUnitSize); }
  LTRecordRef OutdoorUnitRef() { return ReadReference(*this, kOutdoorUnit); }
};

// A capacity factor of an outdoor model at one equivalent piping length.
class Cls_CapVariation : public CTDbObject {
 public:
  static constexpr int kTableId = 79;
  enum Fields : int {
    kType = 1,
    kCorr = 2,
    kLength = 3,
    kOutdoorUnit = 4,  // reference, 4-5
  };

  explicit Cls_CapVariation(int recordId, CTBaseFactory* factory = nullptr)
      : CTDbObject(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  // 5 cooling, 6 heating.
  int Type() { return GetInt(kType); }
  double Corr() { return GetDouble(kCorr); }
  // Equivalent piping length (m).
  double Length() { return GetDouble(kLength); }
  LTRecordRef OutdoorUnitRef() { return ReadReference(*this, kOutdoorUnit); }
};

// A defrost factor of an outdoor model's heating capacity at one outdoor temperature.
class Cls_FreezeUp : public CTDbObject {
 public:
  static constexpr int kTableId = 104;
  enum Fields : int {
    kCorr = 1,
    kTemp = 2,
    kOutdoorUnit = 3,  // reference, 3-4
  };

  explicit Cls_FreezeUp(int recordId, CTBaseFactory* factory = nullptr)
      : CTDbObject(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  double Corr() { return GetDouble(kCorr); }
  double Temp() { return GetDouble(kTemp); }
  LTRecordRef OutdoorUnitRef() { return ReadReference(*this, kOutdoorUnit); }
};
