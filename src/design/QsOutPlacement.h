#pragma once

#include <string>
#include <vector>

#include "design/QsDevicePlacement.h"

class CTPipingErrorList;
class TAir;
class Cls_OutdoorUnit;
class CTPipingTree;
class Cls_QsIndPlacement;
class Cls_QsPipingNode;

// One refrigerant system: an outdoor unit (or factory combination of modules) with everything
// connected below it, and the design conditions its model is selected for.
class Cls_QsOutPlacement : public Cls_QsDevicePlacement {
 public:
  static constexpr int kTableId = 176;

  enum Fields : int {
    kCcUseSubComponents = 11,
    kAllowHighCombPerc = 12,
    kMaxCombination = 13,
    kDistBranchToIndoors = 14,
    kLocked = 15,
    kFamily = 16,
    kSelCombination = 17,
    kPipingHeightDiff = 18,
    kCcFlags = 19,
    kPipingLength = 20,
    kCoolOutdoorTemp = 21,
    kCoolOutdoorRH = 22,
    kHeatOutdoorTemp = 23,
    kHeatOutdoorRH = 24,
    kCcSeqNr = 25,
    kCentralControlPlacement = 26,  // + 27
    kPreferredController = 28,      // + 29
    kFieldCount = 30
  };

  explicit Cls_QsOutPlacement(int recordId, CTBaseFactory* factory = nullptr);

  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");
  int TableId() const override { return kTableId; }

  // The base text; with a model and connected capacity, followed by " - " and the combination
  // ratio in per cent.
  void GetDisplayText(int& charset, std::string& text) const override;
  void GetTypeName(int& charset, std::string& text) const override;
  void GetNamePrefix(std::string& text) const override;
  // Series, family, combination ratios, estimated piping lengths and outdoor design conditions
  // from the preferences, and back.
  void InitDefaults() override;
  void StoreAsDefaults() override;

  // Re-selects the system: the outdoor model, the indoor and box models below it, and the
  // checks that set the error states of the system and everything below it. The manual piping
  // check lists its findings in errors when given.
  void CheckSystem(const std::vector<Cls_OutdoorUnit*>& outdoorUnits,
                   CTPipingErrorList* errors = nullptr);

  // -- Capacities (kW) --------------------------------------------------------------------------
  // The model's capacity in cooling at the total connected capacity index, the system's cooling
  // outdoor temperature and the indoor wet bulb of the given room conditions; 0 without model.
  // status receives why the value is 0 (LTCapacityStatus).
  double GetCoolingCapacity(Cls_OutdoorUnit* model, const TAir& air, int& status, double totalIndex,
                            double indoorRh, double indoorTemp);
  // The same in heating at the heating outdoor temperature and the indoor dry bulb, with the
  // defrost correction.
  double GetHeatingCapacity(Cls_OutdoorUnit* model, const TAir& air, int& status, double totalIndex,
                            double indoorRh, double indoorTemp);
  double GetCoolingPowerInput(Cls_OutdoorUnit* model, const TAir& air, double totalIndex,
                              double indoorRh, double indoorTemp);
  double GetHeatingPowerInput(Cls_OutdoorUnit* model, const TAir& air, double totalIndex,
                              double indoorRh, double indoorTemp);

  // The highest combination ratio (%) the system may reach: the target, limited by the model's
  // largest ratio and, with high ratios allowed, by the high limit and raised to what the
  // connected indoor series allow.
  double GetMaxCombination();
  // The capacity-index-weighted room conditions of the indoor units that count in the mode
  // (defaults of the preferences when none counts), and their index total.
  void GetIndoorConditions(bool cooling, double& totalIndex, double& humidity, double& temperature);
  // What the system delivers at the given outdoor conditions: at its connected capacity index,
  // at the model's index at 100 %, and at 100 % and the model's rating conditions. 0 without
  // model and in heating for a cooling-only system.
  double GetAvailableCapacity(Cls_OutdoorUnit* model, bool cooling, double outdoorRh,
                              double outdoorTemp);
  double GetCapacityAt100(Cls_OutdoorUnit* model, bool cooling, double outdoorRh,
                          double outdoorTemp);
  double GetNominalCapacity(Cls_OutdoorUnit* model, bool cooling);
  // The power inputs at 100 % and at the rating conditions.
  double GetPowerInputAt100(Cls_OutdoorUnit* model, bool cooling, double outdoorRh,
                            double outdoorTemp);
  double GetNominalPowerInput(Cls_OutdoorUnit* model, bool cooling);

  // Every indoor unit below the system (boxes and headers walked through), depth first in child
  // order. The placements belong to the project.
  std::vector<Cls_QsIndPlacement*> GetIndoorUnits() const;
  // The largest equivalent, respectively effective, length the last check gave the indoor units
  // (m); 0 without indoor units.
  double GetMaxEquivalentLength() const;
  double GetMaxEffectiveLength() const;
  // The nearest indoor unit before, respectively after, the given one (in GetIndoorUnits order)
  // that has a remote controller of its own; null when there is none.
  Cls_QsIndPlacement* GetPreviousRemoteUnit(const Cls_QsIndPlacement& unit) const;
  Cls_QsIndPlacement* GetNextRemoteUnit(const Cls_QsIndPlacement& unit) const;
  // Whether the system starts a new central-controller group (bit 0 of Fld_CcFlags).
  bool NeedsOwnCentralGroup() { return (GetCcFlags() & 1) != 0; }
  void SetNeedsOwnCentralGroup(bool value) {
    SetCcFlags(value ? (GetCcFlags() | 1) : (GetCcFlags() & ~1));
  }
  // The name of an outdoor family (0 heat recovery, 1 heat pump, 2 cooling only); empty for
  // any other value.
  static std::string FamilyName(int family);

  // Central control: the preferred controller is the variant with sub-components.
  bool GetCcUseSubComponents() { return GetBool(kCcUseSubComponents); }
  void SetCcUseSubComponents(bool value) { SetBool(kCcUseSubComponents, value); }
  // The user allows a combination ratio above the catalogue's table.
  bool GetAllowHighCombPerc() { return GetBool(kAllowHighCombPerc); }
  void SetAllowHighCombPerc(bool value) { SetBool(kAllowHighCombPerc, value); }
  // Upper limit (%) of the combination ratio when a high ratio is allowed (Fld_MaxCombination).
  double GetHighCombinationLimit() { return GetDouble(kMaxCombination); }
  void SetHighCombinationLimit(double value) { SetDouble(kMaxCombination, value); }
  // Length (m) from the first branch to the farthest indoor unit, without per-pipe lengths.
  double GetDistBranchToIndoors() { return GetDouble(kDistBranchToIndoors); }
  void SetDistBranchToIndoors(double value) { SetDouble(kDistBranchToIndoors, value); }
  // Piping lengths are entered per pipe.
  bool GetLocked() { return GetBool(kLocked); }
  void SetLocked(bool value) { SetBool(kLocked, value); }
  // Outdoor family code: 0 heat recovery, 1 heat pump, 2 cooling only.
  int GetFamily() { return GetInt(kFamily); }
  void SetFamily(int value) { SetInt(kFamily, value); }
  // Target combination ratio (%) of the selection.
  double GetSelCombination() { return GetDouble(kSelCombination); }
  void SetSelCombination(double value) { SetDouble(kSelCombination, value); }
  // Level of the outdoor unit against the indoor units (m; positive above).
  double GetPipingHeightDiff() { return GetDouble(kPipingHeightDiff); }
  void SetPipingHeightDiff(double value) { SetDouble(kPipingHeightDiff, value); }
  // Central-control flags; bit 0: the system starts a new controller group.
  int GetCcFlags() { return GetInt(kCcFlags); }
  void SetCcFlags(int value) { SetInt(kCcFlags, value); }
  // Longest piping length (m) to an indoor unit, without per-pipe lengths.
  double GetPipingLength() { return GetDouble(kPipingLength); }
  void SetPipingLength(double value) { SetDouble(kPipingLength, value); }
  // Design outdoor conditions: dry-bulb temperature (degrees C) and relative humidity (%).
  double GetCoolOutdoorTemp() { return GetDouble(kCoolOutdoorTemp); }
  void SetCoolOutdoorTemp(double value) { SetDouble(kCoolOutdoorTemp, value); }
  double GetCoolOutdoorRH() { return GetDouble(kCoolOutdoorRH); }
  void SetCoolOutdoorRH(double value) { SetDouble(kCoolOutdoorRH, value); }
  double GetHeatOutdoorTemp() { return GetDouble(kHeatOutdoorTemp); }
  void SetHeatOutdoorTemp(double value) { SetDouble(kHeatOutdoorTemp, value); }
  double GetHeatOutdoorRH() { return GetDouble(kHeatOutdoorRH); }
  void SetHeatOutdoorRH(double value) { SetDouble(kHeatOutdoorRH, value); }
  // Order of the system on the central-control tab.
  int GetCcSeqNr() { return GetInt(kCcSeqNr); }
  void SetCcSeqNr(int value) { SetInt(kCcSeqNr, value); }

  // The central-controller placement that controls the system.
  LTRecordRef GetCentralControlPlacementRef() {
    return ReadReference(*this, kCentralControlPlacement);
  }
  void SetCentralControlPlacement(const CTDbObject* placement) {
    SetReference(kCentralControlPlacement, placement);
  }
  // The preferred central-controller model (0, 0: the project's basic controller).
  LTRecordRef GetPreferredControllerRef() { return ReadReference(*this, kPreferredController); }
  void SetPreferredController(const CTDbObject* controller) {
    SetReference(kPreferredController, controller);
  }

  // -- The system's refrigerant piping tree ----------------------------------------------------
  // Connects placement under parent (this system, a BS box or a header of it) before the sibling
  // before (null: at the end), in the connection tree and in the piping tree, which then grows
  // its default shape; the in-memory tree is dropped.
  void ConnectPlacement(Cls_QsDevicePlacement* placement, Cls_QsDevicePlacement* parent,
                        Cls_QsDevicePlacement* before);
  // Removes the placement's node from the piping tree (the connection tree is the caller's).
  void DisconnectPlacement(Cls_QsDevicePlacement* placement);
  // Forgets the in-memory piping tree; it is built again on next use.
  void DropPipingTree();
  // The nodes of the in-memory tree, built from the stored nodes on first use and sized for the
  // current models on every call. They belong to the system until the tree is dropped.
  const std::vector<Cls_QsPipingNode*>& GetPipingNodes();
  // The root node (the system's own), sized like GetPipingNodes; null when there is none.
  Cls_QsPipingNode* GetRootNode();
  // The in-memory tree itself, built on first use and not sized.
  CTPipingTree& PipingTree();
  // Grows the default piping tree for the current connection tree again; every branch length
  // entered before is lost, and a broken stored tree is replaced.
  void ResetPipingLayout();
  // Moves the branch of a device or header node one joint towards the outdoor unit; false when
  // that is not possible. changed tells whether the tree changed.
  bool MoveBranchTowardsOutdoor(Cls_QsPipingNode* node, bool& changed);
  // The node at a diagram point: first one whose symbol is hit, else one whose pipe is hit, each
  // in node order; null when none.
  Cls_QsPipingNode* FindNodeAt(double x, double y);

 private:
  struct LTPipingTreeDeleter {
    void operator()(CTPipingTree* tree) const;
  };

  void SizePipingTree();

  std::unique_ptr<CTPipingTree, LTPipingTreeDeleter> piping_;
};
