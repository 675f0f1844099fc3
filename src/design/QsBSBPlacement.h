#pragma once

#include <string>

#include "design/QsDevicePlacement.h"

// A branch selector box between a heat-recovery system (or a header) and a group of indoor
// units. It has no fields of its own: the series is the box series and the model is the box
// selected for the connected units.
class Cls_QsBSBPlacement : public Cls_QsDevicePlacement {
 public:
  static constexpr int kTableId = 177;

  explicit Cls_QsBSBPlacement(int recordId, CTBaseFactory* factory = nullptr);

  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");
  int TableId() const override { return kTableId; }
};
