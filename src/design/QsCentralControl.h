#pragma once

#include <memory>
#include <string>
#include <vector>

#include "design/CentralControllers.h"
#include "design/ProjectFields.h"
#include "objectstore/DbObject.h"

class Cls_QsOutPlacement;

// One central controller unit of the project's central-control solution. The objects are built
// in memory for the central-control tab and never stored, but the table belongs to the project
// file's schema. In memory a unit holds its controller variant, the outdoor systems it controls
// (in order; the project's placement cache owns them), its sub-controller units (each only a
// controller; owned by the unit) and the totals of indoor units and outdoor horsepower of its
// systems.
class Cls_QsCenCoPlacement : public CTDbObject {
 public:
  static constexpr int kTableId = 186;

  enum Fields : int {
    kProject = 1,     // + 2
    kController = 3,  // + 4
    kFieldCount = 5
  };

  explicit Cls_QsCenCoPlacement(int recordId, CTBaseFactory* factory = nullptr);

  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");
  int TableId() const override { return kTableId; }

  LTRecordRef GetProjectRef() { return ReadReference(*this, kProject); }
  void SetProject(const CTDbObject* project) { SetReference(kProject, project); }
  // The catalogue central-controller model.
  LTRecordRef GetControllerRef() { return ReadReference(*this, kController); }
  void SetController(const CTDbObject* controller) { SetReference(kController, controller); }

  // -- The unit in memory -----------------------------------------------------------------------
  const LTControllerVariant& GetVariant() const { return variant_; }
  // Sets the variant and points the controller reference at its controller.
  void SetVariant(const LTControllerVariant& variant);
  const std::vector<Cls_QsOutPlacement*>& Systems() const { return systems_; }
  // Adds a system with its indoor units and horsepower to the unit's totals.
  void AddSystem(Cls_QsOutPlacement* system, int units, int horsepower);
  const std::vector<std::unique_ptr<Cls_QsCenCoPlacement>>& SubControllers() const {
    return subControllers_;
  }
  std::vector<std::unique_ptr<Cls_QsCenCoPlacement>>& SubControllers() { return subControllers_; }
  // The indoor units and the outdoor horsepower of the unit's systems.
  int UnitTotal() const { return unitTotal_; }
  int HorsepowerTotal() const { return horsepowerTotal_; }

 private:
  LTControllerVariant variant_;
  std::vector<Cls_QsOutPlacement*> systems_;
  std::vector<std::unique_ptr<Cls_QsCenCoPlacement>> subControllers_;
  int unitTotal_ = 0;
  int horsepowerTotal_ = 0;
};
