#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A fault in the performance input or in what it leads to, tied to a place in an input file.
// what() is the one line the tool prints: "file:line: message" ("file: message" without a line).
class CTPerformanceError : public std::runtime_error {
 public:
  CTPerformanceError(const std::string& file, int line, const std::string& message);
};

// The constants of one outdoor series: where its curves hold, its rating conditions and the
// sensitivities of the capacity model (data/catalogue/performance/README.md describes each).
struct LTSeriesConstants {
  std::string name;
  std::string file;
  int line = 0;

  // Rating conditions: cooling indoor dry bulb (°C) and relative humidity (%), outdoor (°C);
  // heating indoor dry bulb and outdoor.
  double coolRatingDryBulb = 0.0, coolRatingHumidity = 0.0, coolRatingOutdoor = 0.0;
  double heatRatingIndoor = 0.0, heatRatingOutdoor = 0.0;
  // Indoor range of the curves: wet bulb in cooling, dry bulb in heating.
  double coolIndoorLow = 0.0, coolIndoorHigh = 0.0;
  double heatIndoorLow = 0.0, heatIndoorHigh = 0.0;
  // Outdoor temperatures of the curves, ascending; no heating temperatures: cooling only.
  std::vector<double> coolOutdoorTemps;
  std::vector<double> heatOutdoorTemps;
  // Combination rows: from minRatio every ratioStep % up to the model's highest ratio.
  double minRatio = 0.0, ratioStep = 0.0;

  // Partial load: sharpness p of the smooth minimum of the indoor-side and compressor-side
  // capacities, and the compressor's capacity at the rating point over the rated capacity.
  double loadSharpness = 0.0, compressorReserve = 0.0;
  // Capacity sensitivities (1/K) to the indoor temperature (indoor side, compressor side), and
  // to the outdoor temperature (slope at the rating point, saturation span in K).
  double coolIndoorSlope = 0.0, coolCompressorSlope = 0.0;
  double coolOutdoorSlope = 0.0, coolOutdoorSpan = 0.0;
  double heatIndoorSlope = 0.0, heatCompressorSlope = 0.0;
  double heatOutdoorSlope = 0.0, heatOutdoorSpan = 0.0;
  // Refrigerant temperatures (K): coil approaches at full load, the lowest condensing
  // temperature in cooling and the width of its smooth bound.
  double coolEvaporatorApproach = 0.0, coolCondenserApproach = 0.0;
  double minCondensing = 0.0, condensingSmoothing = 0.0;
  double heatCondenserApproach = 0.0, heatEvaporatorApproach = 0.0;
  // Power input: offset (K) and exponent of the effective lift, and the constant share of the
  // rated power (fans, controls).
  double liftOffset = 0.0, liftExponent = 0.0, auxiliaryFraction = 0.0;

  // Piping: equivalent lengths of the variation rows (the last is the longest allowed), the
  // factors at the longest length and the exponent of the fall.
  std::vector<double> pipingLengths;
  double pipingCoolingAtMax = 0.0, pipingHeatingAtMax = 0.0, pipingExponent = 0.0;
  // Defrost rows: outdoor temperatures and heating capacity factors.
  std::vector<double> defrostTemps;
  std::vector<double> defrostFactors;

  bool HasHeating() const { return !heatOutdoorTemps.empty(); }
};

// The rated values of one outdoor model.
struct LTModelRating {
  std::string name;
  std::string series;
  std::string file;
  int line = 0;
  // Names of the modules of a multi-module unit (empty for a single module).
  std::vector<std::string> modules;
  // kW at the series' rating conditions; the heating values are 0 for a cooling-only series.
  double coolingCapacity = 0.0, coolingPower = 0.0;
  double heatingCapacity = 0.0, heatingPower = 0.0;
  bool hasHeating = false;
  // Capacity index at 100 % and the highest combination ratio (%).
  double index = 0.0;
  double maxRatio = 0.0;
};

// Everything read from the input files, in input order, with the names indexed.
struct LTPerformanceInput {
  std::vector<LTSeriesConstants> series;
  std::vector<LTModelRating> models;

  void Add(LTSeriesConstants s);
  void Add(LTModelRating m);
  const LTSeriesConstants* FindSeries(std::string_view name) const;
  const LTModelRating* FindModel(std::string_view name) const;

 private:
  std::map<std::string, std::size_t, std::less<>> seriesIndex_;
  std::map<std::string, std::size_t, std::less<>> modelIndex_;
};

// Largest input file accepted, in bytes.
constexpr std::size_t kMaxPerformanceInputSize = 16u << 20;

// Appends the series and models of one input file's text to input; `file` names it in errors.
// Throws CTPerformanceError.
void ReadPerformanceText(const std::string& file, std::string_view text, LTPerformanceInput& input);
// The same for a file on disk.
void ReadPerformanceFile(const std::string& path, LTPerformanceInput& input);
// The checks across files, once everything is read: every model's series exists, its values fit
// the series (heating or not, combination rows), multi-module units are the sums of their
// modules. Throws CTPerformanceError at the offending row.
void CheckPerformanceInput(const LTPerformanceInput& input);
