// The JSON form of the check report (keys in docs/design-format.md). Numbers are rounded to the
// precision the values have in the design (0.001 kW, 0.01 m, 0.1 mm, 0.0001 for factors, 0.001
// kg), so that the output does not change with the last bits of a calculation.

#include <cmath>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/CheckReport.h"
#include "platform/CodePage.h"

namespace {

using TJson = nlohmann::ordered_json;

TJson Rounded(double value, int decimals) {
  if (!std::isfinite(value)) return TJson();
  const double scale = std::pow(10.0, decimals);
  const double rounded = std::round(value * scale) / scale;
  return rounded == 0 ? 0.0 : rounded;  // no "-0.0"
}

TJson TextOrNull(const std::string& text) {
  return text.empty() ? TJson() : TJson(text);
}

const char* CheckFamilyKey(int family) {
  return family == 0 ? "heat_recovery" : family == 1 ? "heat_pump" : "cooling_only";
}

TJson Element(const LTPipingElement& e) {
  TJson json;
  json["kind"] = PipingKindName(e.kind);
  if (e.kind == LTPipingElement::Kind::kJoint) {
    json["between"] = {Utf8FromCp1251(e.first), Utf8FromCp1251(e.second)};
  } else {
    json["name"] = Utf8FromCp1251(e.name);
  }
  return json;
}

TJson Message(const LTCheckMessage& m) {
  TJson json;
  json["element"] = m.element;
  json["number"] = m.number;
  json["level"] = m.level;
  json["severity"] = m.level < 0 ? "warning" : "error";
  json["text"] = m.text;
  return json;
}

TJson Messages(const std::vector<LTCheckMessage>& messages) {
  TJson list = TJson::array();
  for (const LTCheckMessage& m : messages) list.push_back(Message(m));
  return list;
}

TJson Capacities(const LTCheckCapacities& c) {
  TJson json;
  json["cooling_total_kW"] = Rounded(c.coolingTotal, 3);
  json["cooling_sensible_kW"] = Rounded(c.coolingSensible, 3);
  json["heating_kW"] = Rounded(c.heating, 3);
  return json;
}

TJson System(const LTCheckSystem& s) {
  TJson json;
  json["name"] = s.name;
  json["series"] = s.series;
  json["family"] = CheckFamilyKey(s.family);
  json["model"] = TextOrNull(s.model);
  json["manual_piping"] = s.manualPiping;
  json["capacity_index"] = Rounded(s.capacityIndex, 3);
  json["index_at_100"] = s.model.empty() ? TJson() : Rounded(s.indexAt100, 3);
  json["combination_pct"] = s.combination ? Rounded(*s.combination, 1) : TJson();
  json["cooling_outdoor_db_C"] = Rounded(s.coolingOutdoor, 2);
  json["cooling_kW"] = Rounded(s.cooling, 3);
  json["heating_outdoor_db_C"] = s.heating ? Rounded(s.heatingOutdoor, 2) : TJson();
  json["heating_kW"] = s.heating ? Rounded(*s.heating, 3) : TJson();
  TJson pipes = TJson::array();
  for (const LTCheckPipe& p : s.pipes) {
    TJson pipe;
    pipe["from"] = Element(p.from);
    pipe["to"] = Element(p.to);
    pipe["length_m"] = Rounded(p.length, 2);
    pipe["pipes"] = p.pipeCount;
    pipe["liquid_mm"] = p.pipeCount ? Rounded(p.liquid, 1) : TJson();
    pipe["suction_mm"] = p.pipeCount ? Rounded(p.suction, 1) : TJson();
    pipe["discharge_mm"] = p.pipeCount == 3 ? Rounded(p.discharge, 1) : TJson();
    pipe["reducer"] = p.reducer;
    pipe["sized_up"] = p.sizedUp;
    pipe["size_text"] = p.sizeText;
    pipe["fitting"] = TextOrNull(p.fitting);
    pipes.push_back(std::move(pipe));
  }
  json["pipes"] = std::move(pipes);
  TJson units = TJson::array();
  for (const LTCheckUnitPiping& u : s.unitPiping) {
    TJson unit;
    unit["name"] = u.name;
    unit["actual_m"] = Rounded(u.actual, 2);
    unit["equivalent_m"] = Rounded(u.equivalent, 2);
    unit["effective_m"] = Rounded(u.effective, 2);
    unit["cooling_factor"] = Rounded(u.coolingFactor, 4);
    unit["heating_factor"] = Rounded(u.heatingFactor, 4);
    units.push_back(std::move(unit));
  }
  json["indoor_piping"] = std::move(units);
  json["additional_charge_kg"] = Rounded(s.additionalCharge, 3);
  json["factory_charge_kg"] = Rounded(s.baseCharge, 3);
  json["total_charge_kg"] = Rounded(s.baseCharge + s.additionalCharge, 3);
  json["messages"] = Messages(s.messages);
  json["piping_check"] = Messages(s.pipingErrors);
  return json;
}

TJson Unit(const LTCheckUnit& u) {
  TJson json;
  json["name"] = u.name;
  json["kind"] = u.kind;
  json["system"] = TextOrNull(u.system);
  json["model"] = TextOrNull(u.model);
  json["manual"] = u.manual;
  const bool loads = u.kind == "indoor" || u.kind == "dx_coil";
  json["required"] = loads ? Capacities(u.required) : TJson();
  json["available"] = loads ? Capacities(u.available) : TJson();
  json["error"] = u.error ? Message(*u.error) : TJson();
  return json;
}

}  // namespace

void WriteCheckJson(const LTCheckReport& r, std::ostream& out) {
  TJson json;
  json["format"] = "qrnsolvo-check";
  json["version"] = 1;
  TJson project;
  project["name"] = r.name;
  project["reference"] = r.reference;
  project["client"] = r.client;
  project["address"] = r.address;
  project["refrigerant"] = TextOrNull(r.refrigerant);
  json["project"] = std::move(project);
  TJson systems = TJson::array();
  for (const LTCheckSystem& s : r.systems) systems.push_back(System(s));
  json["systems"] = std::move(systems);
  TJson units = TJson::array();
  for (const LTCheckUnit& u : r.units) units.push_back(Unit(u));
  json["indoor_units"] = std::move(units);
  json["unconnected_messages"] = Messages(r.otherMessages);
  json["errors"] = r.errors;
  json["warnings"] = r.warnings;
  out << json.dump(2) << '\n';
}
