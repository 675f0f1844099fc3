#pragma once

#include <vector>

#include "cli/Design.h"

class Cls_DeviceOption;
class Cls_QsIndPlacement;
class Cls_QsOutPlacement;
class CTDesignCatalogue;

// The steps of the design builder that need the selection's results.

// Gives a unit its options once its model is known: the design's options (each must be offered
// for the model) with the model's standard ones, or without a list the model's standard and
// preferred options, less the remote controllers (and, without any remote controller, the
// remote sensors) when the unit uses another unit's remote controller or none. Then checks that
// the arrangement fits the options. A unit without model keeps the design's options as they are.
void ApplyDesignOptions(const LTDesignUnit& unit, const std::vector<Cls_DeviceOption*>& options,
                        Cls_QsIndPlacement& placement, LTDesignErrors& errors);

// Enters the design's pipe lengths on the system's built piping tree and locks the system's
// piping: each entry must name one pipe (a joint: the pipes to its two elements part there),
// none twice, and every pipe of the tree needs its length.
void ApplyDesignPipes(const LTDesignSystem& design, Cls_QsOutPlacement& system,
                      LTDesignErrors& errors);
