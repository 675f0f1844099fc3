// The additional refrigerant a system's piping needs and the note on automatic recharge.

#include "design/RefrigerantCharge.h"

#include <memory>

#include "catalogue/OutdoorUnits.h"
#include "catalogue/PipingTables.h"
#include "design/QsOutPlacement.h"
#include "design/QsPipingNodes.h"
#include "design/QsProject.h"
#include "objectstore/BaseFactory.h"
#include "objectstore/StoreLock.h"

namespace {

// The refrigerant of the project the system belongs to, as the project record holds it now
// (the user may change it at any time); none when the system has no project.
LTRecordRef ChargeProjectRefrigerant(Cls_QsOutPlacement& system) {
  const LTRecordRef projectRef = system.GetProjectRef();
  if (projectRef.tableId != Cls_QsProject::kTableId || !projectRef.IsSet()) return {};
  std::unique_ptr<CTDbObject> stored;
  {
    CTSharedStoreLock lock;
    stored = system.Factory().InstantiateIfExists(projectRef.tableId, projectRef.recordId);
  }
  auto* project = dynamic_cast<Cls_QsProject*>(stored.get());
  return project ? project->GetRefrigerantRef() : LTRecordRef{};
}

}  // namespace

double GetAdditionalCharge(Cls_QsOutPlacement& system) {
  if (!dynamic_cast<Cls_OutdoorUnit*>(system.GetModel())) return 0;
  // Asking for the nodes sizes them: each carries the liquid size of its pipe.
  return GetAdditionalCharge(system, system.GetPipingNodes());
}

double GetAdditionalCharge(Cls_QsOutPlacement& system,
                           const std::vector<Cls_QsPipingNode*>& sizedNodes) {
  if (!dynamic_cast<Cls_OutdoorUnit*>(system.GetModel())) return 0;
  const LTRecordRef refrigerant = ChargeProjectRefrigerant(system);
  double sum = 0;
  for (Cls_QsPipingNode* node : sizedNodes) {
    const auto coefficient = Cls_RefChargeCoefficient::FindCoefficient(
        refrigerant, node->PipeSizes().liquid, &system.Factory());
    if (coefficient) sum += *coefficient * node->GetBranchLength();
  }
  return sum;
}

bool AutoRechargeNote(Cls_QsOutPlacement& system, double& minimumRatio) {
  minimumRatio = 0;
  auto* model = dynamic_cast<Cls_OutdoorUnit*>(system.GetModel());
  if (!model) return false;
  minimumRatio = model->MinAutoRechargeConnectionRatio();
  if (!model->AutoRecharge() || !(minimumRatio > 0)) return false;
  const double nominal = model->GetCapacityIndexAt(100);
  // A model without combination rows has no ratio to compare.
  if (!(nominal > 0)) return false;
  const double ratio = 100 * system.GetCapacityIndexSum(true) / nominal;
  return ratio < minimumRatio;
}
