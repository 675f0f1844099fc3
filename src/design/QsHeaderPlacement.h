#pragma once

#include <string>

#include "design/QsDevicePlacement.h"

// A refrigerant header with a fixed number of outlets, inserted into a system's connection tree
// so that units can be connected below it.
class Cls_QsHeaderPlacement : public Cls_QsDevicePlacement {
 public:
  static constexpr int kTableId = 220;

  enum Fields : int { kNbConnections = 11, kFieldCount = 12 };

  explicit Cls_QsHeaderPlacement(int recordId, CTBaseFactory* factory = nullptr);

  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");
  int TableId() const override { return kTableId; }

  // The number of outlets.
  int GetNbConnections() { return GetInt(kNbConnections); }
  void SetNbConnections(int value) { SetInt(kNbConnections, value); }
};
