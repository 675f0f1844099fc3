// The system check: the outdoor model of a system is the smallest of its series and family that
// carries the indoor units connected to it, chosen together with every automatically chosen
// indoor model (what an indoor unit gets depends on the outdoor model, the total connected
// index and the piping); then the boxes are re-selected and every rule of the system checked.

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorCapacity.h"
#include "catalogue/OutdoorUnits.h"
#include "design/CatalogueFacts.h"
#include "design/PipeSizing.h"
#include "design/PipingErrorList.h"
#include "design/PipingLengths.h"
#include "design/PipingTree.h"
#include "design/QsBSBPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"
#include "design/QsProject.h"
#include "design/SystemSelection.h"
#include "design/ValueFormat.h"
#include "i18n/TextCase.h"
#include "objectstore/ListSort.h"
#include "physics/MoistAir.h"
#include "physics/PerformanceCurve.h"

namespace {

constexpr int kMsgSystemWithoutIndoor = 10043;
constexpr int kMsgNoOutdoorOfSeries = 10074;
constexpr int kMsgIndexLimitExceeded = 10079;
constexpr int kMsgNoSizeUpForHeatRecovery = 10084;
constexpr int kMsgHighRatioComfort = 10118;
constexpr int kMsgTooManyIndoorUnits = 10059;
constexpr int kMsgRatioBelowMinimum = 10041;
constexpr int kMsgRatioBelowMinimumOutdoorBelow = 10062;
constexpr int kMsgPipingTooLong = 10060;
constexpr int kMsgFirstBranchTooFar = 10058;

constexpr int kEstimatePasses = 5;

using Level = Cls_QsDevicePlacement::ErrorLevel;

// An indoor unit of the check with its node and the lengths the check derived for it.
struct LTCheckedUnit {
  Cls_QsIndPlacement* unit;
  Cls_QsPipingNode* node;
  double actual;
  double equivalent;
  bool onBox;  // its nearest box-or-system ancestor is a BS box
};

// A candidate outdoor model with its capacity index at 100 %.
struct LTOutdoorCandidate {
  Cls_OutdoorUnit* unit;
  double indexAt100;
};

bool IsSelectedUnitTable(int table) {
  return table == Cls_QsIndPlacement::kTableId || table == Cls_QsAXDPlacement::kTableId;
}

// Everything the candidate loop of one check reads; filled before the loop.
struct LTSystemCheck {
  Cls_QsOutPlacement& system;
  const TAir& air;
  CTSelectionContext& context;
  std::vector<LTCheckedUnit>& units;
  CTPipingTree& tree;
  LTPipingAllowances allowances;
  bool locked;
  double main;               // length of the main pipe
  double longestEquivalent;  // E
  double combination;        // target ratio c
  std::string fullName;
};

// Sets the size-up marks of the pipes between the first branch and every unit farther from it
// than the model allows without size-up.
void MarkSizeUps(LTSystemCheck& check, Cls_OutdoorUnit& u) {
  for (Cls_QsPipingNode* node : check.tree.Nodes()) node->SetSizeUpMark(false);
  const double others = u.LengthForSizeUpOthers();
  if (!(others > 0 && u.MaxLength() > others)) return;
  for (const LTCheckedUnit& c : check.units) {
    if (!c.node || !(c.actual - check.main > others)) continue;
    for (Cls_QsPipingNode* n = c.node; n->GetParent() && !n->GetParent()->IsRoot();
         n = n->GetParent()) {
      n->SetSizeUpMark(true);
    }
  }
}

// The piping factors and effective lengths of every unit for the candidate.
void ApplyPiping(LTSystemCheck& check, Cls_OutdoorUnit& u) {
  Cls_QsOutPlacement& s = check.system;
  double coolingAllowance = 0;
  double heatingAllowance = 0;
  const double sizeUpMain = u.LengthForSizeUpMain();
  if (sizeUpMain > 0 && check.longestEquivalent > sizeUpMain) {
    if (MainSizeUpEnlarges(u, true)) coolingAllowance = check.main / 2;
    if (MainSizeUpEnlarges(u, false)) heatingAllowance = check.main / 2;
  }
  const double others = u.LengthForSizeUpOthers();
  const bool sizesUpOthers = u.Family() != 0 && others > 0 && u.MaxLength() > others;
  const int level = static_cast<int>(std::lround(s.GetPipingHeightDiff()));
  const TVarCapList& coolingTable = u.GetCapVariationTable(kVariationCooling);
  const TVarCapList& heatingTable = u.GetCapVariationTable(kVariationHeating);
  for (LTCheckedUnit& c : check.units) {
    double effective = c.equivalent;
    if (sizesUpOthers && c.actual - check.main > others) {
      if (!check.locked) {
        effective = s.GetPipingLength() - s.GetDistBranchToIndoors() / 2;
      } else if (c.node) {
        effective = EquivalentLengthWithAllowances(*c.node, check.allowances, HalvedWhenSizedUp);
      }
    }
    const auto lengthFor = [&](double allowance) {
      return static_cast<int>(std::lround(std::max(0.0, effective - allowance)));
    };
    c.unit->SetPipingFactors(
        u.GetPipingCorrection(coolingTable, lengthFor(coolingAllowance), level),
        u.GetPipingCorrection(heatingTable, lengthFor(heatingAllowance), level));
    c.unit->SetPipingLengths(c.actual, c.equivalent, effective);
  }
}

// The index limit L of a candidate: its index at the target ratio, raised in proportion when
// high ratios are allowed and every connected series goes higher.
double IndexLimit(LTSystemCheck& check, Cls_OutdoorUnit& u) {
  Cls_QsOutPlacement& s = check.system;
  double limit = u.GetCapacityIndexAt(check.combination);
  if (!s.GetAllowHighCombPerc() || !u.SupportsHighCombPerc()) return limit;
  double high = s.GetHighCombinationLimit();
  const std::vector<Cls_IndoorUnit*>& compatible = u.GetCompatibleIndoorUnits();
  for (const LTCheckedUnit& c : check.units) {
    const std::string& family = c.unit->Values().GetBytes(Cls_QsIndPlacement::kFamily);
    const std::string& series = c.unit->Values().GetBytes(Cls_QsDevicePlacement::kSeries);
    for (Cls_IndoorUnit* model : compatible) {
      if (EqualNoCase(model->Family(), family) && EqualNoCase(model->Series(), series)) {
        high = std::min(high, static_cast<double>(std::lround(model->ConnRatioIncreasedTo())));
      }
    }
  }
  if (high > check.combination) limit = limit * high / check.combination;
  return limit;
}

// The least total capacity index the units can reach on a candidate when each must get a model:
// a model chosen by hand counts its index, an automatic choice the smallest of its candidates;
// infinite when some unit cannot get one.
double StrictLowerBound(LTSystemCheck& check, Cls_OutdoorUnit& u) {
  double bound = 0;
  for (const LTCheckedUnit& c : check.units) {
    Cls_QsIndPlacement& unit = *c.unit;
    if (unit.GetManualSelect()) {
      if (auto* model = dynamic_cast<Cls_IndoorUnit*>(unit.GetModel())) bound += model->CapIndex();
      continue;
    }
    if (!unit.TakesPartInModelChoice()) continue;
    const std::vector<Cls_IndoorUnit*>& candidates =
        check.context.Candidates(u, unit.Values().GetBytes(Cls_QsDevicePlacement::kSeries),
                                 unit.Values().GetBytes(Cls_QsIndPlacement::kFamily));
    if (candidates.empty()) return std::numeric_limits<double>::infinity();
    bound += candidates.front()->CapIndex();
  }
  return bound;
}

// The candidate loop in strict or lenient mode: the first accepted candidate, or null.
Cls_OutdoorUnit* RunCandidates(LTSystemCheck& check,
                               const std::vector<LTOutdoorCandidate>& candidates, bool strict) {
  const std::size_t unitCount = check.units.size();
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    Cls_OutdoorUnit& u = *candidates[i].unit;
    const bool last = i + 1 == candidates.size();
    if (u.MaxIndoorUnits() < static_cast<int>(unitCount) && !last) continue;
    const double limit = IndexLimit(check, u);
    // In the strict run every unit must get a model, and an automatic choice is at least the
    // smallest candidate of its series and family: when that already exceeds the limit, the
    // first pass would reject the candidate, so it is passed over at once (the last candidate
    // is tried all the same, for its message).
    if (strict && !last && StrictLowerBound(check, u) > limit) continue;
    MarkSizeUps(check, u);
    ApplyPiping(check, u);
    double coolingEstimate = candidates[i].indexAt100;
    double heatingEstimate = coolingEstimate;
    const bool heatPump = u.Family() == 1;
    bool rejected = false;
    for (int pass = 0; pass < kEstimatePasses && !rejected; ++pass) {
      double coolingTotal = 0;
      double heatingTotal = 0;
      for (const LTCheckedUnit& c : check.units) {
        Cls_QsIndPlacement& unit = *c.unit;
        unit.ClearError();
        if (!unit.GetManualSelect()) unit.SetTrialModel(nullptr);
        unit.SelectModelInSystem(check.system, &u, check.air, heatingEstimate, coolingEstimate,
                                 &check.context);
        const CTDbObject* model = unit.GetModel();
        if (model) {
          const auto* indoor = dynamic_cast<const Cls_IndoorUnit*>(model);
          const double index = indoor ? const_cast<Cls_IndoorUnit*>(indoor)->CapIndex() : 0;
          coolingTotal += index;
          if (heatPump || c.onBox) heatingTotal += index;
        }
        if (coolingTotal > limit) {
          if (last) {
            check.system.SetError(kMsgIndexLimitExceeded, check.fullName, Level::kErrorLevel3,
                                  FormatGeneralNumber(limit));
          }
          rejected = true;
          break;
        }
        if (!model && strict) {
          rejected = true;
          break;
        }
      }
      if (rejected) break;
      const bool settled = !(coolingTotal > coolingEstimate) && !(heatingTotal > heatingEstimate);
      if (settled || pass + 1 == kEstimatePasses) return &u;
      // The next pass shares the outdoor capacity by the totals, but never by less than the
      // 100 % index: a system is evaluated at least as if fully loaded, as what the units are
      // then shown to deliver is. (Heating totals leave out the units that cannot heat, so they
      // can fall below it while the cooling total is above.)
      coolingEstimate = std::max(coolingTotal, candidates[i].indexAt100);
      heatingEstimate = std::max(heatingTotal, candidates[i].indexAt100);
    }
  }
  return nullptr;
}

}  // namespace

void Cls_QsOutPlacement::CheckSystem(const std::vector<Cls_OutdoorUnit*>& outdoorUnits,
                                     CTPipingErrorList* errors) {
  ClearError();
  const std::string series = GetSeries();
  const int family = GetFamily();
  double combination = GetSelCombination();
  if (GetAllowHighCombPerc()) combination = std::min(combination, GetHighCombinationLimit());
  std::string fullName;
  GetFullName(fullName);

  // Candidates: the models of the series and family whose minimum ratio the target reaches,
  // ascending by capacity index.
  double smallestMinimum = 100;
  std::vector<LTOutdoorCandidate> candidates;
  for (Cls_OutdoorUnit* u : outdoorUnits) {
    if (!u || !EqualNoCase(u->Series(), series) || u->Family() != family) continue;
    const double minimum = static_cast<double>(std::lround(u->MinConnRatio()));
    smallestMinimum = std::min(smallestMinimum, minimum);
    if (minimum <= combination) candidates.push_back({u, u->GetCapacityIndexAt(100)});
  }
  smallestMinimum = std::max(smallestMinimum, 10.0);
  ListSort(candidates, [](const LTOutdoorCandidate& later, const LTOutdoorCandidate& earlier) {
    return later.indexAt100 < earlier.indexAt100;
  });

  // The indoor list; the other indoor-side placements are checked without outdoor model.
  const TAir air;
  CTSelectionContext context(GetMaxCombination());
  std::vector<Cls_QsDevicePlacement*> below;
  std::vector<Cls_QsDevicePlacement*> stack(Children().rbegin(), Children().rend());
  while (!stack.empty()) {
    Cls_QsDevicePlacement* p = stack.back();
    stack.pop_back();
    below.push_back(p);
    stack.insert(stack.end(), p->Children().rbegin(), p->Children().rend());
  }
  std::vector<Cls_QsIndPlacement*> indoorSide;
  for (Cls_QsDevicePlacement* p : below) {
    if (auto* unit = dynamic_cast<Cls_QsIndPlacement*>(p)) {
      indoorSide.push_back(unit);
      // The remote-controller answers of every unit are used by the others' checks.
      unit->ReadRemoteOptions();
    }
  }
  CTPipingTree& tree = PipingTree();
  std::vector<LTCheckedUnit> units;
  bool hasPlainUnit = false;
  for (Cls_QsIndPlacement* unit : indoorSide) {
    if (!IsSelectedUnitTable(unit->TableId())) {
      unit->ClearError();
      unit->SelectModelInSystem(*this, nullptr, air, 0, 0, &context);
      continue;
    }
    hasPlainUnit = hasPlainUnit || unit->TableId() == Cls_QsIndPlacement::kTableId;
    Cls_QsDevicePlacement* ancestor = unit->GetSystemAncestor();
    units.push_back({unit, tree.NodeOf(*unit), 0, 0,
                     ancestor && ancestor->TableId() == Cls_QsBSBPlacement::kTableId});
  }
  BeginModelTrial();
  for (const LTCheckedUnit& c : units) c.unit->BeginModelTrial();

  if (!hasPlainUnit) SetError(kMsgSystemWithoutIndoor, fullName, Level::kErrorLevel3);
  if (candidates.empty()) {
    SetError(kMsgNoOutdoorOfSeries, series, Level::kErrorLevel3, FamilyName(family));
  }

  // Piping lengths: estimated for the whole system, or measured on the tree.
  const bool locked = GetLocked();
  LTSystemCheck check{
      *this,  air, context, units,       tree,    CatalogueFacts(&Factory()).allowances,
      locked, 0,   0,       combination, fullName};
  check.main = GetPipingLength() - GetDistBranchToIndoors();
  if (locked) {
    Cls_QsPipingNode* first = tree.Root() ? tree.Root()->ChildAt(0) : nullptr;
    check.main = first ? first->GetBranchLength() : 0;
  }
  for (LTCheckedUnit& c : units) {
    if (!locked) {
      c.actual = c.equivalent = GetPipingLength();
    } else if (c.node) {
      c.actual = ActualLength(*c.node);
      c.equivalent = EquivalentLengthWithAllowances(*c.node, check.allowances);
    }
    c.unit->SetPipingLengths(c.actual, c.equivalent, c.equivalent);
    check.longestEquivalent = std::max(check.longestEquivalent, c.equivalent);
  }

  // Without a plain indoor unit the system gets no model.
  Cls_OutdoorUnit* found = nullptr;
  if (hasPlainUnit) {
    found = RunCandidates(check, candidates, true);
    if (!found) found = RunCandidates(check, candidates, false);
  }
  if (!found) {
    for (const LTCheckedUnit& c : units) {
      if (!c.unit->GetManualSelect()) c.unit->SetTrialModel(nullptr);
    }
  }
  SetTrialModel(found);
  EndModelTrial();
  for (const LTCheckedUnit& c : units) c.unit->EndModelTrial();

  // Boxes and headers follow the outdoor model; the sizing of the tree sets the headers'
  // errors.
  for (Cls_QsDevicePlacement* p : below) {
    if (dynamic_cast<Cls_QsIndPlacement*>(p)) continue;
    p->ClearError();
    if (auto* box = dynamic_cast<Cls_QsBSBPlacement*>(p)) box->SelectBoxModel(found);
  }
  // The manual piping check below sizes the tree itself.
  if (!found || !locked) SizePipingTree();
  if (!found) return;

  Cls_OutdoorUnit& u = *found;
  const double others = u.LengthForSizeUpOthers();
  if (family == 0 && others > 0 && u.MaxLength() > others &&
      check.longestEquivalent - check.main > others && !HasError()) {
    SetError(kMsgNoSizeUpForHeatRecovery,
             Cls_QsProject::FormatLength(true, check.longestEquivalent - check.main),
             Level::kErrorLevel3, Cls_QsProject::FormatLength(true, others));
  }
  const double total = GetCapacityIndexSum(true);
  const double at100 = u.GetCapacityIndexAt(100);
  double longestEffective = 0;
  for (const LTCheckedUnit& c : units) {
    longestEffective = std::max(longestEffective, c.unit->EffectiveLength());
  }
  if (GetAllowHighCombPerc() && u.MaxConnRatio() * at100 / 100 < total && !HasError()) {
    SetError(kMsgHighRatioComfort, FormatGeneralNumber(u.MaxConnRatio()), Level::kWarning);
  }
  if (u.MaxIndoorUnits() < static_cast<int>(units.size())) {
    if (!HasError()) {
      SetError(kMsgTooManyIndoorUnits, u.Name(), Level::kErrorLevel3,
               std::to_string(u.MaxIndoorUnits()));
    }
  } else if (smallestMinimum * at100 / 100 > total) {
    if (!HasError()) {
      SetError(kMsgRatioBelowMinimum, fullName, Level::kErrorLevel3,
               FormatGeneralNumber(smallestMinimum));
    }
  } else if (GetPipingHeightDiff() < 0 && u.MinConnRatioOutdoorBelow() > 0 && at100 > 0 &&
             total * 100 / at100 < u.MinConnRatioOutdoorBelow()) {
    if (!HasError()) {
      SetError(kMsgRatioBelowMinimumOutdoorBelow, fullName, Level::kErrorLevel3,
               FormatGeneralNumber(u.MinConnRatioOutdoorBelow()));
    }
  }
  if (locked) {
    CheckManualPiping(*this, errors);
  } else if (u.MaxLength() < longestEffective) {
    if (!HasError()) {
      SetError(kMsgPipingTooLong, Cls_QsProject::FormatLength(true, u.MaxLength()),
               Level::kErrorLevel3);
    }
  } else if (u.MaxFirstBranchToIndoor() < GetDistBranchToIndoors()) {
    if (!HasError()) {
      SetError(kMsgFirstBranchTooFar, Cls_QsProject::FormatLength(true, u.MaxFirstBranchToIndoor()),
               Level::kErrorLevel3);
    }
  }
}
