#include "cli/CheckReport.h"

#include <utility>

#include "catalogue/OutdoorUnits.h"
#include "catalogue/PipingTables.h"
#include "design/PipeSizing.h"
#include "design/PipingErrorList.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"
#include "design/QsPipingNodes.h"
#include "design/RefrigerantCharge.h"
#include "i18n/TextTrim.h"
#include "platform/CodePage.h"

namespace {

std::string Utf8(const std::string& cp1251) {
  return Utf8FromCp1251(cp1251);
}

// The lines of the manual piping check, as the piping tab lists them.
class CTCheckPipingLines : public CTPipingErrorList {
 public:
  explicit CTCheckPipingLines(std::string system) : system_(std::move(system)) {}
  void Clear() override { lines.clear(); }
  void AddLine(const std::string& caption, int) override { AddMessageLine(0, caption, 0); }
  void AddMessageLine(int number, const std::string& caption, int) override {
    lines.push_back({system_, number, Cls_QsDevicePlacement::kErrorLevel2, Utf8(caption)});
  }
  std::vector<LTCheckMessage> lines;

 private:
  std::string system_;
};

std::optional<LTCheckMessage> MessageOf(const Cls_QsDevicePlacement& placement) {
  if (!placement.HasError() && !placement.HasWarning()) return std::nullopt;
  return LTCheckMessage{Utf8(placement.Name()), placement.GetErrorNumber(),
                        placement.GetErrorLevel(), Utf8(placement.GetErrorText())};
}

// The errors and warnings of a placement and of everything below it, depth first.
void CollectMessages(const Cls_QsDevicePlacement& placement, std::vector<LTCheckMessage>& out) {
  if (auto message = MessageOf(placement)) out.push_back(*message);
  for (const Cls_QsDevicePlacement* child : placement.Children()) CollectMessages(*child, out);
}

std::string FittingOf(const Cls_QsPipingNode& node) {
  const auto* fitting = dynamic_cast<const Cls_QsHJPipingNode*>(&node);
  if (!fitting) return {};
  const LTRecordRef ref = const_cast<Cls_QsHJPipingNode*>(fitting)->GetHeaderJointRef();
  if (!ref.IsSet()) return {};
  CTDbObject* model = CTDbObject::CachedObject(ref.tableId, ref.recordId, &node.Factory());
  return model ? Utf8(TrimText(model->Name())) : std::string();
}

LTCheckSystem SystemReport(Cls_QsOutPlacement& system) {
  LTCheckSystem s;
  s.name = Utf8(system.Name());
  s.series = Utf8(system.GetSeries());
  s.family = system.GetFamily();
  s.manualPiping = system.GetLocked();
  s.pipingLength = system.GetPipingLength();
  s.firstBranchLength = system.GetDistBranchToIndoors();
  s.outdoorLevel = system.GetPipingHeightDiff();
  s.coolingOutdoor = system.GetCoolOutdoorTemp();
  s.heatingOutdoor = system.GetHeatOutdoorTemp();
  s.capacityIndex = system.GetCapacityIndexSum(true);
  auto* model = dynamic_cast<Cls_OutdoorUnit*>(system.GetModel());
  if (model) {
    s.model = Utf8(model->Name());
    s.indexAt100 = model->GetCapacityIndexAt(100);
    if (s.indexAt100 > 0) s.combination = 100 * s.capacityIndex / s.indexAt100;
    s.baseCharge = model->BaseCharge();
  }
  s.cooling = system.GetAvailableCapacity(model, true, system.GetCoolOutdoorRH(),
                                          system.GetCoolOutdoorTemp());
  if (system.GetFamily() != 2) {
    s.heating = system.GetAvailableCapacity(model, false, system.GetHeatOutdoorRH(),
                                            system.GetHeatOutdoorTemp());
  }
  for (Cls_QsPipingNode* node : NodesInTreeOrder(system)) {
    if (node->IsRoot() || !node->GetParent()) continue;
    LTCheckPipe pipe;
    pipe.from = DescribePipingNode(*node->GetParent());
    pipe.to = DescribePipingNode(*node);
    pipe.length = node->GetBranchLength();
    const LTPipeSizes& sizes = node->PipeSizes();
    pipe.pipeCount = sizes.pipeCount;
    pipe.liquid = sizes.liquid;
    pipe.suction = sizes.suctionGas;
    pipe.discharge = sizes.dischargeGas;
    pipe.reducer = sizes.reducer;
    pipe.sizedUp = node->GetSizeUpMark();
    pipe.sizeText = Utf8(GetPipeText(*node));
    pipe.fitting = FittingOf(*node);
    s.pipes.push_back(std::move(pipe));
  }
  for (Cls_QsIndPlacement* unit : system.GetIndoorUnits()) {
    if (!unit->HasPipingNode()) continue;
    s.unitPiping.push_back({Utf8(unit->Name()), unit->ActualLength(), unit->EquivalentLength(),
                            unit->EffectiveLength(), unit->CoolPipingFactor(),
                            unit->HeatPipingFactor()});
  }
  s.additionalCharge = GetAdditionalCharge(system);
  if (s.manualPiping) {
    CTCheckPipingLines lines(s.name);
    CheckManualPiping(system, &lines);
    s.pipingErrors = lines.lines;
  }
  CollectMessages(system, s.messages);
  return s;
}

const char* KindOf(const Cls_QsIndPlacement& unit) {
  if (dynamic_cast<const Cls_QsAXDPlacement*>(&unit)) return "dx_coil";
  if (dynamic_cast<const Cls_QsAEXPlacement*>(&unit)) return "ventilation";
  if (dynamic_cast<const Cls_QsHXB415Placement*>(&unit)) return "adapter";
  return "indoor";
}

LTCheckUnit UnitReport(Cls_QsIndPlacement& unit) {
  LTCheckUnit u;
  u.name = Utf8(unit.Name());
  u.kind = KindOf(unit);
  if (const Cls_QsOutPlacement* system = unit.GetOutdoorSystem()) u.system = Utf8(system->Name());
  int charset = 0;
  std::string model;
  unit.GetModelName(charset, model);
  u.model = Utf8FromCodePage(CodePageOfCharset(charset), model);
  u.manual = unit.GetManualSelect();
  if (unit.TakesPartInModelChoice()) {
    u.required = {unit.GetCoolCapReqTotal(), unit.GetCoolCapReqSensible(), unit.GetHeatCapReq()};
    u.available = {unit.GetUnitCapacity(true, true, false),
                   unit.GetUnitCapacity(true, false, false),
                   unit.GetUnitCapacity(false, true, false)};
  }
  u.error = MessageOf(unit);
  return u;
}

void Count(const std::vector<LTCheckMessage>& messages, LTCheckReport& report) {
  for (const LTCheckMessage& m : messages) {
    if (m.level == Cls_QsDevicePlacement::kWarning) {
      ++report.warnings;
    } else {
      ++report.errors;
    }
  }
}

}  // namespace

LTCheckReport ComputeCheckReport(Cls_QsProject& project) {
  LTCheckReport report;
  report.name = Utf8(project.Name());
  report.reference = Utf8(project.GetProjectReference());
  report.client = Utf8(project.GetClientName());
  report.address = Utf8(project.GetClientAddress());
  const LTRecordRef refrigerant = project.GetRefrigerantRef();
  if (refrigerant.IsSet()) {
    if (CTDbObject* r = CTDbObject::CachedObject(refrigerant.tableId, refrigerant.recordId,
                                                 &project.Factory())) {
      report.refrigerant = Utf8(r->Name());
    }
  }
  for (Cls_QsDevicePlacement* top : project.GetTopLevelPlacements()) {
    if (auto* system = dynamic_cast<Cls_QsOutPlacement*>(top)) {
      report.systems.push_back(SystemReport(*system));
      Count(report.systems.back().messages, report);
    } else if (!dynamic_cast<Cls_QsIndPlacement*>(top)) {
      std::vector<LTCheckMessage> messages;
      CollectMessages(*top, messages);
      Count(messages, report);
      report.otherMessages.insert(report.otherMessages.end(), messages.begin(), messages.end());
    }
  }
  for (Cls_QsIndPlacement* unit : project.GetIndoorPlacements()) {
    report.units.push_back(UnitReport(*unit));
    // Units below a placement were counted with it.
    const LTCheckUnit& u = report.units.back();
    if (!unit->GetParent() && u.error) {
      Count({*u.error}, report);
      report.otherMessages.push_back(*u.error);
    }
  }
  return report;
}
