#pragma once

#include <string>

#include "design/ProjectFields.h"
#include "objectstore/DbObject.h"

// One central controller unit of the project's central-control solution. The objects are built
// in memory for the central-control tab and never stored, but the table belongs to the project
// file's schema.
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
};
