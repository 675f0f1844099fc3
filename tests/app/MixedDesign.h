#pragma once

#include <string>

#include "design/QsProject.h"

// A design of many systems on the shipped catalogue as an engineer enters it: series and
// families only, required loads and room conditions, and the selection left to the program.
// Systems alternate between heat recovery (series QOR, two BS boxes with every third unit behind
// one, units directly on the system cooling only) and heat pump (QOH); every fifth system is
// allowed a combination ratio of 130 % and loaded above 100 %. Units cycle through the families
// CF, DM, WL and CS with cooling loads of 2.2 to 8.7 kW (wall units 1.6 to 2.4 kW; sensible
// 75 %) and heating loads of 110 % where they can heat.
struct LTMixedDesignSize {
  int systems = 50;
  int unitsPerSystem = 20;
};

// Adds the design to a stored project whose refrigerant is R410A; returns false when the
// catalogue lacks what it needs.
bool BuildMixedDesign(Cls_QsProject& project, const LTOutdoorUnitList& outdoorUnits,
                      const LTMixedDesignSize& size = {});

// The catalogue's outdoor units that are not deleted, as the selection gets them.
LTOutdoorUnitList ShippedOutdoorUnits(CTBaseFactory& factory);
