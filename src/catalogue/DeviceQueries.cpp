// The queries the device record classes offer the design: option offers, allowed supplies and
// the resolved supply, dimensions, family lookup, sound text and the central-controller choices.

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/Combinations.h"
#include "catalogue/DeviceOptions.h"
#include "catalogue/Devices.h"
#include "catalogue/Documentation.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/PowerSupplies.h"
#include "i18n/MessageCatalog.h"
#include "i18n/TextCase.h"
#include "i18n/TextTrim.h"
#include "objectstore/FloatText.h"

namespace {

// Takes over a query result as the derived class, dropping what is not one.
template <class T>
std::unique_ptr<T> As(std::unique_ptr<CTDbObject> object) {
  if (T* typed = dynamic_cast<T*>(object.get())) {
    object.release();
    return std::unique_ptr<T>(typed);
  }
  return nullptr;
}

// Whether a series text is shown as it is: only a translation that holds something other than
// blanks and capitals A-Z. Untranslated series and all-capital translations are shown in lower
// case.
bool KeepsSeriesCase(const std::string& text, bool translated) {
  if (!translated) return false;
  for (const char c : text) {
    if (c != ' ' && (c < 'A' || c > 'Z')) return true;
  }
  return false;
}

}  // namespace

// What a device record resolves once: its power supply with the electrical data of that pairing,
// and its documentation record.
struct LTDeviceViews : CTDbView {
  CTOnce supplyOnce;
  std::unique_ptr<Cls_PowerSupply> supply;
  bool noSupply = false;
  double mca = 0.0;
  double runningAmps = 0.0;
  double startingCurrent = 0.0;
  std::string fuses;

  CTOnce documentationOnce;
  std::unique_ptr<Cls_DeviceDocumentation> documentation;
};

// -- Cls_Device -----------------------------------------------------------------------------------

CTDbObjectList Cls_Device::GetOptionOffers() {
  if (!IsStored()) return {};
  return RelatedObjects(Cls_DevOptCombination::kTableId, Cls_DevOptCombination::kDevice);
}

CTDbObjectList Cls_Device::GetAllowedSupplies() {
  if (!IsStored()) return {};
  return RelatedObjects(Cls_QRNPSAllowed::kTableId, Cls_DevPSAllowed::kDevice);
}

const LTDeviceViews& Cls_Device::Supply() {
  LTDeviceViews& views = views_.Of(*this);
  views.supplyOnce.Run([&] {
    CTDbObjectList rows = GetAllowedSupplies();
    for (auto& object : rows) {
      auto* row = dynamic_cast<Cls_QRNPSAllowed*>(object.get());
      if (!row) continue;
      views.supply = As<Cls_PowerSupply>(row->GetReferencedObject(Cls_DevPSAllowed::kPowerSupply));
      views.mca = row->MCA();
      views.runningAmps = row->RunningAmps();
      views.startingCurrent = row->StartingCurrent();
      views.fuses = row->Fuses();
      if (views.supply && views.supply->IsDefault()) break;
    }
    // A row whose supply record is missing leaves the device without a supply as well.
    views.noSupply = !views.supply;
  });
  return views;
}

Cls_PowerSupply* Cls_Device::GetPowerSupply() {
  return Supply().supply.get();
}

bool Cls_Device::HasNoPowerSupply() {
  return Supply().noSupply;
}

double Cls_Device::GetMCA() {
  return Supply().mca;
}

double Cls_Device::GetRunningAmps() {
  return Supply().runningAmps;
}

double Cls_Device::GetStartingCurrent() {
  return Supply().startingCurrent;
}

std::string Cls_Device::GetFuses() {
  return Supply().fuses;
}

std::string Cls_Device::GetPhasesText() {
  Cls_PowerSupply* supply = GetPowerSupply();
  if (!supply) return {};
  std::string text = supply->Phases();
  if (!text.empty()) text += TBaseMsg::GetText(10105, {});
  return text;
}

std::string Cls_Device::GetPhaseNamesText() {
  Cls_PowerSupply* supply = GetPowerSupply();
  return supply ? supply->PhaseNames() : std::string();
}

std::string Cls_Device::GetSupplyText() {
  Cls_PowerSupply* supply = GetPowerSupply();
  if (!supply) return {};
  // The blank only separates two texts: a supply without phases gives its voltage alone.
  const std::string phases = GetPhasesText();
  const std::string& voltage = supply->Voltage();
  if (phases.empty()) return voltage;
  if (voltage.empty()) return phases;
  return voltage + " " + phases;
}

Cls_DeviceDocumentation* Cls_Device::GetDocumentation() {
  LTDeviceViews& views = views_.Of(*this);
  views.documentationOnce.Run([&] {
    if (IsStored()) {
      views.documentation = As<Cls_DeviceDocumentation>(
          RelatedObject(Cls_DeviceDocumentation::kTableId, Cls_DeviceDocumentation::kDevice));
    }
  });
  return views.documentation.get();
}

void Cls_Device::GetDimensions(double& width, double& height, double& depth, double& weight) {
  width = height = depth = weight = 0.0;
  Cls_DeviceDocumentation* doc = GetDocumentation();
  if (!doc) return;
  width = doc->Width();
  height = doc->Height();
  depth = doc->Depth();
  weight = doc->Weight();
}

// -- Indoor units and families --------------------------------------------------------------------

std::string Cls_IndoorUnit::GetSoundText() {
  auto* doc = dynamic_cast<Cls_IndDocumentation*>(GetDocumentation());
  if (!doc) return {};
  const double low = doc->SoundLow();
  const double high = doc->SoundHigh();
  if (low != 0.0 && high != 0.0) return FormatStoreFloat(low) + "-" + FormatStoreFloat(high);
  if (low != 0.0) return FormatStoreFloat(low);
  if (high != 0.0) return FormatStoreFloat(high);
  return {};
}

void Cls_IndFamily::GetDisplayText(int& charset, std::string& text) const {
  std::string name;
  GetName(charset, name);
  text = Values().GetBytes(kShort);
  if (!name.empty()) text += " - " + name;
}

std::unique_ptr<Cls_IndFamily> Cls_IndFamily::FindByCode(const std::string& code,
                                                         CTBaseFactory* factory) {
  CTDbObjectList families = AllObjects(kTableId, false, factory);
  for (auto& object : families) {
    auto* family = dynamic_cast<Cls_IndFamily*>(object.get());
    if (!family || family->IsDeleted() || !EqualNoCase(family->Short(), code)) continue;
    return As<Cls_IndFamily>(std::move(object));
  }
  return nullptr;
}

// -- Options --------------------------------------------------------------------------------------

std::string Cls_DeviceOption::NameWithDescription() const {
  int charset = 0;
  std::string description;
  GetDescription(charset, description);
  return Name() + " (" + description + ")";
}

// -- Central controllers --------------------------------------------------------------------------

std::vector<std::unique_ptr<Cls_CentralController>> Cls_CentralController::GetComponents() {
  std::vector<std::unique_ptr<Cls_CentralController>> result;
  if (!IsStored()) return result;
  CTDbObjectList rows =
      RelatedObjects(Cls_CCCombination::kTableId, Cls_CCCombination::kCentralController);
  for (auto& row : rows) {
    if (auto component = As<Cls_CentralController>(
            row->GetReferencedObject(Cls_CCCombination::kCentralController2))) {
      result.push_back(std::move(component));
    }
  }
  return result;
}

std::vector<std::unique_ptr<Cls_CentralController>> Cls_CentralController::GetChoiceList(
    CTBaseFactory* factory) {
  std::vector<std::unique_ptr<Cls_CentralController>> choices;
  CTDbObjectList controllers = AllObjects(kTableId, false, factory);
  for (auto& object : controllers) {
    auto* controller = dynamic_cast<Cls_CentralController*>(object.get());
    if (!controller) continue;
    const int type = controller->Type();
    const int id = controller->RecordId();
    CTBaseFactory* own = &controller->Factory();
    if (type < 2) choices.push_back(std::make_unique<Cls_CentralController>(id, own));
    if (type == 1) continue;
    auto components = controller->GetComponents();
    if (components.empty()) continue;
    auto combined = std::make_unique<Cls_CentralController>(id, own);
    combined->choiceComponents_ = std::move(components);
    choices.push_back(std::move(combined));
  }
  return choices;
}

void Cls_CentralController::GetDisplayText(int& charset, std::string& text) const {
  const auto& components = choiceComponents_;
  if (Values().GetInt(kType) == 2 && !components.empty()) {
    components.front()->GetDisplayText(charset, text);
    for (std::size_t i = 1; i < components.size(); ++i) {
      text += "+" + TrimText(components[i]->Name());
    }
    return;
  }
  int seriesCharset = 0;
  std::string series = ReadText(*this, kSeries, &seriesCharset);
  const bool translated = seriesCharset != 0;
  if (!KeepsSeriesCase(series, translated)) series = LowerText(series);
  std::string name;
  GetName(charset, name);
  if (translated) charset = seriesCharset;
  text = series + " " + TrimText(name);
  // Component names are trimmed like the controller's own, so no blank lands beside a "+".
  for (const auto& component : components) text += "+" + TrimText(component->Name());
}

void Cls_CentralController::GetFullName(std::string& text) const {
  text = Name();
}
