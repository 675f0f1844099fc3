#pragma once

#include <string>
#include <vector>

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

  // -- The connection tree in memory ----------------------------------------------------------
  // Built by the project's placement cache from the parent references and kept up to date by
  // the operations that connect and disconnect placements. A placement does not own its
  // children: the project's placement cache owns every placement.
  Cls_QsDevicePlacement* GetParent() const { return parent_; }
  void SetParentPointer(Cls_QsDevicePlacement* parent) { parent_ = parent; }
  // The connected placements, in sequence-number order.
  const std::vector<Cls_QsDevicePlacement*>& Children() const { return children_; }
  std::vector<Cls_QsDevicePlacement*>& Children() { return children_; }
  // The nearest ancestor that is an outdoor system or a BS box; null when there is none.
  Cls_QsDevicePlacement* GetSystemAncestor() const;
  // The top of the parent chain (this placement when it has no parent).
  Cls_QsDevicePlacement* GetTopAncestor();
  // This placement when it is that record, else the first match of a depth-first search of the
  // children in order; null when none.
  Cls_QsDevicePlacement* FindInSubtree(int tableId, int recordId);
  // Writes the parent reference (stored at once); null disconnects.
  void SetParentRef(Cls_QsDevicePlacement* parent);
  // Depth first: the nth child (from 0) gets sequence number n and is posted when it changed,
  // then its own children are renumbered.
  void RenumberChildren();

  // Whether the placement has a node in its system's piping tree (outdoor systems, BS boxes,
  // headers, indoor units with refrigerant piping).
  virtual bool HasPipingNode() const { return true; }
  // The capacity-index sum of the placement and everything below it; with counting set, only
  // what counts towards the system's combination ratio. The base sums the children.
  virtual double GetCapacityIndexSum(bool counting);

 protected:
  Cls_QsDevicePlacement(int tableId, int recordId, CTBaseFactory* factory);

 private:
  Cls_QsDevicePlacement* parent_ = nullptr;
  std::vector<Cls_QsDevicePlacement*> children_;
};
