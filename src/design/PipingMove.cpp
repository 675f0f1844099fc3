// Moving a branch of the piping one joint towards the outdoor unit.
//
// A node N that is the second branch of its joint J moves with J: J is lifted to the nearest
// ancestor A that is a device node or that is reached through its first branch; J's first branch
// takes J's old place, and J now joins what hung at A with N. A first branch moves its joint
// instead.
//
// Refused: a node below something other than a joint, a joint whose parent is not a joint, and
// (a broken or hand-built tree) any step that meets a joint without its two branches, a header
// (the outlets of a header stay below it) or the top of the tree.

#include "design/PipingTree.h"
#include "design/QsOutPlacement.h"

namespace {

bool HasTwoBranches(const Cls_QsPipingNode* node) {
  return node && node->IsJoint() && node->Children().size() == 2;
}

bool MoveInTree(CTPipingTree& tree, Cls_QsPipingNode* node, bool& changed) {
  while (true) {
    if (node->IsRoot()) return true;
    Cls_QsPipingNode* joint = node->GetParent();
    if (!HasTwoBranches(joint)) return false;
    if (joint->ChildAt(0) == node) {
      node = joint;
      continue;
    }
    Cls_QsPipingNode* up = joint->GetParent();
    if (!HasTwoBranches(up)) return false;

    // Climb to the first device node, or to the first joint reached through its first branch.
    Cls_QsPipingNode* above = up;
    Cls_QsPipingNode* from = joint;
    while (!above->IsDevice() && above->ChildAt(0) != from) {
      if (!HasTwoBranches(above)) return false;
      from = above;
      above = above->GetParent();
      if (!above) return false;
    }
    if (!above->IsDevice() && !HasTwoBranches(above)) return false;

    Cls_QsPipingNode* first = joint->ChildAt(0);
    Cls_QsPipingNode* displaced = above->IsDevice() ? above->ChildAt(0) : above->ChildAt(1);
    if (!displaced) return false;
    const bool belowDevice = above->IsDevice();

    // The joint's first branch takes the joint's place below `up`; the joint takes the place of
    // what hung at `above`, which becomes one of the joint's branches beside the moved node.
    tree.Detach(*first);
    tree.ReplaceInParent(*joint, first);
    tree.Detach(*node);
    tree.Detach(*displaced);
    if (belowDevice) {
      tree.SetChildren(*above, {joint});
    } else {
      tree.SetChildren(*above, {above->ChildAt(0), joint});
      tree.RenumberChildren(*above);
    }
    tree.SetChildren(*joint, belowDevice ? std::vector<Cls_QsPipingNode*>{displaced, node}
                                         : std::vector<Cls_QsPipingNode*>{node, displaced});
    tree.RenumberChildren(*joint);
    changed = true;
    return true;
  }
}

}  // namespace

bool Cls_QsOutPlacement::MoveBranchTowardsOutdoor(Cls_QsPipingNode* node, bool& changed) {
  changed = false;
  CTPipingTree& tree = PipingTree();
  if (!tree.Contains(node)) return false;
  return MoveInTree(tree, node, changed);
}
