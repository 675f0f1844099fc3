#pragma once

#include <array>
#include <vector>

class Cls_QsOutPlacement;
class Cls_QsProject;

// Which steps of the design the main window lets the user enter: a tab opens once the design has
// what it needs, and the diagram tabs show only the systems ready for them.

enum class TQsTab : int { kIndoor = 0, kOutdoor, kPiping, kWiring, kCentral, kReports };
inline constexpr int kTabCount = 6;
// The images of the tabs: available and not available.
inline constexpr int kTabImageAvailable = 2;
inline constexpr int kTabImageUnavailable = 3;

// A system is ready up to a level when it has something connected and the worst level of the
// system and everything below it (a placement without a model it needs counting 3) is at most
// that level.
bool IsSystemReady(const Cls_QsOutPlacement& system, int level);

// The level up to which a system must be ready to be shown on a tab: 2 for the piping tab, 1 for
// wiring, central control and reports; the indoor and outdoor tabs show every system (3).
int ReadinessLevelOf(TQsTab tab);

// The image of each tab, in tab order: the indoor tab always; the outdoor tab when the project
// has a placement; piping when some system is ready up to 2; the others when some system is
// ready up to 1.
std::array<int, kTabCount> ComputeTabImages(Cls_QsProject& project);
bool IsTabAvailable(const std::array<int, kTabCount>& images, TQsTab tab);

// The outdoor systems of the project a tab may show, in the project's order (top-level
// placements by sequence number).
std::vector<Cls_QsOutPlacement*> SystemsForTab(Cls_QsProject& project, TQsTab tab);
