#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "i18n/BasicDialog.h"

class Cls_IndFamily;
class Cls_IndoorUnit;
class Cls_QsIndPlacement;
class Cls_QsProject;

// The indoor unit dialog without its window: the values its controls hold (temperatures in
// degrees C, humidity in %, capacities in kW), the family and model lists, what is visible and
// marked, and the validation and writing of the placements. The desktop program's dialog binds
// its controls to it. Three modes: editing one placement, adding placements one after the other
// through a creator, and editing several placements of one table at once.
class CTIndoorDialog : public CTBasicDialog {
 public:
  enum class Mode { kEditOne, kAdd, kEditSeveral };
  // The value controls.
  enum class Value {
    kCoolDryBulb,
    kCoolHumidity,
    kCoolWetBulb,
    kSensibleRequired,
    kTotalRequired,
    kHeatDryBulb,
    kHeatingRequired,
  };
  // The controls a refusal may point the user at.
  enum class Control { kNone, kName, kFamily, kModel, kValue };
  enum class Manual { kUnchecked, kChecked, kGreyed };
  using TCreator = std::function<Cls_QsIndPlacement*()>;

  // An entry of the family or model list; a null object is the different-values entry.
  struct LTFamilyItem {
    Cls_IndFamily* family;
    std::string text;
  };
  struct LTModelItem {
    Cls_IndoorUnit* model;
    std::string text;
  };

  // Editing one placement (read-only when asked).
  CTIndoorDialog(Cls_QsProject& project, Cls_QsIndPlacement& placement, bool readOnly);
  // Adding: the creator makes each new placement (the project's AddIndoorPlacement or
  // AddAXDPlacement).
  CTIndoorDialog(Cls_QsProject& project, TCreator creator);
  // Editing several placements of one table.
  CTIndoorDialog(Cls_QsProject& project, std::vector<Cls_QsIndPlacement*> placements);
  ~CTIndoorDialog() override;

  Mode GetMode() const { return mode_; }
  // The placement the dialog shows (the first of several; the one being added).
  Cls_QsIndPlacement* Current() const { return placements_.empty() ? nullptr : placements_[0]; }
  // The caption: "Редактировать выбранный внутренний блок", with the read-only suffix.
  std::string WindowCaption() const;
  // The OK button's caption and the Cancel button's in add mode ("&Добавить", "&Закрыть"); empty
  // for the usual ones.
  std::string OkCaption() const;
  std::string CancelCaption() const;

  // -- What the controls show
  // -----------------------------------------------------------------------
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  bool NameVisible() const { return mode_ != Mode::kEditSeveral; }
  const std::string& Series() const { return series_; }
  const std::vector<LTFamilyItem>& Families() const { return families_; }
  int SelectedFamily() const { return selectedFamily_; }
  void ChooseFamily(int index);
  const std::vector<LTModelItem>& Models() const { return models_; }
  int SelectedModel() const { return selectedModel_; }
  void ChooseModel(int index);
  Manual GetManual() const { return manual_; }
  void SetManual(bool checked);
  double GetValue(Value value) const;
  // A value typed by the user; the wet bulb and the dry bulb and humidity follow each other as
  // the condition layout says.
  void SetValue(Value value, double v);
  // Edit-several mode: the controls whose value differs among the placements and that the user
  // has not changed since; they are not written.
  bool IsMarked(Value value) const;
  bool IsFamilyMarked() const { return familyMarked_; }
  bool IsModelMarked() const { return modelMarked_; }

  // -- Layout
  // ------------------------------------------------------------------------------------------
  bool IsVisible(Value value) const;
  bool ModelListVisible() const { return manual_ == Manual::kChecked; }
  // The automatically chosen model's name, shown while the model list is hidden (empty for a
  // unit that is not connected).
  std::string ModelLabel() const;
  bool OptionsEnabled() const;

  // -- Actions
  // ----------------------------------------------------------------------------------------- OK:
  // validates and writes; false (with the message shown and FocusedControl set) keeps the dialog
  // open. In add mode it adds the placement and makes the next.
  bool Accept();
  // Closing: in add mode the last placement, never added, is deleted.
  void Close();
  // What the last refusal points at.
  Control FocusedControl() const { return focused_; }
  Value FocusedValue() const { return focusedValue_; }
  // The placements added so far (add mode).
  const std::vector<Cls_QsIndPlacement*>& Added() const { return added_; }

  bool Validate() override;

 private:
  void Open();
  void ReadValues(Cls_QsIndPlacement& placement);
  void FillFamilies();
  void FillModels(bool opening);
  void Apply(Cls_QsIndPlacement& placement);
  bool Refuse(Control control, Value value = Value::kCoolDryBulb);

  Cls_QsProject& project_;
  Mode mode_;
  TCreator creator_;
  std::vector<Cls_QsIndPlacement*> placements_;
  std::vector<Cls_QsIndPlacement*> added_;
  std::vector<Cls_IndoorUnit*> catalogueModels_;
  std::vector<std::unique_ptr<Cls_IndFamily>> familyObjects_;
  std::string name_;
  std::string series_;
  std::vector<LTFamilyItem> families_;
  int selectedFamily_ = -1;
  std::vector<LTModelItem> models_;
  int selectedModel_ = -1;
  Manual manual_ = Manual::kUnchecked;
  double values_[7] = {};
  bool marked_[7] = {};
  bool familyMarked_ = false;
  bool modelMarked_ = false;
  bool manualMarked_ = false;
  int conditionType_ = 0;
  Control focused_ = Control::kNone;
  Value focusedValue_ = Value::kCoolDryBulb;
};
