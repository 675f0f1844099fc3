// The check of the pipe lengths a user entered one by one against the outdoor model's limits.

#include <algorithm>
#include <string>

#include "catalogue/OutdoorUnits.h"
#include "catalogue/PipingTables.h"
#include "design/ErrorLevels.h"
#include "design/PipingErrorList.h"
#include "design/PipingLengths.h"
#include "design/QsIndPlacement.h"
#include "design/QsOutPlacement.h"
#include "design/QsPipingNodes.h"
#include "design/QsProject.h"
#include "design/RefrigerantCharge.h"
#include "i18n/MessageCatalog.h"

namespace {

constexpr int kMsgManualEquivalentLength = 10027;
constexpr int kMsgManualActualLength = 10028;
constexpr int kMsgManualTotalCharge = 10029;
constexpr int kMsgManualFirstBranch = 10030;
constexpr int kMsgManualLastBranch = 10031;
constexpr int kMsgManualSpread = 10032;
constexpr int kMsgManualMissingLength = 10033;
constexpr int kMsgManualTotalLength = 10034;
constexpr int kMsgManualPipingErrors = 10057;

// The image of a line of the error list.
constexpr int kManualErrorImage = 3;

// Collects the problems of one check: each becomes a line of the list (when there is one) and
// marks the system.
class CTManualPipingReport {
 public:
  CTManualPipingReport(Cls_QsOutPlacement& system, CTPipingErrorList* list)
      : system_(system), list_(list) {}

  void Add(int number, const CTMsgList& texts) {
    if (list_) list_->AddMessageLine(number, TBaseMsg::GetText(number, texts), kManualErrorImage);
    clean_ = false;
    // Shown on the system unless a worse error somewhere in it must show instead.
    if (!system_.Children().empty() && GetWorstErrorLevel(system_) <= 2) {
      system_.SetError(kMsgManualPipingErrors, {}, Cls_QsDevicePlacement::kErrorLevel2);
    }
  }
  bool Clean() const { return clean_; }

 private:
  Cls_QsOutPlacement& system_;
  CTPipingErrorList* list_;
  bool clean_ = true;
};

// The list's update lasts as long as the check.
class CTManualPipingUpdate {
 public:
  explicit CTManualPipingUpdate(CTPipingErrorList* list) : list_(list) {
    if (list_) {
      list_->BeginUpdate();
      list_->Clear();
    }
  }
  ~CTManualPipingUpdate() {
    if (list_) list_->EndUpdate();
  }
  CTManualPipingUpdate(const CTManualPipingUpdate&) = delete;
  CTManualPipingUpdate& operator=(const CTManualPipingUpdate&) = delete;

 private:
  CTPipingErrorList* list_;
};

std::string ManualLength(double metres) {
  return Cls_QsProject::FormatLength(true, metres);
}

std::string ManualMass(double kilograms) {
  return Cls_QsProject::FormatMass(true, false, kilograms);
}

std::string ManualUnitName(const Cls_QsDevicePlacement& unit) {
  std::string name;
  unit.GetFullName(name);
  return name;
}

// The placement of an indoor unit's device node (plain indoor units and AXD units: the indoor
// placements that have piping); null for other nodes.
Cls_QsIndPlacement* ManualIndoorOf(const Cls_QsPipingNode& node) {
  if (!node.IsDevice() || node.IsRoot()) return nullptr;
  return dynamic_cast<Cls_QsIndPlacement*>(node.GetPlacement());
}

}  // namespace

bool CheckManualPiping(Cls_QsOutPlacement& system, CTPipingErrorList* list) {
  CTManualPipingUpdate update(list);
  auto* model = dynamic_cast<Cls_OutdoorUnit*>(system.GetModel());
  if (!system.GetLocked() || !model) return true;

  CTManualPipingReport report(system, list);
  double minA = 2147483647;
  double maxA = 0;
  double maxQ = 0;
  double main = 0;
  bool missing = false;
  // The tree is sized on this request: the joints carry their models for the equivalent lengths.
  const std::vector<Cls_QsPipingNode*>& nodes = system.GetPipingNodes();
  for (Cls_QsPipingNode* node : nodes) {
    if (node->GetParent() && node->GetParent()->IsRoot()) main = node->GetBranchLength();
    // A length that is not positive (a damaged file may hold one) counts as not filled in.
    if (!(node->GetBranchLength() > 0) && !node->IsRoot()) {
      if (!missing) report.Add(kMsgManualMissingLength, {});
      missing = true;
    }
    Cls_QsIndPlacement* unit = ManualIndoorOf(*node);
    if (!unit) continue;
    const double lastBranchLimit = model->MaxLastBranchToIndoor();
    if (lastBranchLimit > 0 && node->GetBranchLength() > lastBranchLimit) {
      report.Add(kMsgManualLastBranch,
                 {ManualUnitName(*unit), ManualLength(node->GetBranchLength()),
                  ManualLength(lastBranchLimit)});
    }
    const double actual = ActualLength(*node);
    minA = std::min(minA, actual);
    maxA = std::max(maxA, actual);
    maxQ = std::max(maxQ, EquivalentLengthWithModels(*node));
  }
  if (missing) return false;

  const double spreadLimit = model->MaxPipingDiff();
  if (spreadLimit > 0 && maxA - minA > spreadLimit) {
    report.Add(kMsgManualSpread, {ManualLength(maxA - minA), ManualLength(spreadLimit)});
  }

  const double mainSizeUpLength = model->LengthForSizeUpMain();
  const bool mainSizedUp = mainSizeUpLength > 0 && HasSizeUpRow(*model) && maxQ > mainSizeUpLength;

  double total = 0;
  for (Cls_QsPipingNode* node : nodes) {
    total += DoubledWhenSizedUp(*node);
    Cls_QsIndPlacement* unit = ManualIndoorOf(*node);
    if (!unit) continue;
    const std::string name = ManualUnitName(*unit);
    double equivalent = EquivalentLengthWithModels(*node, DoubledWhenSizedUp);
    if (mainSizedUp) equivalent -= main / 2;
    if (model->MaxLength() > 0 && equivalent > model->MaxLength()) {
      report.Add(kMsgManualEquivalentLength,
                 {name, ManualLength(equivalent), ManualLength(model->MaxLength())});
    }
    const double fromFirstBranch = ActualLength(*node) - main;
    if (model->MaxFirstBranchToIndoor() > 0 && fromFirstBranch > model->MaxFirstBranchToIndoor()) {
      report.Add(kMsgManualFirstBranch, {name, ManualLength(fromFirstBranch),
                                         ManualLength(model->MaxFirstBranchToIndoor())});
    }
    const double actual = ActualLength(*node, DoubledWhenSizedUp);
    if (model->MaxActualLength() > 0 && actual > model->MaxActualLength()) {
      report.Add(kMsgManualActualLength,
                 {name, ManualLength(actual), ManualLength(model->MaxActualLength())});
    }
  }

  const double totalLimit = model->MaxTotalPipingLength();
  if (totalLimit > 0 && total > totalLimit) {
    report.Add(kMsgManualTotalLength, {ManualLength(total), ManualLength(totalLimit)});
  }

  const double chargeLimit = model->MaxTotalRefrigCharge();
  if (chargeLimit > 0) {
    const double charge = model->BaseCharge() + GetAdditionalCharge(system, nodes);
    if (charge > chargeLimit) {
      report.Add(kMsgManualTotalCharge, {ManualMass(charge), ManualMass(chargeLimit)});
    }
  }
  return report.Clean();
}
