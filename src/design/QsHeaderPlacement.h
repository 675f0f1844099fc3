#pragma once

#include <string>

#include "design/QsDevicePlacement.h"

class Cls_HeaderJoint;

// A refrigerant header with a fixed number of outlets, inserted into a system's connection tree
// so that units can be connected below it.
class Cls_QsHeaderPlacement : public Cls_QsDevicePlacement {
 public:
  static constexpr int kTableId = 220;

  enum Fields : int { kNbConnections = 11, kFieldCount = 12 };

  explicit Cls_QsHeaderPlacement(int recordId, CTBaseFactory* factory = nullptr);

  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");
  int TableId() const override { return kTableId; }

  // The number of outlets instead of the name, followed by " - ", the capacity-index sum and
  // " CI" when the sum is not 0.
  void GetDisplayText(int& charset, std::string& text) const override;
  void GetTypeName(int& charset, std::string& text) const override;
  // The type name alone.
  void GetFullName(std::string& text) const override;
  // The header itself: a header never lacks a model, so it never counts as incomplete. Its
  // catalogue header is chosen on the piping tree.
  CTDbObject* GetModel() const override;

  // The number of outlets.
  int GetNbConnections() { return GetInt(kNbConnections); }
  void SetNbConnections(int value) { SetInt(kNbConnections, value); }

  // The catalogue header the pipe sizing chose for this header, read afresh from its piping
  // node. While the node names none, the piping of the header's top-level system is built and
  // sized (which stores the choice in the node), the in-memory tree dropped (pointers to its
  // nodes become invalid) and the node read again. The catalogue's cached instance; null when
  // there is still none, or the header has no node or no system.
  Cls_HeaderJoint* GetHeaderModel();
};
