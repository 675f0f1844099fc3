// The system operations on its piping tree: using the tree, connecting and disconnecting
// placements, resetting the layout and finding a node on the diagram.

#include <algorithm>
#include <set>
#include <utility>

#include "catalogue/OutdoorUnits.h"
#include "design/PipingTree.h"
#include "design/QsOutPlacement.h"

namespace {

// The node of the last of the placements that has one in the tree.
Cls_QsPipingNode* LastNodeOf(const CTPipingTree& tree,
                             const std::vector<Cls_QsDevicePlacement*>& placements) {
  for (auto it = placements.rbegin(); it != placements.rend(); ++it) {
    if (Cls_QsPipingNode* node = tree.NodeOf(**it)) return node;
  }
  return nullptr;
}

// Takes the placement's node out of the tree. A device node's child takes its place; a node
// without child (or a header node, with everything below it) leaves its place empty, and a joint
// left with one branch gives way to that branch.
void DisconnectInTree(CTPipingTree& tree, Cls_QsDevicePlacement& placement) {
  Cls_QsPipingNode* node = tree.NodeOf(placement);
  if (!node || !node->GetParent()) return;
  Cls_QsPipingNode* parent = node->GetParent();
  if (Cls_QsPipingNode* child = node->IsDevice() ? node->ChildAt(0) : nullptr) {
    tree.Detach(*child);
    tree.ReplaceInParent(*node, child);
  } else if (parent->IsJoint()) {
    tree.DeleteNode(*node);
    Cls_QsPipingNode* other = parent->ChildAt(0);
    if (other) tree.Detach(*other);
    tree.ReplaceInParent(*parent, other);
    tree.DeleteNode(*parent);
    return;
  } else {
    tree.ReplaceInParent(*node, nullptr);
  }
  tree.DeleteNode(*node);
}

// Grows the piping for a placement connected under parent before the sibling `before` (null:
// at the end).
void ConnectInTree(CTPipingTree& tree, Cls_QsDevicePlacement& placement,
                   Cls_QsDevicePlacement& parent, Cls_QsDevicePlacement* before) {
  Cls_QsPipingNode* parentNode =
      &parent == &tree.System() ? &tree.EnsureRoot() : tree.NodeOf(parent);
  // A parent without node (its own piping is missing) gets no piping below it until the layout
  // is reset.
  if (!parentNode || parentNode->IsJoint()) return;
  tree.DeleteStrayNodeOf(placement);

  // The piped siblings, and the first of them at or after the requested position: the new unit
  // goes before that one, so that the piping keeps the order of the connection tree.
  std::vector<Cls_QsDevicePlacement*> piped;
  Cls_QsDevicePlacement* next = nullptr;
  bool reached = before == nullptr;
  for (Cls_QsDevicePlacement* sibling : parent.Children()) {
    if (sibling == before) reached = true;
    if (sibling == &placement || !sibling->HasPipingNode()) continue;
    piped.push_back(sibling);
    if (before && reached && !next) next = sibling;
  }
  Cls_QsPipingNode* nextNode = next ? tree.NodeOf(*next) : nullptr;

  Cls_QsPipingNode& node = tree.CreateNodeFor(placement);
  if (parentNode->IsHeader()) {
    const auto& outlets = parentNode->Children();
    const auto at = std::find(outlets.begin(), outlets.end(), nextNode);
    tree.InsertChild(*parentNode, static_cast<std::size_t>(at - outlets.begin()), node);
    tree.RenumberChildren(*parentNode);
    return;
  }
  // Below a device node: split the pipe of the next sibling (the new node first), or else of
  // the last piped sibling (the new node second); the first piped child hangs directly below.
  Cls_QsPipingNode* split = nextNode;
  const bool first = split != nullptr;
  if (!split) split = LastNodeOf(tree, piped);
  if (!split) split = parentNode->ChildAt(0);
  if (!split || !split->GetParent()) {
    tree.SetChildren(*parentNode, {&node});
    return;
  }
  Cls_QsPipingNode& joint = tree.CreateJoint();
  tree.ReplaceInParent(*split, &joint);
  tree.SetChildren(joint, first ? std::vector<Cls_QsPipingNode*>{&node, split}
                                : std::vector<Cls_QsPipingNode*>{split, &node});
  tree.RenumberChildren(joint);
}

void ConnectPlacementIn(CTPipingTree& tree, Cls_QsDevicePlacement& placement,
                        Cls_QsDevicePlacement& parent, Cls_QsDevicePlacement* before) {
  Cls_QsOutPlacement& system = tree.System();
  // A placement that still has a node elsewhere leaves that place first: a placement has one
  // node at most.
  if (tree.NodeOf(placement)) {
    DisconnectInTree(tree, placement);
  } else if (auto* other = dynamic_cast<Cls_QsOutPlacement*>(placement.GetTopAncestor());
             other && other != &system && other != &placement) {
    other->DisconnectPlacement(&placement);
  }
  if (Cls_QsDevicePlacement* old = placement.GetParent()) {
    auto& siblings = old->Children();
    siblings.erase(std::remove(siblings.begin(), siblings.end(), &placement), siblings.end());
  }
  placement.SetParentPointer(&parent);
  placement.SetParentRef(&parent);
  auto& children = parent.Children();
  if (before && std::find(children.begin(), children.end(), before) == children.end()) {
    before = nullptr;
  }
  if (placement.HasPipingNode()) ConnectInTree(tree, placement, parent, before);
  children.insert(before ? std::find(children.begin(), children.end(), before) : children.end(),
                  &placement);
  parent.RenumberChildren();
}

}  // namespace

void Cls_QsOutPlacement::LTPipingTreeDeleter::operator()(CTPipingTree* tree) const {
  delete tree;
}

CTPipingTree& Cls_QsOutPlacement::PipingTree() {
  if (!piping_) piping_.reset(CTPipingTree::Build(*this).release());
  return *piping_;
}

void Cls_QsOutPlacement::DropPipingTree() {
  piping_.reset();
}

void Cls_QsOutPlacement::SizePipingTree() {
  Cls_QsPipingNode* root = PipingTree().Root();
  if (!root) return;
  const LTRecordRef model = GetDeviceRef();
  auto* outdoor = model.IsSet() ? dynamic_cast<Cls_OutdoorUnit*>(CTDbObject::CachedObject(
                                      model.tableId, model.recordId, &Factory()))
                                : nullptr;
  // Sized for the system's model and the longest equivalent length of the last check (which
  // decides whether the main pipe is sized up).
  root->ComputePipes(outdoor, nullptr, GetMaxEquivalentLength());
}

const std::vector<Cls_QsPipingNode*>& Cls_QsOutPlacement::GetPipingNodes() {
  SizePipingTree();
  return PipingTree().Nodes();
}

Cls_QsPipingNode* Cls_QsOutPlacement::GetRootNode() {
  SizePipingTree();
  return PipingTree().Root();
}

void Cls_QsOutPlacement::ConnectPlacement(Cls_QsDevicePlacement* placement,
                                          Cls_QsDevicePlacement* parent,
                                          Cls_QsDevicePlacement* before) {
  if (!placement || !parent) return;
  // A placement never goes below itself.
  for (Cls_QsDevicePlacement* p = parent; p; p = p->GetParent()) {
    if (p == placement) return;
  }
  ConnectPlacementIn(PipingTree(), *placement, *parent, before);
  DropPipingTree();
}

void Cls_QsOutPlacement::DisconnectPlacement(Cls_QsDevicePlacement* placement) {
  if (placement) DisconnectInTree(PipingTree(), *placement);
}

void Cls_QsOutPlacement::ResetPipingLayout() {
  // The tree is built before the connection tree is taken apart: building finds the nodes'
  // placements through it.
  CTPipingTree& tree = PipingTree();
  // Every placement below the system, depth first, with the parent it was found under.
  using Placed = std::pair<Cls_QsDevicePlacement*, Cls_QsDevicePlacement*>;
  std::vector<Placed> placed;
  std::set<const Cls_QsDevicePlacement*> seen{this};
  std::vector<Placed> stack;
  for (auto it = Children().rbegin(); it != Children().rend(); ++it) stack.emplace_back(*it, this);
  while (!stack.empty()) {
    const Placed next = stack.back();
    stack.pop_back();
    if (!seen.insert(next.first).second) continue;
    placed.push_back(next);
    const auto& children = next.first->Children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
      stack.emplace_back(*it, next.first);
    }
  }
  Children().clear();
  for (auto& [p, parent] : placed) {
    p->SetParentPointer(nullptr);
    p->Children().clear();
  }
  for (auto it = placed.rbegin(); it != placed.rend(); ++it) DisconnectInTree(tree, *it->first);
  // Whatever the disconnections left besides the root (nodes of a broken stored tree) goes
  // too, so that the default tree grows from the root alone.
  tree.ClearToRoot();
  tree.EnsureRoot();
  for (auto& [p, parent] : placed) ConnectPlacementIn(tree, *p, *parent, nullptr);
  DropPipingTree();
}

Cls_QsPipingNode* Cls_QsOutPlacement::FindNodeAt(double x, double y) {
  const std::vector<Cls_QsPipingNode*>& nodes = PipingTree().Nodes();
  for (Cls_QsPipingNode* node : nodes) {
    if (node->HitTest(x, y)) return node;
  }
  for (Cls_QsPipingNode* node : nodes) {
    if (node->HitsPipe(x, y)) return node;
  }
  return nullptr;
}
