// Which indoor units share a wired remote controller: a unit with a remote controller of its
// own heads a group, and units without one join the group of the next or the previous unit.

#include <cmath>
#include <string>
#include <vector>

#include "catalogue/DeviceOptions.h"
#include "design/QsIndPlacement.h"
#include "design/QsOutPlacement.h"
#include "i18n/MessageCatalog.h"

namespace {

constexpr int kMsgRemoveRemoteFirst = 10081;
constexpr int kMsgRemoveSensorFirst = 10082;
constexpr int kMsgRemoteNoNextUnit = 10073;
constexpr int kMsgRemoteNoPreviousUnit = 10075;
constexpr int kMsgRemoteTooMany = 10061;
constexpr int kMsgRemoteCannotHead = 10067;

std::ptrdiff_t PositionOf(const std::vector<Cls_QsIndPlacement*>& units,
                          const Cls_QsIndPlacement& unit) {
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (units[i] == &unit) return static_cast<std::ptrdiff_t>(i);
  }
  return -1;
}

}  // namespace

Cls_QsIndPlacement* Cls_QsOutPlacement::GetPreviousRemoteUnit(
    const Cls_QsIndPlacement& unit) const {
  const std::vector<Cls_QsIndPlacement*> units = GetIndoorUnits();
  for (std::ptrdiff_t i = PositionOf(units, unit) - 1; i >= 0; --i) {
    if (units[static_cast<std::size_t>(i)]->HasOwnRemote(false)) {
      return units[static_cast<std::size_t>(i)];
    }
  }
  return nullptr;
}

Cls_QsIndPlacement* Cls_QsOutPlacement::GetNextRemoteUnit(const Cls_QsIndPlacement& unit) const {
  const std::vector<Cls_QsIndPlacement*> units = GetIndoorUnits();
  const std::ptrdiff_t at = PositionOf(units, unit);
  if (at < 0) return nullptr;
  for (std::size_t i = static_cast<std::size_t>(at) + 1; i < units.size(); ++i) {
    if (units[i]->HasOwnRemote(false)) return units[i];
  }
  return nullptr;
}

void Cls_QsIndPlacement::GetRemoteGroup(int& count, int& maximum) {
  count = 0;
  maximum = 0;
  Cls_QsOutPlacement* system = GetOutdoorSystem();
  if (!system || !HasOwnRemote(false)) return;
  const std::vector<Cls_QsIndPlacement*> units = system->GetIndoorUnits();
  const std::ptrdiff_t p = PositionOf(units, *this);
  count = 1;
  maximum = static_cast<int>(std::lround(RemoteOption()->Value()));
  if (p < 0) return;
  const auto at = [&](std::ptrdiff_t i) { return units[static_cast<std::size_t>(i)]; };
  // Units before this one that use the next unit's remote controller, with no other remote
  // controller between them and this unit.
  for (std::ptrdiff_t i = p - 1; i >= 0; --i) {
    if (at(i)->HasOwnRemote(false)) break;
    if (at(i)->GetRemoteType() == kRemoteOfNextUnit) ++count;
  }
  // Units after it that use the previous unit's remote controller, likewise.
  for (std::ptrdiff_t i = p + 1; i < static_cast<std::ptrdiff_t>(units.size()); ++i) {
    if (at(i)->HasOwnRemote(false)) break;
    if (at(i)->GetRemoteType() == kRemoteOfPreviousUnit) ++count;
  }
}

void Cls_QsIndPlacement::SetRemoteType(int value, bool keepUnlessRemote) {
  const auto store = [&](int v) {
    SetRemoteTypeValue(v);
    Post();
  };
  if (value == kOwnRemote) {
    if (HasOwnRemote(false) || !keepUnlessRemote) store(kOwnRemote);
    return;
  }
  if (value < kNoWiredRemote || value > kRemoteOfPreviousUnit) return;
  if (HasOwnRemote(false)) {
    TBaseMsg::ShowError(kMsgRemoveRemoteFirst);
    return;
  }
  if (HasRemoteSensor(false) && value == kNoWiredRemote) {
    TBaseMsg::ShowError(kMsgRemoveSensorFirst);
    return;
  }
  Cls_QsOutPlacement* system = GetOutdoorSystem();
  if (!system || value == kNoWiredRemote) {
    store(value);
    return;
  }
  Cls_QsIndPlacement* head = value == kRemoteOfNextUnit ? system->GetNextRemoteUnit(*this)
                                                        : system->GetPreviousRemoteUnit(*this);
  if (!head) {
    TBaseMsg::ShowError(value == kRemoteOfNextUnit ? kMsgRemoteNoNextUnit
                                                   : kMsgRemoteNoPreviousUnit);
    return;
  }
  if (!head->MayHeadRemoteGroup()) {
    std::string fullName;
    head->GetFullName(fullName);
    TBaseMsg::ShowError(kMsgRemoteCannotHead, {fullName});
    return;
  }
  // The head's group as it is without this unit.
  const int old = GetRemoteType();
  Values().SetInt(kRemoteType, kNoWiredRemote);
  int count = 0;
  int maximum = 0;
  head->GetRemoteGroup(count, maximum);
  Values().SetInt(kRemoteType, old);
  if (maximum <= 0 || count < maximum) {
    store(value);
  } else {
    TBaseMsg::ShowError(kMsgRemoteTooMany, {std::to_string(maximum), head->Name()});
  }
}
