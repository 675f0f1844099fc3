#pragma once

#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One option of a command: a flag ("--json"), or a name followed by a text or a number. A number
// must be written in full in the store's decimal form (no "12abc", "nan", "inf" or values beyond
// the range of a double) and lie in its range.
struct LTCliOption {
  enum class Kind { Flag, Text, Number };
  const char* name;  // "--db"
  Kind kind = Kind::Flag;
  // Numbers: what the value is ("a temperature"), its unit (" °C", "" for none) and its range:
  // from min to max, or above min (exclusive) and at most max.
  const char* what = "";
  const char* unit = "";
  double min = 0.0;
  double max = 0.0;
  bool aboveMin = false;

  // "a temperature from -40 to 80 °C", "a capacity index above 0 and at most 10000".
  std::string RangeText() const;
};

// The options found on a command line.
class CTCliOptions {
 public:
  bool Has(std::string_view name) const { return values_.count(std::string(name)) > 0; }
  const std::string& Text(std::string_view name) const;
  // The number given for an option, or otherwise when it was not given.
  double Number(std::string_view name, double otherwise) const;

 private:
  friend std::optional<CTCliOptions> ParseCliOptions(const std::vector<std::string>&,
                                                     const std::vector<LTCliOption>&, const char*,
                                                     std::ostream&);
  std::map<std::string, std::string, std::less<>> values_;  // flags hold ""
  std::map<std::string, double, std::less<>> numbers_;
};

// Reads the options after the command word (args[0]). An unknown option or one without its value
// prints the usage; a number that cannot be read or lies outside its range, an empty text, or an
// option given twice, prints one line naming the option. Nothing (the exit status is then 2) on any
// of them.
std::optional<CTCliOptions> ParseCliOptions(const std::vector<std::string>& args,
                                            const std::vector<LTCliOption>& options,
                                            const char* usage, std::ostream& err);

// The ranges of the moist-air inputs. The moist-air formulas hold from -40 °C (the dew point's
// frost-point correlation is already half a kelvin off at saturation there, and drifts further
// below) to 80 °C (the state operations clamp there); the pressure table runs from -500 m to
// 3000 m and is held at its ends beyond. Relative humidity is a per cent from 0 to 100.
inline constexpr double kAirMinTemperature = -40.0;
inline constexpr double kAirMaxTemperature = 80.0;
inline constexpr double kMinAltitude = -500.0;
inline constexpr double kMaxAltitude = 3000.0;

inline LTCliOption AirTemperatureOption(const char* name, const char* what = "a temperature") {
  return {name, LTCliOption::Kind::Number, what, " °C", kAirMinTemperature, kAirMaxTemperature};
}
inline LTCliOption HumidityOption(const char* name) {
  return {name, LTCliOption::Kind::Number, "a relative humidity", " %", 0.0, 100.0};
}
inline LTCliOption AltitudeOption(const char* name) {
  return {name, LTCliOption::Kind::Number, "an altitude", " m", kMinAltitude, kMaxAltitude};
}
inline LTCliOption FlagOption(const char* name) {
  return {name, LTCliOption::Kind::Flag};
}
inline LTCliOption TextOption(const char* name) {
  return {name, LTCliOption::Kind::Text};
}
