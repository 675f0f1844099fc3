#pragma once

// Psychrometric calculator for moist air at one barometric pressure, fixed when the calculator is
// created from an altitude.
//
// Units: temperatures in °C, relative humidity in per cent (0-100), humidity ratio in kg of water
// per kg of dry air, enthalpy in kJ per kg of dry air, specific volume in m³ per kg of dry air,
// air flow in m³/h, capacity in kW, pressures in Pa.
//
// Every operation is a pure computation on doubles: no allocation, no locale, no exceptions. A
// NaN input gives a NaN result (a NaN altitude is taken as sea level); the stepping searches
// always end.
class TAir {
 public:
  // Ratio of the molar masses of water vapour and dry air.
  static constexpr double kEpsilon = 0.6219779385109358;
  // Gas constant of dry air, J/(kg·K).
  static constexpr double kGasConstant = 287.0551882476825;
  // Specific heats of dry air and of water vapour, kJ/(kg·K).
  static constexpr double kCpAir = 1.006;
  static constexpr double kCpVapour = 1.805;
  // Latent heat of vaporisation at 0 °C, kJ/kg.
  static constexpr double kLatentHeat = 2501.0;
  // Offset from °C to K.
  static constexpr double kZeroCelsius = 273.15;
  // Range of temperatures the state operations accept; values outside are taken as the bound.
  static constexpr double kMinTemperature = -80.0;
  static constexpr double kMaxTemperature = 80.0;

  // A calculator at the pressure of the standard atmosphere at the given altitude (m).
  explicit TAir(double altitude = 0.0) : pressure_(PressureAtAltitude(altitude)) {}

  // Barometric pressure of this calculator, Pa.
  double Pressure() const { return pressure_; }

  // Barometric pressure at an altitude (m), interpolated linearly in a table from -500 m to
  // 3000 m and held at the end values outside it. A NaN altitude is taken as sea level.
  static double PressureAtAltitude(double altitude);

  // Saturation pressure of water vapour (Pa) over water at 0 °C and above, over ice below.
  static double SaturationPressure(double t);

  // Humidity ratio of air at dry bulb t and relative humidity rh.
  double HumidityRatio(double t, double rh) const;
  // Relative humidity of air at dry bulb t holding w; not limited to 100 (supersaturated air
  // reads above 100).
  double RelativeHumidity(double t, double w) const;
  // Volume of moist air per kg of dry air at dry bulb t and relative humidity rh.
  double SpecificVolume(double t, double rh) const;
  // Density of dry air (kg/m³) at dry bulb t.
  double DryAirDensity(double t) const;

  // Enthalpy of moist air at dry bulb t holding w.
  static double Enthalpy(double t, double w);
  // Dry bulb of air holding w at enthalpy h.
  static double TemperatureFromEnthalpy(double w, double h);
  // Humidity ratio of air at dry bulb t and enthalpy h; negative when h is below the enthalpy of
  // dry air at t.
  static double HumidityRatioFromEnthalpy(double t, double h);

  // Dew point of air holding w.
  double DewPoint(double w) const;

  // Temperature at which air of enthalpy h is saturated, searched downwards from tStart (raised
  // first when the air is already supersaturated there); -100 °C at the lowest.
  double SaturationTemperature(double tStart, double h) const;
  // Wet bulb of air at dry bulb t and relative humidity rh: the saturation temperature on the
  // line of constant enthalpy through the state.
  double WetBulbTemperature(double t, double rh) const;
  // Relative humidity of air at dry bulb t whose wet bulb is twb; 0 when the wet bulb is too low
  // for the dry bulb, above 100 when it is above the dry bulb.
  double RelativeHumidityFromWetBulb(double t, double twb) const;
  // Dry bulb of air whose wet bulb is twb and whose relative humidity is rh.
  double DryBulbFromWetBulb(double twb, double rh) const;

  // Sensible part (kW) of the total capacity q (kW) of a cooling coil with the given bypass factor
  // (per cent), air flow (m³/h) and entering air at dry bulb t and relative humidity rh.
  double SensibleCapacity(double bypassPercent, double airFlow, double rh, double t,
                          double q) const;

 private:
  // Relative humidity on an enthalpy line at temperature t, without the temperature clamp.
  double RelativeHumidityOnEnthalpyLine(double t, double h) const;
  // Leaving temperature of the bypass-factor coil model, found by bisection on the ADP
  // temperature above tAdpLow.
  double SolveCoilLeavingTemperature(double b, double t, double w, double hOut,
                                     double tAdpLow) const;

  double pressure_;
};
