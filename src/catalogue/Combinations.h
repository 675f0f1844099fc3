#pragma once

#include <string>

#include "catalogue/CatalogueFields.h"
#include "objectstore/DbObject.h"

class Cls_OutdoorUnit;

// The compatibility and combination tables: each row pairs two catalogue records.

// An indoor model that may be connected to an outdoor model.
class Cls_OICombination : public CTDbObject {
 public:
  static constexpr int kTableId = 114;
  enum Fields : int {
    kIndoorUnit = 1,   // reference, 1-2
    kOutdoorUnit = 3,  // reference, 3-4
  };

  explicit Cls_OICombination(int recordId, CTBaseFactory* factory = nullptr)
      : CTDbObject(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  LTRecordRef IndoorUnitRef() { return ReadReference(*this, kIndoorUnit); }
  LTRecordRef OutdoorUnitRef() { return ReadReference(*this, kOutdoorUnit); }
};

// A branch-selector box that may be used in the systems of an outdoor model.
class Cls_OBCombination : public CTDbObject {
 public:
  static constexpr int kTableId = 112;
  enum Fields : int {
    kBSBox = 1,        // reference, 1-2
    kOutdoorUnit = 3,  // reference, 3-4
  };

  explicit Cls_OBCombination(int recordId, CTBaseFactory* factory = nullptr)
      : CTDbObject(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  LTRecordRef BSBoxRef() { return ReadReference(*this, kBSBox); }
  LTRecordRef OutdoorUnitRef() { return ReadReference(*this, kOutdoorUnit); }
};

// An indoor model that may hang on a branch-selector box.
class Cls_IBCombination : public CTDbObject {
 public:
  static constexpr int kTableId = 106;
  enum Fields : int {
    kBSBox = 1,       // reference, 1-2
    kIndoorUnit = 3,  // reference, 3-4
  };

  explicit Cls_IBCombination(int recordId, CTBaseFactory* factory = nullptr)
      : CTDbObject(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  LTRecordRef BSBoxRef() { return ReadReference(*this, kBSBox); }
  LTRecordRef IndoorUnitRef() { return ReadReference(*this, kIndoorUnit); }
};

// One kind of module of a multi-module outdoor unit, with its number.
class Cls_OMCombination : public CTDbObject {
 public:
  static constexpr int kTableId = 184;
  enum Fields : int {
    kQuantity = 1,
    kOutdoorUnit = 2,   // reference, 2-3: the multi-module unit
    kOutdoorUnit2 = 4,  // reference, 4-5: the module
  };

  explicit Cls_OMCombination(int recordId, CTBaseFactory* factory = nullptr)
      : CTDbObject(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  int Quantity() { return GetInt(kQuantity); }
  LTRecordRef OutdoorUnitRef() { return ReadReference(*this, kOutdoorUnit); }
  LTRecordRef ModuleRef() { return ReadReference(*this, kOutdoorUnit2); }

  // The module unit resolved when the multi-module unit listed its rows (the catalogue's cached
  // instance); null when the reference did not resolve or the row was not listed that way.
  Cls_OutdoorUnit* Module() const { return module_; }
  void SetModule(Cls_OutdoorUnit* module) { module_ = module; }

 private:
  Cls_OutdoorUnit* module_ = nullptr;
};

// One component of a combined central controller.
class Cls_CCCombination : public CTDbObject {
 public:
  static constexpr int kTableId = 185;
  enum Fields : int {
    kCentralController = 1,   // reference, 1-2: the combined controller
    kCentralController2 = 3,  // reference, 3-4: the component
  };

  explicit Cls_CCCombination(int recordId, CTBaseFactory* factory = nullptr)
      : CTDbObject(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  LTRecordRef CentralControllerRef() { return ReadReference(*this, kCentralController); }
  LTRecordRef ComponentRef() { return ReadReference(*this, kCentralController2); }
};

// A joint or header usable on the indoor side of a branch-selector box, for a capacity-index
// range.
class Cls_BHJCombination : public CTDbObject {
 public:
  static constexpr int kTableId = 74;
  enum Fields : int {
    kMinCapIndex = 1,
    kMaxCapIndex = 2,
    kBSBox = 3,        // reference, 3-4
    kHeaderJoint = 5,  // reference, 5-6
  };

  explicit Cls_BHJCombination(int recordId, CTBaseFactory* factory = nullptr)
      : CTDbObject(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  double MinCapIndex() { return GetDouble(kMinCapIndex); }
  double MaxCapIndex() { return GetDouble(kMaxCapIndex); }
  LTRecordRef BSBoxRef() { return ReadReference(*this, kBSBox); }
  LTRecordRef HeaderJointRef() { return ReadReference(*this, kHeaderJoint); }
};

// A joint or header usable in an outdoor model's piping, with the capacity-index ranges it
// serves as a later branch and as the first branch.
class Cls_OHJCombination : public CTDbObject {
 public:
  static constexpr int kTableId = 113;
  enum Fields : int {
    kMaxCapIndex = 1,
    kMinCapIndex = 2,
    kFirstInPiping = 3,
    kMinFCapIndex = 4,
    kMaxFCapIndex = 5,
    kHeaderJoint = 6,  // reference, 6-7
    kOutdoorUnit = 8,  // reference, 8-9
  };

  explicit Cls_OHJCombination(int recordId, CTBaseFactory* factory = nullptr)
      : CTDbObject(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  double MinCapIndex() { return GetDouble(kMinCapIndex); }
  double MaxCapIndex() { return GetDouble(kMaxCapIndex); }
  // Whether the fitting may be the first branch after the outdoor unit.
  bool FirstInPiping() { return GetBool(kFirstInPiping); }
  double MinFCapIndex() { return GetDouble(kMinFCapIndex); }
  double MaxFCapIndex() { return GetDouble(kMaxFCapIndex); }
  LTRecordRef HeaderJointRef() { return ReadReference(*this, kHeaderJoint); }
  LTRecordRef OutdoorUnitRef() { return ReadReference(*this, kOutdoorUnit); }
};
