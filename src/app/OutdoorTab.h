#pragma once

#include <string>
#include <vector>

class CTQRNSolvoMainImpl;
class Cls_QsDevicePlacement;
class Cls_QsOutPlacement;
class Cls_QsProject;

// The logic of the outdoor tab, without its widgets: the project tree of systems with everything
// connected below them, the list of units connected nowhere, the selection panel of the selected
// placement and the undoing of a new system whose dialog was cancelled.

// One node of the project tree.
struct LTProjectTreeNode {
  Cls_QsDevicePlacement* placement = nullptr;
  std::string text;     // the display text
  int image = -1;       // the placement image
  int stateImage = -1;  // error 3, warning 9, none -1
  std::vector<LTProjectTreeNode> children;
};

// One row of the unconnected list.
struct LTUnconnectedRow {
  Cls_QsDevicePlacement* placement = nullptr;
  std::string caption;
  int image = -1;
};

// The systems of the project in their order with their subtrees, after the tree order was
// written into the sequence numbers and the project recalculated (the texts and state images
// show the check's results).
std::vector<LTProjectTreeNode> RefreshProjectTree(CTQRNSolvoMainImpl& core);
// The indoor-side placements connected nowhere, in the indoor list's order.
std::vector<LTUnconnectedRow> UnconnectedRows(Cls_QsProject& project);

// A row of the selection panel: its caption, the value and, for some rows, a second value
// (the largest index or ratio, the requirement).
struct LTSelectionRow {
  std::string caption;
  std::string value;
  std::string second;
};
struct LTSelectionPanel {
  std::string caption;  // the placement's full name; empty with no placement
  std::vector<LTSelectionRow> rows;
};
// What the selection panel shows for a placement (null: nothing).
LTSelectionPanel SelectionPanel(CTQRNSolvoMainImpl& core, Cls_QsDevicePlacement* placement);

// Whether a placement S dragged over the placement T (of the node under the pointer, or that
// node's parent) may be dropped there: by S's kind, where T stands.
bool MayDropOnto(const Cls_QsDevicePlacement& dragged, const Cls_QsDevicePlacement& target);
// Drops S onto T by the tree's rules: a system moves before T; anything else is taken out with
// its children and connected below or before T, its children again below it, and the piping of
// T's system is laid out anew. Refusals show their message (10055 lengths entered by hand, 10085
// ventilation and adapter units only directly on a system, 10045 a full header, 10037 a box in a
// system without heat recovery) and change nothing. Returns whether something moved; the project
// is then recalculated.
bool DropOnto(CTQRNSolvoMainImpl& core, Cls_QsDevicePlacement& dragged,
              Cls_QsDevicePlacement& target);

// Undoes a new system whose dialog was cancelled: everything the dialog connected below it is
// disconnected, deepest first (indoor units stay in the project, flagged as connected nowhere;
// boxes and headers are deleted), then the system itself is deleted.
void DiscardNewSystem(Cls_QsProject& project, Cls_QsOutPlacement& system);
