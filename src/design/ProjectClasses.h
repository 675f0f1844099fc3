#pragma once

#include <functional>
#include <string>

#include "objectstore/BaseFactory.h"

class CTTableInfo;

// Visits every table of the project database in ascending table id with its class's
// table-definition procedure and the creator of the class; the abstract tables (174, 178, 217)
// have no instances and come with an empty creator.
void ForEachProjectClass(
    const std::function<void(int tableId, void (*define)(CTTableInfo&, const std::string&),
                             TObjectCreator create)>& visit);
