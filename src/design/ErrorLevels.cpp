#include "design/ErrorLevels.h"

#include <algorithm>
#include <vector>

#include "design/QsDevicePlacement.h"

int GetWorstErrorLevel(const Cls_QsDevicePlacement& placement) {
  int worst = 0;
  // An explicit stack: a connection tree may be deep.
  std::vector<const Cls_QsDevicePlacement*> stack{&placement};
  while (!stack.empty()) {
    const Cls_QsDevicePlacement* p = stack.back();
    stack.pop_back();
    worst = std::max(
        worst, p->GetErrorLevel() == Cls_QsDevicePlacement::kWarning ? 0 : p->GetErrorLevel());
    if (p->NeedsModel() && !p->GetModel()) worst = std::max(worst, 3);
    for (const Cls_QsDevicePlacement* child : p->Children()) stack.push_back(child);
  }
  return worst;
}
