#pragma once

#include <string>

#include "design/ProjectFields.h"
#include "objectstore/DbObject.h"

// One catalogue option chosen for a placement.
class Cls_QsUsedOption : public CTDbObject {
 public:
  static constexpr int kTableId = 181;

  enum Fields : int {
    kOption = 1,     // + 2
    kPlacement = 3,  // + 4
    kFieldCount = 5
  };

  explicit Cls_QsUsedOption(int recordId, CTBaseFactory* factory = nullptr);

  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");
  int TableId() const override { return kTableId; }

  // The catalogue option.
  LTRecordRef GetOptionRef() { return ReadReference(*this, kOption); }
  void SetOption(const CTDbObject* option) { SetReference(kOption, option); }
  // The placement the option is chosen for.
  LTRecordRef GetPlacementRef() { return ReadReference(*this, kPlacement); }
  void SetPlacement(const CTDbObject* placement) { SetReference(kPlacement, placement); }
};
