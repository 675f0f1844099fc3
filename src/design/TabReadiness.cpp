#include "design/TabReadiness.h"

#include "design/ErrorLevels.h"
#include "design/QsOutPlacement.h"
#include "design/QsProject.h"

bool IsSystemReady(const Cls_QsOutPlacement& system, int level) {
  return !system.Children().empty() && GetWorstErrorLevel(system) <= level;
}

int ReadinessLevelOf(TQsTab tab) {
  switch (tab) {
    case TQsTab::kPiping:
      return 2;
    case TQsTab::kWiring:
    case TQsTab::kCentral:
    case TQsTab::kReports:
      return 1;
    case TQsTab::kIndoor:
    case TQsTab::kOutdoor:
      break;
  }
  return 3;
}

std::vector<Cls_QsOutPlacement*> SystemsForTab(Cls_QsProject& project, TQsTab tab) {
  std::vector<Cls_QsOutPlacement*> systems;
  const int level = ReadinessLevelOf(tab);
  for (Cls_QsDevicePlacement* p : project.GetTopLevelPlacements()) {
    auto* system = dynamic_cast<Cls_QsOutPlacement*>(p);
    if (!system) continue;
    if (level >= 3 || IsSystemReady(*system, level)) systems.push_back(system);
  }
  return systems;
}

std::array<int, kTabCount> ComputeTabImages(Cls_QsProject& project) {
  std::array<int, kTabCount> images;
  images.fill(kTabImageUnavailable);
  images[static_cast<int>(TQsTab::kIndoor)] = kTabImageAvailable;
  if (project.GetPlacements().empty()) return images;
  images[static_cast<int>(TQsTab::kOutdoor)] = kTabImageAvailable;
  bool piping = false;
  bool wiring = false;
  for (Cls_QsOutPlacement* system : SystemsForTab(project, TQsTab::kPiping)) {
    piping = true;
    if (IsSystemReady(*system, 1)) wiring = true;
  }
  if (piping) images[static_cast<int>(TQsTab::kPiping)] = kTabImageAvailable;
  if (wiring) {
    for (TQsTab tab : {TQsTab::kWiring, TQsTab::kCentral, TQsTab::kReports}) {
      images[static_cast<int>(tab)] = kTabImageAvailable;
    }
  }
  return images;
}

bool IsTabAvailable(const std::array<int, kTabCount>& images, TQsTab tab) {
  return images[static_cast<int>(tab)] == kTabImageAvailable;
}
