#include "cli/AirCommand.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/CliErrors.h"
#include "cli/CliOptions.h"
#include "cli/CliText.h"
#include "physics/MoistAir.h"

namespace {

const char kAirUsage[] =
    "usage: qrnsolvo-cli air --db T (--rh RH | --wb T) [--altitude M] [--json]\n";

}  // namespace

LTAirState AirFromHumidity(double altitude, double dryBulb, double relativeHumidity) {
  const TAir air(altitude);
  LTAirState state;
  state.altitude = altitude;
  state.pressure = air.Pressure();
  state.dryBulb = dryBulb;
  state.relativeHumidity = relativeHumidity;
  state.humidityRatio = air.HumidityRatio(dryBulb, relativeHumidity);
  state.wetBulb = air.WetBulbTemperature(dryBulb, relativeHumidity);
  if (state.humidityRatio > 0.0) state.dewPoint = air.DewPoint(state.humidityRatio);
  state.enthalpy = TAir::Enthalpy(dryBulb, state.humidityRatio);
  state.specificVolume = air.SpecificVolume(dryBulb, relativeHumidity);
  return state;
}

std::optional<LTAirState> AirFromWetBulb(double altitude, double dryBulb, double wetBulb) {
  const TAir air(altitude);
  // The air is on the line of constant enthalpy through the saturated state at the wet bulb.
  const double enthalpy = TAir::Enthalpy(wetBulb, air.HumidityRatio(wetBulb, 100.0));
  const double humidityRatio = TAir::HumidityRatioFromEnthalpy(dryBulb, enthalpy);
  if (humidityRatio < 0.0) return std::nullopt;
  LTAirState state;
  state.altitude = altitude;
  state.pressure = air.Pressure();
  state.dryBulb = dryBulb;
  // A wet bulb equal to the dry bulb reads a hair above 100 % through the search tolerance.
  state.relativeHumidity = std::min(air.RelativeHumidity(dryBulb, humidityRatio), 100.0);
  state.humidityRatio = humidityRatio;
  state.wetBulb = wetBulb;
  if (humidityRatio > 0.0) state.dewPoint = air.DewPoint(humidityRatio);
  state.enthalpy = enthalpy;
  state.specificVolume = air.SpecificVolume(dryBulb, state.relativeHumidity);
  return state;
}

void WriteAirText(const LTAirState& s, std::ostream& out) {
  out << "pressure           " << FixedText(s.pressure, 0) << " Pa\n"
      << "dry bulb           " << FixedText(s.dryBulb, 1) << " °C\n"
      << "relative humidity  " << FixedText(s.relativeHumidity, 1) << " %\n"
      << "humidity ratio     " << FixedText(s.humidityRatio * 1000.0, 2) << " g/kg\n"
      << "wet bulb           " << FixedText(s.wetBulb, 1) << " °C\n"
      << "dew point          "
      << (s.dewPoint ? FixedText(*s.dewPoint, 1) + " °C" : "none (dry air)") << '\n'
      << "enthalpy           " << FixedText(s.enthalpy, 1) << " kJ/kg\n"
      << "specific volume    " << FixedText(s.specificVolume, 4) << " m³/kg\n";
}

void WriteAirJson(const LTAirState& s, std::ostream& out) {
  const nlohmann::ordered_json json = {
      {"altitude_m", s.altitude},
      {"pressure_Pa", s.pressure},
      {"dry_bulb_C", s.dryBulb},
      {"relative_humidity_pct", s.relativeHumidity},
      {"humidity_ratio_kg_per_kg", s.humidityRatio},
      {"wet_bulb_C", s.wetBulb},
      {"dew_point_C", s.dewPoint ? nlohmann::ordered_json(*s.dewPoint) : nlohmann::ordered_json()},
      {"enthalpy_kJ_per_kg", s.enthalpy},
      {"specific_volume_m3_per_kg", s.specificVolume},
  };
  out << json.dump(2) << '\n';
}

int RunAirCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto options =
      ParseCliOptions(args,
                      {AirTemperatureOption("--db", "a dry bulb"), HumidityOption("--rh"),
                       AirTemperatureOption("--wb", "a wet bulb"), AltitudeOption("--altitude"),
                       FlagOption("--json")},
                      kAirUsage, err);
  if (!options) return kCliNotUnderstood;
  if (!options->Has("--db")) {
    return CliReport(err, "air needs the dry bulb: --db T", kCliNotUnderstood);
  }
  if (options->Has("--rh") == options->Has("--wb")) {
    return CliReport(err,
                     "air needs either the relative humidity (--rh RH) or the wet bulb (--wb T)",
                     kCliNotUnderstood);
  }
  const double altitude = options->Number("--altitude", 0.0);
  const double db = options->Number("--db", 0.0);
  std::optional<LTAirState> state;
  if (options->Has("--rh")) {
    state = AirFromHumidity(altitude, db, options->Number("--rh", 0.0));
  } else {
    const double wb = options->Number("--wb", 0.0);
    if (wb <= db) state = AirFromWetBulb(altitude, db, wb);
    if (!state) {
      // Rounded up, so that the lowest value shown is accepted.
      const double dryAir = std::ceil(TAir(altitude).WetBulbTemperature(db, 0.0) * 10.0) / 10.0;
      const std::string lowest = dryAir >= kAirMinTemperature
                                     ? FixedText(dryAir, 1) + " °C (dry air)"
                                     : GeneralText(kAirMinTemperature) + " °C";
      return CliReport(err,
                       "--wb needs a wet bulb from " + lowest + " to " + GeneralText(db) +
                           " °C (the dry bulb), not '" + options->Text("--wb") + "'",
                       kCliNotUnderstood);
    }
  }
  if (options->Has("--json")) {
    WriteAirJson(*state, out);
  } else {
    WriteAirText(*state, out);
  }
  return kCliDone;
}
