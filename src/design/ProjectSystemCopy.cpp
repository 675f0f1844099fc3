// Copying a system: every placement below it, their options and the piping tree.
//
// The placements are copied depth first, each made the way the project makes a new one of its
// kind and connected below the copy of its parent, then given the source's values. The piping
// that the connections grew is then replaced by a copy of the source's tree, so that branch
// lengths entered by hand and branches moved on the diagram survive the copy.
//
// Every copied record is a new record with an id of its own, the used options included: a copy
// that kept the source's id would name a record that already exists.

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/Devices.h"
#include "design/PipingTree.h"
#include "design/QsBSBPlacement.h"
#include "design/QsHeaderPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"
#include "design/QsPipingNodes.h"
#include "design/QsProject.h"
#include "design/QsUsedOption.h"

namespace {

using LTCopies = std::vector<std::pair<Cls_QsDevicePlacement*, Cls_QsDevicePlacement*>>;

// Points the copy's reference at the record the source's reference names, or at nothing when
// that names no record.
void CopyReference(CTDbObject& copy, CTDbObject& source, int field) {
  const LTRecordRef ref = ReadReference(source, field);
  copy.SetReference(
      field,
      ref.IsSet() ? CTDbObject::CachedObject(ref.tableId, ref.recordId, &copy.Factory()) : nullptr);
}

// The copy's name: the caption and the source's name; systems' names are unique, so when that is
// taken (the system was copied before) a number follows: "Copy of Out 1 2", "... 3".
std::string CopyName(const LTPlacementCache& placements, const Cls_QsOutPlacement& system,
                     const std::string& wanted) {
  const auto taken = [&](const std::string& name) {
    for (const auto& p : placements) {
      if (p.get() != &system && p->TableId() == Cls_QsOutPlacement::kTableId && p->Name() == name)
        return true;
    }
    return false;
  };
  std::string name = wanted;
  for (int n = 2; taken(name); ++n) name = wanted + " " + std::to_string(n);
  return name;
}

// Gives the copy the source's used options, after reconciling the source's with its model.
// Only a placement whose model is a catalogue device has options.
void CopyOptions(Cls_QsDevicePlacement& source, Cls_QsDevicePlacement& copy) {
  auto* model = dynamic_cast<Cls_Device*>(source.GetModel());
  if (!model) return;
  const LTUsedOptionList used =
      source.ReconcileOptions(model, true, !source.GetPrefOptionsAssigned());
  for (const auto& option : used) {
    Cls_QsUsedOption created(0, &copy.Factory());
    created.CopyValuesFrom(*option, Cls_QsUsedOption::kOption, true);
    created.SetPlacement(&copy);
    created.Insert();
  }
  copy.SetPrefOptionsAssigned(true);
  copy.Post();
}

// Replaces the copy's piping with the shape of the source's tree: a node for each copied
// placement whose source has one in the tree (in copying order), a new joint for each joint,
// the branch lengths and sequence numbers of the source's nodes, and the same links.
void CopyPiping(Cls_QsOutPlacement& source, Cls_QsOutPlacement& copy, const LTCopies& copies) {
  CTPipingTree& from = source.PipingTree();
  CTPipingTree& to = copy.PipingTree();
  to.ClearToRoot();
  if (Cls_QsPipingNode* root = to.Root()) to.DeleteNode(*root);
  to.EnsureRoot();
  if (!from.Root()) return;
  std::map<const Cls_QsPipingNode*, Cls_QsPipingNode*> nodeOf{{from.Root(), to.Root()}};
  for (const auto& [original, copied] : copies) {
    if (original == &source) continue;
    if (const Cls_QsPipingNode* node = from.NodeOf(*original)) {
      nodeOf.emplace(node, &to.CreateNodeFor(*copied));
    }
  }

  using Pair = std::pair<Cls_QsPipingNode*, Cls_QsPipingNode*>;  // source's node, its copy
  std::vector<Pair> stack{{from.Root(), to.Root()}};
  while (!stack.empty()) {
    const auto [original, copied] = stack.back();
    stack.pop_back();
    copied->SetBranchLength(original->GetBranchLength());
    copied->SetSeqNr(original->GetSeqNr());
    copied->Post();
    std::vector<Pair> below;
    for (Cls_QsPipingNode* child : original->Children()) {
      if (child->IsJoint()) {
        below.emplace_back(child, &to.CreateJoint());
      } else if (const auto it = nodeOf.find(child); it != nodeOf.end()) {
        below.emplace_back(child, it->second);
      }
    }
    std::vector<Cls_QsPipingNode*> children;
    for (const Pair& pair : below) children.push_back(pair.second);
    to.SetChildren(*copied, children);
    to.RenumberChildren(*copied);
    stack.insert(stack.end(), below.rbegin(), below.rend());
  }
}

}  // namespace

Cls_QsOutPlacement* Cls_QsProject::CopySystem(Cls_QsOutPlacement& source,
                                              const std::string& copyOfCaption,
                                              const LTOutdoorUnitList& outdoorUnits) {
  // The indoor units copied are listed after every unit the project has now.
  const int indoorOffset = static_cast<int>(GetIndoorPlacements().size());

  Cls_QsOutPlacement* system = AddOutdoorPlacement();
  LTCopies copies;
  // Depth first from the source, children in order; each entry with the copy of its parent.
  std::vector<std::pair<Cls_QsDevicePlacement*, Cls_QsDevicePlacement*>> stack{{&source, nullptr}};
  while (!stack.empty()) {
    const auto [original, parent] = stack.back();
    stack.pop_back();
    Cls_QsDevicePlacement* copy = nullptr;
    switch (original->TableId()) {
      case Cls_QsOutPlacement::kTableId:
        if (!parent) copy = system;
        break;
      case Cls_QsBSBPlacement::kTableId:
        copy = AddBSBoxPlacement(*system, *parent, nullptr);
        break;
      case Cls_QsHeaderPlacement::kTableId:
        copy =
            AddHeaderPlacement(*system, *parent, nullptr,
                               static_cast<Cls_QsHeaderPlacement*>(original)->GetNbConnections());
        break;
      case Cls_QsIndPlacement::kTableId:
        copy = AddIndoorPlacement();
        break;
      case Cls_QsHXB415Placement::kTableId:
        copy = AddAdapterPlacement();
        break;
      case Cls_QsAEXPlacement::kTableId:
        copy = AddAEXPlacement();
        break;
      case Cls_QsAXDPlacement::kTableId:
        copy = AddAXDPlacement();
        break;
      default:
        break;
    }
    // A placement of no kind known here is not copied, nor anything below it.
    if (!copy) continue;
    if (parent && copy->GetParent() != parent) system->ConnectPlacement(copy, parent, nullptr);
    copy->CopyValuesFrom(*original, Cls_QsDevicePlacement::kName, false);

    if (copy == system) {
      system->SetName(CopyName(GetPlacements(), *system, copyOfCaption + " " + source.Name()));
      // The copy keeps its own place on the central-control tab (after every system there is)
      // rather than sharing the source's.
      system->SetCcSeqNr(system->RecordId());
      // The controller the user preferred for the system is a choice of the user's, as the
      // values are; the check does not choose it again.
      CopyReference(*system, source, Cls_QsOutPlacement::kPreferredController);
    }
    if (auto* indoor = dynamic_cast<Cls_QsIndPlacement*>(copy)) {
      auto* from = static_cast<Cls_QsIndPlacement*>(original);
      if (indoor->GetManualSelect() && indoor->NeedsModel()) indoor->SetModel(from->GetModel());
      indoor->SetIuSeqNr(from->GetIuSeqNr() + indoorOffset);
    }
    // An adapter-connected device has its adapter instead of a model; without it the copy
    // would be a different device.
    if (original->TableId() == Cls_QsHXB415Placement::kTableId) {
      CopyReference(*copy, *original, Cls_QsHXB415Placement::kAdapter);
    }
    copy->Post();
    copies.emplace_back(original, copy);

    const auto& children = original->Children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) stack.emplace_back(*it, copy);
  }

  for (const auto& [original, copy] : copies) CopyOptions(*original, *copy);
  CopyPiping(source, *system, copies);
  system->DropPipingTree();
  RecalculateAll(outdoorUnits);
  return system;
}
