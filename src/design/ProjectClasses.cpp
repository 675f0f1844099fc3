#include "design/ProjectClasses.h"

#include <memory>

#include "design/QsBSBPlacement.h"
#include "design/QsCentralControl.h"
#include "design/QsDevicePlacement.h"
#include "design/QsHeaderPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"
#include "design/QsPipingNodes.h"
#include "design/QsProject.h"
#include "design/QsUsedOption.h"

namespace {

template <class C>
std::unique_ptr<CTDbObject> Create(int recordId, CTBaseFactory* factory) {
  return std::make_unique<C>(recordId, factory);
}

template <class C>
void Concrete(const auto& visit) {
  visit(C::kTableId, &C::DefineFields, TObjectCreator(&Create<C>));
}

template <class C>
void Abstract(const auto& visit) {
  visit(C::kTableId, &C::DefineFields, TObjectCreator());
}

}  // namespace

void ForEachProjectClass(
    const std::function<void(int tableId, void (*define)(CTTableInfo&, const std::string&),
                             TObjectCreator create)>& visit) {
  Concrete<Cls_QsProject>(visit);           // 173
  Abstract<Cls_QsDevicePlacement>(visit);   // 174
  Concrete<Cls_QsIndPlacement>(visit);      // 175
  Concrete<Cls_QsOutPlacement>(visit);      // 176
  Concrete<Cls_QsBSBPlacement>(visit);      // 177
  Abstract<Cls_QsPipingNode>(visit);        // 178
  Concrete<Cls_QsDevicePipingNode>(visit);  // 179
  Concrete<Cls_QsUsedOption>(visit);        // 181
  Concrete<Cls_QsCenCoPlacement>(visit);    // 186
  Abstract<Cls_QsHJPipingNode>(visit);      // 217
  Concrete<Cls_QsHeaderPipingNode>(visit);  // 218
  Concrete<Cls_QsJointPipingNode>(visit);   // 219
  Concrete<Cls_QsHeaderPlacement>(visit);   // 220
  Concrete<Cls_QsHXB415Placement>(visit);   // 226
  Concrete<Cls_QsAEXPlacement>(visit);      // 227
  Concrete<Cls_QsAXDPlacement>(visit);      // 228
}
