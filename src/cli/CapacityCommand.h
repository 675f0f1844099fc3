#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

class Cls_OutdoorUnit;

// qrnsolvo-cli capacity --model NAME --mode cool|heat --indoor-db T [--indoor-rh RH]
//   --outdoor T [--index CI] [--length L] [--height H] [--altitude M] [--catalogue FILE] [--json]
// The capacity and power input of a catalogue outdoor model at design conditions for a total
// connected capacity index (its index at 100 % when not given), with the status, the piping
// factor for an equivalent length and level difference and the defrost factor.
//
// Besides the moist-air ranges (CliOptions.h) the command takes outdoor temperatures from -60 to
// 60 °C (the coldest and hottest design temperatures anywhere; the capacity tables end well
// inside and report a status beyond them), capacity indices above 0 and at most 10000 (several
// times the largest system), equivalent lengths from 0 to 500 m (well beyond the longest piping
// any outdoor model allows; the piping tables hold their last factor beyond their last row) and
// level differences not larger than the equivalent length.
inline constexpr double kMinOutdoorTemperature = -60.0;
inline constexpr double kMaxOutdoorTemperature = 60.0;
inline constexpr double kMaxCapacityIndex = 10000.0;
inline constexpr double kMaxEquivalentLength = 500.0;

struct LTCapacityConditions {
  bool cooling = true;
  double indoorDryBulb = 0.0;    // °C
  double indoorHumidity = 50.0;  // %, cooling only
  double outdoor = 0.0;          // °C
  std::optional<double> index;   // total connected capacity index; the index at 100 % without
  double length = 0.0;           // equivalent piping length, m
  double height = 0.0;           // level difference, m; positive with the outdoor unit above
  double altitude = 0.0;         // m
};

struct LTCapacityResult {
  std::string model;  // UTF-8
  bool cooling = true;
  double indoorDryBulb = 0.0;
  double indoorHumidity = 0.0;  // cooling only
  double indoorWetBulb = 0.0;   // cooling only
  double outdoor = 0.0;
  double capacityIndex = 0.0;
  double indexAt100 = 0.0;
  std::optional<double> combination;  // per cent of the index at 100 %, when that is above 0
  double capacity = 0.0;              // kW, defrost included in heating
  double powerInput = 0.0;            // kW
  int status = 0;
  std::string statusText;  // UTF-8; empty for status 0
  int length = 0;          // whole metres as the piping correction takes them
  int height = 0;
  double pipingFactor = 1.0;
  double defrostFactor = 1.0;
  double correctedCapacity = 0.0;  // kW, with the piping factor
};

LTCapacityResult ComputeCapacity(Cls_OutdoorUnit& unit, const LTCapacityConditions& conditions);
// The name of the first value of the result that is not a finite number, if any.
std::optional<std::string> FirstNonFinite(const LTCapacityResult& result);

void WriteCapacityText(const LTCapacityResult& result, std::ostream& out);
void WriteCapacityJson(const LTCapacityResult& result, std::ostream& out);

int RunCapacityCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
