#pragma once

#include "cli/Design.h"

class Cls_QsProject;
class CTDesignCatalogue;

// Builds a design (as ReadDesign made it) into a new, empty project record of a connected
// factory: identity and refrigerant, the indoor-side units, the systems with their connection
// trees grown through the project's Add operations and ConnectPlacement, the models chosen by
// hand, the options (checked against each unit's model once the selection has chosen it), the
// remote-controller arrangements and, for manual piping, every pipe's length on the built
// piping tree; then the project is recalculated.
//
// What the catalogue refuses (unknown series, families, models and options, values outside the
// ranges of the chosen series, pipes that name no joint, missing pipe lengths) is returned with
// its path. With any error the project is left half built: the caller must not save it.
LTDesignErrors BuildDesign(const LTDesign& design, const CTDesignCatalogue& catalogue,
                           Cls_QsProject& project);
