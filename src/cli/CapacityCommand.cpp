#include "cli/CapacityCommand.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <ostream>

#include "catalogue/OutdoorCapacity.h"
#include "catalogue/OutdoorUnits.h"
#include "cli/CliCatalogue.h"
#include "cli/CliErrors.h"
#include "cli/CliOptions.h"
#include "cli/CliText.h"
#include "i18n/MessageCatalog.h"
#include "physics/MoistAir.h"
#include "platform/CodePage.h"

namespace {

const char kCapacityUsage[] =
    "usage: qrnsolvo-cli capacity --model NAME --mode cool|heat --indoor-db T [--indoor-rh RH]\n"
    "         --outdoor T [--index CI] [--length L] [--height H] [--altitude M]\n"
    "         [--catalogue FILE] [--json]\n";

// The messages that explain statuses 1 to 4.
constexpr int kMsgFirstStatus = 10051;

// Whole metres as the piping correction takes them, rounded half away from zero (the options'
// ranges keep the values far inside an int).
int WholeMetres(double metres) {
  return static_cast<int>(std::lround(metres));
}

nlohmann::ordered_json Json(double value) {
  return std::isfinite(value) ? nlohmann::ordered_json(value) : nlohmann::ordered_json();
}

}  // namespace

LTCapacityResult ComputeCapacity(Cls_OutdoorUnit& unit, const LTCapacityConditions& c) {
  const TAir air(c.altitude);
  LTCapacityResult r;
  r.model = Utf8FromCp1251(unit.Name());
  r.cooling = c.cooling;
  r.indoorDryBulb = c.indoorDryBulb;
  if (c.cooling) {
    r.indoorHumidity = c.indoorHumidity;
    r.indoorWetBulb = air.WetBulbTemperature(c.indoorDryBulb, c.indoorHumidity);
  }
  r.outdoor = c.outdoor;
  r.indexAt100 = unit.GetCapacityIndexAt(100.0);
  r.capacityIndex = c.index.value_or(r.indexAt100);
  if (r.indexAt100 > 0.0) r.combination = 100.0 * r.capacityIndex / r.indexAt100;
  r.capacity = unit.GetCapacityAt(c.cooling, c.indoorDryBulb, c.indoorHumidity, c.outdoor, 0.0,
                                  r.capacityIndex, air, r.status);
  r.powerInput = unit.GetPowerInputAt(c.cooling, c.indoorDryBulb, c.indoorHumidity, c.outdoor, 0.0,
                                      r.capacityIndex, air);
  if (r.status >= kCapacityOutsideCoolingEnvelope && r.status <= kCapacityOutsideHeatingTable) {
    r.statusText = Utf8FromCp1251(TBaseMsg::GetText(kMsgFirstStatus + r.status - 1, CTMsgList{}));
  } else if (r.status == kCapacityAboveLastCurve) {
    r.statusText = "outdoor temperature above the last curve";
  }
  r.length = WholeMetres(c.length);
  r.height = WholeMetres(c.height);
  const TVarCapList& table =
      unit.GetCapVariationTable(c.cooling ? kVariationCooling : kVariationHeating);
  r.pipingFactor = unit.GetPipingCorrection(table, r.length, r.height);
  r.defrostFactor = c.cooling ? 1.0 : unit.GetDefrostFactor(c.outdoor);
  r.correctedCapacity = r.capacity * r.pipingFactor;
  return r;
}

std::optional<std::string> FirstNonFinite(const LTCapacityResult& r) {
  const std::pair<const char*, double> values[] = {
      {"indoor wet bulb", r.indoorWetBulb},
      {"capacity index at 100 %", r.indexAt100},
      {"combination ratio", r.combination.value_or(0.0)},
      {"capacity", r.capacity},
      {"power input", r.powerInput},
      {"piping factor", r.pipingFactor},
      {"defrost factor", r.defrostFactor},
      {"capacity with piping", r.correctedCapacity},
  };
  for (const auto& [name, value] : values) {
    if (!std::isfinite(value)) return name;
  }
  return std::nullopt;
}

void WriteCapacityText(const LTCapacityResult& r, std::ostream& out) {
  out << "model              " << r.model << '\n'
      << "mode               " << (r.cooling ? "cooling" : "heating") << '\n'
      << "indoor             " << FixedText(r.indoorDryBulb, 1) << " °C";
  if (r.cooling) {
    out << ", " << FixedText(r.indoorHumidity, 0) << " % (wet bulb "
        << FixedText(r.indoorWetBulb, 1) << " °C)";
  }
  out << '\n'
      << "outdoor            " << FixedText(r.outdoor, 1) << " °C\n"
      << "capacity index     " << FixedText(r.capacityIndex, 1) << " ("
      << (r.combination ? FixedText(*r.combination, 0) : "-") << " % of "
      << FixedText(r.indexAt100, 1) << ")\n"
      << "capacity           " << FixedText(r.capacity, 2) << " kW"
      << (r.cooling ? "" : " (defrost included)") << '\n'
      << "power input        " << FixedText(r.powerInput, 2) << " kW\n"
      << "status             " << r.status << (r.statusText.empty() ? "" : " " + r.statusText)
      << '\n'
      << "piping factor      " << FixedText(r.pipingFactor, 4) << " (" << r.length << " m, level "
      << r.height << " m)\n"
      << "defrost factor     " << FixedText(r.defrostFactor, 4) << '\n'
      << "with piping        " << FixedText(r.correctedCapacity, 2) << " kW\n";
}

void WriteCapacityJson(const LTCapacityResult& r, std::ostream& out) {
  nlohmann::ordered_json json;
  json["model"] = r.model;
  json["mode"] = r.cooling ? "cool" : "heat";
  json["indoor_db_C"] = Json(r.indoorDryBulb);
  if (r.cooling) {
    json["indoor_rh_pct"] = Json(r.indoorHumidity);
    json["indoor_wb_C"] = Json(r.indoorWetBulb);
  }
  json["outdoor_C"] = Json(r.outdoor);
  json["capacity_index"] = Json(r.capacityIndex);
  json["index_at_100"] = Json(r.indexAt100);
  json["combination_pct"] = r.combination ? Json(*r.combination) : nlohmann::ordered_json();
  json["capacity_kW"] = Json(r.capacity);
  json["power_input_kW"] = Json(r.powerInput);
  json["status"] = r.status;
  json["status_text"] = r.statusText;
  json["length_m"] = r.length;
  json["height_m"] = r.height;
  json["piping_factor"] = Json(r.pipingFactor);
  json["defrost_factor"] = Json(r.defrostFactor);
  json["corrected_capacity_kW"] = Json(r.correctedCapacity);
  out << json.dump(2) << '\n';
}

int RunCapacityCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto options = ParseCliOptions(
      args,
      {TextOption("--model"),
       TextOption("--mode"),
       AirTemperatureOption("--indoor-db", "an indoor dry bulb"),
       HumidityOption("--indoor-rh"),
       {"--outdoor", LTCliOption::Kind::Number, "an outdoor temperature", " °C",
        kMinOutdoorTemperature, kMaxOutdoorTemperature},
       {"--index", LTCliOption::Kind::Number, "a capacity index", "", 0.0, kMaxCapacityIndex, true},
       {"--length", LTCliOption::Kind::Number, "an equivalent length", " m", 0.0,
        kMaxEquivalentLength},
       {"--height", LTCliOption::Kind::Number, "a level difference", " m", -kMaxEquivalentLength,
        kMaxEquivalentLength},
       AltitudeOption("--altitude"),
       TextOption("--catalogue"),
       FlagOption("--json")},
      kCapacityUsage, err);
  if (!options) return kCliNotUnderstood;
  for (const char* needed : {"--model NAME", "--mode cool|heat", "--indoor-db T", "--outdoor T"}) {
    const std::string name = std::string(needed).substr(0, std::string(needed).find(' '));
    if (!options->Has(name)) {
      return CliReport(err, std::string("capacity needs ") + needed, kCliNotUnderstood);
    }
  }
  const std::string& mode = options->Text("--mode");
  if (mode != "cool" && mode != "heat") {
    return CliReport(err, "--mode needs cool or heat, not '" + mode + "'", kCliNotUnderstood);
  }
  LTCapacityConditions conditions;
  conditions.cooling = mode == "cool";
  if (conditions.cooling && !options->Has("--indoor-rh")) {
    return CliReport(err,
                     "cooling needs the indoor relative humidity for the wet bulb: --indoor-rh RH "
                     "(0 to 100 %)",
                     kCliNotUnderstood);
  }
  conditions.indoorDryBulb = options->Number("--indoor-db", 0.0);
  conditions.indoorHumidity = options->Number("--indoor-rh", 50.0);
  conditions.outdoor = options->Number("--outdoor", 0.0);
  if (options->Has("--index")) conditions.index = options->Number("--index", 0.0);
  conditions.length = options->Number("--length", 0.0);
  conditions.height = options->Number("--height", 0.0);
  conditions.altitude = options->Number("--altitude", 0.0);
  // No pipe rises further than it is long.
  if (std::fabs(conditions.height) > conditions.length) {
    return CliReport(err,
                     "--height needs a level difference within ±" + GeneralText(conditions.length) +
                         " m (the equivalent length, --length), not '" + options->Text("--height") +
                         "'",
                     kCliNotUnderstood);
  }

  CTCliCatalogue catalogue(err);
  if (!catalogue.Open(options->Text("--catalogue"))) return kCliFailed;
  const std::string& model = options->Text("--model");
  Cls_OutdoorUnit* unit = catalogue.FindOutdoorUnit(model);
  if (!unit) return CliReport(err, "no outdoor model '" + model + "' in the catalogue", kCliFailed);
  const LTCapacityResult result = ComputeCapacity(*unit, conditions);
  if (const auto bad = FirstNonFinite(result)) {
    return CliReport(err,
                     "the catalogue data of " + result.model + " give no finite " + *bad +
                         " at these conditions",
                     kCliFailed);
  }
  if (options->Has("--json")) {
    WriteCapacityJson(result, out);
  } else {
    WriteCapacityText(result, out);
  }
  return kCliDone;
}
