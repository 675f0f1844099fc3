#include <algorithm>

#include "design/QsOutPlacement.h"

// The connection-tree half of connecting a placement; the piping half is still to come.
void Cls_QsOutPlacement::ConnectPlacement(Cls_QsDevicePlacement* placement,
                                          Cls_QsDevicePlacement* parent,
                                          Cls_QsDevicePlacement* before) {
  if (Cls_QsDevicePlacement* old = placement->GetParent()) {
    auto& siblings = old->Children();
    siblings.erase(std::remove(siblings.begin(), siblings.end(), placement), siblings.end());
  }
  placement->SetParentPointer(parent);
  placement->SetParentRef(parent);
  auto& children = parent->Children();
  auto at = before ? std::find(children.begin(), children.end(), before) : children.end();
  children.insert(at, placement);
  parent->RenumberChildren();
  DropPipingTree();
}

void Cls_QsOutPlacement::DisconnectPlacement(Cls_QsDevicePlacement*) {}

void Cls_QsOutPlacement::DropPipingTree() {}
