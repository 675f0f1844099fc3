#include "cli/DesignBuildSteps.h"

#include <algorithm>
#include <map>

#include "catalogue/DeviceOptions.h"
#include "cli/DesignFields.h"
#include "cli/PipingNames.h"
#include "design/PipingTree.h"
#include "design/PlacementOptions.h"
#include "design/QsIndPlacement.h"
#include "design/QsOutPlacement.h"
#include "design/QsPipingNodes.h"
#include "platform/CodePage.h"

namespace {

bool IsRemote(Cls_QsIndPlacement& placement, Cls_DeviceOption& option) {
  return placement.IsWiredRemote(option) || placement.IsWirelessRemote(option);
}

// The catalogue options of the placement's used options, in their order.
std::vector<Cls_DeviceOption*> UsedCatalogueOptions(Cls_QsIndPlacement& placement) {
  std::vector<Cls_DeviceOption*> options;
  for (const auto& used : placement.GetUsedOptions()) {
    if (Cls_DeviceOption* option = CatalogueOption(used->GetOptionRef(), &placement.Factory())) {
      options.push_back(option);
    }
  }
  return options;
}

std::string RemotePath(const LTDesignUnit& unit) {
  return DesignKeyPath(unit.path, "remote_controller");
}

}  // namespace

void ApplyDesignOptions(const LTDesignUnit& unit, const std::vector<Cls_DeviceOption*>& options,
                        Cls_QsIndPlacement& placement, LTDesignErrors& errors) {
  if (unit.kind == LTDesignUnit::Kind::kAdapter) return;
  CTDbObject* model = placement.GetModel();
  const std::size_t errorsBefore = errors.size();
  if (unit.options) {
    if (model) {
      const LTOptionOfferList offers = placement.GetOptionCombinations(model);
      for (std::size_t i = 0; i < options.size(); ++i) {
        const bool offered = std::any_of(offers.begin(), offers.end(), [&](const auto& offer) {
          const LTRecordRef ref = offer->DeviceOptionRef();
          return ref.tableId == options[i]->TableId() && ref.recordId == options[i]->RecordId();
        });
        if (!offered) {
          errors.push_back(
              {unit.optionPaths[i],
               QuotedDesignText(options[i]->Name()) + " is not offered for " +
                   QuotedDesignText(model->Name()) +
                   (placement.GetManualSelect() ? "" : ", the model chosen for the loads")});
        }
      }
    }
    placement.SetUsedOptions(options);
    // The standard options stay chosen whatever the list says, as in the option dialog.
    if (model) placement.ReconcileOptions(model, true, false);
  } else if (model) {
    placement.ReconcileOptions(model, true, true);
    if (unit.remote != TDesignRemote::kOwn) {
      std::vector<Cls_DeviceOption*> kept;
      for (Cls_DeviceOption* option : UsedCatalogueOptions(placement)) {
        if (IsRemote(placement, *option)) continue;
        if (unit.remote == TDesignRemote::kNone && placement.IsRemoteSensor(*option)) continue;
        kept.push_back(option);
      }
      placement.SetUsedOptions(kept);
    }
  }
  placement.SetPrefOptionsAssigned(true);
  placement.Post();
  if (!model || errors.size() != errorsBefore) return;

  // The arrangement must fit the options, as the remote-controller menu demands.
  Cls_DeviceOption* remote = nullptr;
  Cls_DeviceOption* sensor = nullptr;
  for (Cls_DeviceOption* option : UsedCatalogueOptions(placement)) {
    if (!remote && IsRemote(placement, *option)) remote = option;
    if (!sensor && placement.IsRemoteSensor(*option)) sensor = option;
  }
  if (unit.remote == TDesignRemote::kOwn && !remote) {
    errors.push_back({RemotePath(unit), "\"own\" needs a remote controller among the options of " +
                                            QuotedDesignText(model->Name()) +
                                            " (or give \"next\", \"previous\" or \"none\")"});
  } else if (unit.remote != TDesignRemote::kOwn && remote) {
    errors.push_back({RemotePath(unit), "a unit with the remote controller " +
                                            QuotedDesignText(remote->Name()) +
                                            " among its options has its own (\"own\")"});
  } else if (unit.remote == TDesignRemote::kNone && sensor) {
    errors.push_back({RemotePath(unit), "the remote sensor " + QuotedDesignText(sensor->Name()) +
                                            " needs a remote controller"});
  }
}

void ApplyDesignPipes(const LTDesignSystem& design, Cls_QsOutPlacement& system,
                      LTDesignErrors& errors) {
  if (!design.manualPiping) return;
  std::map<std::string, Cls_QsPipingNode*> byName;
  for (Cls_QsPipingNode* node : NodesInTreeOrder(system)) {
    if (!node->IsRoot() && !node->IsJoint() && node->GetPlacement()) {
      byName.emplace(node->GetPlacement()->Name(), node);
    }
  }
  const auto find = [&](const std::string& name) -> Cls_QsPipingNode* {
    const auto it = byName.find(name);
    return it == byName.end() ? nullptr : it->second;
  };
  std::map<const Cls_QsPipingNode*, std::string> given;  // node -> the entry that gave it
  for (const LTDesignPipe& pipe : design.pipes) {
    Cls_QsPipingNode* node = nullptr;
    if (!pipe.to.empty()) {
      node = find(pipe.to);
      if (!node) {
        errors.push_back({DesignKeyPath(pipe.path, "to"),
                          QuotedDesignText(pipe.to) + " has no pipe in this system"});
        continue;
      }
    } else {
      Cls_QsPipingNode* a = find(pipe.jointFirst);
      Cls_QsPipingNode* b = find(pipe.jointSecond);
      if (a && b) node = JointBetween(*a, *b);
      if (!node) {
        errors.push_back({DesignKeyPath(pipe.path, "joint"),
                          "the pipes to " + QuotedDesignText(pipe.jointFirst) + " and " +
                              QuotedDesignText(pipe.jointSecond) + " do not part at a joint"});
        continue;
      }
    }
    const auto [earlier, first] = given.emplace(node, pipe.path);
    if (!first) {
      errors.push_back({pipe.path, "the pipe to " + PipingElementText(DescribePipingNode(*node)) +
                                       " is already given at " + earlier->second});
      continue;
    }
    node->SetBranchLength(pipe.length);
    node->Post();
  }
  for (Cls_QsPipingNode* node : NodesInTreeOrder(system)) {
    if (node->IsRoot() || given.count(node)) continue;
    errors.push_back({DesignKeyPath(design.path, "pipes"),
                      "no length for the pipe to " + PipingElementText(DescribePipingNode(*node))});
  }
  system.SetLocked(true);
  system.Post();
}
