#pragma once

#include <memory>
#include <vector>

class CTBaseFactory;
class Cls_CentralController;

// One controller the central-control tab offers: a catalogue controller, alone or with the
// sub-component controllers it is combined with. A value type that owns nothing: the controllers
// it names belong to whoever built them (the catalogue's cached instances for
// BuildControllerVariants, a choice list for ControllerVariantsOf) and must outlive every
// variant and every central-controller placement that names them.
struct LTControllerVariant {
  Cls_CentralController* controller = nullptr;
  std::vector<Cls_CentralController*> subComponents;

  bool HasSubComponents() const { return !subComponents.empty(); }
  // The same controller record with the same having of sub-components.
  bool SameAs(const LTControllerVariant& other) const;
};

using LTControllerVariantList = std::vector<LTControllerVariant>;

// The variants of the catalogue's controllers, in table order: every controller of kind 0 or 1
// once without sub-components, then, for every controller not of kind 1 that has
// sub-component rows, once more with its sub-components in row order. The controllers named
// are the catalogue's cached instances.
LTControllerVariantList BuildControllerVariants(CTBaseFactory* factory = nullptr);
// The variants viewing a choice list (Cls_CentralController::GetChoiceList): each choice with
// the components it holds. The list keeps owning them.
LTControllerVariantList ControllerVariantsOf(
    const std::vector<std::unique_ptr<Cls_CentralController>>& choices);

// A system's variant: the first with the record and table id whose having of sub-components
// equals subComponents; when there is none and subComponents is set, the first with the record
// and table id whatever its sub-components; otherwise null. Points into variants.
const LTControllerVariant* FindControllerVariant(const LTControllerVariantList& variants,
                                                 int tableId, int recordId, bool subComponents);
