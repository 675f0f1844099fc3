// Building a system's piping tree from its stored nodes.
//
// The nodes are read unsorted and linked by their parent references. A stored tree may be
// broken (a file edited by hand, written by a faulty version, or placements deleted without
// being disconnected), so building never trusts it: whatever cannot be placed in one sound tree
// is left out, and the result is always a tree that every walk can follow (each node reached
// once, no loops, a device node with at most one child, a joint with at most two).
//
// - The root is the device node that stands for the system itself; its own parent reference is
//   ignored. Any other node without a parent is the top of a second tree and is left out.
// - A device node must stand for a placement of the system's connection subtree that takes part
//   in the piping and is not a header; a header node for a header placement of the subtree.
//   Otherwise (placement missing, deleted or moved to another system) the node is left out.
// - Every other node goes below the node its parent reference names, in the order read: as the
//   single child of a device node, one of the two children of a joint (ordered by sequence
//   number, a newcomer first on equal numbers), or appended to a header. A node whose parent is
//   missing, left out, itself, or a device node or joint that is already full is left out.
// - Only what hangs below the root is in the tree: loops of parent references and everything
//   below a left-out node stay outside.
// - A header's children follow the order of the header placement's children.
//
// Left-out nodes keep their records; resetting the layout deletes them and grows the default
// tree again, which is the repair of a broken tree. Look-ups use maps, so building is
// O(n log n) in the number of nodes and placements.

#include <algorithm>
#include <limits>
#include <set>
#include <utility>

#include "design/PipingTree.h"
#include "design/QsHeaderPlacement.h"
#include "design/QsOutPlacement.h"

namespace {

using Key = std::pair<int, int>;

LTRecordRef HeldRef(const CTDbObject& object, int field) {
  return {object.Values().GetInt(field), object.Values().GetInt(field + 1)};
}

Key KeyOfRef(const LTRecordRef& ref) {
  return {ref.tableId, ref.recordId};
}

// Every placement of the system's connection subtree by table and record id; a placement met a
// second time (through broken children lists) is passed over, so the walk ends.
std::map<Key, Cls_QsDevicePlacement*> IndexSubtree(Cls_QsDevicePlacement& top) {
  std::map<Key, Cls_QsDevicePlacement*> index;
  std::set<const Cls_QsDevicePlacement*> seen;
  std::vector<Cls_QsDevicePlacement*> stack{&top};
  while (!stack.empty()) {
    Cls_QsDevicePlacement* p = stack.back();
    stack.pop_back();
    if (!seen.insert(p).second) continue;
    index.emplace(Key{p->TableId(), p->RecordId()}, p);
    const auto& children = p->Children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) stack.push_back(*it);
  }
  return index;
}

// The placement a node stands for, when it may have that node; null otherwise.
Cls_QsDevicePlacement* PlacementOf(const Cls_QsPipingNode& node,
                                   const std::map<Key, Cls_QsDevicePlacement*>& placements) {
  int field = 0;
  if (node.IsDevice()) field = Cls_QsDevicePipingNode::kPlacement;
  if (node.IsHeader()) field = Cls_QsHeaderPipingNode::kHeaderPlacement;
  if (field == 0) return nullptr;
  const LTRecordRef ref = HeldRef(node, field);
  if (!ref.IsSet()) return nullptr;
  const auto it = placements.find(KeyOfRef(ref));
  if (it == placements.end()) return nullptr;
  Cls_QsDevicePlacement* placement = it->second;
  const bool isHeader = dynamic_cast<Cls_QsHeaderPlacement*>(placement) != nullptr;
  if (node.IsHeader()) return isHeader ? placement : nullptr;
  return !isHeader && placement->HasPipingNode() ? placement : nullptr;
}

}  // namespace

std::unique_ptr<CTPipingTree> CTPipingTree::Build(Cls_QsOutPlacement& system) {
  auto tree = std::make_unique<CTPipingTree>(system);
  tree->Load();
  return tree;
}

void CTPipingTree::Load() {
  if (!system_.IsStored()) return;
  const std::map<Key, Cls_QsDevicePlacement*> placements = IndexSubtree(system_);
  CTDbObjectList read =
      system_.RelatedObjects(Cls_QsPipingNode::kTableId, Cls_QsPipingNode::kSystem);

  std::vector<Cls_QsPipingNode*> identified;
  std::map<Key, Cls_QsPipingNode*> byKey;
  for (auto& object : read) {
    auto* raw = dynamic_cast<Cls_QsPipingNode*>(object.get());
    if (!raw) continue;
    object.release();
    Cls_QsPipingNode& node = Adopt(std::unique_ptr<Cls_QsPipingNode>(raw));
    if (!node.IsJoint()) {
      Cls_QsDevicePlacement* placement = PlacementOf(node, placements);
      if (!placement) continue;
      if (placement == &system_) {
        if (!node.IsDevice() || root_) continue;
        root_ = &node;
        node.root_ = true;
      }
      node.placement_ = placement;
    }
    identified.push_back(&node);
    byKey.emplace(KeyOf(node), &node);
  }
  for (Cls_QsPipingNode* node : identified) {
    if (node != root_) Attach(*node, byKey);
  }
  KeepReachable();
}

void CTPipingTree::Attach(Cls_QsPipingNode& node, const std::map<Key, Cls_QsPipingNode*>& byKey) {
  const auto it = byKey.find(KeyOfRef(HeldRef(node, Cls_QsPipingNode::kParentNode)));
  if (it == byKey.end() || it->second == &node) return;
  Cls_QsPipingNode& parent = *it->second;
  auto& children = parent.children_;
  if (parent.IsDevice() && !children.empty()) return;
  if (parent.IsJoint() && children.size() >= 2) return;
  if (parent.IsJoint() && children.size() == 1 && node.GetSeqNr() <= children[0]->GetSeqNr()) {
    children.insert(children.begin(), &node);
  } else {
    children.push_back(&node);
  }
  node.parent_ = &parent;
}

void CTPipingTree::KeepReachable() {
  std::set<const Cls_QsPipingNode*> reached;
  if (root_) {
    // Depth first from the root. Every node hangs below one parent, so the walk is a tree walk;
    // the reached set still guards it.
    std::vector<Cls_QsPipingNode*> stack{root_};
    while (!stack.empty()) {
      Cls_QsPipingNode* node = stack.back();
      stack.pop_back();
      if (!reached.insert(node).second) continue;
      // The store keeps one node per placement (a one-to-one reference).
      if (node->placement_) byPlacement_.emplace(KeyOf(*node->placement_), node);
      auto& children = node->children_;
      for (auto it = children.rbegin(); it != children.rend(); ++it) stack.push_back(*it);
    }
  }
  for (const auto& owned : owned_) {
    Cls_QsPipingNode* node = owned.get();
    if (reached.count(node)) {
      nodes_.push_back(node);
      if (node->IsHeader()) OrderHeaderChildren(*node);
    } else {
      node->parent_ = nullptr;
      node->children_.clear();
      node->placement_ = nullptr;
      node->root_ = false;
      leftOut_.push_back(node);
    }
  }
}

void CTPipingTree::OrderHeaderChildren(Cls_QsPipingNode& header) {
  std::map<const Cls_QsDevicePlacement*, std::size_t> position;
  if (header.placement_) {
    const auto& placed = header.placement_->Children();
    for (std::size_t i = 0; i < placed.size(); ++i) position.emplace(placed[i], i);
  }
  auto rank = [&](Cls_QsPipingNode* child) {
    const auto it = position.find(child->placement_);
    const std::size_t p =
        it == position.end() ? std::numeric_limits<std::size_t>::max() : it->second;
    return std::make_pair(p, child->GetSeqNr());
  };
  std::stable_sort(header.children_.begin(), header.children_.end(),
                   [&](Cls_QsPipingNode* a, Cls_QsPipingNode* b) { return rank(a) < rank(b); });
}
