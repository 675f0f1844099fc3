#pragma once

#include <vector>

#include "objectstore/TableDefinitions.h"

// Every catalogue table in ascending table id, with its class (the abstract tables, which have
// no instances, come without a creator). The factory registers them as the catalogue database.
const std::vector<LTTableDefinition>& CatalogueTables();
// The references among the catalogue tables, grouped by referenced table in ascending id: the
// order they are registered in.
const std::vector<LTLinkDefinition>& CatalogueLinks();
