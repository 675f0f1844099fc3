#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include "objectstore/DbObject.h"
#include "objectstore/DbViews.h"

class Cls_BSBox;
class Cls_DeviceOption;
class Cls_IndoorUnit;
class Cls_OMCombination;
class Cls_OutdoorUnit;

// The compatibility views of one outdoor model, built from the relation tables on first use and
// kept with the record's views (shared by its handles and threads until the catalogue
// disconnects). The listed models are the catalogue's cached instances (one per record), so
// membership can be tested by address; the module rows belong to the view.
struct LTOutdoorCompat : CTDbView {
  CTOnce indoorOnce;
  std::vector<Cls_IndoorUnit*> indoorUnits;
  CTOnce boxesOnce;
  std::vector<Cls_BSBox*> boxes;
  CTOnce modulesOnce;
  CTDbObjectList moduleRecords;
  std::vector<Cls_OMCombination*> modules;
  // Kept only once found; until then every request searches the option offers again.
  std::atomic<Cls_DeviceOption*> multiModuleKit{nullptr};
};

// The indoor models that may hang below a box model, in the order of its TBL_IBCombination
// rows; a model named twice is listed twice and deleted models are not filtered. Built once per
// box record of a connected catalogue and kept with the record's views, shared by every handle
// on that box; dropped when the catalogue disconnects.
const std::vector<Cls_IndoorUnit*>& GetCompatibleIndoorUnits(Cls_BSBox& box);
