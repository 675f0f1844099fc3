#include "design/QsHeaderPlacement.h"

#include "catalogue/PipingTables.h"
#include "design/QsOutPlacement.h"
#include "design/QsPipingNodes.h"
#include "i18n/MessageCatalog.h"
#include "objectstore/TableInfo.h"

namespace {

constexpr int kMsgHeaderTypeName = 10109;

// The joint reference of the header's piping node as the store holds it now; none when the
// header has no node.
LTRecordRef StoredHeaderJointRef(Cls_QsHeaderPlacement& header) {
  if (!header.IsStored()) return {};
  std::unique_ptr<CTDbObject> node = header.RelatedObject(Cls_QsHeaderPipingNode::kTableId,
                                                          Cls_QsHeaderPipingNode::kHeaderPlacement);
  auto* headerNode = dynamic_cast<Cls_QsHeaderPipingNode*>(node.get());
  return headerNode ? headerNode->GetHeaderJointRef() : LTRecordRef{};
}

}  // namespace

Cls_QsHeaderPlacement::Cls_QsHeaderPlacement(int recordId, CTBaseFactory* factory)
    : Cls_QsDevicePlacement(kTableId, recordId, factory) {}

void Cls_QsHeaderPlacement::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_QsDevicePlacement::DefineFields(table, ProjectIdFieldName(idFieldName));
  table.AddField(kNbConnections, CTFieldInfo::Integer("Fld_NbConnections", true, 0));
}

void Cls_QsHeaderPlacement::GetDisplayText(int& charset, std::string& text) const {
  charset = 0;
  text = std::to_string(Values().GetInt(kNbConnections)) + CapacityIndexSuffix();
}

void Cls_QsHeaderPlacement::GetTypeName(int& charset, std::string& text) const {
  TBaseMsg::GetText(kMsgHeaderTypeName, charset, text);
}

void Cls_QsHeaderPlacement::GetFullName(std::string& text) const {
  text = TypeName();
}

CTDbObject* Cls_QsHeaderPlacement::GetModel() const {
  return const_cast<Cls_QsHeaderPlacement*>(this);
}

Cls_HeaderJoint* Cls_QsHeaderPlacement::GetHeaderModel() {
  LTRecordRef joint = StoredHeaderJointRef(*this);
  if (!joint.IsSet()) {
    if (auto* system = dynamic_cast<Cls_QsOutPlacement*>(GetTopAncestor())) {
      system->GetPipingNodes();
      system->DropPipingTree();
      joint = StoredHeaderJointRef(*this);
    }
  }
  if (!joint.IsSet()) return nullptr;
  return dynamic_cast<Cls_HeaderJoint*>(
      CTDbObject::CachedObject(joint.tableId, joint.recordId, &Factory()));
}
