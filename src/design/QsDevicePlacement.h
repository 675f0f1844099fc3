#pragma once

#include <string>

#include "design/ProjectFields.h"
#include "objectstore/DbObject.h"

// The common base of every piece of equipment placed in a design (outdoor systems, indoor units
// and their variants, BS boxes, headers): its name, its place in the connection tree under a
// parent placement, the owning project and the chosen catalogue model. Records exist only in the
// subtables.
class Cls_QsDevicePlacement : public CTDbObject {
 public:
  static constexpr int kTableId = 174;

  enum Fields : int {
    kName = 1,
    kSeqNr = 2,
    kSeries = 3,
    kPrefOptionsAssigned = 4,
    kParent = 5,   // + 6
    kProject = 7,  // + 8
    kDevice = 9,   // + 10
    kFieldCount = 11
  };

  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  void GetName(int& charset, std::string& text) const override;
  void SetName(const std::string& text) override;

  // Position among the siblings under the same parent (0-based).
  int GetSeqNr() { return GetInt(kSeqNr); }
  void SetSeqNr(int value) { SetInt(kSeqNr, value); }
  // The equipment series the model is chosen from.
  std::string GetSeries() { return GetString(kSeries); }
  void SetSeries(const std::string& value) { SetString(kSeries, value); }
  // The model's preferred options have been added once.
  bool GetPrefOptionsAssigned() { return GetBool(kPrefOptionsAssigned); }
  void SetPrefOptionsAssigned(bool value) { SetBool(kPrefOptionsAssigned, value); }

  // The placement this one is connected under (0, 0 when not connected).
  LTRecordRef GetParentRef() { return ReadReference(*this, kParent); }
  void SetParent(const CTDbObject* parent) { SetReference(kParent, parent); }
  LTRecordRef GetProjectRef() { return ReadReference(*this, kProject); }
  void SetProject(const CTDbObject* project) { SetReference(kProject, project); }
  // The chosen catalogue model (0, 0 for none).
  LTRecordRef GetDeviceRef() { return ReadReference(*this, kDevice); }
  void SetDevice(const CTDbObject* device) { SetReference(kDevice, device); }

 protected:
  Cls_QsDevicePlacement(int tableId, int recordId, CTBaseFactory* factory);
};
