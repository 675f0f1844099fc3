#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// qrnsolvo-cli air --db T (--rh RH | --wb T) [--altitude M] [--json]: the moist-air state of a
// dry bulb with a relative humidity or a wet bulb: pressure, relative humidity, humidity ratio,
// wet bulb, dew point, enthalpy and specific volume.

struct LTAirState {
  double altitude = 0.0;           // m
  double pressure = 0.0;           // Pa
  double dryBulb = 0.0;            // °C
  double relativeHumidity = 0.0;   // %
  double humidityRatio = 0.0;      // kg/kg
  double wetBulb = 0.0;            // °C
  std::optional<double> dewPoint;  // °C; perfectly dry air has none
  double enthalpy = 0.0;           // kJ/kg
  double specificVolume = 0.0;     // m³/kg
};

// The state of air at a dry bulb and relative humidity (in their ranges, CliOptions.h).
LTAirState AirFromHumidity(double altitude, double dryBulb, double relativeHumidity);
// The state of air at a dry bulb and a wet bulb not above it; nothing when the wet bulb lies
// below that of perfectly dry air at the dry bulb (no air has that state).
std::optional<LTAirState> AirFromWetBulb(double altitude, double dryBulb, double wetBulb);

void WriteAirText(const LTAirState& state, std::ostream& out);
void WriteAirJson(const LTAirState& state, std::ostream& out);

int RunAirCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
