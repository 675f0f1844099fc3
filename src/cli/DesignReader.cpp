#include "cli/DesignReader.h"

#include <map>
#include <set>

#include "cli/CliText.h"
#include "cli/DesignFields.h"
#include "cli/DesignJson.h"

namespace {

// The ranges the indoor and outdoor dialogs accept.
constexpr LTDesignRange kRoomCoolingDryBulb{"a dry bulb", " °C", 20, 32};
constexpr LTDesignRange kRoomHumidity{"a relative humidity", " %", 10, 100};
constexpr LTDesignRange kRoomHeatingDryBulb{"a dry bulb", " °C", 0, 24};
constexpr LTDesignRange kRequiredCapacity{"a capacity", " kW", 0, 500};
constexpr LTDesignRange kOutdoorCoolingDryBulb{"an outdoor dry bulb", " °C", -20, 60};
constexpr LTDesignRange kOutdoorHeatingDryBulb{"an outdoor dry bulb", " °C", -20, 30};
constexpr LTDesignRange kOutdoorHumidity{"a relative humidity", " %", 0, 100};
// Wide bounds here; the catalogue's series and models narrow them (DesignCatalogue.cpp).
constexpr LTDesignRange kCombination{"a combination ratio", " %", 10, 1000, false, true};
constexpr LTDesignRange kHighRatioLimit{"a ratio limit", " %", 10, 1000, false, true};
constexpr LTDesignRange kEstimatedLength{"a length", " m", 0, 1000};
constexpr LTDesignRange kPipeLength{"a length", " m", 0, 1000, true};
constexpr LTDesignRange kOutlets{"a number of outlets", "", 3, 64, false, true};

// The defaults of the estimated lengths (those of a new system).
constexpr double kDefaultPipingLength = 45;
constexpr double kDefaultFirstBranchLength = 40;

// Elements (units, boxes, headers) connected in one system: several times the most indoor units
// any outdoor model takes, and few enough that growing the piping tree stays quick (each
// connection rebuilds the system's tree).
constexpr std::size_t kMaxSystemElements = 256;

constexpr LTDesignTextRule kAddressRule{1000, true, true};
constexpr LTDesignTextRule kIdentityRule{200, true};

const char* KindList(LTDesignUnit::Kind kind) {
  switch (kind) {
    case LTDesignUnit::Kind::kIndoor:
      return "indoor_units";
    case LTDesignUnit::Kind::kDxCoil:
      return "dx_coil_units";
    case LTDesignUnit::Kind::kVentilation:
      return "ventilation_units";
    case LTDesignUnit::Kind::kAdapter:
      return "adapter_units";
  }
  return "";
}

bool HasPipe(LTDesignUnit::Kind kind) {
  return kind == LTDesignUnit::Kind::kIndoor || kind == LTDesignUnit::Kind::kDxCoil;
}

class CTDesignReader {
 public:
  CTDesignReader(LTDesign& design, LTDesignErrors& errors) : design_(design), errors_(errors) {}

  void Read(const TDesignJson& root) {
    CTDesignObject top(root, "", errors_);
    if (const TDesignJson* version = top.Find("version"); version && *version != 1) {
      Report(top.PathOf("version"),
             "needs 1, the version of this format, not " +
                 (version->is_number() ? version->dump() : DesignTypeName(*version)));
    }
    if (const TDesignJson* project = top.Find("project")) ReadProject(*project);
    for (auto kind : {LTDesignUnit::Kind::kIndoor, LTDesignUnit::Kind::kDxCoil,
                      LTDesignUnit::Kind::kVentilation, LTDesignUnit::Kind::kAdapter}) {
      const TDesignJson* list = top.List(KindList(kind));
      if (!list) continue;
      for (std::size_t i = 0; i < list->size(); ++i) {
        ReadUnit((*list)[i], DesignIndexPath(KindList(kind), i), kind);
      }
    }
    // Units are looked up by name from here on; the list does not change any more.
    for (const LTDesignUnit& unit : design_.units) {
      if (!unit.name.empty()) unitsByName_.emplace(unit.name, &unit);
    }
    if (const TDesignJson* systems = top.List("systems")) {
      for (std::size_t i = 0; i < systems->size(); ++i) {
        ReadSystem((*systems)[i], DesignIndexPath("systems", i));
      }
    }
    top.Finish();
  }

 private:
  void Report(const std::string& path, const std::string& message) {
    errors_.push_back({path, message});
  }

  // Every name of the design names one thing: a unit, a box, a header or a system.
  bool ClaimName(const std::string& name, const std::string& path) {
    const auto [it, added] = names_.emplace(name, path);
    if (!added) {
      Report(path, "the name " + QuotedDesignText(name) + " is already used at " + it->second);
    }
    return added;
  }

  void ReadProject(const TDesignJson& value) {
    CTDesignObject o(value, "project", errors_);
    LTDesignProject& p = design_.project;
    p.path = "project";
    p.name = o.Text("name", kIdentityRule).value_or("");
    p.reference = o.Text("reference", kIdentityRule).value_or("");
    p.client = o.Text("client", kIdentityRule).value_or("");
    p.address = o.Text("address", kAddressRule).value_or("");
    p.refrigerant = o.Text("refrigerant", kDesignCodeRule).value_or("");
    o.Finish();
  }

  void ReadUnit(const TDesignJson& value, const std::string& path, LTDesignUnit::Kind kind) {
    CTDesignObject o(value, path, errors_);
    LTDesignUnit unit;
    unit.path = path;
    unit.kind = kind;
    const std::size_t errorsBefore = errors_.size();
    if (auto name = o.Text("name", kDesignNameRule, true)) {
      if (ClaimName(*name, o.PathOf("name"))) unit.name = *name;
    }
    const bool indoorLike = HasPipe(kind);
    if (indoorLike) {
      unit.remote =
          kind == LTDesignUnit::Kind::kDxCoil ? TDesignRemote::kPrevious : TDesignRemote::kOwn;
      unit.family = o.Text("family", kDesignCodeRule).value_or("");
      unit.series = o.Text("series", kDesignCodeRule).value_or("");
      unit.model = o.Text("model", kDesignCodeRule).value_or("");
      if (const TDesignJson* cooling = o.Find("cooling")) {
        CTDesignObject c(*cooling, o.PathOf("cooling"), errors_);
        unit.coolDryBulb = c.Number("db_C", kRoomCoolingDryBulb).value_or(unit.coolDryBulb);
        unit.coolHumidity = c.Number("rh_pct", kRoomHumidity).value_or(unit.coolHumidity);
        unit.coolTotal = c.Number("total_kW", kRequiredCapacity).value_or(0);
        unit.coolSensible = c.Number("sensible_kW", kRequiredCapacity).value_or(0);
        if (unit.coolTotal > 0 && unit.coolSensible > unit.coolTotal) {
          Report(c.PathOf("sensible_kW"), "needs a sensible capacity not above the total (" +
                                              GeneralText(unit.coolTotal) + " kW)");
        }
        c.Finish();
      }
      if (const TDesignJson* heating = o.Find("heating")) {
        CTDesignObject h(*heating, o.PathOf("heating"), errors_);
        unit.heatDryBulb = h.Number("db_C", kRoomHeatingDryBulb).value_or(unit.heatDryBulb);
        unit.heatTotal = h.Number("total_kW", kRequiredCapacity).value_or(0);
        h.Finish();
      }
      if (errors_.size() == errorsBefore && unit.model.empty()) {
        if (unit.family.empty()) {
          Report(o.PathOf("family"), "is missing (or give a model chosen by hand)");
        } else if (unit.coolTotal <= 0 && unit.coolSensible <= 0 && unit.heatTotal <= 0) {
          Report(path,
                 "needs a required capacity (cooling.total_kW, cooling.sensible_kW or "
                 "heating.total_kW) or a model chosen by hand");
        }
      }
    } else if (kind == LTDesignUnit::Kind::kVentilation) {
      unit.model = o.Text("model", kDesignCodeRule, true).value_or("");
    } else {
      unit.remote = TDesignRemote::kNone;
      unit.model = o.Text("adapter", kDesignCodeRule, true).value_or("");
    }
    if (kind == LTDesignUnit::Kind::kAdapter) {
      // A device of another range has no remote controller of its own.
      if (auto remote = o.Word("remote_controller", {"none", "next", "previous"})) {
        unit.remote = static_cast<TDesignRemote>(*remote + 1);
      }
    } else {
      if (auto remote = o.Word("remote_controller", {"own", "none", "next", "previous"})) {
        unit.remote = static_cast<TDesignRemote>(*remote);
      }
      if (const TDesignJson* options = o.List("options")) {
        unit.options.emplace();
        for (std::size_t i = 0; i < options->size(); ++i) {
          const std::string optionPath = DesignIndexPath(o.PathOf("options"), i);
          if (auto option = DesignText((*options)[i], optionPath, kDesignCodeRule, errors_)) {
            unit.options->push_back(*option);
            unit.optionPaths.push_back(optionPath);
          }
        }
      }
    }
    o.Finish();
    design_.units.push_back(std::move(unit));
  }

  void ReadSystem(const TDesignJson& value, const std::string& path) {
    CTDesignObject o(value, path, errors_);
    LTDesignSystem s;
    s.path = path;
    if (auto name = o.Text("name", kDesignNameRule, true)) {
      if (ClaimName(*name, o.PathOf("name"))) s.name = *name;
    }
    s.series = o.Text("series", kDesignCodeRule, true).value_or("");
    if (auto family = o.Word("family", {"heat_recovery", "heat_pump", "cooling_only"})) {
      s.family = *family;
    }
    s.combination = o.Number("combination_pct", kCombination).value_or(100);
    s.allowHighRatio = o.Flag("allow_high_ratio").value_or(false);
    if (o.Has("high_ratio_limit_pct") && !s.allowHighRatio) {
      Report(o.PathOf("high_ratio_limit_pct"), "is only taken with allow_high_ratio true");
      o.Find("high_ratio_limit_pct");
    } else {
      s.highRatioLimit = o.Number("high_ratio_limit_pct", kHighRatioLimit);
    }
    if (const TDesignJson* cooling = o.Find("cooling")) {
      CTDesignObject c(*cooling, o.PathOf("cooling"), errors_);
      s.coolOutdoorTemp = c.Number("outdoor_db_C", kOutdoorCoolingDryBulb).value_or(32);
      s.coolOutdoorHumidity = c.Number("outdoor_rh_pct", kOutdoorHumidity).value_or(50);
      c.Finish();
    }
    if (const TDesignJson* heating = o.Find("heating")) {
      if (s.family == kDesignCoolingOnly) {
        Report(o.PathOf("heating"), "a cooling-only system has no heating conditions");
      } else {
        CTDesignObject h(*heating, o.PathOf("heating"), errors_);
        s.heatOutdoorTemp = h.Number("outdoor_db_C", kOutdoorHeatingDryBulb);
        if (!s.heatOutdoorTemp) s.heatOutdoorTemp = 0;
        s.heatOutdoorHumidity = h.Number("outdoor_rh_pct", kOutdoorHumidity).value_or(50);
        h.Finish();
      }
    }
    s.manualPiping = o.Flag("manual_piping").value_or(false);
    for (const char* key : {"piping_length_m", "first_branch_to_indoor_m"}) {
      if (s.manualPiping && o.Has(key)) {
        Report(o.PathOf(key), "is not used with manual_piping true (give the pipes' lengths)");
        o.Find(key);
      }
    }
    if (!s.manualPiping) {
      s.pipingLength = o.Number("piping_length_m", kEstimatedLength);
      s.firstBranchLength = o.Number("first_branch_to_indoor_m", kEstimatedLength);
      const double longest = s.pipingLength.value_or(kDefaultPipingLength);
      const double first = s.firstBranchLength.value_or(kDefaultFirstBranchLength);
      if (first > longest) {
        Report(o.PathOf(s.firstBranchLength ? "first_branch_to_indoor_m" : "piping_length_m"),
               "the length from the first branch (" + GeneralText(first) +
                   " m) exceeds the longest piping length (" + GeneralText(longest) + " m)");
      }
    }
    if (auto level = o.Word("outdoor_level", {"above", "same", "below"})) {
      s.outdoorLevel = *level == 0 ? 10 : *level == 1 ? 0 : -10;
    }
    systemPiped_.clear();
    systemElements_ = 0;
    if (const TDesignJson* connections = o.List("connections")) {
      ReadNodes(*connections, o.PathOf("connections"), LTDesignNode::Kind::kUnit, s.connections);
    }
    if (const TDesignJson* pipes = o.List("pipes")) {
      if (!s.manualPiping && !pipes->empty()) {
        Report(o.PathOf("pipes"), "lengths per pipe are only taken with manual_piping true");
      } else {
        ReadPipes(*pipes, o.PathOf("pipes"), s);
      }
    }
    o.Finish();
    design_.systems.push_back(std::move(s));
  }

  // The elements below a parent: the system (kind kUnit stands for it here), a box or a header.
  void ReadNodes(const TDesignJson& list, const std::string& path, LTDesignNode::Kind parent,
                 std::vector<LTDesignNode>& nodes) {
    for (std::size_t i = 0; i < list.size(); ++i) {
      const TDesignJson& value = list[i];
      const std::string nodePath = DesignIndexPath(path, i);
      if (++systemElements_ > kMaxSystemElements) {
        Report(nodePath, "more than " + std::to_string(kMaxSystemElements) +
                             " units, boxes and headers in one system");
        return;
      }
      if (value.is_string()) {
        ReadUnitReference(value, nodePath, parent, nodes);
        continue;
      }
      CTDesignObject o(value, nodePath, errors_);
      if (!o.IsObject()) continue;
      const bool box = o.Has("box");
      if (box == o.Has("header")) {
        Report(nodePath, "needs either a \"box\" or a \"header\"");
        continue;
      }
      LTDesignNode node;
      node.path = nodePath;
      node.kind = box ? LTDesignNode::Kind::kBox : LTDesignNode::Kind::kHeader;
      const char* key = box ? "box" : "header";
      if (auto name = o.Text(key, kDesignNameRule)) {
        if (ClaimName(*name, o.PathOf(key))) {
          node.name = *name;
          systemPiped_.insert(*name);
        }
      }
      if (box && parent == LTDesignNode::Kind::kBox) {
        Report(nodePath, "a BS box connects to the system or to a header, not to a BS box");
      }
      if (!box && parent == LTDesignNode::Kind::kHeader) {
        Report(nodePath, "a header connects to the system or to a BS box, not to a header");
      }
      if (!box) node.outlets = static_cast<int>(o.Number("outlets", kOutlets, true).value_or(0));
      if (const TDesignJson* children = o.List("connections")) {
        if (!box && node.outlets > 0 && children->size() > static_cast<std::size_t>(node.outlets)) {
          Report(o.PathOf("connections"), std::to_string(children->size()) +
                                              " connections on a header with " +
                                              std::to_string(node.outlets) + " outlets");
        }
        ReadNodes(*children, o.PathOf("connections"), node.kind, node.children);
      }
      o.Finish();
      nodes.push_back(std::move(node));
    }
  }

  void ReadUnitReference(const TDesignJson& value, const std::string& path,
                         LTDesignNode::Kind parent, std::vector<LTDesignNode>& nodes) {
    const auto name = DesignText(value, path, kDesignNameRule, errors_);
    if (!name) return;
    const auto unit = unitsByName_.find(*name);
    if (unit == unitsByName_.end()) {
      Report(path, "no unit named " + QuotedDesignText(*name) +
                       " in indoor_units, dx_coil_units, ventilation_units or adapter_units");
      return;
    }
    const auto [connected, first] = connectedAt_.emplace(*name, path);
    if (!first) {
      Report(path, QuotedDesignText(*name) + " is already connected at " + connected->second);
      return;
    }
    if (!HasPipe(unit->second->kind) && parent != LTDesignNode::Kind::kUnit) {
      Report(path, "ventilation and adapter units connect directly to the system");
      return;
    }
    if (HasPipe(unit->second->kind)) systemPiped_.insert(*name);
    nodes.push_back({path, LTDesignNode::Kind::kUnit, *name, 0, {}});
  }

  void ReadPipes(const TDesignJson& list, const std::string& path, LTDesignSystem& system) {
    std::map<std::string, std::string> pipeTo;
    for (std::size_t i = 0; i < list.size(); ++i) {
      const std::string pipePath = DesignIndexPath(path, i);
      CTDesignObject o(list[i], pipePath, errors_);
      if (!o.IsObject()) continue;
      LTDesignPipe pipe;
      pipe.path = pipePath;
      const bool joint = o.Has("joint");
      if (joint == o.Has("to")) {
        Report(pipePath, "needs either \"to\" (an element) or \"joint\" (two elements)");
        o.Find("to");
        o.Find("joint");
      } else if (!joint) {
        if (auto to = o.Text("to", kDesignNameRule); to && IsPipedElement(*to, o.PathOf("to"))) {
          const auto [given, first] = pipeTo.emplace(*to, o.PathOf("to"));
          if (first) {
            pipe.to = *to;
          } else {
            Report(o.PathOf("to"), "the pipe to " + QuotedDesignText(*to) +
                                       " is already given at " + given->second);
          }
        }
      } else if (const TDesignJson* pair = o.List("joint")) {
        if (pair->size() != 2) {
          Report(o.PathOf("joint"), "needs two elements, one on each branch of the joint");
        } else {
          auto a = DesignText((*pair)[0], DesignIndexPath(o.PathOf("joint"), 0), kDesignNameRule,
                              errors_);
          auto b = DesignText((*pair)[1], DesignIndexPath(o.PathOf("joint"), 1), kDesignNameRule,
                              errors_);
          if (a && b && *a == *b) {
            Report(o.PathOf("joint"), "needs two different elements");
          } else if (a && b && IsPipedElement(*a, DesignIndexPath(o.PathOf("joint"), 0)) &&
                     IsPipedElement(*b, DesignIndexPath(o.PathOf("joint"), 1))) {
            pipe.jointFirst = *a;
            pipe.jointSecond = *b;
          }
        }
      }
      const auto length = o.Number("length_m", kPipeLength, true);
      o.Finish();
      if (length && (!pipe.to.empty() || !pipe.jointFirst.empty())) {
        pipe.length = *length;
        system.pipes.push_back(std::move(pipe));
      }
    }
  }

  // Whether the name is an element of the system being read that has a pipe (a unit with
  // refrigerant piping, a box or a header connected in it); reported otherwise.
  bool IsPipedElement(const std::string& name, const std::string& path) {
    if (systemPiped_.count(name)) return true;
    const auto unit = unitsByName_.find(name);
    if (unit != unitsByName_.end() && !HasPipe(unit->second->kind)) {
      Report(path, QuotedDesignText(name) + " has no refrigerant pipe");
    } else {
      Report(path, "no unit, box or header named " + QuotedDesignText(name) +
                       " is connected in this system");
    }
    return false;
  }

  LTDesign& design_;
  LTDesignErrors& errors_;
  std::map<std::string, std::string> names_;  // name -> where it was first given
  std::map<std::string, const LTDesignUnit*> unitsByName_;
  std::map<std::string, std::string> connectedAt_;  // unit name -> where it is connected
  std::set<std::string> systemPiped_;  // the system's units with pipes, boxes and headers
  std::size_t systemElements_ = 0;     // the elements connected in the system so far
};

}  // namespace

void LimitDesignErrors(LTDesignErrors& errors) {
  if (errors.size() <= kDesignMaxErrors) return;
  const std::size_t more = errors.size() - (kDesignMaxErrors - 1);
  errors.resize(kDesignMaxErrors - 1);
  errors.push_back({"design", "and " + std::to_string(more) + " more problems"});
}

LTDesignErrors ReadDesign(const std::string& text, LTDesign& design) {
  design = LTDesign{};
  LTDesignErrors errors;
  if (text.size() > kDesignMaxBytes) {
    errors.push_back({"design", "larger than " + std::to_string(kDesignMaxBytes) + " bytes"});
    return errors;
  }
  LTDesignError parseError;
  const auto root = ParseDesignJson(text, parseError);
  if (!root) {
    if (parseError.path.empty()) parseError.path = "design";
    errors.push_back(parseError);
    return errors;
  }
  CTDesignReader(design, errors).Read(*root);
  LimitDesignErrors(errors);
  return errors;
}
