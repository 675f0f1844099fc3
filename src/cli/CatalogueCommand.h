#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

class CTBaseFactory;

// qrnsolvo-cli catalogue [--json] [--catalogue FILE]
// Lists the models of the catalogue that are not retired: the outdoor units (name, series,
// system kind, horsepower, capacity index and rated cooling and heating capacity at 100 %,
// refrigerant, largest number of indoor units), the indoor units (name, family code, series,
// capacity index, rated capacities) and the BS boxes (name, series, largest capacity index
// served), as aligned columns or as JSON.

struct LTCatalogueListing {
  struct Outdoor {
    std::string name, series;  // UTF-8, as all texts here
    int family = 0;            // 0 heat recovery, 1 heat pump, 2 cooling only
    int horsepower = 0;
    double capacityIndex = 0.0;       // at 100 %
    std::optional<double> coolingKW;  // rated at 100 %; nothing without a 100 % row
    std::optional<double> heatingKW;
    std::string refrigerant;  // empty without one
    int maxIndoorUnits = 0;
  };
  struct Indoor {
    std::string name, family, series;
    double capacityIndex = 0.0;
    double coolingKW = 0.0;
    double heatingKW = 0.0;
  };
  struct BSBox {
    std::string name, series;
    double maxCapacityIndex = 0.0;
  };
  std::vector<Outdoor> outdoorUnits;
  std::vector<Indoor> indoorUnits;
  std::vector<BSBox> bsBoxes;
};

// The live models of the catalogue the factory is connected to, in catalogue order.
LTCatalogueListing ListCatalogue(CTBaseFactory& factory);

void WriteCatalogueText(const LTCatalogueListing& listing, std::ostream& out);
void WriteCatalogueJson(const LTCatalogueListing& listing, std::ostream& out);

int RunCatalogueCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
