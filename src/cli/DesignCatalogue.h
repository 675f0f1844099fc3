#pragma once

#include <map>
#include <string>
#include <vector>

#include "design/QsProject.h"

class CTBaseFactory;
class CTDbObject;
class Cls_AEX;
class Cls_DeviceOption;
class Cls_IndoorUnit;
class Cls_OutdoorUnit;

// What a design may name in the catalogue, looked up once per build: records that are not
// deleted, by name without regard to case, and the catalogue-wide bounds of the outdoor dialog.
class CTDesignCatalogue {
 public:
  explicit CTDesignCatalogue(CTBaseFactory& factory);

  CTBaseFactory& Factory() const { return factory_; }
  // The outdoor units as the selection takes them (catalogue order).
  const LTOutdoorUnitList& OutdoorUnits() const { return outdoorUnits_; }
  const std::vector<Cls_IndoorUnit*>& IndoorUnits() const { return indoorUnits_; }

  // Null when there is none of that name (names in the program's code page).
  CTDbObject* Refrigerant(const std::string& name) const;
  // The catalogue's first refrigerant in use (by rank); null when none is.
  CTDbObject* FirstRefrigerant() const;
  Cls_IndoorUnit* IndoorUnit(const std::string& name) const;
  Cls_AEX* VentilationUnit(const std::string& name) const;
  // An indoor option (indoor and DX-coil units, and the adapters of adapter units) or a
  // ventilation-unit option.
  Cls_DeviceOption* IndoorOption(const std::string& name) const;
  Cls_DeviceOption* VentilationOption(const std::string& name) const;

  // The series text of the indoor models of that series (its catalogue spelling), or empty.
  std::string IndoorSeries(const std::string& series) const;
  // Whether some indoor model has the series and the family (both compared without case), and
  // the family code as the catalogue spells it.
  std::string IndoorFamily(const std::string& series, const std::string& family) const;

  // The outdoor units of a series and family (family -1: any) with the project's refrigerant.
  std::vector<Cls_OutdoorUnit*> OutdoorUnitsOf(const CTDbObject* refrigerant,
                                               const std::string& series, int family) const;
  // The catalogue's header sizes: the outlet counts above 2, ascending.
  const std::vector<int>& HeaderSizes() const { return headerSizes_; }
  // The outdoor dialog's bounds over every outdoor unit: the high-ratio limit range, the longest
  // estimated piping length and the longest length from the first branch (each at least 10 m),
  // and the longest pipe length any model allows (0: none).
  double HighLimitMin() const { return highLimitMin_; }
  double HighLimitMax() const { return highLimitMax_; }
  double PipingLengthBound() const { return pipingLengthBound_; }
  double FirstBranchBound() const { return firstBranchBound_; }
  double LargestActualLength() const { return largestActualLength_; }

 private:
  CTBaseFactory& factory_;
  LTOutdoorUnitList outdoorUnits_;
  std::vector<Cls_IndoorUnit*> indoorUnits_;
  std::vector<CTDbObject*> refrigerants_;  // by rank
  std::map<std::string, CTDbObject*> refrigerantsByName_;
  std::map<std::string, Cls_IndoorUnit*> indoorByName_;
  std::map<std::string, Cls_AEX*> ventilationByName_;
  std::map<std::string, Cls_DeviceOption*> indoorOptions_;
  std::map<std::string, Cls_DeviceOption*> ventilationOptions_;
  std::vector<int> headerSizes_;
  double highLimitMin_ = 100;
  double highLimitMax_ = 100;
  double pipingLengthBound_ = 10;
  double firstBranchBound_ = 10;
  double largestActualLength_ = 0;
};
