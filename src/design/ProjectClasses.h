#pragma once

#include <vector>

#include "objectstore/TableDefinitions.h"

// Every table of the project database in ascending table id, with its class; the abstract
// tables (174, 178, 217) have no instances and come without a creator.
const std::vector<LTTableDefinition>& ProjectTables();
// The references held by project tables, among themselves and into the catalogue, grouped by
// referenced table in ascending id: the order they are registered in.
const std::vector<LTLinkDefinition>& ProjectLinks();
