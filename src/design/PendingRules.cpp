// Placeholders of rules that are being built elsewhere; removed when they land.
#include "design/PipeSizing.h"
#include "design/PipingErrorList.h"

bool MainSizeUpEnlarges(Cls_OutdoorUnit&, bool) { return false; }
bool CheckManualPiping(Cls_QsOutPlacement&, CTPipingErrorList*) { return true; }
