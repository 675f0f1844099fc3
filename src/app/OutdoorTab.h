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

// Undoes a new system whose dialog was cancelled: everything the dialog connected below it is
// disconnected, deepest first (indoor units stay in the project, flagged as connected nowhere;
// boxes and headers are deleted), then the system itself is deleted.
void DiscardNewSystem(Cls_QsProject& project, Cls_QsOutPlacement& system);
