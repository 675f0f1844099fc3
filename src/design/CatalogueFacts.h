#pragma once

#include "design/PipingLengths.h"

class CTBaseFactory;

// What the design rules need to know about the whole catalogue, computed once per connected
// catalogue (and again after it reconnects).
struct LTCatalogueFacts {
  // The largest equivalent lengths of the catalogue's boxes, joints and headers (every record
  // counts), added for fittings whose models are not known yet.
  LTPipingAllowances allowances;
  // Some outdoor model supports combination ratios above its table: high ratios count as
  // allowed wherever a model's largest ratio is asked for.
  bool highCombination = false;
};

// The facts of the factory's catalogue (the default factory when null); all zero and false when
// no catalogue is connected.
const LTCatalogueFacts& CatalogueFacts(CTBaseFactory* factory = nullptr);
