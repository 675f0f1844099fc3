#include "cli/DesignBuilder.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "catalogue/DeviceOptions.h"
#include "catalogue/Devices.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorUnits.h"
#include "cli/CliText.h"
#include "cli/DesignBuildSteps.h"
#include "cli/DesignCatalogue.h"
#include "cli/DesignFields.h"
#include "cli/DesignReader.h"
#include "design/QsBSBPlacement.h"
#include "design/QsHeaderPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"
#include "design/QsProject.h"
#include "i18n/TextCase.h"
#include "platform/CodePage.h"

namespace {

// The pieces of the catalogue a unit names.
struct LTUnitChoice {
  std::string series;
  std::string family;
  CTDbObject* model = nullptr;  // indoor model by hand, ventilation model or adapter option
  std::vector<Cls_DeviceOption*> options;
};

struct LTSystemChoice {
  std::string series;
  int family = 0;
};

const char* FamilyWord(int family) {
  return family == kDesignHeatRecovery ? "heat_recovery"
         : family == kDesignHeatPump   ? "heat_pump"
                                       : "cooling_only";
}

std::string JoinedList(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ", ") + Utf8FromCp1251(item);
  return text;
}

class CTDesignBuilder {
 public:
  CTDesignBuilder(const LTDesign& design, const CTDesignCatalogue& catalogue,
                  Cls_QsProject& project)
      : design_(design), catalogue_(catalogue), project_(project) {}

  LTDesignErrors Build() {
    if (!SetIdentity()) return errors_;
    for (const LTDesignUnit& unit : design_.units) unitChoices_.push_back(ResolveUnit(unit));
    for (const LTDesignSystem& system : design_.systems) {
      systemChoices_.push_back(ResolveSystem(system));
    }
    if (!errors_.empty()) return errors_;

    for (std::size_t i = 0; i < design_.units.size(); ++i) AddUnit(i);
    std::vector<Cls_QsDevicePlacement*> topLevel;
    for (std::size_t i = 0; i < design_.systems.size(); ++i) topLevel.push_back(AddSystem(i));
    for (std::size_t i = 0; i < units_.size(); ++i) {
      if (!units_[i]->GetParent()) topLevel.push_back(units_[i]);
    }
    project_.RenumberPlacements(topLevel);
    project_.RecalculateAll(catalogue_.OutdoorUnits());

    // The options fit the models the selection chose; the lengths go on the grown trees.
    for (std::size_t i = 0; i < units_.size(); ++i) {
      ApplyDesignOptions(design_.units[i], unitChoices_[i].options, *units_[i], errors_);
    }
    for (std::size_t i = 0; i < systems_.size(); ++i) {
      ApplyDesignPipes(design_.systems[i], *systems_[i], errors_);
    }
    if (errors_.empty()) project_.RecalculateAll(catalogue_.OutdoorUnits());
    return errors_;
  }

 private:
  void Report(const std::string& path, const std::string& message) {
    errors_.push_back({path, message});
  }

  bool SetIdentity() {
    const LTDesignProject& p = design_.project;
    project_.SetIdentificationText(Cls_QsProject::kName, p.name);
    project_.SetIdentificationText(Cls_QsProject::kProjectReference, p.reference);
    project_.SetIdentificationText(Cls_QsProject::kClientName, p.client);
    project_.SetIdentificationText(Cls_QsProject::kClientAddress, p.address);
    refrigerant_ = p.refrigerant.empty() ? catalogue_.FirstRefrigerant()
                                         : catalogue_.Refrigerant(p.refrigerant);
    if (!refrigerant_) {
      Report(p.refrigerant.empty() ? "project" : "project.refrigerant",
             p.refrigerant.empty()
                 ? "the catalogue has no refrigerant in use"
                 : "no refrigerant " + QuotedDesignText(p.refrigerant) + " in the catalogue");
      return false;
    }
    // The refrigerant is set without storing it as the user's default.
    project_.SetRefrigerant(refrigerant_);
    project_.Post();
    project_.BuildSeriesLists(catalogue_.OutdoorUnits());
    return true;
  }

  LTUnitChoice ResolveUnit(const LTDesignUnit& unit) {
    LTUnitChoice choice;
    if (unit.kind == LTDesignUnit::Kind::kVentilation) {
      choice.model = catalogue_.VentilationUnit(unit.model);
      if (!choice.model) {
        Report(DesignKeyPath(unit.path, "model"),
               "no ventilation unit " + QuotedDesignText(unit.model) + " in the catalogue");
      }
    } else if (unit.kind == LTDesignUnit::Kind::kAdapter) {
      Cls_DeviceOption* adapter = catalogue_.IndoorOption(unit.model);
      if (adapter && adapter->Type() == Cls_QsIndPlacement::kOptionInterfaceAdapter) {
        choice.model = adapter;
      } else {
        Report(DesignKeyPath(unit.path, "adapter"),
               "no interface adapter " + QuotedDesignText(unit.model) + " in the catalogue");
      }
    } else {
      ResolveIndoorModel(unit, choice);
    }
    if (unit.options) {
      for (std::size_t i = 0; i < unit.options->size(); ++i) {
        const std::string& name = (*unit.options)[i];
        Cls_DeviceOption* option = unit.kind == LTDesignUnit::Kind::kVentilation
                                       ? catalogue_.VentilationOption(name)
                                       : catalogue_.IndoorOption(name);
        if (option) {
          choice.options.push_back(option);
        } else {
          Report(
              unit.optionPaths[i],
              std::string("no ") +
                  (unit.kind == LTDesignUnit::Kind::kVentilation ? "ventilation-unit" : "indoor") +
                  " option " + QuotedDesignText(name) + " in the catalogue");
        }
      }
    }
    return choice;
  }

  void ResolveIndoorModel(const LTDesignUnit& unit, LTUnitChoice& choice) {
    const bool dxCoil = unit.kind == LTDesignUnit::Kind::kDxCoil;
    if (!unit.series.empty()) {
      choice.series = catalogue_.IndoorSeries(unit.series);
      if (choice.series.empty()) {
        Report(DesignKeyPath(unit.path, "series"),
               "no indoor models of series " + QuotedDesignText(unit.series) + " in the catalogue");
        return;
      }
    } else {
      choice.series = dxCoil ? project_.GetDefaultAXDSeries() : project_.GetDefaultIndoorSeries();
    }
    if (!unit.model.empty()) {
      auto* model = catalogue_.IndoorUnit(unit.model);
      if (!model) {
        Report(DesignKeyPath(unit.path, "model"),
               "no indoor model " + QuotedDesignText(unit.model) + " in the catalogue");
        return;
      }
      if (!unit.series.empty() && !EqualNoCase(model->Series(), choice.series)) {
        Report(
            DesignKeyPath(unit.path, "model"),
            QuotedDesignText(model->Name()) + " is of series " + QuotedDesignText(model->Series()));
        return;
      }
      if (!unit.family.empty() && !EqualNoCase(model->Family(), unit.family)) {
        Report(
            DesignKeyPath(unit.path, "model"),
            QuotedDesignText(model->Name()) + " is of family " + QuotedDesignText(model->Family()));
        return;
      }
      choice.series = model->Series();
      choice.family = model->Family();
      choice.model = model;
      return;
    }
    if (choice.series.empty()) {
      Report(unit.path, std::string("the refrigerant has no default ") +
                            (dxCoil ? "DX-coil" : "indoor") + " series: give \"series\"");
      return;
    }
    choice.family = catalogue_.IndoorFamily(choice.series, unit.family);
    if (choice.family.empty()) {
      Report(DesignKeyPath(unit.path, "family"), "no indoor models of family " +
                                                     QuotedDesignText(unit.family) + " in series " +
                                                     QuotedDesignText(choice.series));
    }
  }

  LTSystemChoice ResolveSystem(const LTDesignSystem& system) {
    LTSystemChoice choice;
    const auto& series = project_.GetSeriesNames();
    const auto known = std::find_if(series.begin(), series.end(), [&](const std::string& s) {
      return EqualNoCase(s, system.series);
    });
    if (known == series.end()) {
      Report(DesignKeyPath(system.path, "series"),
             "no outdoor series " + QuotedDesignText(system.series) + " for " +
                 Utf8FromCp1251(refrigerant_->Name()) + " (" + JoinedList(series) + ")");
      return choice;
    }
    choice.series = *known;
    std::vector<int> families;
    for (Cls_OutdoorUnit* unit : catalogue_.OutdoorUnitsOf(refrigerant_, choice.series, -1)) {
      if (std::find(families.begin(), families.end(), unit->Family()) == families.end()) {
        families.push_back(unit->Family());
      }
    }
    if (system.family) {
      choice.family = *system.family;
      if (std::find(families.begin(), families.end(), choice.family) == families.end()) {
        Report(DesignKeyPath(system.path, "family"), "series " + QuotedDesignText(choice.series) +
                                                         " has no " + FamilyWord(choice.family) +
                                                         " models");
        return choice;
      }
    } else if (families.size() == 1) {
      choice.family = families.front();
    } else {
      Report(DesignKeyPath(system.path, "family"),
             "is missing: series " + QuotedDesignText(choice.series) + " has several families");
      return choice;
    }
    if (choice.family == kDesignCoolingOnly && system.heatOutdoorTemp) {
      Report(DesignKeyPath(system.path, "heating"),
             "a cooling-only system has no heating conditions");
    }
    CheckSystemRanges(system, choice);
    CheckNodes(system.connections, choice);
    for (const LTDesignPipe& pipe : system.pipes) {
      const double bound = catalogue_.LargestActualLength();
      if (bound > 0 && pipe.length > bound) {
        Report(DesignKeyPath(pipe.path, "length_m"),
               "needs a length above 0 and at most " + GeneralText(bound) +
                   " m (the longest actual length any outdoor model allows), not " +
                   GeneralText(pipe.length));
      }
    }
    return choice;
  }

  // The ranges the outdoor dialog takes for the series and family.
  void CheckSystemRanges(const LTDesignSystem& system, const LTSystemChoice& choice) {
    double lowest = 100;
    double highest = 100;
    bool high = false;
    for (Cls_OutdoorUnit* unit :
         catalogue_.OutdoorUnitsOf(refrigerant_, choice.series, choice.family)) {
      lowest = std::min(lowest, std::round(unit->MinConnRatio()));
      highest = std::max(highest, std::round(unit->GetMaxCombinationRatio(true)));
      high = high || unit->SupportsHighCombPerc();
    }
    lowest = std::max(lowest, 10.0);
    if (system.combination < lowest || system.combination > highest) {
      Report(DesignKeyPath(system.path, "combination_pct"),
             "needs a whole combination ratio from " + GeneralText(lowest) + " to " +
                 GeneralText(highest) + " % for series " + QuotedDesignText(choice.series) +
                 ", not " + GeneralText(system.combination));
    }
    if (system.allowHighRatio && !high) {
      Report(DesignKeyPath(system.path, "allow_high_ratio"),
             "series " + QuotedDesignText(choice.series) +
                 " has no model that takes high combination ratios");
    }
    if (system.allowHighRatio && !system.highRatioLimit) {
      Report(DesignKeyPath(system.path, "high_ratio_limit_pct"),
             "is missing (the limit of the ratio with allow_high_ratio true)");
    } else if (system.highRatioLimit && (*system.highRatioLimit < catalogue_.HighLimitMin() ||
                                         *system.highRatioLimit > catalogue_.HighLimitMax())) {
      Report(DesignKeyPath(system.path, "high_ratio_limit_pct"),
             "needs a whole ratio limit from " + GeneralText(catalogue_.HighLimitMin()) + " to " +
                 GeneralText(catalogue_.HighLimitMax()) + " %, not " +
                 GeneralText(*system.highRatioLimit));
    }
    const auto bound = [&](const char* key, const std::optional<double>& value, double limit) {
      if (value && *value > limit) {
        Report(DesignKeyPath(system.path, key),
               "needs a length from 0 to " + GeneralText(limit) + " m, not " + GeneralText(*value));
      }
    };
    bound("piping_length_m", system.pipingLength, catalogue_.PipingLengthBound());
    bound("first_branch_to_indoor_m", system.firstBranchLength, catalogue_.FirstBranchBound());
  }

  void CheckNodes(const std::vector<LTDesignNode>& nodes, const LTSystemChoice& choice) {
    for (const LTDesignNode& node : nodes) {
      if (node.kind == LTDesignNode::Kind::kBox && choice.family != kDesignHeatRecovery) {
        Report(node.path, "BS boxes are for heat-recovery systems");
      }
      if (node.kind == LTDesignNode::Kind::kHeader) {
        const auto& sizes = catalogue_.HeaderSizes();
        if (std::find(sizes.begin(), sizes.end(), node.outlets) == sizes.end()) {
          std::string list;
          for (std::size_t i = 0; i < sizes.size(); ++i) {
            list += (i == 0                  ? ""
                     : i + 1 == sizes.size() ? " or "
                                             : ", ") +
                    std::to_string(sizes[i]);
          }
          Report(DesignKeyPath(node.path, "outlets"),
                 "needs " + list + " outlets (the catalogue's headers), not " +
                     std::to_string(node.outlets));
        }
      }
      CheckNodes(node.children, choice);
    }
  }

  void AddUnit(std::size_t i) {
    const LTDesignUnit& unit = design_.units[i];
    const LTUnitChoice& choice = unitChoices_[i];
    Cls_QsIndPlacement* p = nullptr;
    switch (unit.kind) {
      case LTDesignUnit::Kind::kIndoor:
        p = project_.AddIndoorPlacement();
        break;
      case LTDesignUnit::Kind::kDxCoil:
        p = project_.AddAXDPlacement();
        break;
      case LTDesignUnit::Kind::kVentilation:
        p = project_.AddAEXPlacement();
        break;
      case LTDesignUnit::Kind::kAdapter:
        p = project_.AddAdapterPlacement();
        break;
    }
    p->SetName(unit.name);
    p->SetIuSeqNr(static_cast<int>(i) + 1);
    if (unit.kind == LTDesignUnit::Kind::kIndoor || unit.kind == LTDesignUnit::Kind::kDxCoil) {
      p->SetSeries(choice.series);
      p->SetFamily(choice.family);
      p->SetCoolIndoorTemp(unit.coolDryBulb);
      p->SetCoolIndoorRH(unit.coolHumidity);
      p->SetCoolCapReqTotal(unit.coolTotal);
      p->SetCoolCapReqSensible(unit.coolSensible);
      p->SetHeatIndoorTemp(unit.heatDryBulb);
      p->SetHeatCapReq(unit.heatTotal);
      p->SetManualSelect(choice.model != nullptr);
    }
    p->SetRemoteTypeValue(static_cast<int>(unit.remote));
    p->Post();
    if (unit.kind == LTDesignUnit::Kind::kAdapter) {
      static_cast<Cls_QsHXB415Placement*>(p)->SetAdapter(choice.model);
    } else {
      p->SetModel(choice.model);
    }
    units_.push_back(p);
    unitsByName_.emplace(unit.name, p);
  }

  Cls_QsOutPlacement* AddSystem(std::size_t i) {
    const LTDesignSystem& s = design_.systems[i];
    Cls_QsOutPlacement* system = project_.AddOutdoorPlacement();
    system->SetName(s.name);
    system->SetSeries(systemChoices_[i].series);
    system->SetFamily(systemChoices_[i].family);
    system->SetSelCombination(s.combination);
    system->SetAllowHighCombPerc(s.allowHighRatio);
    system->SetHighCombinationLimit(s.highRatioLimit.value_or(100));
    system->SetCoolOutdoorTemp(s.coolOutdoorTemp);
    system->SetCoolOutdoorRH(s.coolOutdoorHumidity);
    system->SetHeatOutdoorTemp(s.heatOutdoorTemp.value_or(0));
    system->SetHeatOutdoorRH(s.heatOutdoorHumidity);
    system->SetPipingLength(s.pipingLength.value_or(45));
    system->SetDistBranchToIndoors(s.firstBranchLength.value_or(40));
    system->SetPipingHeightDiff(s.outdoorLevel);
    system->Post();
    Connect(s.connections, *system, *system);
    systems_.push_back(system);
    return system;
  }

  void Connect(const std::vector<LTDesignNode>& nodes, Cls_QsOutPlacement& system,
               Cls_QsDevicePlacement& parent) {
    for (const LTDesignNode& node : nodes) {
      if (node.kind == LTDesignNode::Kind::kUnit) {
        system.ConnectPlacement(unitsByName_.at(node.name), &parent, nullptr);
        continue;
      }
      Cls_QsDevicePlacement* added =
          node.kind == LTDesignNode::Kind::kBox
              ? static_cast<Cls_QsDevicePlacement*>(
                    project_.AddBSBoxPlacement(system, parent, nullptr))
              : project_.AddHeaderPlacement(system, parent, nullptr, node.outlets);
      added->SetName(node.name);
      added->Post();
      Connect(node.children, system, *added);
    }
  }

  const LTDesign& design_;
  const CTDesignCatalogue& catalogue_;
  Cls_QsProject& project_;
  CTDbObject* refrigerant_ = nullptr;
  LTDesignErrors errors_;
  std::vector<LTUnitChoice> unitChoices_;
  std::vector<LTSystemChoice> systemChoices_;
  std::vector<Cls_QsIndPlacement*> units_;
  std::map<std::string, Cls_QsIndPlacement*> unitsByName_;
  std::vector<Cls_QsOutPlacement*> systems_;
};

}  // namespace

LTDesignErrors BuildDesign(const LTDesign& design, const CTDesignCatalogue& catalogue,
                           Cls_QsProject& project) {
  LTDesignErrors errors = CTDesignBuilder(design, catalogue, project).Build();
  LimitDesignErrors(errors);
  return errors;
}
