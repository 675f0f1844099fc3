#pragma once

#include <memory>
#include <string>
#include <vector>

#include "catalogue/DeviceOptions.h"
#include "design/ProjectFields.h"
#include "design/QsUsedOption.h"
#include "objectstore/DbObject.h"

using LTUsedOptionList = std::vector<std::unique_ptr<Cls_QsUsedOption>>;
using LTOptionOfferList = std::vector<std::unique_ptr<Cls_DevOptCombination>>;

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

  // Error levels of the check's result: none, a warning, errors of rising weight.
  enum ErrorLevel : int {
    kNoError = 0,
    kWarning = -1,
    kErrorLevel1 = 1,
    kErrorLevel2 = 2,
    kErrorLevel3 = 3
  };

  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  void GetName(int& charset, std::string& text) const override;
  void SetName(const std::string& text) override;
  // The name, followed by " [" + the model's name + "]" when a model is chosen.
  void GetDisplayText(int& charset, std::string& text) const override;
  // The name prefix followed by one more than the largest number that ends the name of another
  // placement of the same kind (all indoor-side placements count together).
  void MakeDefaultName(std::string& text) override;

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

  // -- Behaviour of the placement kinds -------------------------------------------------------
  // Takes the defaults of a new placement from the preferences; the base takes none.
  virtual void InitDefaults() {}
  // Remembers the placement's values as the defaults of new placements and saves the
  // preferences.
  virtual void StoreAsDefaults();
  // The number of indoor units the placement stands for: the sum over the children.
  virtual int GetUnitCount() const;
  // The chosen model: the catalogue's cached instance of the record the model reference names,
  // when that is a catalogue device; null without model or when the record does not resolve.
  // The instance belongs to the catalogue.
  virtual CTDbObject* GetModel() const;
  // Whether the placement is incomplete without a model.
  virtual bool NeedsModel() const { return true; }
  // The model's name (empty without model) and its character set.
  virtual void GetModelName(int& charset, std::string& text) const;
  // The used options made to fit the model: those the model does not offer are deleted; with
  // addStandard the model's standard options, with addPreferred its preferred options are
  // added when missing (each addition marks the preferred options as assigned). Without model
  // the used options are returned as they are.
  virtual LTUsedOptionList ReconcileOptions(CTDbObject* model, bool addStandard, bool addPreferred);
  // The size of the placement's box on the diagrams; forPiping is set for the piping diagram.
  virtual void GetBoxSize(int& width, int& height, bool forPiping) const;
  // The option offers of a model (empty without model or for an object that is not a device).
  virtual LTOptionOfferList GetOptionCombinations(CTDbObject* model);

  // -- Model and options ------------------------------------------------------------------------
  // Writes the model reference (stored at once); null clears it.
  void SetModel(const CTDbObject* model) { SetReference(kDevice, model); }
  // The used-option records of this placement (none while it is not stored).
  LTUsedOptionList GetUsedOptions();
  // Makes the used options equal to the chosen options, counted with repetition: used options
  // whose option is still chosen are kept, the others deleted, and the chosen options left over
  // are created.
  void SetUsedOptions(const std::vector<Cls_DeviceOption*>& chosen);

  // -- Model trials of the selection ----------------------------------------------------------
  // The selection tries models for many candidates before it settles. While a trial runs,
  // SetTrialModel changes the model of this object only, and EndModelTrial stores the last one
  // when it differs from the model stored when the trial began; so a check that ends with the
  // same models writes nothing. Outside a trial SetTrialModel stores the model when it changes.
  void BeginModelTrial();
  void SetTrialModel(const CTDbObject* model);
  void EndModelTrial();

  // -- Error state of the last check (in memory only) ---------------------------------------
  void SetError(int number, const std::string& firstText, int level,
                const std::string& secondText = {});
  void ClearError();
  // An error is any level other than none and warning.
  bool HasError() const { return errorLevel_ != kNoError && errorLevel_ != kWarning; }
  bool HasWarning() const { return errorLevel_ == kWarning; }
  int GetErrorLevel() const { return errorLevel_; }
  int GetErrorNumber() const { return errorNumber_; }
  // The message of the error number with $1 and $2 filled; empty without error number.
  std::string GetErrorText() const;

  // Position of the placement on the wiring diagram.
  int DiagramX() const { return diagramX_; }
  int DiagramY() const { return diagramY_; }
  void SetDiagramPosition(int x, int y) {
    diagramX_ = x;
    diagramY_ = y;
  }

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
  // The same for a list of siblings: the nth gets sequence number n, then its children.
  static void Renumber(const std::vector<Cls_QsDevicePlacement*>& siblings);
  // Takes the placement out of its parent: its node leaves the system's piping tree, the parent
  // pointer and reference are cleared and the old parent's children renumbered. Nothing happens
  // to a placement without parent.
  void Disconnect();

  // Whether the placement has a node in its system's piping tree (outdoor systems, BS boxes,
  // headers, indoor units with refrigerant piping).
  virtual bool HasPipingNode() const { return true; }
  // The capacity-index sum of the placement and everything below it; with counting set, only
  // what counts towards the system's combination ratio. The base sums the children.
  virtual double GetCapacityIndexSum(bool counting);

 protected:
  Cls_QsDevicePlacement(int tableId, int recordId, CTBaseFactory* factory);

  // The display text of the base: the name with the model's name in brackets.
  std::string BaseDisplayText(int& charset) const;
  // " - " + the capacity-index sum (counting) + " CI" when the sum is not 0, else empty: the
  // suffix of the display texts of boxes and headers.
  std::string CapacityIndexSuffix() const;

 private:
  Cls_QsDevicePlacement* parent_ = nullptr;
  std::vector<Cls_QsDevicePlacement*> children_;
  int errorLevel_ = kNoError;
  int errorNumber_ = 0;
  std::string errorText1_;
  std::string errorText2_;
  int diagramX_ = 0;
  int diagramY_ = 0;
  bool inModelTrial_ = false;
  int trialStartTable_ = 0;
  int trialStartRecord_ = 0;
};

// The last decimal number that ends a name (the name's trailing digits, leading zeros dropped,
// as decimal text without limit on its length), or empty when the name does not end in a digit.
std::string TrailingNumber(const std::string& name);
// The default name: the prefix followed by one more than the largest trailing number among the
// names (1 when none has one).
std::string NextDefaultName(const std::string& prefix, const std::vector<std::string>& names);
