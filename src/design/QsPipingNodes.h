#pragma once

#include <string>
#include <vector>

#include "design/PipingGeometry.h"
#include "design/ProjectFields.h"
#include "objectstore/DbObject.h"

class CTPipingTree;
class Cls_BSBox;
class Cls_OutdoorUnit;
class Cls_QsDevicePlacement;
class Cls_QsHeaderPlacement;

// Where the diagram layout put a node (drawing units): its box (0 wide and high for joints and
// headers) and the pieces of the pipe drawn from it to its parent.
struct LTPipingDiagramPlace {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  std::vector<CTLinePiece> pipe;
};

// The sizes of the pipe from a node up to its parent, as the sizing found them: the number of
// pipes (2 or 3; 0 before sizing), the diameters in mm (0 where none) and whether the pipe needs
// a reducer at the device or joint it joins.
struct LTPipeSizes {
  int pipeCount = 0;
  double liquid = 0;
  double suctionGas = 0;
  double dischargeGas = 0;
  bool reducer = false;
};

// The stored nodes of a system's refrigerant piping tree. Each node knows its system, its parent
// node and the length of the pipe that joins it to the parent.
//
// In memory a node also has its links in the system's tree (parent, children, the placement it
// stands for), where the diagram put it, the sizes of its pipe and the size-up mark of the
// selection. The links are set only by the system's tree (CTPipingTree), which keeps them equal
// to the stored references.
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

  enum class Kind { kDevice, kJoint, kHeader };

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

  virtual Kind NodeKind() const = 0;
  bool IsDevice() const { return NodeKind() == Kind::kDevice; }
  bool IsJoint() const { return NodeKind() == Kind::kJoint; }
  bool IsHeader() const { return NodeKind() == Kind::kHeader; }

  // -- Links in the system's tree ---------------------------------------------------------------
  Cls_QsPipingNode* GetParent() const { return parent_; }
  // A device node has at most one child, a joint two (first and second), a header any number.
  const std::vector<Cls_QsPipingNode*>& Children() const { return children_; }
  Cls_QsPipingNode* ChildAt(std::size_t index) const {
    return index < children_.size() ? children_[index] : nullptr;
  }
  // The placement a device node stands for, or the header placement of a header node; null for
  // a joint.
  Cls_QsDevicePlacement* GetPlacement() const { return placement_; }
  // The root: the node of the outdoor system itself.
  bool IsRoot() const { return root_; }

  // -- Results kept in memory -------------------------------------------------------------------
  LTPipingDiagramPlace& DiagramPlace() { return place_; }
  const LTPipingDiagramPlace& DiagramPlace() const { return place_; }
  LTPipeSizes& PipeSizes() { return sizes_; }
  const LTPipeSizes& PipeSizes() const { return sizes_; }
  // The mark the selection sets on the pipes towards far indoor units: they are sized up.
  bool GetSizeUpMark() const { return sizeUp_; }
  void SetSizeUpMark(bool value) { sizeUp_ = value; }

  // -- Behaviour ----------------------------------------------------------------------------------
  // The capacity index of everything the node's pipe serves.
  virtual double GetDownstreamIndex() const;
  // The number of outlets: 2 for a joint, the header placement's for a header, 0 for a device.
  virtual int GetConnectionCount() const { return 0; }
  // The message naming the fitting (joint or header); 0 for a device node.
  virtual int GetCaptionMessage() const { return 0; }
  // Sizes the node's pipe and its subtree for the outdoor model, the BS box model the subtree
  // hangs below (null: none) and the system's longest equivalent length.
  virtual void ComputePipes(Cls_OutdoorUnit* outdoorModel, Cls_BSBox* boxModel,
                            double longestEquivalentLength);
  // Whether a diagram point lies on the node's own symbol (box, joint or header).
  virtual bool HitTest(double x, double y) const = 0;
  // Whether a diagram point lies on the pipe drawn from the node to its parent.
  bool HitsPipe(double x, double y) const;

 protected:
  Cls_QsPipingNode(int tableId, int recordId, CTBaseFactory* factory);

  // "Индекс мощности" and the downstream index, or empty when that is 0.
  std::string IndexText() const;
  // A fitting's text: its caption, the trimmed name of its chosen model and the index text, or
  // the index text alone without model.
  void FittingDisplayText(int& charset, std::string& text, int modelField) const;

 private:
  friend class CTPipingTree;

  Cls_QsPipingNode* parent_ = nullptr;
  std::vector<Cls_QsPipingNode*> children_;
  Cls_QsDevicePlacement* placement_ = nullptr;
  bool root_ = false;
  LTPipingDiagramPlace place_;
  LTPipeSizes sizes_;
  bool sizeUp_ = false;
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
  Kind NodeKind() const override { return Kind::kDevice; }

  // The placement the node stands for.
  LTRecordRef GetPlacementRef() { return ReadReference(*this, kPlacement); }
  void SetPlacement(const CTDbObject* placement) { SetReference(kPlacement, placement); }

  // The type and model of the placement with the index text; the index text alone without
  // model.
  void GetDisplayText(int& charset, std::string& text) const override;
  // The placement's capacity-index sum of what counts towards the combination ratio.
  double GetDownstreamIndex() const override;
  // The root takes the main-pipe sizes, a BS box the sizes of the index it serves (three pipes,
  // its model passed to the subtree below it), an indoor unit its model's connections; a reducer
  // where the sizes differ from the connections at the other end.
  void ComputePipes(Cls_OutdoorUnit* outdoorModel, Cls_BSBox* boxModel,
                    double longestEquivalentLength) override;
  // Inside the box, edges included.
  bool HitTest(double x, double y) const override;
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

  void GetDisplayText(int& charset, std::string& text) const override;
  // Chooses the fitting's model from the box model's joint rows (when the subtree hangs below a
  // box) or the outdoor model's, sizes the children, then the pipe for the index the fitting
  // serves; a header without units or without a catalogue header of its size is marked.
  void ComputePipes(Cls_OutdoorUnit* outdoorModel, Cls_BSBox* boxModel,
                    double longestEquivalentLength) override;

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
  Kind NodeKind() const override { return Kind::kJoint; }

  int GetConnectionCount() const override { return 2; }
  // "Соединение".
  int GetCaptionMessage() const override;
  // The joint symbol: 6 either side of its point, from 9 to 33 below its top.
  bool HitTest(double x, double y) const override;
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
  Kind NodeKind() const override { return Kind::kHeader; }

  LTRecordRef GetHeaderPlacementRef() { return ReadReference(*this, kHeaderPlacement); }
  void SetHeaderPlacement(const CTDbObject* header) { SetReference(kHeaderPlacement, header); }

  // The header placement's number of outlets (0 without placement).
  int GetConnectionCount() const override;
  // "\"Гребенка\"".
  int GetCaptionMessage() const override;
  // The header symbol: 5 either side of its point, from 6 to 36 below its top.
  bool HitTest(double x, double y) const override;
};
