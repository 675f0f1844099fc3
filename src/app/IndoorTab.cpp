#include "app/IndoorTab.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "app/QRNSolvoMain.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"
#include "design/QsProject.h"
#include "i18n/MessageCatalog.h"
#include "physics/MoistAir.h"
#include "platform/CodePage.h"

namespace {

constexpr int kMsgEditSameKind = 10063;
constexpr int kMsgDeleteFromLockedSystem = 10056;
constexpr int kMsgDeleteConnectedUnit = 10089;
constexpr int kMsgDeleteConnectedUnits = 10090;

std::string FullNameText(const CTDbObject& object) {
  std::string text;
  object.GetFullName(text);
  return text;
}

std::string PercentText(double value) {
  return std::to_string(std::lround(value)) + "%";
}

}  // namespace

const std::vector<std::string>& IndoorListColumnCaptions() {
  static const std::vector<std::string> captions = [] {
    std::vector<std::string> c;
    for (const char* text :
         {"Фанкойл", "Т. охлажд.", "Rq TC", "TC", "Rq SC", "SC", "Т.  обогрева", "Rq HC", "НС"}) {
      c.push_back(Cp1251FromUtf8(text));
    }
    return c;
  }();
  return captions;
}

std::string RoomConditionText(Cls_QsIndPlacement& unit, const TAir& air, int conditionType) {
  const double t = unit.GetCoolIndoorTemp();
  const double rh = unit.GetCoolIndoorRH();
  switch (conditionType) {
    case 1:
      return Cls_QsProject::FormatTemperature(true, t) + " / " +
             Cls_QsProject::FormatTemperature(true, air.WetBulbTemperature(t, rh));
    case 2:
      return Cls_QsProject::FormatTemperature(true, air.WetBulbTemperature(t, rh)) + " / " +
             PercentText(rh);
    default:
      return Cls_QsProject::FormatTemperature(true, t) + " / " + PercentText(rh);
  }
}

LTIndoorRow MakeIndoorRow(Cls_QsIndPlacement& unit, bool hasSystem, const TAir& air,
                          int conditionType) {
  LTIndoorRow row;
  row.placement = &unit;
  row.caption = unit.Name();
  row.image = Cls_QsProject::GetPlacementImageIndex(unit);
  row.stateImage = hasSystem ? Cls_QsProject::GetPlacementStateImage(unit) : -1;
  row.cells.assign(kIndoorListCellCount, std::string());
  if (unit.TableId() == Cls_QsHXB415Placement::kTableId) {
    if (Cls_DeviceOption* adapter = static_cast<Cls_QsHXB415Placement&>(unit).GetAdapter()) {
      row.cells[0] = adapter->Name();
    }
    return row;
  }
  const CTDbObject* model = unit.GetModel();
  if (unit.TableId() == Cls_QsAEXPlacement::kTableId) {
    if (model) row.cells[0] = model->Name();
    return row;
  }
  const bool manual = unit.GetManualSelect();
  const auto power = [](double kw) { return Cls_QsProject::FormatPower(true, kw); };
  row.cells[0] = model ? model->Name() : unit.GetFamily();
  row.cells[1] = RoomConditionText(unit, air, conditionType);
  row.cells[2] = manual ? std::string() : power(unit.GetCoolCapReqTotal());
  row.cells[3] = power(unit.GetUnitCapacity(true, true, false));
  row.cells[4] = manual ? std::string() : power(unit.GetCoolCapReqSensible());
  row.cells[5] = power(unit.GetUnitCapacity(true, false, false));
  row.cells[6] = Cls_QsProject::FormatTemperature(true, unit.GetHeatIndoorTemp());
  row.cells[7] = manual ? std::string() : power(unit.GetHeatCapReq());
  row.cells[8] = power(unit.GetUnitCapacity(false, true, false));
  return row;
}

std::vector<LTIndoorRow> MakeIndoorRows(Cls_QsProject& project, const TAir& air,
                                        int conditionType) {
  bool hasSystem = false;
  for (Cls_QsDevicePlacement* top : project.GetTopLevelPlacements()) {
    if (top->TableId() == Cls_QsOutPlacement::kTableId) hasSystem = true;
  }
  std::vector<LTIndoorRow> rows;
  for (Cls_QsIndPlacement* unit : project.GetIndoorPlacements()) {
    rows.push_back(MakeIndoorRow(*unit, hasSystem, air, conditionType));
  }
  return rows;
}

bool MayEditTogether(const std::vector<Cls_QsIndPlacement*>& selected) {
  for (Cls_QsIndPlacement* unit : selected) {
    if (unit->TableId() != selected.front()->TableId()) {
      TBaseMsg::ShowError(kMsgEditSameKind);
      return false;
    }
  }
  return true;
}

int DeleteIndoorUnits(CTQRNSolvoMainImpl& core, const std::vector<Cls_QsIndPlacement*>& selected) {
  std::vector<Cls_QsIndPlacement*> collected;
  bool asked = false;
  for (Cls_QsIndPlacement* unit : selected) {
    if (unit->GetParent()) {
      Cls_QsOutPlacement* system = unit->GetOutdoorSystem();
      if (system && system->GetLocked()) {
        TBaseMsg::ShowError(kMsgDeleteFromLockedSystem,
                            {FullNameText(*unit), FullNameText(*system)});
        continue;
      }
      if (!asked) {
        asked = true;
        const int answer =
            selected.size() == 1
                ? TBaseMsg::Ask(kMsgDeleteConnectedUnit, kBtnYes | kBtnNo, {FullNameText(*unit)})
                : TBaseMsg::Ask(kMsgDeleteConnectedUnits, kBtnYes | kBtnNo);
        if (answer != kAnsYes) return 0;
      }
    }
    collected.push_back(unit);
  }
  Cls_QsProject& project = core.Project();
  for (Cls_QsIndPlacement* unit : collected) {
    unit->Disconnect();
    std::unique_ptr<Cls_QsDevicePlacement> owned = project.RemoveFromPlacementCache(unit);
    unit->Delete();
  }
  core.RecalculateProject();
  RenumberIndoorList(project.GetIndoorPlacements());
  return static_cast<int>(collected.size());
}

void RenumberIndoorList(const std::vector<Cls_QsIndPlacement*>& units) {
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (units[i]->GetIuSeqNr() == static_cast<int>(i)) continue;
    units[i]->SetIuSeqNr(static_cast<int>(i));
    units[i]->Post();
  }
}

bool MoveIndoorUnit(Cls_QsProject& project, Cls_QsIndPlacement& moved, Cls_QsIndPlacement& target) {
  std::vector<Cls_QsIndPlacement*> units = project.GetIndoorPlacements();
  const auto from = std::find(units.begin(), units.end(), &moved);
  if (&moved == &target || from == units.end() ||
      std::find(units.begin(), units.end(), &target) == units.end()) {
    return false;
  }
  units.erase(from);
  units.insert(std::find(units.begin(), units.end(), &target), &moved);
  RenumberIndoorList(units);
  return true;
}
