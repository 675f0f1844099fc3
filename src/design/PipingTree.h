#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "design/QsPipingNodes.h"

class Cls_QsDevicePlacement;
class Cls_QsOutPlacement;

// The in-memory piping tree of one system: the node objects (owned), their links and the stored
// nodes that could not be placed in the tree. Every change below writes the store at once, so
// that the stored references always describe the tree in memory.
class CTPipingTree {
 public:
  explicit CTPipingTree(Cls_QsOutPlacement& system);
  ~CTPipingTree();
  CTPipingTree(const CTPipingTree&) = delete;
  CTPipingTree& operator=(const CTPipingTree&) = delete;

  // Reads the system's stored nodes and links them into a tree (rules in PipingTreeBuild.cpp).
  static std::unique_ptr<CTPipingTree> Build(Cls_QsOutPlacement& system);

  Cls_QsOutPlacement& System() const { return system_; }
  // The node of the outdoor system itself; null when the system has none.
  Cls_QsPipingNode* Root() const { return root_; }
  // The nodes in the tree: the stored ones in the order they were read, then the ones created
  // since, in creation order.
  const std::vector<Cls_QsPipingNode*>& Nodes() const { return nodes_; }
  bool Contains(const Cls_QsPipingNode* node) const;
  // Stored nodes of the system that building left out of the tree; their links are empty.
  const std::vector<Cls_QsPipingNode*>& LeftOut() const { return leftOut_; }
  // The node of a placement in the tree (device node, or header node of a header); null when it
  // has none. The system's own node is the root.
  Cls_QsPipingNode* NodeOf(const Cls_QsDevicePlacement& placement) const;

  // -- Changes ------------------------------------------------------------------------------------
  // A new stored node for the placement (a header node for a header, otherwise a device node),
  // not yet linked.
  Cls_QsPipingNode& CreateNodeFor(Cls_QsDevicePlacement& placement);
  // A new stored joint, not yet linked.
  Cls_QsPipingNode& CreateJoint();
  // The root, created when the system has none.
  Cls_QsPipingNode& EnsureRoot();

  // Puts replacement (or nothing) into node's place among its parent's children: the child of a
  // device node, the same slot of a joint, the same position in a header. The parent's children
  // are renumbered; node keeps no parent in memory (its stored reference is the caller's).
  void ReplaceInParent(Cls_QsPipingNode& node, Cls_QsPipingNode* replacement);
  // Takes a node out of its parent's children in memory only (its stored reference is the
  // caller's to rewrite).
  void Detach(Cls_QsPipingNode& child);
  // Makes the nodes the children of parent, in that order (each taking parent as its parent).
  void SetChildren(Cls_QsPipingNode& parent, const std::vector<Cls_QsPipingNode*>& children);
  // Puts child at position index (at most the child count) among a header's children.
  void InsertChild(Cls_QsPipingNode& parent, std::size_t index, Cls_QsPipingNode& child);
  // The children of a joint or header get their position as sequence number (posted when it
  // changes); nothing for a device node.
  void RenumberChildren(Cls_QsPipingNode& node);

  // Deletes the node's record and forgets it with everything still linked below it (the store
  // deletes the records below it with it).
  void DeleteNode(Cls_QsPipingNode& node);
  // Deletes every node of the tree except the root, and every left-out node: what remains is
  // the root alone.
  void ClearToRoot();
  // Deletes a stored node of the placement that is not in the tree (left out, or of another
  // system); none is found in this tree afterwards either.
  void DeleteStrayNodeOf(Cls_QsDevicePlacement& placement);

 private:
  using Key = std::pair<int, int>;  // table id, record id

  static Key KeyOf(const CTDbObject& object) { return {object.TableId(), object.RecordId()}; }
  // The reading and linking of the stored nodes (PipingTreeBuild.cpp).
  void Load();
  void Attach(Cls_QsPipingNode& node, const std::map<Key, Cls_QsPipingNode*>& byKey);
  void KeepReachable();
  void OrderHeaderChildren(Cls_QsPipingNode& header);

  Cls_QsPipingNode& Adopt(std::unique_ptr<Cls_QsPipingNode> node);
  void SetParent(Cls_QsPipingNode& node, Cls_QsPipingNode* parent);
  void Forget(Cls_QsPipingNode& node);
  // Deletes a record of the system's piping, first freeing the root's record from any parent
  // reference, so that the store's cascade never reaches it.
  void DeleteRecord(CTDbObject& record);

  Cls_QsOutPlacement& system_;
  std::vector<std::unique_ptr<Cls_QsPipingNode>> owned_;
  std::vector<Cls_QsPipingNode*> nodes_;
  std::vector<Cls_QsPipingNode*> leftOut_;
  std::map<Key, Cls_QsPipingNode*> byPlacement_;
  Cls_QsPipingNode* root_ = nullptr;
};
