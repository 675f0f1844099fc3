#pragma once

#include <functional>
#include <optional>

// Which kind of ventilation unit the indoor tab's add-ventilation command adds.
enum class TVentilationKind { kNone, kAEX, kAXD };

// The series chooser: asks the user for the kind; true for a heat-reclaim unit (AEX), false for
// a unit with DX coil (AXD), nothing when the chooser is cancelled.
using TVentilationChooser = std::function<std::optional<bool>()>;

// With ventilation units in the catalogue: a heat-reclaim unit when the project has no series of
// units with DX coil, otherwise what the chooser answers. Without them: a unit with DX coil
// when the project has their series, else nothing. The chooser is asked only when both kinds
// are possible; without a chooser that case adds nothing.
TVentilationKind ChooseVentilationKind(bool catalogueHasVentilationUnits, bool projectHasAXDSeries,
                                       const TVentilationChooser& chooser);
