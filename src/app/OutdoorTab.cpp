#include "app/OutdoorTab.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "app/IndoorTab.h"
#include "app/QRNSolvoMain.h"
#include "catalogue/Devices.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorUnits.h"
#include "catalogue/PipingTables.h"
#include "design/Preferences.h"
#include "design/QsBSBPlacement.h"
#include "design/QsHeaderPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"
#include "design/QsProject.h"
#include "design/ValueFormat.h"
#include "i18n/MessageCatalog.h"
#include "physics/MoistAir.h"
#include "platform/CodePage.h"

namespace {

constexpr int kMsgConnectedNowhere = 10042;
constexpr int kMsgLockedLayout = 10055;
constexpr int kMsgVentilationOnSystemOnly = 10085;
constexpr int kMsgHeaderFull = 10045;
constexpr int kMsgBoxNeedsHeatRecovery = 10037;

bool IsSystem(const Cls_QsDevicePlacement* p) {
  return p && p->TableId() == Cls_QsOutPlacement::kTableId;
}
bool IsBox(const Cls_QsDevicePlacement* p) {
  return p && p->TableId() == Cls_QsBSBPlacement::kTableId;
}
bool IsHeader(const Cls_QsDevicePlacement* p) {
  return p && p->TableId() == Cls_QsHeaderPlacement::kTableId;
}
bool IsIndoor(const Cls_QsDevicePlacement* p) {
  return dynamic_cast<const Cls_QsIndPlacement*>(p) != nullptr;
}
// The top of a placement's parent chain as an outdoor system; null when it is none.
Cls_QsOutPlacement* SystemOf(Cls_QsDevicePlacement& p) {
  return dynamic_cast<Cls_QsOutPlacement*>(p.GetTopAncestor());
}

// Whether a header has room for one more placement that is not yet connected to it.
bool HeaderFull(const Cls_QsDevicePlacement& header, const Cls_QsDevicePlacement& dragged) {
  if (dragged.GetParent() == &header) return false;
  const int outlets =
      const_cast<Cls_QsHeaderPlacement&>(static_cast<const Cls_QsHeaderPlacement&>(header))
          .GetNbConnections();
  return static_cast<int>(header.Children().size()) + 1 > outlets;
}

LTProjectTreeNode NodeOf(Cls_QsDevicePlacement& placement) {
  LTProjectTreeNode node;
  node.placement = &placement;
  int charset = 0;
  placement.GetDisplayText(charset, node.text);
  node.image = Cls_QsProject::GetPlacementImageIndex(placement);
  node.stateImage = Cls_QsProject::GetPlacementStateImage(placement);
  for (Cls_QsDevicePlacement* child : placement.Children()) node.children.push_back(NodeOf(*child));
  return node;
}

std::string Text(const char* utf8) {
  return Cp1251FromUtf8(utf8);
}

std::string FullNameOfPlacement(const CTDbObject& object) {
  std::string text;
  object.GetFullName(text);
  return text;
}

// The name of the condition mode for the room-condition row.
std::string ConditionModeName(int conditionType) {
  if (conditionType == 1) return "DBT / WBT";
  if (conditionType == 2) return "WBT / RH";
  return "DBT/  RH";
}

void SystemRows(CTQRNSolvoMainImpl&, Cls_QsOutPlacement& system,
                std::vector<LTSelectionRow>& rows) {
  auto* model = dynamic_cast<Cls_OutdoorUnit*>(system.GetModel());
  int charset = 0;
  std::string modelName;
  system.GetModelName(charset, modelName);
  rows.push_back({Text("Модель"), modelName, {}});
  rows.push_back({Text("ИП"), model ? model->GetSupplyText() : std::string(), {}});
  rows.push_back({Text("Серии"), system.GetSeries(), {}});
  rows.push_back({Text("Система"), Cls_QsOutPlacement::FamilyName(system.GetFamily()), {}});
  const double sum = system.GetCapacityIndexSum(true);
  std::string largest;
  if (model) {
    double c = model->GetCapacityIndexAt(system.GetSelCombination());
    const double maximum = system.GetMaxCombination();
    if (system.GetSelCombination() != 0 && system.GetSelCombination() < maximum) {
      c = c * maximum / system.GetSelCombination();
    }
    largest = FormatGeneralNumber(c);
  }
  rows.push_back({Text("Индекс мощности"), FormatGeneralNumber(sum), largest});
  std::string ratio;
  if (model && model->GetCapacityIndexAt(100) > 0) {
    ratio = std::to_string(std::lround(100 * sum / model->GetCapacityIndexAt(100))) + "%";
  }
  rows.push_back({Text("Комбинация"), ratio,
                  model ? FormatGeneralNumber(system.GetMaxCombination()) + "%" : "0%"});
  rows.push_back({Text("Т. наружн. воздуха при охлажд."),
                  Cls_QsProject::FormatTemperature(true, system.GetCoolOutdoorTemp()),
                  {}});
  rows.push_back({Text("Мощность охлаждения"),
                  Cls_QsProject::FormatPower(
                      true, system.GetAvailableCapacity(model, true, system.GetCoolOutdoorRH(),
                                                        system.GetCoolOutdoorTemp())),
                  {}});
  if (system.GetFamily() != 2) {
    rows.push_back({Text("Т. наружн. воздуха при обогреве"),
                    Cls_QsProject::FormatTemperature(true, system.GetHeatOutdoorTemp()),
                    {}});
    rows.push_back({Text("Мощность обогрева (с учетом размораживания)  "),
                    Cls_QsProject::FormatPower(
                        true, system.GetAvailableCapacity(model, false, system.GetHeatOutdoorRH(),
                                                          system.GetHeatOutdoorTemp())),
                    {}});
  }
}

void IndoorRows(CTQRNSolvoMainImpl& core, Cls_QsIndPlacement& unit,
                std::vector<LTSelectionRow>& rows) {
  int charset = 0;
  std::string modelName;
  unit.GetModelName(charset, modelName);
  rows.push_back({Text("Фанкойл"), modelName, {}});
  const int table = unit.TableId();
  if (table != Cls_QsIndPlacement::kTableId && table != Cls_QsAXDPlacement::kTableId) return;
  rows.push_back({Text("Серии"), unit.GetSeries(), {}});
  std::string family = unit.GetFamily();
  if (auto found = Cls_IndFamily::FindByCode(family, &unit.Factory())) {
    found->GetDisplayText(charset, family);
  }
  rows.push_back({Text("Система"), family, {}});
  rows.push_back(
      {Text("Индекс мощности"), FormatGeneralNumber(unit.GetCapacityIndexSum(true)), {}});
  const int conditionType = CTPreferences::Current().indoorConditionType;
  rows.push_back({Text("Охлажд. в помещении") + " " + ConditionModeName(conditionType),
                  RoomConditionText(unit, core.Air(), conditionType),
                  {}});
  const bool manual = unit.GetManualSelect();
  const auto required = [&](double kw) {
    return manual ? Text("Ручной выбор") : Cls_QsProject::FormatPower(true, kw);
  };
  rows.push_back({Text("Суммарная мощн. охлажд."),
                  Cls_QsProject::FormatPower(true, unit.GetUnitCapacity(true, true, false)),
                  required(unit.GetCoolCapReqTotal())});
  rows.push_back({Text("Ощутимая мощн. охлажд"),
                  Cls_QsProject::FormatPower(true, unit.GetUnitCapacity(true, false, false)),
                  required(unit.GetCoolCapReqSensible())});
  if (unit.CanHeatInSystem()) {
    rows.push_back({Text("Т. в помещении при обогреве"),
                    Cls_QsProject::FormatTemperature(true, unit.GetHeatIndoorTemp()),
                    {}});
    rows.push_back({Text("Мощность обогрева (с учетом размораживания)  "),
                    Cls_QsProject::FormatPower(true, unit.GetUnitCapacity(false, true, false)),
                    required(unit.GetHeatCapReq())});
  }
}

}  // namespace

std::vector<LTProjectTreeNode> RefreshProjectTree(CTQRNSolvoMainImpl& core) {
  Cls_QsProject& project = core.Project();
  std::vector<Cls_QsDevicePlacement*> systems;
  for (Cls_QsDevicePlacement* top : project.GetTopLevelPlacements()) {
    if (top->TableId() == Cls_QsOutPlacement::kTableId) systems.push_back(top);
  }
  Cls_QsDevicePlacement::Renumber(systems);
  core.RecalculateProject();
  std::vector<LTProjectTreeNode> nodes;
  for (Cls_QsDevicePlacement* system : systems) nodes.push_back(NodeOf(*system));
  return nodes;
}

std::vector<LTUnconnectedRow> UnconnectedRows(Cls_QsProject& project) {
  std::vector<LTUnconnectedRow> rows;
  for (Cls_QsIndPlacement* unit : project.GetIndoorPlacements()) {
    if (unit->GetParent()) continue;
    int charset = 0;
    std::string text;
    unit->GetDisplayText(charset, text);
    rows.push_back({unit, text, Cls_QsProject::GetPlacementImageIndex(*unit)});
  }
  return rows;
}

LTSelectionPanel SelectionPanel(CTQRNSolvoMainImpl& core, Cls_QsDevicePlacement* placement) {
  LTSelectionPanel panel;
  if (!placement) return panel;
  panel.caption = FullNameOfPlacement(*placement);
  if (auto* system = dynamic_cast<Cls_QsOutPlacement*>(placement)) {
    SystemRows(core, *system, panel.rows);
  } else if (auto* box = dynamic_cast<Cls_QsBSBPlacement*>(placement)) {
    int charset = 0;
    std::string modelName;
    box->GetModelName(charset, modelName);
    auto* model = dynamic_cast<Cls_BSBox*>(box->GetModel());
    panel.rows.push_back({Text("Модель"), modelName, {}});
    panel.rows.push_back({Text("Серии"), box->GetSeries(), {}});
    panel.rows.push_back({Text("Индекс мощности"),
                          FormatGeneralNumber(box->GetCapacityIndexSum(true)),
                          model ? FormatGeneralNumber(model->MaxCapIndex()) : std::string()});
  } else if (auto* header = dynamic_cast<Cls_QsHeaderPlacement*>(placement)) {
    Cls_HeaderJoint* model = header->GetHeaderModel();
    panel.rows.push_back({Text("Модель"), model ? model->Name() : std::string(), {}});
  } else if (auto* unit = dynamic_cast<Cls_QsIndPlacement*>(placement)) {
    IndoorRows(core, *unit, panel.rows);
  }
  return panel;
}

bool MayDropOnto(const Cls_QsDevicePlacement& dragged, const Cls_QsDevicePlacement& target) {
  if (&dragged == &target) return false;
  // Never onto something below the dragged placement.
  for (const Cls_QsDevicePlacement* p = target.GetParent(); p; p = p->GetParent()) {
    if (p == &dragged) return false;
  }
  const Cls_QsDevicePlacement* ancestor = target.GetSystemAncestor();
  if (IsSystem(&dragged)) return IsSystem(&target);
  if (IsBox(&dragged)) {
    return IsSystem(&target) ||
           (IsSystem(ancestor) && (IsIndoor(&target) || IsBox(&target) || IsHeader(&target)));
  }
  if (IsHeader(&dragged)) {
    const bool kind = IsIndoor(&target) || IsHeader(&target) || IsBox(&target) || IsSystem(&target);
    if (IsSystem(dragged.GetSystemAncestor())) {
      return kind && (IsSystem(&target) || (IsSystem(ancestor) && !IsBox(&target)));
    }
    return kind && (IsBox(&target) || IsBox(ancestor));
  }
  return IsIndoor(&dragged);
}

bool DropOnto(CTQRNSolvoMainImpl& core, Cls_QsDevicePlacement& dragged,
              Cls_QsDevicePlacement& target) {
  if (!MayDropOnto(dragged, target)) return false;
  Cls_QsProject& project = core.Project();
  if (IsSystem(&dragged)) {
    std::vector<Cls_QsDevicePlacement*> systems;
    for (Cls_QsDevicePlacement* top : project.GetTopLevelPlacements()) {
      if (IsSystem(top) && top != &dragged) systems.push_back(top);
    }
    systems.insert(std::find(systems.begin(), systems.end(), &target), &dragged);
    Cls_QsDevicePlacement::Renumber(systems);
    core.RecalculateProject();
    return true;
  }
  for (Cls_QsDevicePlacement* top : {dragged.GetTopAncestor(), target.GetTopAncestor()}) {
    if (auto* system = dynamic_cast<Cls_QsOutPlacement*>(top); system && system->GetLocked()) {
      TBaseMsg::ShowError(kMsgLockedLayout);
      return false;
    }
  }
  auto* indoor = dynamic_cast<Cls_QsIndPlacement*>(&dragged);
  if (!IsSystem(&target) && indoor && !indoor->TakesPartInModelChoice()) {
    TBaseMsg::ShowError(kMsgVentilationOnSystemOnly);
    return false;
  }
  if (indoor) {
    for (const Cls_QsDevicePlacement* header : {&target, target.GetParent()}) {
      if (IsHeader(header) && HeaderFull(*header, dragged)) {
        TBaseMsg::ShowError(kMsgHeaderFull,
                            {std::to_string(const_cast<Cls_QsHeaderPlacement*>(
                                                static_cast<const Cls_QsHeaderPlacement*>(header))
                                                ->GetNbConnections())});
        return false;
      }
    }
  }
  Cls_QsOutPlacement* system = SystemOf(target);
  if (IsBox(&dragged) && (!system || system->GetFamily() != 0)) {
    TBaseMsg::ShowError(kMsgBoxNeedsHeatRecovery,
                        {dragged.Name(), target.GetTopAncestor()->Name()});
    return false;
  }
  // Where the dragged placement goes: below the target, or before it among its siblings.
  Cls_QsDevicePlacement* parent = &target;
  Cls_QsDevicePlacement* before = nullptr;
  if (IsBox(&dragged)) {
    if (!IsSystem(&target) && !IsHeader(&target)) {
      parent = target.GetParent();
      before = &target;
    }
  } else if (IsHeader(&dragged)) {
    if (!IsSystem(&target) && !IsBox(&target)) {
      parent = target.GetParent();
      before = &target;
    }
  } else if (IsIndoor(&target)) {
    parent = target.GetParent();
    before = &target;
  }
  if (!parent || !system) return false;
  const std::vector<Cls_QsDevicePlacement*> children = dragged.Children();
  for (Cls_QsDevicePlacement* child : children) child->Disconnect();
  dragged.Disconnect();
  system->ConnectPlacement(&dragged, parent, before);
  for (Cls_QsDevicePlacement* child : children) system->ConnectPlacement(child, &dragged, nullptr);
  system->ResetPipingLayout();
  core.RecalculateProject();
  return true;
}

void DiscardNewSystem(Cls_QsProject& project, Cls_QsOutPlacement& system) {
  // Deepest first: each child's own children before the child.
  std::vector<Cls_QsDevicePlacement*> order;
  std::vector<std::pair<Cls_QsDevicePlacement*, bool>> stack;
  for (auto it = system.Children().rbegin(); it != system.Children().rend(); ++it) {
    stack.emplace_back(*it, false);
  }
  while (!stack.empty()) {
    auto [p, expanded] = stack.back();
    stack.pop_back();
    if (expanded) {
      order.push_back(p);
      continue;
    }
    stack.emplace_back(p, true);
    for (auto it = p->Children().rbegin(); it != p->Children().rend(); ++it) {
      stack.emplace_back(*it, false);
    }
  }
  for (Cls_QsDevicePlacement* p : order) {
    p->Disconnect();
    if (dynamic_cast<Cls_QsIndPlacement*>(p)) {
      p->SetError(kMsgConnectedNowhere, FullNameOfPlacement(*p),
                  Cls_QsDevicePlacement::kErrorLevel3);
      continue;
    }
    std::unique_ptr<Cls_QsDevicePlacement> owned = project.RemoveFromPlacementCache(p);
    p->Delete();
  }
  std::unique_ptr<Cls_QsDevicePlacement> owned = project.RemoveFromPlacementCache(&system);
  system.Delete();
}
