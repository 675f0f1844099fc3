#pragma once

#include <functional>
#include <string>

#include "objectstore/BaseFactory.h"

class CTTableInfo;

// Every catalogue table's class, in ascending table id: the table id, the class's
// table-definition procedure and a creator of its objects (null for the abstract tables, which
// have no instances). The factory defines and registers the catalogue tables from this list.
void ForEachCatalogueClass(
    const std::function<void(int tableId, void (*define)(CTTableInfo&, const std::string&),
                             TObjectCreator create)>& visit);
