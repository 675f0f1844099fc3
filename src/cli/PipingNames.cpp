#include "cli/PipingNames.h"

#include <set>

#include "design/QsBSBPlacement.h"
#include "design/QsDevicePlacement.h"
#include "design/QsOutPlacement.h"
#include "design/QsPipingNodes.h"
#include "platform/CodePage.h"

namespace {

// The first named element down a branch; null for a joint without children (a tree that was
// repaired while it was read).
const Cls_QsPipingNode* BranchHead(const Cls_QsPipingNode* node) {
  while (node && node->IsJoint()) node = node->ChildAt(0);
  return node;
}

std::string NodeName(const Cls_QsPipingNode* node) {
  const Cls_QsDevicePlacement* placement = node ? node->GetPlacement() : nullptr;
  return placement ? placement->Name() : std::string("?");
}

}  // namespace

LTPipingElement DescribePipingNode(const Cls_QsPipingNode& node) {
  LTPipingElement element;
  if (node.IsJoint()) {
    element.kind = LTPipingElement::Kind::kJoint;
    element.first = NodeName(BranchHead(node.ChildAt(0)));
    element.second = NodeName(BranchHead(node.ChildAt(1)));
    return element;
  }
  element.name = NodeName(&node);
  if (node.IsRoot()) {
    element.kind = LTPipingElement::Kind::kOutdoor;
  } else if (node.IsHeader()) {
    element.kind = LTPipingElement::Kind::kHeader;
  } else if (dynamic_cast<const Cls_QsBSBPlacement*>(node.GetPlacement())) {
    element.kind = LTPipingElement::Kind::kBox;
  }
  return element;
}

const char* PipingKindName(LTPipingElement::Kind kind) {
  switch (kind) {
    case LTPipingElement::Kind::kOutdoor:
      return "outdoor";
    case LTPipingElement::Kind::kUnit:
      return "unit";
    case LTPipingElement::Kind::kBox:
      return "box";
    case LTPipingElement::Kind::kHeader:
      return "header";
    case LTPipingElement::Kind::kJoint:
      return "joint";
  }
  return "";
}

std::string PipingElementText(const LTPipingElement& element) {
  if (element.kind == LTPipingElement::Kind::kJoint) {
    return "joint " + Utf8FromCp1251(element.first) + " / " + Utf8FromCp1251(element.second);
  }
  return Utf8FromCp1251(element.name);
}

std::vector<Cls_QsPipingNode*> NodesInTreeOrder(Cls_QsOutPlacement& system) {
  std::vector<Cls_QsPipingNode*> order;
  Cls_QsPipingNode* root = system.GetRootNode();
  if (!root) return order;
  // Depth first without recursion: a tree may be as deep as its joint chains are long.
  std::vector<Cls_QsPipingNode*> stack{root};
  while (!stack.empty()) {
    Cls_QsPipingNode* node = stack.back();
    stack.pop_back();
    order.push_back(node);
    const auto& children = node->Children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
      if (*it) stack.push_back(*it);
    }
  }
  return order;
}

Cls_QsPipingNode* JointBetween(Cls_QsPipingNode& a, Cls_QsPipingNode& b) {
  std::set<const Cls_QsPipingNode*> aboveA;
  for (Cls_QsPipingNode* n = &a; n; n = n->GetParent()) aboveA.insert(n);
  Cls_QsPipingNode* common = &b;
  while (common && !aboveA.count(common)) common = common->GetParent();
  if (!common || common == &a || common == &b || !common->IsJoint()) return nullptr;
  return common;
}
