#pragma once

#include <string>

#include "cli/Design.h"

// Reads a JSON design (UTF-8 text, docs/design-format.md) into a design value. The input is
// treated as hostile: the parse limits of DesignJson.h, then every key, type, range, name and
// reference of the format is checked. Catalogue names (models, families, series, options) are
// only read here; the design builder looks them up. Returns the problems found, in document
// order (at most kDesignMaxErrors, the last line saying how many more there were); the design
// is complete only when there is none.
inline constexpr std::size_t kDesignMaxErrors = 100;
LTDesignErrors ReadDesign(const std::string& text, LTDesign& design);

// Keeps at most kDesignMaxErrors of the errors, the last one then telling how many were left out.
void LimitDesignErrors(LTDesignErrors& errors);
