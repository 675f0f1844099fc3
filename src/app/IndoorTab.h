#pragma once

#include <string>
#include <vector>

class CTQRNSolvoMainImpl;
class Cls_QsIndPlacement;
class Cls_QsProject;
class TAir;

// The logic of the indoor tab, without its widgets: the rows of the list of indoor units, the
// room-condition text, and the rules of editing, deleting and reordering units. The desktop
// program's tab binds its list view to these.

// The columns after the unit's name, in order.
inline constexpr int kIndoorListCellCount = 9;
// Their captions (CP1251): "Фанкойл", "Т. охлажд.", "Rq TC", "TC", "Rq SC", "SC",
// "Т.  обогрева", "Rq HC", "НС".
const std::vector<std::string>& IndoorListColumnCaptions();

// One row of the list.
struct LTIndoorRow {
  Cls_QsIndPlacement* placement = nullptr;
  std::string caption;  // the unit's name
  int image = -1;       // the placement image
  int stateImage = -1;  // error 3, warning 9, none -1 (shown only once the project has a system)
  std::vector<std::string> cells;  // kIndoorListCellCount texts
};

// The room condition of a unit as the preference asks for it: dry bulb and humidity (0), dry
// bulb and wet bulb (1), or wet bulb and humidity (2).
std::string RoomConditionText(Cls_QsIndPlacement& unit, const TAir& air, int conditionType);

// The row of one unit; hasSystem says whether the project has a system at all.
LTIndoorRow MakeIndoorRow(Cls_QsIndPlacement& unit, bool hasSystem, const TAir& air,
                          int conditionType);
// The rows of every indoor-side unit of the project, in list order.
std::vector<LTIndoorRow> MakeIndoorRows(Cls_QsProject& project, const TAir& air, int conditionType);

// Whether the selected units may be edited together: all of one kind; otherwise error 10063 is
// shown and false returned.
bool MayEditTogether(const std::vector<Cls_QsIndPlacement*>& selected);

// Deletes the selected units (in list order) by the tab's rules: a unit of a system whose piping
// lengths are entered by hand is refused (10056) and kept; before the first connected unit the
// user is asked (10089 for one selected unit, 10090 for several), and any answer but Yes deletes
// nothing. The deleted units are disconnected, removed from the project and freed; the project
// is recalculated. Returns how many units were deleted.
int DeleteIndoorUnits(CTQRNSolvoMainImpl& core, const std::vector<Cls_QsIndPlacement*>& selected);

// Moves a unit before another in the list (the dragged row goes to the target row's place) and
// renumbers the list; false when either is not in the list or they are the same.
bool MoveIndoorUnit(Cls_QsProject& project, Cls_QsIndPlacement& moved, Cls_QsIndPlacement& target);
// Gives every unit its position in the list as its sequence number (posted when it changed).
void RenumberIndoorList(const std::vector<Cls_QsIndPlacement*>& units);
