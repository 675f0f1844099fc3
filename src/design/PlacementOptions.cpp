// The options of placements: the used-option records, their reconciliation with the model's
// offers and the editing of several placements' options at once.

#include "design/PlacementOptions.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "catalogue/DeviceOptions.h"
#include "catalogue/Devices.h"
#include "design/QsDevicePlacement.h"
#include "design/QsUsedOption.h"
#include "i18n/MessageCatalog.h"
#include "objectstore/BaseFactory.h"
#include "objectstore/TableInfo.h"

namespace {

constexpr int kMsgNoCommonOptions = 10076;
constexpr int kMsgNoModelForOptions = 10077;
constexpr int kMsgUseDefaultOptions = 10092;

bool SameRecord(const CTDbObject& object, const LTRecordRef& ref) {
  return object.TableId() == ref.tableId && object.RecordId() == ref.recordId;
}

bool Contains(const std::vector<Cls_DeviceOption*>& options, const Cls_DeviceOption* option) {
  return std::find(options.begin(), options.end(), option) != options.end();
}

// The options of a model's offers found among the given options, in offer order without
// repetition, and which of them the model offers as standard.
struct LTModelOffer {
  std::vector<Cls_DeviceOption*> options;
  std::vector<Cls_DeviceOption*> standard;
};

LTModelOffer OfferOf(Cls_QsDevicePlacement& placement, CTDbObject* model,
                     const std::vector<Cls_DeviceOption*>& catalogueOptions) {
  LTModelOffer offer;
  for (const auto& combination : placement.GetOptionCombinations(model)) {
    const LTRecordRef ref = combination->DeviceOptionRef();
    auto match = std::find_if(catalogueOptions.begin(), catalogueOptions.end(),
                              [&](const Cls_DeviceOption* o) { return o && SameRecord(*o, ref); });
    if (match == catalogueOptions.end()) continue;
    if (!Contains(offer.options, *match)) offer.options.push_back(*match);
    if (combination->IsStandard() && !Contains(offer.standard, *match)) {
      offer.standard.push_back(*match);
    }
  }
  return offer;
}

}  // namespace

Cls_DeviceOption* CatalogueOption(const LTRecordRef& ref, CTBaseFactory* factory) {
  if (!ref.IsSet()) return nullptr;
  const CTTableInfo* table = CTBaseFactory::OrDefault(factory)->TableById(ref.tableId);
  if (!table || !table->DescendsFrom(Cls_DeviceOption::kTableId)) return nullptr;
  return dynamic_cast<Cls_DeviceOption*>(
      CTDbObject::CachedObject(ref.tableId, ref.recordId, factory));
}

// -- The options of one placement -----------------------------------------------------------------

LTUsedOptionList Cls_QsDevicePlacement::GetUsedOptions() {
  LTUsedOptionList result;
  if (!IsStored()) return result;
  for (auto& object : RelatedObjects(Cls_QsUsedOption::kTableId, Cls_QsUsedOption::kPlacement)) {
    if (auto* used = dynamic_cast<Cls_QsUsedOption*>(object.get())) {
      object.release();
      result.emplace_back(used);
    }
  }
  return result;
}

LTOptionOfferList Cls_QsDevicePlacement::GetOptionCombinations(CTDbObject* model) {
  LTOptionOfferList result;
  auto* device = dynamic_cast<Cls_Device*>(model);
  if (!device) return result;
  for (auto& object : device->GetOptionOffers()) {
    if (auto* offer = dynamic_cast<Cls_DevOptCombination*>(object.get())) {
      object.release();
      result.emplace_back(offer);
    }
  }
  return result;
}

LTUsedOptionList Cls_QsDevicePlacement::ReconcileOptions(CTDbObject* model, bool addStandard,
                                                         bool addPreferred) {
  LTUsedOptionList used = GetUsedOptions();
  if (!model || !IsStored()) return used;
  const LTOptionOfferList offers = GetOptionCombinations(model);
  auto offered = [&](const LTRecordRef& option) {
    return std::any_of(offers.begin(), offers.end(),
                       [&](const auto& offer) { return offer->DeviceOptionRef() == option; });
  };
  for (auto it = used.begin(); it != used.end();) {
    if (offered((*it)->GetOptionRef())) {
      ++it;
      continue;
    }
    (*it)->Delete();
    it = used.erase(it);
  }
  if (!addStandard && !addPreferred) return used;
  for (const auto& offer : offers) {
    if (!((addStandard && offer->IsStandard()) || (addPreferred && offer->IsPreferred()))) continue;
    const LTRecordRef ref = offer->DeviceOptionRef();
    const bool present = std::any_of(used.begin(), used.end(),
                                     [&](const auto& u) { return u->GetOptionRef() == ref; });
    if (present) continue;
    Cls_DeviceOption* option = CatalogueOption(ref, &Factory());
    if (!option) continue;
    auto created = std::make_unique<Cls_QsUsedOption>(0, &Factory());
    created->SetOption(option);
    created->SetPlacement(this);
    created->Insert();
    used.push_back(std::move(created));
    SetPrefOptionsAssigned(true);
    Post();
  }
  return used;
}

void Cls_QsDevicePlacement::SetUsedOptions(const std::vector<Cls_DeviceOption*>& chosen) {
  std::vector<Cls_DeviceOption*> missing = chosen;
  for (const auto& used : GetUsedOptions()) {
    const LTRecordRef ref = used->GetOptionRef();
    auto match = std::find_if(missing.begin(), missing.end(),
                              [&](const Cls_DeviceOption* o) { return o && SameRecord(*o, ref); });
    if (match != missing.end()) {
      missing.erase(match);
    } else {
      used->Delete();
    }
  }
  for (Cls_DeviceOption* option : missing) {
    if (!option) continue;
    Cls_QsUsedOption created(0, &Factory());
    created.SetOption(option);
    created.SetPlacement(this);
    created.Insert();
  }
}

// -- The options of several placements ------------------------------------------------------------

std::optional<LTOptionChoice> PrepareOptionsOfMany(
    const std::vector<Cls_QsDevicePlacement*>& placements,
    const std::vector<Cls_DeviceOption*>& options, const std::vector<CTDbObject*>& models) {
  if (placements.empty()) return std::nullopt;
  // Each distinct model once, with the first placement that has it.
  std::vector<std::pair<Cls_QsDevicePlacement*, CTDbObject*>> distinct;
  for (Cls_QsDevicePlacement* placement : placements) {
    const LTRecordRef ref = placement->GetDeviceRef();
    auto model = std::find_if(models.begin(), models.end(),
                              [&](const CTDbObject* m) { return m && SameRecord(*m, ref); });
    if (!ref.IsSet() || model == models.end()) {
      std::string fullName;
      placement->GetFullName(fullName);
      TBaseMsg::ShowError(kMsgNoModelForOptions, {fullName});
      return std::nullopt;
    }
    const bool seen = std::any_of(distinct.begin(), distinct.end(),
                                  [&](const auto& entry) { return entry.second == *model; });
    if (!seen) distinct.emplace_back(placement, *model);
  }

  LTOptionChoice choice;
  bool first = true;
  for (const auto& [placement, model] : distinct) {
    LTModelOffer offer = OfferOf(*placement, model, options);
    if (first) {
      choice.allowed = std::move(offer.options);
      choice.standard = std::move(offer.standard);
      first = false;
      continue;
    }
    std::erase_if(choice.allowed,
                  [&](const Cls_DeviceOption* o) { return !Contains(offer.options, o); });
    std::erase_if(choice.standard,
                  [&](const Cls_DeviceOption* o) { return !Contains(offer.standard, o); });
  }
  if (choice.allowed.empty()) {
    TBaseMsg::ShowError(kMsgNoCommonOptions);
    return std::nullopt;
  }

  Cls_QsDevicePlacement& head = *placements.front();
  const LTUsedOptionList used =
      head.ReconcileOptions(distinct.front().second, false, !head.GetPrefOptionsAssigned());
  for (const auto& option : used) {
    const LTRecordRef ref = option->GetOptionRef();
    for (Cls_DeviceOption* allowed : choice.allowed) {
      if (SameRecord(*allowed, ref)) {
        choice.chosen.push_back(allowed);
        break;
      }
    }
  }

  if (TBaseMsg::Ask(kMsgUseDefaultOptions, kBtnYes | kBtnNo, {head.Name()}) == kAnsNo) {
    return std::nullopt;
  }
  return choice;
}

bool EditOptionsOfMany(const std::vector<Cls_QsDevicePlacement*>& placements,
                       const std::vector<Cls_DeviceOption*>& options,
                       const std::vector<CTDbObject*>& models, const TOptionDialog& dialog) {
  std::optional<LTOptionChoice> choice = PrepareOptionsOfMany(placements, options, models);
  if (!choice || !dialog || !dialog(*choice)) return false;
  for (Cls_QsDevicePlacement* placement : placements) placement->SetUsedOptions(choice->chosen);
  return true;
}
