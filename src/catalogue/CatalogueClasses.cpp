#include "catalogue/CatalogueClasses.h"

#include <memory>

#include "catalogue/CapacityTables.h"
#include "catalogue/Combinations.h"
#include "catalogue/DeviceOptions.h"
#include "catalogue/Devices.h"
#include "catalogue/Documentation.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorUnits.h"
#include "catalogue/Pictures.h"
#include "catalogue/PipingTables.h"
#include "catalogue/PowerSupplies.h"
#include "catalogue/VersionInfo.h"

namespace {

using TVisit = std::function<void(int, void (*)(CTTableInfo&, const std::string&), TObjectCreator)>;

template <class T>
void Concrete(const TVisit& visit) {
  visit(T::kTableId, &T::DefineFields, [](int recordId, CTBaseFactory* factory) {
    return std::unique_ptr<CTDbObject>(std::make_unique<T>(recordId, factory));
  });
}

template <class T>
void Abstract(const TVisit& visit) {
  visit(T::kTableId, &T::DefineFields, nullptr);
}

}  // namespace

void ForEachCatalogueClass(const TVisit& visit) {
  Concrete<Cls_BHJCombination>(visit);        // 74
  Concrete<Cls_BSBox>(visit);                 // 76
  Concrete<Cls_BSDocumentation>(visit);       // 77
  Concrete<Cls_BSOption>(visit);              // 78
  Concrete<Cls_CapVariation>(visit);          // 79
  Concrete<Cls_CentralController>(visit);     // 80
  Concrete<Cls_DdbVersionInfo>(visit);        // 101
  Concrete<Cls_DiameterCapacity>(visit);      // 102
  Concrete<Cls_Diameter>(visit);              // 103
  Concrete<Cls_FreezeUp>(visit);              // 104
  Concrete<Cls_HeaderJoint>(visit);           // 105
  Concrete<Cls_IBCombination>(visit);         // 106
  Concrete<Cls_IndDocumentation>(visit);      // 107
  Concrete<Cls_IndFamily>(visit);             // 108
  Concrete<Cls_IndoorUnit>(visit);            // 109
  Concrete<Cls_IndOption>(visit);             // 110
  Concrete<Cls_OBCombination>(visit);         // 112
  Concrete<Cls_OHJCombination>(visit);        // 113
  Concrete<Cls_OICombination>(visit);         // 114
  Concrete<Cls_OutCapacity>(visit);           // 116
  Concrete<Cls_OutCombination>(visit);        // 117
  Concrete<Cls_OutDocumentation>(visit);      // 118
  Concrete<Cls_OutdoorUnit>(visit);           // 119
  Concrete<Cls_OutOption>(visit);             // 120
  Abstract<Cls_Polynomial>(visit);            // 121
  Concrete<Cls_PowerSupply>(visit);           // 122
  Concrete<Cls_RefChargeCoefficient>(visit);  // 127
  Concrete<Cls_Refrigerant>(visit);           // 128
  Concrete<Cls_AEX>(visit);                   // 144
  Concrete<Cls_AEXDocumentation>(visit);      // 145
  Concrete<Cls_AEXOption>(visit);             // 146
  Abstract<Cls_Device>(visit);                // 162
  Abstract<Cls_DeviceOption>(visit);          // 163
  Concrete<Cls_DevOptCombination>(visit);     // 164
  Abstract<Cls_DevPSAllowed>(visit);          // 165
  Abstract<Cls_DeviceDocumentation>(visit);   // 166
  Abstract<Cls_OutdoorDocumentation>(visit);  // 167
  Abstract<Cls_OutdoorDevice>(visit);         // 168
  Abstract<Cls_IndoorDevice>(visit);          // 169
  Concrete<Cls_QRNPSAllowed>(visit);          // 170
  Concrete<Cls_OMCombination>(visit);         // 184
  Concrete<Cls_CCCombination>(visit);         // 185
  Concrete<Cls_Visualization>(visit);         // 191
  Concrete<Cls_WiringLabels>(visit);          // 192
}
