#pragma once

#include <string>

#include "design/ProjectFields.h"
#include "objectstore/DbObject.h"

// The stored nodes of a system's refrigerant piping tree. Each node knows its system, its parent
// node and the length of the pipe that joins it to the parent.
class Cls_QsPipingNode : public CTDbObject {
 public:
  static constexpr int kTableId = 178;

  enum Fields : int {
    kBranchLength = 1,
    kSeqNr = 2,
    kSystem = 3,      // + 4
    kParentNode = 5,  // + 6
    kFieldCount = 7
  };

  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  // Length (m) of the pipe from this node up to its parent node; unused at the root.
  double GetBranchLength() { return GetDouble(kBranchLength); }
  void SetBranchLength(double value) { SetDouble(kBranchLength, value); }
  // Position among the children of a joint or header (0-based).
  int GetSeqNr() { return GetInt(kSeqNr); }
  void SetSeqNr(int value) { SetInt(kSeqNr, value); }
  // The outdoor system whose piping the node belongs to.
  LTRecordRef GetSystemRef() { return ReadReference(*this, kSystem); }
  void SetSystem(const CTDbObject* system) { SetReference(kSystem, system); }
  // The parent node (0, 0 at the root).
  LTRecordRef GetParentNodeRef() { return ReadReference(*this, kParentNode); }
  void SetParentNode(const CTDbObject* node) { SetReference(kParentNode, node); }

 protected:
  Cls_QsPipingNode(int tableId, int recordId, CTBaseFactory* factory);
};

// The node of a placement in the piping: the outdoor system (the root), a BS box or an indoor
// unit with piping.
class Cls_QsDevicePipingNode : public Cls_QsPipingNode {
 public:
  static constexpr int kTableId = 179;

  enum Fields : int {
    kPlacement = 7,  // + 8
    kFieldCount = 9
  };

  explicit Cls_QsDevicePipingNode(int recordId, CTBaseFactory* factory = nullptr);

  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");
  int TableId() const override { return kTableId; }

  // The placement the node stands for.
  LTRecordRef GetPlacementRef() { return ReadReference(*this, kPlacement); }
  void SetPlacement(const CTDbObject* placement) { SetReference(kPlacement, placement); }
};

// The common base of the nodes that carry a catalogue joint or header model.
class Cls_QsHJPipingNode : public Cls_QsPipingNode {
 public:
  static constexpr int kTableId = 217;

  enum Fields : int {
    kHeaderJoint = 7,  // + 8
    kFieldCount = 9
  };

  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  // The chosen catalogue joint or header model (0, 0 for none).
  LTRecordRef GetHeaderJointRef() { return ReadReference(*this, kHeaderJoint); }
  void SetHeaderJoint(const CTDbObject* model) { SetReference(kHeaderJoint, model); }

 protected:
  Cls_QsHJPipingNode(int tableId, int recordId, CTBaseFactory* factory);
};

// A branch joint where a pipe splits in two.
class Cls_QsJointPipingNode : public Cls_QsHJPipingNode {
 public:
  static constexpr int kTableId = 219;

  explicit Cls_QsJointPipingNode(int recordId, CTBaseFactory* factory = nullptr);

  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");
  int TableId() const override { return kTableId; }
};

// The node of a header placement.
class Cls_QsHeaderPipingNode : public Cls_QsHJPipingNode {
 public:
  static constexpr int kTableId = 218;

  enum Fields : int {
    kHeaderPlacement = 9,  // + 10
    kFieldCount = 11
  };

  explicit Cls_QsHeaderPipingNode(int recordId, CTBaseFactory* factory = nullptr);

  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");
  int TableId() const override { return kTableId; }

  LTRecordRef GetHeaderPlacementRef() { return ReadReference(*this, kHeaderPlacement); }
  void SetHeaderPlacement(const CTDbObject* header) { SetReference(kHeaderPlacement, header); }
};
