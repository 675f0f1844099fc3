#pragma once

#include <string>

class CTBaseFactory;
class Cls_BSBox;
class Cls_HeaderJoint;
class Cls_OutdoorUnit;
class Cls_QsPipingNode;

// The sizes of the refrigerant pipes and the joints of a system, from the capacity index each
// pipe serves, the outdoor model's diameter rows and its joint rows.

// Liquid, suction-gas and discharge-gas diameters (mm; 0 where none).
struct LTPipeDiameters {
  double liquid = 0;
  double suctionGas = 0;
  double dischargeGas = 0;
};

// The outdoor model's diameter rule for a pipe serving capacityIndex: the size-up row for the
// main pipe of a long system, else the first row that carries the index (each size one step up
// with sizeUp), limited to the outdoor unit's connections unless the main pipe is sized up.
// Returns whether a row was found; without one the diameters are left as they were.
bool LookupDiameters(Cls_OutdoorUnit& unit, bool mainPipe, bool sizeUp,
                     double longestEquivalentLength, double capacityIndex,
                     LTPipeDiameters& diameters);
// The joint (2 connections) or header of the outdoor model's rows for a branch serving
// capacityIndex: the fitting row with the smallest limit. noRowWithConnections tells whether no
// row has that number of connections at all. Null when none fits.
Cls_HeaderJoint* LookupJoint(Cls_OutdoorUnit& unit, int connections, bool firstBranch,
                             double capacityIndex, bool& noRowWithConnections);
// The same over the joints allowed below a BS box model.
Cls_HeaderJoint* LookupBoxJoint(Cls_BSBox& box, int connections, double capacityIndex,
                                bool& noRowWithConnections);
// Whether sizing up the main pipe makes its gas (gas set) or liquid pipe larger than the
// normal size at the model's full load.
bool MainSizeUpEnlarges(Cls_OutdoorUnit& unit, bool gas);

// The size text of a node's pipe: liquid x suction gas (x discharge gas), " *" behind it when the
// pipe needs a reducer; empty when the pipe is not sized.
std::string GetPipeText(const Cls_QsPipingNode& node);
// A diameter as shown in the user's diameter unit (millimetres or inches): the catalogue's text
// of that size, else the number of millimetres, or of inches with a common fraction. The sizes
// are those of the factory's catalogue (the default factory's when null).
std::string FormatDiameter(double millimetres, CTBaseFactory* factory = nullptr);
