#pragma once

#include <optional>
#include <string>
#include <vector>

// A design as docs/design-format.md describes it: the plain value the design reader makes of a
// JSON design and the design builder turns into a project. Texts are in the program's code page
// (CP1251); every part keeps the JSON path it was read from, so that the builder can name the
// place of what the catalogue refuses.

// One problem of a design: where it is ("systems[0].connections[2].box") and what is wrong
// (English, UTF-8).
struct LTDesignError {
  std::string path;
  std::string message;
  bool operator==(const LTDesignError&) const = default;
};
using LTDesignErrors = std::vector<LTDesignError>;

struct LTDesignProject {
  std::string path;
  std::string name;
  std::string reference;
  std::string client;
  std::string address;
  std::string refrigerant;  // empty: the catalogue's first refrigerant
};

// The remote-controller arrangements, numbered as the indoor placements store them.
enum class TDesignRemote : int { kOwn = 0, kNone = 1, kNext = 2, kPrevious = 3 };

// A unit on the indoor side: a plain indoor unit, a ventilation unit with DX coil, a heat-reclaim
// ventilation unit or a device connected through an adapter.
struct LTDesignUnit {
  enum class Kind { kIndoor, kDxCoil, kVentilation, kAdapter };
  std::string path;
  Kind kind = Kind::kIndoor;
  std::string name;
  // Indoor and DX-coil units: the family code (empty: the hand-picked model's family) and the
  // series (empty: the project's default series of the kind).
  std::string family;
  std::string series;
  // Indoor and DX-coil units: the hand-picked model (empty: chosen for the loads); ventilation
  // units: the model; adapter units: the adapter option.
  std::string model;
  // Room conditions (°C, %) and required capacities (kW, 0: none).
  double coolDryBulb = 24;
  double coolHumidity = 50;
  double coolTotal = 0;
  double coolSensible = 0;
  double heatDryBulb = 20;
  double heatTotal = 0;
  TDesignRemote remote = TDesignRemote::kOwn;
  // The options by name; nothing: the model's standard and preferred options.
  std::optional<std::vector<std::string>> options;
  std::vector<std::string> optionPaths;
};

// An element of a system's connection tree: a unit (by name), or a BS box or header with the
// elements connected below it.
struct LTDesignNode {
  enum class Kind { kUnit, kBox, kHeader };
  std::string path;
  Kind kind = Kind::kUnit;
  std::string name;
  int outlets = 0;  // headers
  std::vector<LTDesignNode> children;
};

// The length of one pipe entered by hand: the pipe up to the named element, or up to the joint
// where the pipes to two elements part.
struct LTDesignPipe {
  std::string path;
  std::string to;          // empty for a joint
  std::string jointFirst;  // joints: an element on each branch
  std::string jointSecond;
  double length = 0;  // m
};

// Outdoor families as the systems store them.
inline constexpr int kDesignHeatRecovery = 0;
inline constexpr int kDesignHeatPump = 1;
inline constexpr int kDesignCoolingOnly = 2;

struct LTDesignSystem {
  std::string path;
  std::string name;
  std::string series;
  std::optional<int> family;  // nothing: the family of the series
  double combination = 100;   // target combination ratio, %
  bool allowHighRatio = false;
  std::optional<double> highRatioLimit;  // %, with allowHighRatio
  double coolOutdoorTemp = 32;
  double coolOutdoorHumidity = 50;
  std::optional<double> heatOutdoorTemp;  // nothing: 0 °C (none for cooling only)
  double heatOutdoorHumidity = 50;
  std::optional<double> pipingLength;       // m; nothing: 45 (estimated piping only)
  std::optional<double> firstBranchLength;  // m; nothing: 40
  double outdoorLevel = 0;                  // +10 above, 0 same level, -10 below
  bool manualPiping = false;
  std::vector<LTDesignNode> connections;
  std::vector<LTDesignPipe> pipes;
};

struct LTDesign {
  LTDesignProject project;
  // Indoor units, DX-coil units, ventilation units, adapter units: each list in its order.
  std::vector<LTDesignUnit> units;
  std::vector<LTDesignSystem> systems;
};
