#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// qrnsolvo-cli catalogue [--json] [--catalogue FILE]
// Lists the models of the catalogue that are not retired: the outdoor units (name, series,
// system kind, horsepower, capacity index and rated cooling and heating capacity at 100 %,
// refrigerant, largest number of indoor units), the indoor units (name, family code, series,
// capacity index, rated capacities) and the BS boxes (name, series, largest capacity index
// served), as aligned columns or as JSON.
int RunCatalogueCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
