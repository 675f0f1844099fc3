#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "objectstore/RecordRef.h"

class CTBaseFactory;
class CTDbObject;
class Cls_DeviceOption;
class Cls_QsDevicePlacement;

// What the option dialog works on: the options that may be chosen, those that must stay chosen
// and the choice (at the start, and after the dialog the final one). The options are catalogue
// objects the dialog does not own; an option may be chosen more than once.
struct LTOptionChoice {
  std::vector<Cls_DeviceOption*> allowed;
  std::vector<Cls_DeviceOption*> standard;
  std::vector<Cls_DeviceOption*> chosen;
};

// The option dialog: shows the choice and, when the user confirms it, leaves the final choice in
// chosen and returns true.
using TOptionDialog = std::function<bool(LTOptionChoice& choice)>;

// The catalogue's cached option for a reference; null when it names no option.
Cls_DeviceOption* CatalogueOption(const LTRecordRef& ref, CTBaseFactory* factory);

// The choice for editing the options of several placements at once. Every placement's model
// must be among the models given, else error 10077 names the first without one. The allowed
// options are those every distinct model offers (taken from the options given, in the order of
// the first model's offers), the standard ones those standard for every model, and the chosen
// ones the first placement's reconciled options that are allowed. An empty offer shows error
// 10076; otherwise question 10092 asks whether to go on, and the answer No ends the edit.
// Nothing (no message) for an empty list of placements.
std::optional<LTOptionChoice> PrepareOptionsOfMany(
    const std::vector<Cls_QsDevicePlacement*>& placements,
    const std::vector<Cls_DeviceOption*>& options, const std::vector<CTDbObject*>& models);

// Prepares the choice, lets the dialog edit it and, when it is confirmed, gives every placement
// the chosen options. Returns whether the options were changed.
bool EditOptionsOfMany(const std::vector<Cls_QsDevicePlacement*>& placements,
                       const std::vector<Cls_DeviceOption*>& options,
                       const std::vector<CTDbObject*>& models, const TOptionDialog& dialog);
