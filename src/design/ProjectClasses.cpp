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
const std::vector<LTTableDefinition>& ProjectTables() {
  // table name, display name, parent (-1: none), flags
  static const std::vector<LTTableDefinition> tables = {
      ConcreteTable<Cls_QsProject>("Tbl_QsProject", "QsProject", -1, 0),
      AbstractTable<Cls_QsDevicePlacement>("Tbl_QsDevicePlacement", "QsDevicePlacement", -1, A),
      ConcreteTable<Cls_QsIndPlacement>("Tbl_QsIndPlacement", "QsIndPlacement", 174, R),
      ConcreteTable<Cls_QsOutPlacement>("Tbl_QsOutPlacement", "QsOutPlacement", 174, U | R),
      ConcreteTable<Cls_QsBSBPlacement>("Tbl_QsBSBPlacement", "QsBSBPlacement", 174, R),
      AbstractTable<Cls_QsPipingNode>("Tbl_QsPipingNode", "QsPipingNode", -1, A),
      ConcreteTable<Cls_QsDevicePipingNode>("Tbl_QsDevicePipingNode", "QsDevicePipingNode", 178, U | R),
      ConcreteTable<Cls_QsUsedOption>("Tbl_QsUsedOption", "QsUsedOption", -1, U | R),
      ConcreteTable<Cls_QsCenCoPlacement>("Tbl_QsCenCoPlacement", "QsCenCoPlacement", -1, 0),
      AbstractTable<Cls_QsHJPipingNode>("Tbl_QsHJPipingNode", "QsHJPipingNode", 178, A),
      ConcreteTable<Cls_QsHeaderPipingNode>("Tbl_QsHeaderPipingNode", "QsHeaderPipingNode", 217, 0),
      ConcreteTable<Cls_QsJointPipingNode>("Tbl_QsJointPipingNode", "QsJointPipingNode", 217, 0),
      ConcreteTable<Cls_QsHeaderPlacement>("Tbl_QsHeaderPlacement", "QsHeaderPlacement", 174, 0),
      ConcreteTable<Cls_QsHXB415Placement>("Tbl_QsHXB415Placement", "QsHXB415Placement", 175, 0),
      ConcreteTable<Cls_QsAEXPlacement>("Tbl_QsAEXPlacement", "QsAEXPlacement", 175, 0),
      ConcreteTable<Cls_QsAXDPlacement>("Tbl_QsAXDPlacement", "QsAXDPlacement", 175, 0),
  };
  return tables;
}

const std::vector<LTLinkDefinition>& ProjectLinks() {
  // id, link name, property name, referenced table, referring table, field, flags
  static const std::vector<LTLinkDefinition> links = {
      // Into the catalogue.
      {271, "basic controller model", "basicController", 80, 173, 14, 0},
      {272, "intelligent controller model", "intelligentController", 80, 173, 16, 0},
      {275, "centralized controller model", "", 80, 186, 3, K},
      {298, "preferred controller type", "preferredController", 80, 176, 28, 0},
      {304, "hj model", "", 105, 217, 7, 0},
      {313, "option board", "optionBoard", 110, 226, 22, K},
      {260, "refrig used", "", 128, 173, 12, 0},
      {254, "device model", "", 162, 174, 9, 0},
      {261, "option used", "", 163, 181, 1, 0},
      // Among the project tables.
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
