#include "design/QsPipingNodes.h"

#include "catalogue/DeviceOptions.h"
#include "design/QsHeaderPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsUsedOption.h"
#include "i18n/MessageCatalog.h"
#include "i18n/TextTrim.h"
#include "objectstore/FloatText.h"
#include "objectstore/TableInfo.h"

namespace {

constexpr int kMsgCapacityIndex = 10096;
constexpr int kMsgJoint = 10111;
constexpr int kMsgHeader = 10109;

// The option kind of an indoor unit's junction box.
constexpr int kJunctionBoxOption = 7;

// The catalogue record a reference held by an object names, from the catalogue's shared cache;
// null when there is none.
CTDbObject* HeldReferenceTarget(const CTDbObject& object, int field) {
  const int tableId = object.Values().GetInt(field);
  const int recordId = object.Values().GetInt(field + 1);
  if (recordId <= 0) return nullptr;
  return CTDbObject::CachedObject(tableId, recordId, &object.Factory());
}

// The name of an indoor unit's first chosen option of the junction-box kind; empty when it has
// none.
std::string JunctionBoxOptionName(Cls_QsDevicePlacement& placement) {
  if (!dynamic_cast<Cls_QsIndPlacement*>(&placement) || !placement.IsStored()) return {};
  for (auto& object :
       placement.RelatedObjects(Cls_QsUsedOption::kTableId, Cls_QsUsedOption::kPlacement)) {
    auto* used = dynamic_cast<Cls_QsUsedOption*>(object.get());
    if (!used) continue;
    const LTRecordRef ref = used->GetOptionRef();
    if (!ref.IsSet() || ref.tableId != Cls_IndOption::kTableId) continue;
    auto* option = dynamic_cast<Cls_IndOption*>(
        CTDbObject::CachedObject(ref.tableId, ref.recordId, &placement.Factory()));
    if (option && option->Type() == kJunctionBoxOption) return option->Name();
  }
  return {};
}

bool Inside(double v, double low, double high) {
  return v >= low && v <= high;
}

}  // namespace

// -- Cls_QsPipingNode ---------------------------------------------------------------------------

Cls_QsPipingNode::Cls_QsPipingNode(int tableId, int recordId, CTBaseFactory* factory)
    : CTDbObject(tableId, recordId, factory) {}

void Cls_QsPipingNode::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, ProjectIdFieldName(idFieldName));
  table.AddField(kBranchLength, CTFieldInfo::Double("Fld_BranchLength", true, 0));
  table.AddField(kSeqNr, CTFieldInfo::Integer("Fld_SeqNr", true, 0));
  AddReferenceFields(table, kSystem, "Fld_QsOutPlacement");
  AddReferenceFields(table, kParentNode, "Fld_QsPipingNode");
}

double Cls_QsPipingNode::GetDownstreamIndex() const {
  double sum = 0;
  for (const Cls_QsPipingNode* child : children_) sum += child->GetDownstreamIndex();
  return sum;
}

void Cls_QsPipingNode::ComputePipes(Cls_OutdoorUnit*, Cls_BSBox*, double) {}

bool Cls_QsPipingNode::HitsPipe(double x, double y) const {
  const CTPoint point{x, y};
  for (const CTLinePiece& piece : place_.pipe) {
    if (piece.Hits(point)) return true;
  }
  return false;
}

std::string Cls_QsPipingNode::IndexText() const {
  const double index = GetDownstreamIndex();
  if (index == 0) return {};
  int charset = 0;
  std::string text;
  TBaseMsg::GetText(kMsgCapacityIndex, charset, text);
  return text + " " + FormatStoreFloat(index);
}

void Cls_QsPipingNode::FittingDisplayText(int& charset, std::string& text, int modelField) const {
  charset = 0;
  text = IndexText();
  CTDbObject* model = HeldReferenceTarget(*this, modelField);
  if (!model) return;
  int captionCharset = 0;
  std::string caption;
  TBaseMsg::GetText(GetCaptionMessage(), captionCharset, caption);
  text = caption + " " + TrimText(model->Name()) + "  " + text;
}

// -- Cls_QsDevicePipingNode ---------------------------------------------------------------------

Cls_QsDevicePipingNode::Cls_QsDevicePipingNode(int recordId, CTBaseFactory* factory)
    : Cls_QsPipingNode(kTableId, recordId, factory) {}

void Cls_QsDevicePipingNode::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_QsPipingNode::DefineFields(table, ProjectIdFieldName(idFieldName));
  AddReferenceFields(table, kPlacement, "Fld_QsDevicePlacement");
}

void Cls_QsDevicePipingNode::GetDisplayText(int& charset, std::string& text) const {
  charset = 0;
  text = IndexText();
  Cls_QsDevicePlacement* placement = GetPlacement();
  if (!placement) return;
  CTDbObject* model = HeldReferenceTarget(*placement, Cls_QsDevicePlacement::kDevice);
  if (!model) return;
  std::string modelName;
  model->GetName(charset, modelName);
  std::string described = placement->TypeName() + " " + modelName;
  const std::string option = JunctionBoxOptionName(*placement);
  if (!option.empty()) described += " (" + option + ")";
  text = described + "  " + text;
}

double Cls_QsDevicePipingNode::GetDownstreamIndex() const {
  Cls_QsDevicePlacement* placement = GetPlacement();
  return placement ? placement->GetCapacityIndexSum(true) : 0;
}

bool Cls_QsDevicePipingNode::HitTest(double x, double y) const {
  const LTPipingDiagramPlace& p = DiagramPlace();
  return Inside(x, p.x, p.x + p.width) && Inside(y, p.y, p.y + p.height);
}

// -- Joints and headers -------------------------------------------------------------------------

Cls_QsHJPipingNode::Cls_QsHJPipingNode(int tableId, int recordId, CTBaseFactory* factory)
    : Cls_QsPipingNode(tableId, recordId, factory) {}

void Cls_QsHJPipingNode::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_QsPipingNode::DefineFields(table, ProjectIdFieldName(idFieldName));
  AddReferenceFields(table, kHeaderJoint, "Fld_HeaderJoint");
}

void Cls_QsHJPipingNode::GetDisplayText(int& charset, std::string& text) const {
  FittingDisplayText(charset, text, kHeaderJoint);
}

Cls_QsJointPipingNode::Cls_QsJointPipingNode(int recordId, CTBaseFactory* factory)
    : Cls_QsHJPipingNode(kTableId, recordId, factory) {}

void Cls_QsJointPipingNode::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_QsHJPipingNode::DefineFields(table, ProjectIdFieldName(idFieldName));
}

int Cls_QsJointPipingNode::GetCaptionMessage() const {
  return kMsgJoint;
}

bool Cls_QsJointPipingNode::HitTest(double x, double y) const {
  const LTPipingDiagramPlace& p = DiagramPlace();
  return Inside(x, p.x - 6, p.x + 6) && Inside(y, p.y + 9, p.y + 33);
}

Cls_QsHeaderPipingNode::Cls_QsHeaderPipingNode(int recordId, CTBaseFactory* factory)
    : Cls_QsHJPipingNode(kTableId, recordId, factory) {}

void Cls_QsHeaderPipingNode::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_QsHJPipingNode::DefineFields(table, ProjectIdFieldName(idFieldName));
  AddReferenceFields(table, kHeaderPlacement, "Fld_QsHeaderPlacement");
}

int Cls_QsHeaderPipingNode::GetConnectionCount() const {
  auto* header = dynamic_cast<Cls_QsHeaderPlacement*>(GetPlacement());
  return header ? header->GetNbConnections() : 0;
}

int Cls_QsHeaderPipingNode::GetCaptionMessage() const {
  return kMsgHeader;
}

bool Cls_QsHeaderPipingNode::HitTest(double x, double y) const {
  const LTPipingDiagramPlace& p = DiagramPlace();
  return Inside(x, p.x - 5, p.x + 5) && Inside(y, p.y + 6, p.y + 36);
}
