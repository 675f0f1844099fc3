#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ProjectTestStore.h"
#include "design/Preferences.h"
#include "design/QsProject.h"

class Cls_QsDevicePlacement;
class Cls_QsOutPlacement;

// A project on a catalogue fixture (the design fixture unless named): the test store with the
// fixture loaded, a set of preferences of its own in place of the program's, and a stored
// project made with its defaults. The display units and the decimal separator are back at their
// defaults afterwards.
struct DesignStore {
  explicit DesignStore(const std::string& fixture = "design");
  ~DesignStore();

  // The catalogue's cached instance of the record of table T named so; fails the test when
  // there is none.
  template <class T>
  T* Catalogue(const std::string& name) {
    return dynamic_cast<T*>(CatalogueRecord(T::kTableId, name));
  }
  CTDbObject* CatalogueRecord(int tableId, const std::string& name);
  // The catalogue's outdoor units that are not deleted, in catalogue order.
  LTOutdoorUnitList OutdoorUnits();

  // A system with the model and family given, and an indoor unit connected under parent with
  // the model (chosen by hand when manual is set).
  Cls_QsOutPlacement* AddSystem(const std::string& model = "", int family = 1);
  Cls_QsIndPlacement* AddUnit(Cls_QsOutPlacement* system, Cls_QsDevicePlacement* parent,
                              const std::string& model = "", bool manual = false);

  // The names of the used options of a placement, in record order.
  std::vector<std::string> UsedOptionNames(Cls_QsDevicePlacement& placement);

  ProjectTestStore store;
  CTPreferences preferences;
  CTScopedPreferences scopedPreferences{preferences};
  std::unique_ptr<Cls_QsProject> project;
};
