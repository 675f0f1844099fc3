#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/PipingNames.h"
#include "design/QsProject.h"

// What qrnsolvo-cli check reports of a recalculated project: per system the model, capacity
// index and ratio, available capacities, the piping tree with its sizes, the lengths and
// piping factors of each indoor unit, the refrigerant charge and every error and warning; per
// indoor-side unit the model, the required and available capacities and the error state. Texts
// are UTF-8; capacities in kW, lengths in m, diameters in mm, charges in kg.

// An error or warning of a placement.
struct LTCheckMessage {
  std::string element;  // the placement's name
  int number = 0;
  int level = 0;  // -1 warning, 1..3 error
  std::string text;
};

struct LTCheckPipe {
  LTPipingElement from;  // upstream
  LTPipingElement to;    // downstream
  double length = 0;
  int pipeCount = 0;  // 0: not sized
  double liquid = 0;
  double suction = 0;
  double discharge = 0;  // three-pipe systems
  bool reducer = false;
  bool sizedUp = false;
  std::string sizeText;  // as the program prints it ("9.5 x 15.9 *")
  std::string fitting;   // the joint or header model at the downstream end; empty for none
};

struct LTCheckUnitPiping {
  std::string name;
  double actual = 0;
  double equivalent = 0;
  double effective = 0;
  double coolingFactor = 1;
  double heatingFactor = 1;
};

struct LTCheckSystem {
  std::string name;
  std::string series;
  int family = 0;
  std::string model;  // empty: none found
  bool manualPiping = false;
  double pipingLength = 0;  // estimated piping only
  double firstBranchLength = 0;
  double outdoorLevel = 0;
  double capacityIndex = 0;
  double indexAt100 = 0;
  std::optional<double> combination;  // %, with a model
  double coolingOutdoor = 0;
  double heatingOutdoor = 0;
  double cooling = 0;
  std::optional<double> heating;  // none for cooling only
  std::vector<LTCheckPipe> pipes;
  std::vector<LTCheckUnitPiping> unitPiping;
  double additionalCharge = 0;
  double baseCharge = 0;
  std::vector<LTCheckMessage> messages;   // the system and everything in it, tree order
  // The manual piping check's findings (level 2: what error 10057 of the system sums up).
  std::vector<LTCheckMessage> pipingErrors;
};

struct LTCheckCapacities {
  double coolingTotal = 0;
  double coolingSensible = 0;
  double heating = 0;
};

struct LTCheckUnit {
  std::string name;
  std::string kind;    // "indoor", "dx_coil", "ventilation", "adapter"
  std::string system;  // empty: not connected
  std::string model;
  bool manual = false;
  LTCheckCapacities required;
  LTCheckCapacities available;
  std::optional<LTCheckMessage> error;
};

struct LTCheckReport {
  std::string name;
  std::string reference;
  std::string client;
  std::string address;
  std::string refrigerant;
  std::vector<LTCheckSystem> systems;
  std::vector<LTCheckUnit> units;             // the project's indoor-side list order
  std::vector<LTCheckMessage> otherMessages;  // of the placements connected nowhere
  int errors = 0;
  int warnings = 0;
};

// The report of a project that RecalculateAll has just checked. The manual piping check runs
// once more on each system with entered lengths, for its lines.
LTCheckReport ComputeCheckReport(Cls_QsProject& project);

void WriteCheckText(const LTCheckReport& report, std::ostream& out);
void WriteCheckJson(const LTCheckReport& report, std::ostream& out);
