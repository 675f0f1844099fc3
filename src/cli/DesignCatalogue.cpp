#include "cli/DesignCatalogue.h"

#include <algorithm>
#include <cmath>

#include "catalogue/DeviceOptions.h"
#include "catalogue/Devices.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorUnits.h"
#include "catalogue/PipingTables.h"
#include "i18n/TextCase.h"

namespace {

// Every record of a table that is not deleted, as the catalogue's cached instances, in table
// order.
template <class T>
std::vector<T*> CachedRecords(int tableId, CTBaseFactory& factory) {
  std::vector<T*> records;
  for (const auto& object : CTDbObject::AllObjects(tableId, false, &factory)) {
    auto* record =
        dynamic_cast<T*>(CTDbObject::CachedObject(tableId, object->RecordId(), &factory));
    if (record && !record->IsDeleted()) records.push_back(record);
  }
  return records;
}

// Indexes records by their lower-case name; the first of a name wins.
template <class T, class M>
void IndexByName(const std::vector<T*>& records, M& byName) {
  for (T* record : records) byName.emplace(LowerText(record->Name()), record);
}

template <class M>
typename M::mapped_type Lookup(const M& byName, const std::string& name) {
  const auto it = byName.find(LowerText(name));
  return it == byName.end() ? nullptr : it->second;
}

}  // namespace

CTDesignCatalogue::CTDesignCatalogue(CTBaseFactory& factory) : factory_(factory) {
  for (Cls_OutdoorUnit* unit : CachedRecords<Cls_OutdoorUnit>(Cls_OutdoorUnit::kTableId, factory)) {
    outdoorUnits_.push_back(unit);
  }
  indoorUnits_ = CachedRecords<Cls_IndoorUnit>(Cls_IndoorUnit::kTableId, factory);
  IndexByName(indoorUnits_, indoorByName_);
  IndexByName(CachedRecords<Cls_AEX>(Cls_AEX::kTableId, factory), ventilationByName_);
  IndexByName(CachedRecords<Cls_DeviceOption>(Cls_IndOption::kTableId, factory), indoorOptions_);
  IndexByName(CachedRecords<Cls_DeviceOption>(Cls_AEXOption::kTableId, factory),
              ventilationOptions_);
  for (const auto& used : Cls_Refrigerant::GetUsedRefrigerants(&factory)) {
    if (CTDbObject* r = CTDbObject::CachedObject(used->TableId(), used->RecordId(), &factory)) {
      refrigerants_.push_back(r);
    }
  }
  IndexByName(CachedRecords<CTDbObject>(Cls_Refrigerant::kTableId, factory), refrigerantsByName_);
  for (Cls_HeaderJoint* header :
       CachedRecords<Cls_HeaderJoint>(Cls_HeaderJoint::kTableId, factory)) {
    const int n = header->Connections();
    if (n > 2 && std::find(headerSizes_.begin(), headerSizes_.end(), n) == headerSizes_.end()) {
      headerSizes_.push_back(n);
    }
  }
  std::sort(headerSizes_.begin(), headerSizes_.end());

  bool first = true;
  for (Cls_OutdoorUnit* unit : outdoorUnits_) {
    const double highest = std::round(unit->GetMaxCombinationRatio(true));
    highLimitMin_ = first ? highest : std::min(highLimitMin_, highest);
    first = false;
    for (Cls_IndoorUnit* indoor : unit->GetCompatibleIndoorUnits()) {
      highLimitMax_ = std::max(highLimitMax_, std::round(indoor->ConnRatioIncreasedTo()));
    }
    pipingLengthBound_ = std::max(pipingLengthBound_, unit->MaxLength());
    firstBranchBound_ = std::max(firstBranchBound_, unit->MaxFirstBranchToIndoor());
    largestActualLength_ = std::max(largestActualLength_, unit->MaxActualLength());
  }
}

CTDbObject* CTDesignCatalogue::Refrigerant(const std::string& name) const {
  return Lookup(refrigerantsByName_, name);
}

CTDbObject* CTDesignCatalogue::FirstRefrigerant() const {
  return refrigerants_.empty() ? nullptr : refrigerants_.front();
}

Cls_IndoorUnit* CTDesignCatalogue::IndoorUnit(const std::string& name) const {
  return Lookup(indoorByName_, name);
}

Cls_AEX* CTDesignCatalogue::VentilationUnit(const std::string& name) const {
  return Lookup(ventilationByName_, name);
}

Cls_DeviceOption* CTDesignCatalogue::IndoorOption(const std::string& name) const {
  return Lookup(indoorOptions_, name);
}

Cls_DeviceOption* CTDesignCatalogue::VentilationOption(const std::string& name) const {
  return Lookup(ventilationOptions_, name);
}

std::string CTDesignCatalogue::IndoorSeries(const std::string& series) const {
  for (Cls_IndoorUnit* unit : indoorUnits_) {
    if (EqualNoCase(unit->Series(), series)) return unit->Series();
  }
  return {};
}

std::string CTDesignCatalogue::IndoorFamily(const std::string& series,
                                            const std::string& family) const {
  for (Cls_IndoorUnit* unit : indoorUnits_) {
    if (EqualNoCase(unit->Series(), series) && EqualNoCase(unit->Family(), family)) {
      return unit->Family();
    }
  }
  return {};
}

std::vector<Cls_OutdoorUnit*> CTDesignCatalogue::OutdoorUnitsOf(const CTDbObject* refrigerant,
                                                                const std::string& series,
                                                                int family) const {
  std::vector<Cls_OutdoorUnit*> units;
  for (Cls_OutdoorUnit* unit : outdoorUnits_) {
    const LTRecordRef ref = unit->RefrigerantRef();
    const bool sameRefrigerant = refrigerant && ref.tableId == refrigerant->TableId() &&
                                 ref.recordId == refrigerant->RecordId();
    if (sameRefrigerant && EqualNoCase(unit->Series(), series) &&
        (family < 0 || unit->Family() == family)) {
      units.push_back(unit);
    }
  }
  return units;
}
