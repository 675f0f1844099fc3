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
#include "objectstore/TableInfo.h"

namespace {

constexpr int U = CTTableInfo::kUniqueNames;
constexpr int R = CTTableInfo::kNameRequired;
constexpr int A = CTTableInfo::kAbstract;

constexpr int C = CTTableLink::kCascade;
constexpr int K = CTTableLink::kChecked;
constexpr int O = CTTableLink::kOneToOne;

}  // namespace

// clang-format off
const std::vector<LTTableDefinition>& CatalogueTables() {
  // table name, display name, parent (-1: none), flags
  static const std::vector<LTTableDefinition> tables = {
      ConcreteTable<Cls_BHJCombination>("TBL_BHJCombination", "BHJCombination", -1, U | R),
      ConcreteTable<Cls_BSBox>("TBL_BSBox", "BSBox", 162, U | R),
      ConcreteTable<Cls_BSDocumentation>("TBL_BSDocumentation", "BSDocumentation", 166, U | R),
      ConcreteTable<Cls_BSOption>("TBL_BSOption", "BSOption", 163, U | R),
      ConcreteTable<Cls_CapVariation>("TBL_CapVariation", "CapVariation", -1, U | R),
      ConcreteTable<Cls_CentralController>("TBL_CentralController", "CentralController", 162, U | R),
      ConcreteTable<Cls_DdbVersionInfo>("TBL_DdbVersionInfo", "DdbVersionInfo", -1, U | R),
      ConcreteTable<Cls_DiameterCapacity>("TBL_DiameterCapacity", "DiameterCapacity", -1, U | R),
      ConcreteTable<Cls_Diameter>("TBL_Diameter", "Diameter", -1, U | R),
      ConcreteTable<Cls_FreezeUp>("TBL_FreezeUp", "FreezeUp", -1, U | R),
      ConcreteTable<Cls_HeaderJoint>("TBL_HeaderJoint", "HeaderJoint", -1, U | R),
      ConcreteTable<Cls_IBCombination>("TBL_IBCombination", "IBCombination", -1, U | R),
      ConcreteTable<Cls_IndDocumentation>("TBL_IndDocumentation", "IndDocumentation", 166, U | R),
      ConcreteTable<Cls_IndFamily>("TBL_IndFamily", "IndFamily", -1, U | R),
      ConcreteTable<Cls_IndoorUnit>("TBL_IndoorUnit", "IndoorUnit", 169, U | R),
      ConcreteTable<Cls_IndOption>("TBL_IndOption", "IndOption", 163, U | R),
      ConcreteTable<Cls_OBCombination>("TBL_OBCombination", "OBCombination", -1, U | R),
      ConcreteTable<Cls_OHJCombination>("TBL_OHJCombination", "OHJCombination", -1, U | R),
      ConcreteTable<Cls_OICombination>("TBL_OICombination", "OICombination", -1, U | R),
      ConcreteTable<Cls_OutCapacity>("TBL_OutCapacity", "OutCapacity", 121, U | R),
      ConcreteTable<Cls_OutCombination>("TBL_OutCombination", "OutCombination", -1, U | R),
      ConcreteTable<Cls_OutDocumentation>("TBL_OutDocumentation", "OutDocumentation", 167, U | R),
      ConcreteTable<Cls_OutdoorUnit>("TBL_OutdoorUnit", "OutdoorUnit", 168, U | R),
      ConcreteTable<Cls_OutOption>("TBL_OutOption", "OutOption", 163, U | R),
      AbstractTable<Cls_Polynomial>("TBL_Polynomial", "Polynomial", -1, U | R | A),
      ConcreteTable<Cls_PowerSupply>("TBL_PowerSupply", "PowerSupply", -1, U | R),
      ConcreteTable<Cls_RefChargeCoefficient>("TBL_RefChargeCoefficient", "RefChargeCoefficient", -1, U | R),
      ConcreteTable<Cls_Refrigerant>("TBL_Refrigerant", "Refrigerant", -1, U | R),
      ConcreteTable<Cls_AEX>("TBL_AEX", "AEX", 162, U | R),
      ConcreteTable<Cls_AEXDocumentation>("TBL_AEXDocumentation", "AEXDocumentation", 166, U | R),
      ConcreteTable<Cls_AEXOption>("TBL_AEXOption", "AEXOption", 163, U | R),
      AbstractTable<Cls_Device>("Tbl_Device", "Device", -1, A),
      AbstractTable<Cls_DeviceOption>("Tbl_DeviceOption", "DeviceOption", -1, A),
      ConcreteTable<Cls_DevOptCombination>("Tbl_DevOptCombination", "DevOptCombination", -1, 0),
      AbstractTable<Cls_DevPSAllowed>("Tbl_DevPSAllowed", "DevPSAllowed", -1, A),
      AbstractTable<Cls_DeviceDocumentation>("Tbl_DeviceDocumentation", "DeviceDocumentation", -1, A),
      AbstractTable<Cls_OutdoorDocumentation>("Tbl_OutdoorDocumentation", "OutdoorDocumentation", 166, U | R | A),
      AbstractTable<Cls_OutdoorDevice>("Tbl_OutdoorDevice", "OutdoorDevice", 162, A),
      AbstractTable<Cls_IndoorDevice>("Tbl_IndoorDevice", "IndoorDevice", 162, A),
      ConcreteTable<Cls_QRNPSAllowed>("Tbl_QRNPSAllowed", "QRNPSAllowed", 165, U | R),
      ConcreteTable<Cls_OMCombination>("TBL_OMCombination", "OMCombination", -1, U | R),
      ConcreteTable<Cls_CCCombination>("Tbl_CCCombination", "CCCombination", -1, U | R),
      ConcreteTable<Cls_Visualization>("Tbl_Visualization", "Visualization", -1, 0),
      ConcreteTable<Cls_WiringLabels>("Tbl_WiringLabels", "WiringLabels", -1, 0),
  };
  return tables;
}

const std::vector<LTLinkDefinition>& CatalogueLinks() {
  // id, link name, property name, referenced table, referring table, field, flags
  static const std::vector<LTLinkDefinition> links = {
      {15, "QRNBSBox_Header", "", 76, 74, 3, C | K},
      {18, "QRNBSBox_Indoor", "", 76, 106, 1, C | K},
      {19, "QRNBSBox_Outdoor", "", 76, 112, 1, C | K},
      {267, "Parent_CentralController", "", 80, 185, 1, C | K},
      {268, "Combinable_CentralControllers", "", 80, 185, 3, C | K},
      {46, "QRNLiquidPipeRef", "", 103, 102, 3, C | K},
      {47, "QRNGasPipeRef", "", 103, 102, 5, C | K},
      {48, "QRNDischargeRef", "", 103, 102, 7, 0},
      {49, "QRNPipeDiameterCharges", "", 103, 127, 2, C | K},
      {50, "QRNHeader_BSBox", "", 105, 74, 5, C | K},
      {51, "QRNHeader_Outdoor", "", 105, 113, 6, C | K},
      {52, "QRNIndoor_BSBox", "", 109, 106, 3, C | K},
      {55, "QRNIndoor_Outdoor", "", 109, 114, 1, C | K},
      {58, "QRNCapacityVariations", "", 119, 79, 4, C | K},
      {59, "QRNOutdoorPipeDiameters", "", 119, 102, 9, C | K},
      {60, "QRNFreezeupCoefficients", "", 119, 104, 3, C | K},
      {61, "QRNOutdoor_BSBox", "", 119, 112, 3, C | K},
      {62, "QRNOutdoor_Header", "", 119, 113, 8, C | K},
      {63, "QRNOutdoor_Indoor", "", 119, 114, 3, C | K},
      {65, "QRNOutdoorCapacities", "", 119, 116, 12, C | K},
      {66, "QRNConnectionRatios", "", 119, 117, 5, C | K},
      {264, "Outdoor_Modules", "", 119, 184, 2, C | K},
      {266, "Parent_Outdoor", "", 119, 184, 4, C | K},
      {241, "Ass 1", "", 122, 164, 8, 0},
      {243, "PowerSupply_Device", "", 122, 165, 4, 0},
      {81, "QRNRefrigerants", "", 128, 119, 72, C | K},
      {82, "QRNRefrigerantCharges", "", 128, 127, 4, C | K},
      {239, "Ass 3", "", 162, 164, 4, C | K},
      {242, "Device_Powersupply", "", 162, 165, 2, C | K},
      {244, "Device_Documentation", "", 162, 166, 5, C | K | O},
      {240, "Ass 2", "", 163, 164, 6, C | K},
  };
  return links;
}
// clang-format on
