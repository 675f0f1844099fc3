// The diameters of a system's pipes and the joints and headers of its piping tree.

#include "design/PipeSizing.h"

#include <algorithm>
#include <string>

#include "catalogue/Combinations.h"
#include "catalogue/Devices.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorUnits.h"
#include "catalogue/PipingTables.h"
#include "design/QsBSBPlacement.h"
#include "design/QsHeaderPlacement.h"
#include "design/QsOutPlacement.h"
#include "design/QsPipingNodes.h"

namespace {

constexpr int kMsgSizingNoIndoorUnit = 10043;
constexpr int kMsgSizingNoHeader = 10046;

// The outdoor unit's connection sizes.
LTPipeDiameters SizingConnections(Cls_OutdoorUnit& unit) {
  return {unit.LiquidPipes(), unit.GasPipes(), unit.DischargePipes()};
}

// The diameters of a diameter row, each one size up when asked (liquid within the liquid sizes,
// both gas pipes within all sizes).
LTPipeDiameters SizingRowDiameters(Cls_DiameterCapacity& row, bool sizeUp) {
  CTBaseFactory* factory = &row.Factory();
  return {Cls_Diameter::GetRowDiameter(row.LiquidDiameterRef(), sizeUp, true, factory),
          Cls_Diameter::GetRowDiameter(row.SuctionDiameterRef(), sizeUp, false, factory),
          Cls_Diameter::GetRowDiameter(row.DischargeDiameterRef(), sizeUp, false, factory)};
}

bool SizingAnyLarger(const LTPipeDiameters& d, double liquid, double suction, double discharge) {
  return d.liquid > liquid || d.suctionGas > suction || d.dischargeGas > discharge;
}

LTPipeDiameters SizingDiametersOf(const LTPipeSizes& sizes) {
  return {sizes.liquid, sizes.suctionGas, sizes.dischargeGas};
}

void SizingStore(LTPipeSizes& sizes, const LTPipeDiameters& d) {
  sizes.liquid = d.liquid;
  sizes.suctionGas = d.suctionGas;
  sizes.dischargeGas = d.dischargeGas;
}

const Cls_QsPipingNode* SizingRootOf(const Cls_QsPipingNode& node) {
  const Cls_QsPipingNode* root = &node;
  while (root->GetParent()) root = root->GetParent();
  return root;
}

bool SizingIsBoxNode(const Cls_QsPipingNode* node) {
  return node && node->IsDevice() &&
         dynamic_cast<Cls_QsBSBPlacement*>(node->GetPlacement()) != nullptr;
}

// Of the rows whose fitting has the number of connections asked for, the one that carries the
// index with the smallest limit (the first met on equal limits). noRow tells whether no row has
// that number of connections.
template <class Entry, class Limit>
Cls_HeaderJoint* SizingBestJoint(const std::vector<Entry>& rows, int connections,
                                 double capacityIndex, bool& noRow, Limit limitOf) {
  noRow = true;
  Cls_HeaderJoint* best = nullptr;
  double bestLimit = 0;
  for (const Entry& entry : rows) {
    if (entry.joint->Connections() != connections) continue;
    noRow = false;
    double limit = 0;
    if (!limitOf(entry, limit)) continue;
    if (capacityIndex <= limit && (!best || limit < bestLimit)) {
      best = entry.joint;
      bestLimit = limit;
    }
  }
  return best;
}

}  // namespace

bool LookupDiameters(Cls_OutdoorUnit& unit, bool mainPipe, bool sizeUp,
                     double longestEquivalentLength, double capacityIndex,
                     LTPipeDiameters& diameters) {
  Cls_DiameterCapacity* sizeUpRow = GetSizeUpRow(unit);
  // A long system has its main pipe sized up, and then its branches may exceed the connections.
  const bool longSystem = sizeUpRow && longestEquivalentLength > unit.LengthForSizeUpMain();
  if (mainPipe && longSystem) {
    diameters = SizingRowDiameters(*sizeUpRow, false);
    return true;
  }
  bool found = false;
  for (Cls_DiameterCapacity* row : GetDiameterRows(unit)) {
    if (row->MaxCap() >= capacityIndex) {
      diameters = SizingRowDiameters(*row, sizeUp);
      found = true;
      break;
    }
  }
  if (longSystem) return found;
  if (SizingAnyLarger(diameters, unit.LiquidPipes(), unit.GasPipes(), unit.DischargePipes())) {
    diameters = SizingConnections(unit);
  }
  return found;
}

Cls_HeaderJoint* LookupJoint(Cls_OutdoorUnit& unit, int connections, bool firstBranch,
                             double capacityIndex, bool& noRowWithConnections) {
  return SizingBestJoint(GetJointRows(unit), connections, capacityIndex, noRowWithConnections,
                         [&](const LTOutdoorJointRow& entry, double& limit) {
                           if (!firstBranch) {
                             limit = entry.row->MaxCapIndex();
                             return true;
                           }
                           limit = entry.row->MaxFCapIndex();
                           return entry.row->FirstInPiping();
                         });
}

Cls_HeaderJoint* LookupBoxJoint(Cls_BSBox& box, int connections, double capacityIndex,
                                bool& noRowWithConnections) {
  return SizingBestJoint(GetJointRows(box), connections, capacityIndex, noRowWithConnections,
                         [](const LTBoxJointRow& entry, double& limit) {
                           limit = entry.row->MaxCapIndex();
                           return true;
                         });
}

bool MainSizeUpEnlarges(Cls_OutdoorUnit& unit, bool gas) {
  LTPipeDiameters normal;
  LookupDiameters(unit, true, false, 0, unit.GetCapacityIndexAt(unit.GetMaxCombinationRatio(false)),
                  normal);
  if (!HasSizeUpRow(unit)) return false;
  LTPipeDiameters sized;
  LookupDiameters(unit, true, false, unit.LengthForSizeUpMain() + 1, 0, sized);
  return gas ? sized.suctionGas > normal.suctionGas : sized.liquid > normal.liquid;
}

// -- Sizing the nodes ---------------------------------------------------------------------------

void Cls_QsDevicePipingNode::ComputePipes(Cls_OutdoorUnit* outdoorModel, Cls_BSBox* boxModel,
                                          double longestEquivalentLength) {
  LTPipeSizes& sizes = PipeSizes();
  sizes = {};
  Cls_QsDevicePlacement* placement = GetPlacement();
  Cls_QsPipingNode* parent = GetParent();
  auto* box = dynamic_cast<Cls_QsBSBPlacement*>(placement);
  Cls_BSBox* belowModel = boxModel;
  LTPipeDiameters d;
  if (IsRoot()) {
    if (outdoorModel) {
      // A short system's main pipe is the outdoor unit's connections whatever the load.
      if (outdoorModel->LengthForSizeUpMain() >= longestEquivalentLength ||
          !LookupDiameters(*outdoorModel, true, false, longestEquivalentLength,
                           GetDownstreamIndex(), d)) {
        d = SizingConnections(*outdoorModel);
      }
    }
    auto* system = dynamic_cast<Cls_QsOutPlacement*>(placement);
    sizes.pipeCount = system && system->GetFamily() == 0 ? 3 : 2;
  } else if (box) {
    if (parent && parent->IsRoot()) {
      d = SizingDiametersOf(parent->PipeSizes());
    } else if (outdoorModel) {
      LookupDiameters(*outdoorModel, false, false, longestEquivalentLength, GetDownstreamIndex(),
                      d);
    }
    belowModel = dynamic_cast<Cls_BSBox*>(box->GetModel());
    if (belowModel) {
      sizes.reducer = d.liquid != belowModel->LiquidPipesOutdoor() ||
                      d.suctionGas != belowModel->GasPipesSuctionOutdoor() ||
                      d.dischargeGas != belowModel->GasPipesDischOutdoor();
    }
    sizes.pipeCount = 3;
  } else {
    auto* model = dynamic_cast<Cls_IndoorUnit*>(placement ? placement->GetModel() : nullptr);
    if (model) {
      d.liquid = model->PipLiquid();
      d.suctionGas = model->PipGas();
    }
    // Hanging directly below the outdoor unit or a box, the pipe meets that device's indoor-side
    // connections.
    if (parent && parent->IsRoot() && outdoorModel) {
      sizes.reducer =
          d.liquid != outdoorModel->LiquidPipes() || d.suctionGas != outdoorModel->GasPipes();
    } else if (SizingIsBoxNode(parent) && boxModel) {
      sizes.reducer =
          d.liquid != boxModel->LiquidPipesIndoor() || d.suctionGas != boxModel->GasPipesIndoor();
    }
    sizes.pipeCount = 2;
  }
  SizingStore(sizes, d);
  if (Cls_QsPipingNode* child = ChildAt(0)) {
    child->ComputePipes(outdoorModel, belowModel, longestEquivalentLength);
    if (!box) sizes.pipeCount = child->PipeSizes().pipeCount;
  }
  if (sizes.pipeCount == 2) sizes.dischargeGas = 0;
}

void Cls_QsHJPipingNode::ComputePipes(Cls_OutdoorUnit* outdoorModel, Cls_BSBox* boxModel,
                                      double longestEquivalentLength) {
  LTPipeSizes& sizes = PipeSizes();
  sizes = {};
  const double index = GetDownstreamIndex();
  Cls_QsPipingNode* parent = GetParent();
  const bool firstBranch = parent && parent->IsRoot();

  auto* header = IsHeader() ? dynamic_cast<Cls_QsHeaderPlacement*>(GetPlacement()) : nullptr;
  if (header) {
    header->ClearError();
    if (header->Children().empty()) {
      std::string name;
      header->GetFullName(name);
      header->SetError(kMsgSizingNoIndoorUnit, name, Cls_QsDevicePlacement::kErrorLevel3);
    }
  }

  const int connections = GetConnectionCount();
  Cls_HeaderJoint* model = nullptr;
  bool noRow = false;
  if (boxModel) {
    model = LookupBoxJoint(*boxModel, connections, index, noRow);
  } else if (outdoorModel) {
    model = LookupJoint(*outdoorModel, connections, firstBranch, index, noRow);
  }
  if (header && !model && noRow) {
    header->SetError(kMsgSizingNoHeader, boxModel ? boxModel->Name() : outdoorModel->Name(),
                     Cls_QsDevicePlacement::kErrorLevel3, std::to_string(connections));
  }
  const LTRecordRef held = GetHeaderJointRef();
  const bool same = model ? held.tableId == model->TableId() && held.recordId == model->RecordId()
                          : !held.IsSet();
  if (!same) SetHeaderJoint(model);

  sizes.pipeCount = 2;
  for (Cls_QsPipingNode* child : Children()) {
    child->ComputePipes(outdoorModel, boxModel, longestEquivalentLength);
    sizes.pipeCount = std::max(sizes.pipeCount, child->PipeSizes().pipeCount);
  }

  const LTPipeSizes& root = SizingRootOf(*this)->PipeSizes();
  LTPipeDiameters d;
  if (outdoorModel) {
    const bool sizeUp = GetSizeUpMark() && parent && !parent->IsDevice();
    LookupDiameters(*outdoorModel, false, sizeUp, longestEquivalentLength, index, d);
    // A pipe towards a far unit is sized up only as far as the main pipe goes.
    if (sizeUp && SizingAnyLarger(d, root.liquid, root.suctionGas, root.dischargeGas)) {
      LookupDiameters(*outdoorModel, false, false, longestEquivalentLength, index, d);
    }
  }
  if (sizes.pipeCount == 2) d.dischargeGas = 0;
  const bool three = sizes.pipeCount == 3;
  if (parent && parent->IsRoot()) {
    // The pipe up to the outdoor unit is the main pipe.
    sizes.reducer = d.liquid != root.liquid || d.suctionGas != root.suctionGas ||
                    (three && d.dischargeGas != root.dischargeGas);
    d.liquid = root.liquid;
    d.suctionGas = root.suctionGas;
    if (three) d.dischargeGas = root.dischargeGas;
  } else if (SizingIsBoxNode(parent) && boxModel) {
    sizes.reducer = d.liquid != boxModel->LiquidPipesIndoor() ||
                    d.suctionGas != boxModel->GasPipesIndoor() || (three && d.dischargeGas != 0);
  }
  SizingStore(sizes, d);
}
