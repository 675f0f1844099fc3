// The images of the project's trees and lists.

#include "design/QsBSBPlacement.h"
#include "design/QsCentralControl.h"
#include "design/QsHeaderPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"
#include "design/QsProject.h"

int Cls_QsProject::GetPlacementImageIndex(CTDbObject& object) {
  switch (object.TableId()) {
    case Cls_QsOutPlacement::kTableId:
      switch (static_cast<Cls_QsOutPlacement&>(object).GetFamily()) {
        case 0:
          return 5;
        case 2:
          return 6;
        default:
          return 7;
      }
    case Cls_QsBSBPlacement::kTableId:
      return 0;
    case Cls_QsCenCoPlacement::kTableId:
      return 8;
    case Cls_QsProject::kTableId:
      return 10;
    case Cls_QsHeaderPlacement::kTableId:
      return 11;
    case Cls_QsHXB415Placement::kTableId:
      return 14;
    case Cls_QsAEXPlacement::kTableId:
      return 15;
    case Cls_QsAXDPlacement::kTableId:
      return static_cast<Cls_QsIndPlacement&>(object).GetManualSelect() ? 13 : 12;
    case Cls_QsIndPlacement::kTableId:
      return static_cast<Cls_QsIndPlacement&>(object).GetManualSelect() ? 4 : 1;
    default:
      return -1;
  }
}

int Cls_QsProject::GetPlacementStateImage(const Cls_QsDevicePlacement& placement) {
  if (placement.HasError()) return 3;
  if (placement.HasWarning()) return 9;
  return -1;
}
