#pragma once

class Cls_QsDevicePlacement;

// The largest error level of a placement and of everything below it; a warning counts as 0 and
// a placement that needs a model and has none as 3.
int GetWorstErrorLevel(const Cls_QsDevicePlacement& placement);
