#include "app/ProgramTables.h"

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
const std::vector<LTProgramTable>& ProgramTables() {
  // id, table name, display name, parent (-1: none), database, flags
  static const std::vector<LTProgramTable> tables = {
      {74, "TBL_BHJCombination", "BHJCombination", -1, 0, U | R},
      {76, "TBL_BSBox", "BSBox", 162, 0, U | R},
      {77, "TBL_BSDocumentation", "BSDocumentation", 166, 0, U | R},
      {78, "TBL_BSOption", "BSOption", 163, 0, U | R},
      {79, "TBL_CapVariation", "CapVariation", -1, 0, U | R},
      {80, "TBL_CentralController", "CentralController", 162, 0, U | R},
      {101, "TBL_DdbVersionInfo", "DdbVersionInfo", -1, 0, U | R},
      {102, "TBL_DiameterCapacity", "DiameterCapacity", -1, 0, U | R},
      {103, "TBL_Diameter", "Diameter", -1, 0, U | R},
      {104, "TBL_FreezeUp", "FreezeUp", -1, 0, U | R},
      {105, "TBL_HeaderJoint", "HeaderJoint", -1, 0, U | R},
      {106, "TBL_IBCombination", "IBCombination", -1, 0, U | R},
      {107, "TBL_IndDocumentation", "IndDocumentation", 166, 0, U | R},
      {108, "TBL_IndFamily", "IndFamily", -1, 0, U | R},
      {109, "TBL_IndoorUnit", "IndoorUnit", 169, 0, U | R},
      {110, "TBL_IndOption", "IndOption", 163, 0, U | R},
      {112, "TBL_OBCombination", "OBCombination", -1, 0, U | R},
      {113, "TBL_OHJCombination", "OHJCombination", -1, 0, U | R},
      {114, "TBL_OICombination", "OICombination", -1, 0, U | R},
      {116, "TBL_OutCapacity", "OutCapacity", 121, 0, U | R},
      {117, "TBL_OutCombination", "OutCombination", -1, 0, U | R},
      {118, "TBL_OutDocumentation", "OutDocumentation", 167, 0, U | R},
      {119, "TBL_OutdoorUnit", "OutdoorUnit", 168, 0, U | R},
      {120, "TBL_OutOption", "OutOption", 163, 0, U | R},
      {121, "TBL_Polynomial", "Polynomial", -1, 0, U | R | A},
      {122, "TBL_PowerSupply", "PowerSupply", -1, 0, U | R},
      {127, "TBL_RefChargeCoefficient", "RefChargeCoefficient", -1, 0, U | R},
      {128, "TBL_Refrigerant", "Refrigerant", -1, 0, U | R},
      {144, "TBL_AEX", "AEX", 162, 0, U | R},
      {145, "TBL_AEXDocumentation", "AEXDocumentation", 166, 0, U | R},
      {146, "TBL_AEXOption", "AEXOption", 163, 0, U | R},
      {162, "Tbl_Device", "Device", -1, 0, A},
      {163, "Tbl_DeviceOption", "DeviceOption", -1, 0, A},
      {164, "Tbl_DevOptCombination", "DevOptCombination", -1, 0, 0},
      {165, "Tbl_DevPSAllowed", "DevPSAllowed", -1, 0, A},
      {166, "Tbl_DeviceDocumentation", "DeviceDocumentation", -1, 0, A},
      {167, "Tbl_OutdoorDocumentation", "OutdoorDocumentation", 166, 0, U | R | A},
      {168, "Tbl_OutdoorDevice", "OutdoorDevice", 162, 0, A},
      {169, "Tbl_IndoorDevice", "IndoorDevice", 162, 0, A},
      {170, "Tbl_QRNPSAllowed", "QRNPSAllowed", 165, 0, U | R},
      {173, "Tbl_QsProject", "QsProject", -1, 1, 0},
      {174, "Tbl_QsDevicePlacement", "QsDevicePlacement", -1, 1, A},
      {175, "Tbl_QsIndPlacement", "QsIndPlacement", 174, 1, R},
      {176, "Tbl_QsOutPlacement", "QsOutPlacement", 174, 1, U | R},
      {177, "Tbl_QsBSBPlacement", "QsBSBPlacement", 174, 1, R},
      {178, "Tbl_QsPipingNode", "QsPipingNode", -1, 1, A},
      {179, "Tbl_QsDevicePipingNode", "QsDevicePipingNode", 178, 1, U | R},
      {181, "Tbl_QsUsedOption", "QsUsedOption", -1, 1, U | R},
      {184, "TBL_OMCombination", "OMCombination", -1, 0, U | R},
      {185, "Tbl_CCCombination", "CCCombination", -1, 0, U | R},
      {186, "Tbl_QsCenCoPlacement", "QsCenCoPlacement", -1, 1, 0},
      {191, "Tbl_Visualization", "Visualization", -1, 0, 0},
      {192, "Tbl_WiringLabels", "WiringLabels", -1, 0, 0},
      {217, "Tbl_QsHJPipingNode", "QsHJPipingNode", 178, 1, A},
      {218, "Tbl_QsHeaderPipingNode", "QsHeaderPipingNode", 217, 1, 0},
      {219, "Tbl_QsJointPipingNode", "QsJointPipingNode", 217, 1, 0},
      {220, "Tbl_QsHeaderPlacement", "QsHeaderPlacement", 174, 1, 0},
      {226, "Tbl_QsHXB415Placement", "QsHXB415Placement", 175, 1, 0},
      {227, "Tbl_QsAEXPlacement", "QsAEXPlacement", 175, 1, 0},
      {228, "Tbl_QsAXDPlacement", "QsAXDPlacement", 175, 1, 0},
  };
  return tables;
}

const std::vector<LTProgramLink>& ProgramLinks() {
  // id, link name, property name, referenced table, referring table, field, flags
  static const std::vector<LTProgramLink> links = {
      {15, "QRNBSBox_Header", "", 76, 74, 3, C | K},
      {18, "QRNBSBox_Indoor", "", 76, 106, 1, C | K},
      {19, "QRNBSBox_Outdoor", "", 76, 112, 1, C | K},
      {267, "Parent_CentralController", "", 80, 185, 1, C | K},
      {268, "Combinable_CentralControllers", "", 80, 185, 3, C | K},
      {271, "basic controller model", "basicController", 80, 173, 14, 0},
      {272, "intelligent controller model", "intelligentController", 80, 173, 16, 0},
      {275, "centralized controller model", "", 80, 186, 3, K},
      {298, "preferred controller type", "preferredController", 80, 176, 28, 0},
      {46, "QRNLiquidPipeRef", "", 103, 102, 3, C | K},
      {47, "QRNGasPipeRef", "", 103, 102, 5, C | K},
      {48, "QRNDischargeRef", "", 103, 102, 7, 0},
      {49, "QRNPipeDiameterCharges", "", 103, 127, 2, C | K},
      {50, "QRNHeader_BSBox", "", 105, 74, 5, C | K},
      {51, "QRNHeader_Outdoor", "", 105, 113, 6, C | K},
      {304, "hj model", "", 105, 217, 7, 0},
      {52, "QRNIndoor_BSBox", "", 109, 106, 3, C | K},
      {55, "QRNIndoor_Outdoor", "", 109, 114, 1, C | K},
      {313, "option board", "optionBoard", 110, 226, 22, K},
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
      {260, "refrig used", "", 128, 173, 12, 0},
      {239, "Ass 3", "", 162, 164, 4, C | K},
      {242, "Device_Powersupply", "", 162, 165, 2, C | K},
      {244, "Device_Documentation", "", 162, 166, 5, C | K | O},
      {254, "device model", "", 162, 174, 9, 0},
      {240, "Ass 2", "", 163, 164, 6, C | K},
      {261, "option used", "", 163, 181, 1, 0},
      {253, "devices", "", 173, 174, 7, C | K},
      {273, "controllers", "", 173, 186, 1, C | K},
      {252, "connected devices", "", 174, 174, 5, C},
      {258, "dev in piping", "", 174, 179, 7, C | K | O},
      {262, "options", "", 174, 181, 3, C | K},
      {255, "piping diagram elements", "", 176, 178, 3, C | K},
      {256, "subnode", "", 178, 178, 5, C},
      {274, "controlled by", "", 186, 176, 26, 0},
      {305, "hdr in piping", "", 220, 218, 9, C | K | O},
  };
  return links;
}
// clang-format on
