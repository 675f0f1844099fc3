#include "design/IndoorDialog.h"

#include <algorithm>
#include <cmath>

#include "catalogue/IndoorUnits.h"
#include "design/Preferences.h"
#include "design/QsIndPlacement.h"
#include "design/QsProject.h"
#include "design/ValueFormat.h"
#include "i18n/MessageCatalog.h"
#include "i18n/TextCase.h"
#include "i18n/Units.h"
#include "objectstore/ListSort.h"
#include "physics/MoistAir.h"
#include "platform/CodePage.h"

namespace {

constexpr int kMsgIndoorValueRange = 5011;
constexpr int kMsgIndoorValueRequired = 5012;
constexpr int kMsgInvalidDbWb = 10047;
constexpr int kMsgNoRequirement = 10064;
constexpr int kMsgDifferentValues = 10104;

using TValue = CTIndoorDialog::Value;

std::size_t Slot(TValue value) {
  return static_cast<std::size_t>(value);
}

// The captions of the name field and the dialog's value controls (CP1251).
class LTIndoorDialogCaptions : public CTFormCaptions {
 public:
  bool LabelCaption(const std::string& label, std::string& caption) const override {
    if (label != "Lbl_Name") return false;
    caption = Cp1251FromUtf8("Название");
    return true;
  }
  bool ControlHint(const std::string&, std::string&) const override { return false; }
};

struct LTValueRule {
  TValue value;
  const char* title;    // UTF-8
  U_RepUnit dimension;  // U_None: a bare number
  double minimum;
  double maximum;
};

// The range checks, in the order they are made.
constexpr LTValueRule kValueRules[] = {
    {TValue::kCoolDryBulb, "DBT", U_Temperature, 20, 32},
    {TValue::kCoolHumidity, "RH %", U_None, 10, 100},
    {TValue::kCoolWetBulb, "WBT", U_Temperature, 14, 24},
    {TValue::kTotalRequired, "Треб. суммарная мощность", U_Power, 0, 500},
    {TValue::kSensibleRequired, "Треб. ощутимая мощность", U_Power, 0, 500},
    {TValue::kHeatDryBulb, "DBT", U_Temperature, 0, 24},
    {TValue::kHeatingRequired, "Требуемая мощность", U_Power, 0, 500},
};

// A bound as the range message writes it: in the display unit with its name.
std::string BoundText(U_RepUnit dimension, double bound) {
  if (dimension == U_None) return FormatGeneralNumber(bound);
  const int unit = CTUnitData::CurrentUnit(dimension);
  return CTUnitData::FormatValue(dimension, 1, CTUnitData::Convert(dimension, 0, unit, bound)) +
         CTUnitData::CurrentUnitName(dimension);
}

std::string DifferentValuesText() {
  int charset = 0;
  std::string text;
  TBaseMsg::GetText(kMsgDifferentValues, charset, text);
  return "--- " + text + " ---";
}

}  // namespace

CTIndoorDialog::CTIndoorDialog(Cls_QsProject& project, Cls_QsIndPlacement& placement, bool readOnly)
    : CTBasicDialog(readOnly), project_(project), mode_(Mode::kEditOne), placements_{&placement} {
  Open();
}

CTIndoorDialog::CTIndoorDialog(Cls_QsProject& project, TCreator creator)
    : project_(project), mode_(Mode::kAdd), creator_(std::move(creator)) {
  if (Cls_QsIndPlacement* first = creator_ ? creator_() : nullptr) placements_.push_back(first);
  Open();
}

CTIndoorDialog::CTIndoorDialog(Cls_QsProject& project, std::vector<Cls_QsIndPlacement*> placements)
    : project_(project), mode_(Mode::kEditSeveral), placements_(std::move(placements)) {
  Open();
}

CTIndoorDialog::~CTIndoorDialog() = default;

std::string CTIndoorDialog::WindowCaption() const {
  return Caption(Cp1251FromUtf8("Редактировать выбранный внутренний блок"));
}

std::string CTIndoorDialog::OkCaption() const {
  return mode_ == Mode::kAdd ? Cp1251FromUtf8("&Добавить") : std::string();
}

std::string CTIndoorDialog::CancelCaption() const {
  return mode_ == Mode::kAdd ? Cp1251FromUtf8("&Закрыть") : std::string();
}

void CTIndoorDialog::Open() {
  conditionType_ = CTPreferences::Current().indoorConditionType;
  for (const auto& object :
       CTDbObject::AllObjects(Cls_IndoorUnit::kTableId, false, &project_.Factory())) {
    auto* model = dynamic_cast<Cls_IndoorUnit*>(CTDbObject::CachedObject(
        Cls_IndoorUnit::kTableId, object->RecordId(), &project_.Factory()));
    if (model && !model->IsDeleted()) catalogueModels_.push_back(model);
  }
  Cls_QsIndPlacement* first = Current();
  if (!first) return;
  name_ = first->Name();
  series_ = first->GetSeries();
  manual_ = first->GetManualSelect() ? Manual::kChecked : Manual::kUnchecked;
  ReadValues(*first);
  if (mode_ == Mode::kEditSeveral) {
    for (std::size_t i = 1; i < placements_.size(); ++i) {
      Cls_QsIndPlacement& other = *placements_[i];
      if (other.GetManualSelect() != first->GetManualSelect()) {
        manual_ = Manual::kGreyed;
        manualMarked_ = true;
      }
      if (other.GetCoolIndoorTemp() != first->GetCoolIndoorTemp()) {
        marked_[Slot(Value::kCoolDryBulb)] = marked_[Slot(Value::kCoolWetBulb)] = true;
      }
      const auto mark = [&](Value v, double a, double b) {
        if (a != b) marked_[Slot(v)] = true;
      };
      mark(Value::kCoolHumidity, other.GetCoolIndoorRH(), first->GetCoolIndoorRH());
      mark(Value::kHeatDryBulb, other.GetHeatIndoorTemp(), first->GetHeatIndoorTemp());
      mark(Value::kSensibleRequired, other.GetCoolCapReqSensible(), first->GetCoolCapReqSensible());
      mark(Value::kTotalRequired, other.GetCoolCapReqTotal(), first->GetCoolCapReqTotal());
      mark(Value::kHeatingRequired, other.GetHeatCapReq(), first->GetHeatCapReq());
    }
  }
  FillFamilies();
  FillModels(true);
}

void CTIndoorDialog::ReadValues(Cls_QsIndPlacement& placement) {
  const TAir air;
  values_[Slot(Value::kCoolDryBulb)] = placement.GetCoolIndoorTemp();
  values_[Slot(Value::kCoolHumidity)] = placement.GetCoolIndoorRH();
  values_[Slot(Value::kCoolWetBulb)] =
      air.WetBulbTemperature(placement.GetCoolIndoorTemp(), placement.GetCoolIndoorRH());
  values_[Slot(Value::kSensibleRequired)] = placement.GetCoolCapReqSensible();
  values_[Slot(Value::kTotalRequired)] = placement.GetCoolCapReqTotal();
  values_[Slot(Value::kHeatDryBulb)] = placement.GetHeatIndoorTemp();
  values_[Slot(Value::kHeatingRequired)] = placement.GetHeatCapReq();
}

void CTIndoorDialog::FillFamilies() {
  families_.clear();
  familyObjects_.clear();
  selectedFamily_ = -1;
  Cls_QsIndPlacement* first = Current();
  std::vector<std::string> listed;
  CTDbObjectList all = CTDbObject::AllObjects(Cls_IndFamily::kTableId, false, &project_.Factory());
  for (auto& object : all) {
    auto* family = dynamic_cast<Cls_IndFamily*>(object.get());
    if (!family) continue;
    const std::string code = family->Short();
    // Codes are compared in upper case; lowering them compares the same way.
    const std::string key = LowerText(code);
    if (std::find(listed.begin(), listed.end(), key) != listed.end()) continue;
    const bool offered =
        std::any_of(catalogueModels_.begin(), catalogueModels_.end(), [&](Cls_IndoorUnit* model) {
          return EqualNoCase(model->Series(), series_) && EqualNoCase(model->Family(), code);
        });
    if (!offered) continue;
    listed.push_back(key);
    int charset = 0;
    std::string text;
    family->GetDisplayText(charset, text);
    // The list keeps the families it shows.
    object.release();
    familyObjects_.emplace_back(family);
    families_.push_back({family, text});
    if (first && selectedFamily_ < 0 && EqualNoCase(code, first->GetFamily())) {
      selectedFamily_ = static_cast<int>(families_.size()) - 1;
    }
  }
  if (selectedFamily_ < 0 && !families_.empty()) selectedFamily_ = 0;
  if (mode_ == Mode::kEditSeveral && first && selectedFamily_ >= 0 &&
      EqualNoCase(families_[static_cast<std::size_t>(selectedFamily_)].family->Short(),
                  first->GetFamily())) {
    for (std::size_t i = 1; i < placements_.size(); ++i) {
      if (!EqualNoCase(placements_[i]->GetFamily(), first->GetFamily())) {
        families_.push_back({nullptr, DifferentValuesText()});
        selectedFamily_ = static_cast<int>(families_.size()) - 1;
        familyMarked_ = true;
        break;
      }
    }
  }
}

void CTIndoorDialog::FillModels(bool opening) {
  models_.clear();
  selectedModel_ = -1;
  Cls_QsIndPlacement* first = Current();
  const LTFamilyItem* family =
      selectedFamily_ >= 0 ? &families_[static_cast<std::size_t>(selectedFamily_)] : nullptr;
  if (family && family->family) {
    const std::string code = family->family->Short();
    std::vector<Cls_IndoorUnit*> models;
    for (Cls_IndoorUnit* model : catalogueModels_) {
      if (model->Series() == series_ && model->Family() == code) models.push_back(model);
    }
    ListSort(models, [](Cls_IndoorUnit* later, Cls_IndoorUnit* earlier) {
      return later->CapIndex() < earlier->CapIndex();
    });
    for (Cls_IndoorUnit* model : models) models_.push_back({model, model->Name()});
  }
  if (first) {
    const CTDbObject* current = first->GetModel();
    int wantedRecord = 0;
    int wantedTable = Cls_IndoorUnit::kTableId;
    if (current) {
      wantedRecord = current->RecordId();
      wantedTable = current->TableId();
    } else if (first->GetManualSelect()) {
      wantedRecord = CTPreferences::Current().indoorModel;
    }
    for (std::size_t i = 0; i < models_.size() && wantedRecord > 0; ++i) {
      if (models_[i].model->RecordId() == wantedRecord &&
          models_[i].model->TableId() == wantedTable) {
        selectedModel_ = static_cast<int>(i);
        break;
      }
    }
  }
  if (manual_ == Manual::kChecked && selectedModel_ < 0 && !models_.empty()) selectedModel_ = 0;
  if (opening && mode_ == Mode::kEditSeveral && first) {
    const LTRecordRef firstModel = first->GetDeviceRef();
    for (std::size_t i = 1; i < placements_.size(); ++i) {
      const LTRecordRef other = placements_[i]->GetDeviceRef();
      if (other.tableId != firstModel.tableId || other.recordId != firstModel.recordId) {
        models_.push_back({nullptr, DifferentValuesText()});
        selectedModel_ = static_cast<int>(models_.size()) - 1;
        modelMarked_ = true;
        break;
      }
    }
  }
}

void CTIndoorDialog::ChooseFamily(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= families_.size()) return;
  familyMarked_ = false;
  // The different-values entry goes once another family is chosen.
  if (families_[static_cast<std::size_t>(index)].family && !families_.back().family) {
    families_.pop_back();
  }
  selectedFamily_ = index;
  FillModels(false);
}

void CTIndoorDialog::ChooseModel(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= models_.size()) return;
  modelMarked_ = false;
  selectedModel_ = index;
}

void CTIndoorDialog::SetManual(bool checked) {
  manual_ = checked ? Manual::kChecked : Manual::kUnchecked;
  manualMarked_ = false;
  if (checked && selectedModel_ < 0 && !models_.empty()) selectedModel_ = 0;
}

double CTIndoorDialog::GetValue(Value value) const {
  return values_[Slot(value)];
}

void CTIndoorDialog::SetValue(Value value, double v) {
  values_[Slot(value)] = v;
  marked_[Slot(value)] = false;
}

bool CTIndoorDialog::IsMarked(Value value) const {
  return marked_[Slot(value)];
}

bool CTIndoorDialog::IsVisible(Value value) const {
  switch (value) {
    case Value::kCoolDryBulb:
      return conditionType_ != 2;
    case Value::kCoolHumidity:
      return conditionType_ != 1;
    case Value::kCoolWetBulb:
      return conditionType_ == 1 || conditionType_ == 2;
    case Value::kSensibleRequired:
    case Value::kTotalRequired:
    case Value::kHeatingRequired:
      return manual_ == Manual::kUnchecked;
    case Value::kHeatDryBulb:
      break;
  }
  return true;
}

std::string CTIndoorDialog::ModelLabel() const {
  Cls_QsIndPlacement* first = Current();
  if (!first || !first->GetParent()) return {};
  const CTDbObject* model = first->GetModel();
  return model ? model->Name() : std::string();
}

bool CTIndoorDialog::OptionsEnabled() const {
  if (mode_ == Mode::kEditSeveral) return true;
  if (manual_ == Manual::kChecked) {
    return selectedModel_ >= 0 && models_[static_cast<std::size_t>(selectedModel_)].model;
  }
  return manual_ == Manual::kUnchecked && !ModelLabel().empty();
}

bool CTIndoorDialog::Refuse(Control control, Value value) {
  focused_ = control;
  focusedValue_ = value;
  return false;
}

bool CTIndoorDialog::Validate() {
  focused_ = Control::kNone;
  Cls_QsIndPlacement* first = Current();
  if (!first) return false;
  if (mode_ != Mode::kEditSeveral) {
    const LTIndoorDialogCaptions captions;
    if (!first->ValidateName(name_, &captions)) return Refuse(Control::kName);
  }
  if (selectedFamily_ < 0) {
    TBaseMsg::ShowError(kMsgIndoorValueRequired, {Cp1251FromUtf8("Система")});
    return Refuse(Control::kFamily);
  }
  const bool familyWithObject = families_[static_cast<std::size_t>(selectedFamily_)].family;
  if (manual_ == Manual::kChecked && familyWithObject && selectedModel_ < 0) {
    TBaseMsg::ShowError(kMsgIndoorValueRequired, {Cp1251FromUtf8("Фанкойл")});
    return Refuse(Control::kModel);
  }
  for (const LTValueRule& rule : kValueRules) {
    if (!IsVisible(rule.value)) continue;
    const double v = values_[Slot(rule.value)];
    const bool low = v < rule.minimum;
    if (low || v > rule.maximum) {
      TBaseMsg::ShowError(kMsgIndoorValueRange,
                          {Cp1251FromUtf8(rule.title) + (low ? " < " : " > ") +
                           BoundText(rule.dimension, low ? rule.minimum : rule.maximum)});
      return Refuse(Control::kValue, rule.value);
    }
    if (rule.value == Value::kCoolWetBulb && IsVisible(Value::kCoolDryBulb)) {
      const TAir air;
      const double dry = values_[Slot(Value::kCoolDryBulb)];
      if (air.RelativeHumidityFromWetBulb(dry, v) == 0) {
        TBaseMsg::ShowError(kMsgInvalidDbWb,
                            {BoundText(U_Temperature, dry), BoundText(U_Temperature, v)});
        return Refuse(Control::kValue, Value::kCoolWetBulb);
      }
    }
  }
  if (manual_ == Manual::kUnchecked && values_[Slot(Value::kSensibleRequired)] <= 0 &&
      values_[Slot(Value::kTotalRequired)] <= 0 && values_[Slot(Value::kHeatingRequired)] <= 0) {
    TBaseMsg::ShowError(kMsgNoRequirement);
    return Refuse(Control::kValue, Value::kTotalRequired);
  }
  return true;
}

void CTIndoorDialog::Apply(Cls_QsIndPlacement& placement) {
  const TAir air;
  if (mode_ != Mode::kEditSeveral) placement.SetName(name_);
  if (manual_ == Manual::kChecked) placement.SetManualSelect(true);
  if (manual_ == Manual::kUnchecked) placement.SetManualSelect(false);
  const LTFamilyItem* family =
      selectedFamily_ >= 0 ? &families_[static_cast<std::size_t>(selectedFamily_)] : nullptr;
  if (family && family->family) placement.SetFamily(family->family->Short());
  const auto unmarked = [&](Value v) { return !marked_[Slot(v)]; };
  const double wetBulb = values_[Slot(Value::kCoolWetBulb)];
  switch (conditionType_) {
    case 1:
      if (unmarked(Value::kCoolDryBulb)) {
        placement.SetCoolIndoorTemp(values_[Slot(Value::kCoolDryBulb)]);
      }
      if (unmarked(Value::kCoolWetBulb)) {
        placement.SetCoolIndoorRH(
            air.RelativeHumidityFromWetBulb(placement.GetCoolIndoorTemp(), wetBulb));
      }
      break;
    case 2:
      if (unmarked(Value::kCoolHumidity)) {
        placement.SetCoolIndoorRH(values_[Slot(Value::kCoolHumidity)]);
      }
      if (unmarked(Value::kCoolWetBulb)) {
        placement.SetCoolIndoorTemp(air.DryBulbFromWetBulb(wetBulb, placement.GetCoolIndoorRH()));
      }
      break;
    default:
      if (unmarked(Value::kCoolDryBulb)) {
        placement.SetCoolIndoorTemp(values_[Slot(Value::kCoolDryBulb)]);
      }
      if (unmarked(Value::kCoolHumidity)) {
        placement.SetCoolIndoorRH(values_[Slot(Value::kCoolHumidity)]);
      }
      break;
  }
  if (unmarked(Value::kHeatDryBulb))
    placement.SetHeatIndoorTemp(values_[Slot(Value::kHeatDryBulb)]);
  if (manual_ == Manual::kUnchecked) {
    if (unmarked(Value::kSensibleRequired)) {
      placement.SetCoolCapReqSensible(values_[Slot(Value::kSensibleRequired)]);
    }
    if (unmarked(Value::kTotalRequired)) {
      placement.SetCoolCapReqTotal(values_[Slot(Value::kTotalRequired)]);
    }
    if (unmarked(Value::kHeatingRequired)) {
      placement.SetHeatCapReq(values_[Slot(Value::kHeatingRequired)]);
    }
  }
  placement.Post();
  // The model reference is stored at once, after the fields it depends on.
  if (placement.GetManualSelect() && selectedModel_ >= 0) {
    if (Cls_IndoorUnit* model = models_[static_cast<std::size_t>(selectedModel_)].model) {
      placement.SetModel(model);
    }
  }
}

bool CTIndoorDialog::Accept() {
  if (ReadOnly()) return true;
  if (!Validate()) return false;
  Cls_QsIndPlacement* first = Current();
  Apply(*first);
  first->StoreAsDefaults();
  project_.InitDefaults();
  for (std::size_t i = 1; i < placements_.size(); ++i) Apply(*placements_[i]);
  if (mode_ == Mode::kAdd) {
    added_.push_back(first);
    placements_.clear();
    if (Cls_QsIndPlacement* next = creator_ ? creator_() : nullptr) {
      placements_.push_back(next);
      name_ = next->Name();
    }
  }
  return true;
}

void CTIndoorDialog::Close() {
  if (mode_ != Mode::kAdd || placements_.empty()) return;
  Cls_QsIndPlacement* last = placements_.front();
  placements_.clear();
  std::unique_ptr<Cls_QsDevicePlacement> owned = project_.RemoveFromPlacementCache(last);
  last->Delete();
}
