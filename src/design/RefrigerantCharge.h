#pragma once

#include <vector>

class Cls_QsOutPlacement;
class Cls_QsPipingNode;

// The additional refrigerant charge (kg) of a system: every pipe's length times the catalogue's
// coefficient for its liquid size and the project's refrigerant. 0 without model.
double GetAdditionalCharge(Cls_QsOutPlacement& system);
// The same over the system's nodes as a caller already has them sized (GetPipingNodes), so that
// the tree is not sized again.
double GetAdditionalCharge(Cls_QsOutPlacement& system,
                           const std::vector<Cls_QsPipingNode*>& sizedNodes);
// Whether the report must say that the outdoor unit's automatic recharge cannot be used because
// the system is loaded below the model's minimum ratio (given in minimumRatio, %).
bool AutoRechargeNote(Cls_QsOutPlacement& system, double& minimumRatio);
