#include "design/VentilationChoice.h"

TVentilationKind ChooseVentilationKind(bool catalogueHasVentilationUnits, bool projectHasAXDSeries,
                                       const TVentilationChooser& chooser) {
  if (!catalogueHasVentilationUnits) {
    return projectHasAXDSeries ? TVentilationKind::kAXD : TVentilationKind::kNone;
  }
  if (!projectHasAXDSeries) return TVentilationKind::kAEX;
  const std::optional<bool> heatReclaim = chooser ? chooser() : std::nullopt;
  if (!heatReclaim) return TVentilationKind::kNone;
  return *heatReclaim ? TVentilationKind::kAEX : TVentilationKind::kAXD;
}
