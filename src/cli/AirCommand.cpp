#include "cli/AirCommand.h"

#include <charconv>
#include <cmath>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>

#include "objectstore/FloatText.h"
#include "physics/MoistAir.h"

namespace {

const char kAirUsage[] =
    "usage: qrnsolvo-cli air --db T (--rh RH | --wb T) [--altitude M] [--json]\n";

std::optional<double> Number(const std::string& text) {
  const auto value = ParseStoreFloat(text);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return value;
}

// Rounded for display; the JSON carries the full values.
std::string Shown(double value, int decimals) {
  char text[64];
  const auto result =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  return std::string(text, result.ptr);
}

}  // namespace

int RunAirCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::map<std::string, double> options;
  bool json = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--json") {
      json = true;
      continue;
    }
    const bool known =
        args[i] == "--db" || args[i] == "--rh" || args[i] == "--wb" || args[i] == "--altitude";
    if (!known || i + 1 >= args.size()) {
      err << kAirUsage;
      return 2;
    }
    const auto value = Number(args[i + 1]);
    if (!value) {
      err << "qrnsolvo-cli: " << args[i] << " needs a number, not '" << args[i + 1] << "'\n";
      return 2;
    }
    options[args[i].substr(2)] = *value;
    ++i;
  }
  if (!options.count("db") || options.count("rh") == options.count("wb")) {
    err << kAirUsage;
    return 2;
  }
  const TAir air(options.count("altitude") ? options["altitude"] : 0.0);
  const double db = options["db"];
  nlohmann::json result;
  result["dry_bulb_C"] = db;
  result["pressure_Pa"] = air.Pressure();
  if (options.count("wb")) {
    const double wb = options["wb"];
    const double rh = air.RelativeHumidityFromWetBulb(db, wb);
    result["wet_bulb_C"] = wb;
    result["relative_humidity_pct"] = rh;
    if (json) {
      out << result.dump(2) << '\n';
    } else {
      out << "pressure           " << Shown(air.Pressure(), 0) << " Pa\n"
          << "relative humidity  " << Shown(rh, 1) << " %\n";
    }
    return 0;
  }
  const double rh = options["rh"];
  const double w = air.HumidityRatio(db, rh);
  result["relative_humidity_pct"] = rh;
  result["humidity_ratio_kg_per_kg"] = w;
  result["wet_bulb_C"] = air.WetBulbTemperature(db, rh);
  result["dew_point_C"] = air.DewPoint(w);
  result["enthalpy_kJ_per_kg"] = TAir::Enthalpy(db, w);
  result["specific_volume_m3_per_kg"] = air.SpecificVolume(db, rh);
  if (json) {
    out << result.dump(2) << '\n';
    return 0;
  }
  out << "pressure           " << Shown(air.Pressure(), 0) << " Pa\n"
      << "humidity ratio     " << Shown(w * 1000.0, 2) << " g/kg\n"
      << "wet bulb           " << Shown(result["wet_bulb_C"].get<double>(), 1) << " °C\n"
      << "dew point          " << Shown(result["dew_point_C"].get<double>(), 1) << " °C\n"
      << "enthalpy           " << Shown(result["enthalpy_kJ_per_kg"].get<double>(), 1) << " kJ/kg\n"
      << "specific volume    " << Shown(result["specific_volume_m3_per_kg"].get<double>(), 4)
      << " m³/kg\n";
  return 0;
}
