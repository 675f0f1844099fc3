#pragma once

#include <string>
#include <vector>

class Cls_QsOutPlacement;
class Cls_QsPipingNode;

// How the command line names the elements of a system's piping tree. A device or header node is
// named by its placement (the outdoor system itself at the root); a joint by its two branch
// heads, the first named element along each of its branches (going down the first branch of
// every joint on the way). Any two elements on different branches of a joint name that joint
// too: it is where the pipes to them part.
struct LTPipingElement {
  enum class Kind { kOutdoor, kUnit, kBox, kHeader, kJoint };
  Kind kind = Kind::kUnit;
  std::string name;   // code page of the program; joints: empty
  std::string first;  // joints: the branch heads
  std::string second;
};

LTPipingElement DescribePipingNode(const Cls_QsPipingNode& node);
// "outdoor", "unit", "box", "header", "joint".
const char* PipingKindName(LTPipingElement::Kind kind);
// The element as the text output shows it (UTF-8): its name, or "joint FIRST / SECOND".
std::string PipingElementText(const LTPipingElement& element);

// The nodes of the system's tree, depth first from the root, children in order.
std::vector<Cls_QsPipingNode*> NodesInTreeOrder(Cls_QsOutPlacement& system);

// The joint where the pipes to two nodes part: their lowest common ancestor when that is a
// joint. Null when one lies above the other or they part at a header.
Cls_QsPipingNode* JointBetween(Cls_QsPipingNode& a, Cls_QsPipingNode& b);
