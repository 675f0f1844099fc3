#pragma once

#include <memory>
#include <string>
#include <vector>

class Cls_IndoorUnit;
class Cls_OutdoorUnit;
class TAir;

// The compatible indoor models of an outdoor model that a unit of the given series and family
// may get in a system whose highest combination ratio is maxCombination (models limited to a
// ratio above 100 % but below it are left out), ascending by capacity index (the list sort).
std::vector<Cls_IndoorUnit*> IndoorCandidates(Cls_OutdoorUnit& outdoor, const std::string& series,
                                              const std::string& family, double maxCombination);

// What one system check works out once and every model choice of its indoor units reuses: the
// system's highest combination ratio (its model, target and connected series do not change
// during the check) and the candidate lists per outdoor model, series and family.
class CTSelectionContext {
 public:
  explicit CTSelectionContext(double maxCombination) : maxCombination_(maxCombination) {}
  double MaxCombination() const { return maxCombination_; }
  // IndoorCandidates, built on first request and kept with the catalogue's views of the outdoor
  // model; the list lives at least as long as the context.
  const std::vector<Cls_IndoorUnit*>& Candidates(Cls_OutdoorUnit& outdoor,
                                                 const std::string& series,
                                                 const std::string& family);
  // The wet bulb of room air at a dry bulb and humidity, computed once per check for every
  // distinct room condition.
  double WetBulb(const TAir& air, double dryBulb, double humidity);

 private:
  struct LTCandidateEntry {
    Cls_OutdoorUnit* outdoor;
    std::string series;
    std::string family;
    const std::vector<Cls_IndoorUnit*>* models;
  };
  struct LTWetBulb {
    double dryBulb;
    double humidity;
    double wetBulb;
  };
  double maxCombination_;
  // A system has few distinct series, families and room conditions: short lists searched in
  // order.
  std::vector<std::unique_ptr<LTCandidateEntry>> entries_;
  std::vector<std::unique_ptr<std::vector<Cls_IndoorUnit*>>> own_;
  std::vector<LTWetBulb> wetBulbs_;
};
