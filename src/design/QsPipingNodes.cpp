#include "design/QsPipingNodes.h"

#include "objectstore/TableInfo.h"

Cls_QsPipingNode::Cls_QsPipingNode(int tableId, int recordId, CTBaseFactory* factory)
    : CTDbObject(tableId, recordId, factory) {}

void Cls_QsPipingNode::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, ProjectIdFieldName(idFieldName));
  table.AddField(kBranchLength, CTFieldInfo::Double("Fld_BranchLength", true, 0));
  table.AddField(kSeqNr, CTFieldInfo::Integer("Fld_SeqNr", true, 0));
  AddReferenceFields(table, kSystem, "Fld_QsOutPlacement");
  AddReferenceFields(table, kParentNode, "Fld_QsPipingNode");
}

Cls_QsDevicePipingNode::Cls_QsDevicePipingNode(int recordId, CTBaseFactory* factory)
    : Cls_QsPipingNode(kTableId, recordId, factory) {}

void Cls_QsDevicePipingNode::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_QsPipingNode::DefineFields(table, ProjectIdFieldName(idFieldName));
  AddReferenceFields(table, kPlacement, "Fld_QsDevicePlacement");
}

Cls_QsHJPipingNode::Cls_QsHJPipingNode(int tableId, int recordId, CTBaseFactory* factory)
    : Cls_QsPipingNode(tableId, recordId, factory) {}

void Cls_QsHJPipingNode::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_QsPipingNode::DefineFields(table, ProjectIdFieldName(idFieldName));
  AddReferenceFields(table, kHeaderJoint, "Fld_HeaderJoint");
}

Cls_QsJointPipingNode::Cls_QsJointPipingNode(int recordId, CTBaseFactory* factory)
    : Cls_QsHJPipingNode(kTableId, recordId, factory) {}

void Cls_QsJointPipingNode::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_QsHJPipingNode::DefineFields(table, ProjectIdFieldName(idFieldName));
}

Cls_QsHeaderPipingNode::Cls_QsHeaderPipingNode(int recordId, CTBaseFactory* factory)
    : Cls_QsHJPipingNode(kTableId, recordId, factory) {}

void Cls_QsHeaderPipingNode::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_QsHJPipingNode::DefineFields(table, ProjectIdFieldName(idFieldName));
  AddReferenceFields(table, kHeaderPlacement, "Fld_QsHeaderPlacement");
}
