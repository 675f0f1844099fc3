#include "design/PipingLengths.h"

#include <algorithm>
#include <cmath>

#include "catalogue/Devices.h"
#include "catalogue/OutdoorUnits.h"
#include "catalogue/PipingTables.h"
#include "design/QsBSBPlacement.h"
#include "design/QsDevicePlacement.h"
#include "design/QsPipingNodes.h"
#include "platform/CodePage.h"

namespace {

bool IsBoxNode(const Cls_QsPipingNode& node) {
  return node.IsDevice() && dynamic_cast<Cls_QsBSBPlacement*>(node.GetPlacement()) != nullptr;
}

template <class Model>
Model* ModelAt(CTDbObject& object, int field) {
  const LTRecordRef ref = ReadReference(object, field);
  if (!ref.IsSet()) return nullptr;
  return dynamic_cast<Model*>(
      CTDbObject::CachedObject(ref.tableId, ref.recordId, &object.Factory()));
}

// The sum over the node and the nodes above it, without the root, of each one's counted branch
// length and what its kind adds.
template <class Added>
double SumToRoot(Cls_QsPipingNode& from, TBranchLengthRule rule, Added added) {
  double sum = 0;
  for (Cls_QsPipingNode* node = &from; node && !node->IsRoot(); node = node->GetParent()) {
    sum += rule(*node);
    if (node != &from) sum += added(*node);
  }
  return sum;
}

}  // namespace

double PlainBranchLength(Cls_QsPipingNode& node) {
  return node.GetBranchLength();
}

double HalvedWhenSizedUp(Cls_QsPipingNode& node) {
  const double length = node.GetBranchLength();
  return node.GetSizeUpMark() ? length / 2 : length;
}

double DoubledWhenSizedUp(Cls_QsPipingNode& node) {
  const double length = node.GetBranchLength();
  const bool fitting = node.IsJoint() || node.IsHeader();
  const bool leavesRoot = node.GetParent() && node.GetParent()->IsRoot();
  return fitting && node.GetSizeUpMark() && !leavesRoot ? 2 * length : length;
}

double ActualLength(Cls_QsPipingNode& node, TBranchLengthRule rule) {
  return SumToRoot(node, rule, [](Cls_QsPipingNode&) { return 0.0; });
}

double EquivalentLengthWithAllowances(Cls_QsPipingNode& node, const LTPipingAllowances& allowances,
                                      TBranchLengthRule rule) {
  return SumToRoot(node, rule, [&](Cls_QsPipingNode& n) {
    if (n.IsJoint()) return allowances.joint;
    if (n.IsHeader()) return allowances.header;
    return IsBoxNode(n) ? allowances.bsBox : 0.0;
  });
}

double EquivalentLengthWithModels(Cls_QsPipingNode& node, TBranchLengthRule rule) {
  return SumToRoot(node, rule, [](Cls_QsPipingNode& n) {
    if (n.IsJoint() || n.IsHeader()) {
      auto* model = ModelAt<Cls_HeaderJoint>(n, Cls_QsHJPipingNode::kHeaderJoint);
      return model ? model->EquivalentLength() : 0.0;
    }
    if (!IsBoxNode(n)) return 0.0;
    auto* box = ModelAt<Cls_BSBox>(*n.GetPlacement(), Cls_QsDevicePlacement::kDevice);
    return box ? box->EquivalentLength() : 0.0;
  });
}

const std::string& BranchLengthCaption() {
  static const std::string caption = Cp1251FromUtf8("Длина");
  return caption;
}

double LargestMaxActualLength(const CTDbObjectList& outdoorUnits) {
  double largest = 0;
  for (const auto& object : outdoorUnits) {
    if (auto* unit = dynamic_cast<Cls_OutdoorUnit*>(object.get())) {
      largest = std::max(largest, unit->MaxActualLength());
    }
  }
  return largest;
}

bool EnterBranchLength(Cls_QsPipingNode& node, double value, double largestActualLength,
                       const std::string& caption) {
  if (!(value > 0)) {
    CTDbObject::ShowValueOutOfRange(caption, 0, true);
    return false;
  }
  if (!std::isfinite(value) || (largestActualLength > 0 && value > largestActualLength)) {
    CTDbObject::ShowValueOutOfRange(caption, largestActualLength, false);
    return false;
  }
  node.SetBranchLength(value);
  node.Post();
  return true;
}
