#pragma once

#include <string>

#include "design/QsDevicePlacement.h"

class Cls_BSBox;
class Cls_OutdoorUnit;

// A branch selector box between a heat-recovery system (or a header) and a group of indoor
// units. It has no fields of its own: the series is the box series and the model is the box
// selected for the connected units.
class Cls_QsBSBPlacement : public Cls_QsDevicePlacement {
 public:
  static constexpr int kTableId = 177;

  explicit Cls_QsBSBPlacement(int recordId, CTBaseFactory* factory = nullptr);

  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");
  int TableId() const override { return kTableId; }

  // The base text, followed by " - ", the capacity-index sum and " CI" when the sum is not 0.
  void GetDisplayText(int& charset, std::string& text) const override;
  void GetTypeName(int& charset, std::string& text) const override;
  void GetNamePrefix(std::string& text) const override;
  // 60 wide, the base height.
  void GetBoxSize(int& width, int& height, bool forPiping) const override;

  // Selects the box model for the indoor units below the box (through headers) in a system with
  // the given outdoor model (null: none): the box of the placement's series, among the outdoor
  // model's compatible boxes, with the smallest maximum capacity index that carries the units'
  // summed index and lists every unit's model. Without indoor unit, outside a heat-recovery
  // system or when no box fits, the model is cleared and the box gets a level-3 error; without
  // outdoor model it is cleared without error. The box's error state is cleared first.
  void SelectBoxModel(Cls_OutdoorUnit* outdoorModel);

 private:
  // Writes the model reference when it differs from the stored one.
  void SetBoxModel(Cls_BSBox* model);
};
