#include "design/CatalogueFacts.h"

#include <algorithm>

#include "catalogue/Devices.h"
#include "catalogue/OutdoorUnits.h"
#include "catalogue/PipingTables.h"
#include "objectstore/BaseFactory.h"
#include "objectstore/DbEngine.h"
#include "objectstore/DbViews.h"
#include "objectstore/TableInfo.h"

namespace {

struct LTCatalogueFactsView : CTDbView {
  CTOnce once;
  LTCatalogueFacts facts;
};

void BuildCatalogueFacts(LTCatalogueFacts& facts, CTBaseFactory* factory) {
  for (const auto& object : CTDbObject::AllObjects(Cls_BSBox::kTableId, false, factory)) {
    if (auto* box = dynamic_cast<Cls_BSBox*>(object.get())) {
      facts.allowances.bsBox = std::max(facts.allowances.bsBox, box->EquivalentLength());
    }
  }
  for (const auto& object : CTDbObject::AllObjects(Cls_HeaderJoint::kTableId, false, factory)) {
    auto* fitting = dynamic_cast<Cls_HeaderJoint*>(object.get());
    if (!fitting) continue;
    double& allowance =
        fitting->Connections() == 2 ? facts.allowances.joint : facts.allowances.header;
    allowance = std::max(allowance, fitting->EquivalentLength());
  }
  for (const auto& object : CTDbObject::AllObjects(Cls_OutdoorUnit::kTableId, false, factory)) {
    auto* unit = dynamic_cast<Cls_OutdoorUnit*>(object.get());
    if (unit && unit->SupportsHighCombPerc()) facts.highCombination = true;
  }
}

}  // namespace

const LTCatalogueFacts& CatalogueFacts(CTBaseFactory* factory) {
  static const LTCatalogueFacts none;
  factory = CTBaseFactory::OrDefault(factory);
  CTTableInfo* table = factory ? factory->TableById(Cls_OutdoorUnit::kTableId) : nullptr;
  if (!table || !table->Engine()) return none;
  // Kept with the catalogue's views, which are dropped when it disconnects.
  auto& view = table->Engine()->Views().Get<LTCatalogueFactsView>(Cls_OutdoorUnit::kTableId, 0);
  view.once.Run([&] { BuildCatalogueFacts(view.facts, factory); });
  return view.facts;
}
