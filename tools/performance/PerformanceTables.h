#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "PerformanceInput.h"

// Most curves a generation makes (the catalogue holds about 24000).
constexpr std::size_t kMaxPerformanceCurves = 200000;

// What a generation produced.
struct LTPerformanceSummary {
  std::size_t combinationRows = 0;
  std::size_t curves = 0;
  std::size_t variationRows = 0;
  std::size_t defrostRows = 0;
  // Number of curves fitted with each degree 0 .. 7.
  std::size_t curvesOfDegree[8] = {};
  // Worst relative deviation of a stored curve (15 significant digits) from the model.
  double worstDeviation = 0.0;
};

// The performance tables of every model of the input, in the catalogue's table source format:
// sections TBL_OutCombination, TBL_OutCapacity, TBL_CapVariation and TBL_FreezeUp, each with the
// rows of every model in input order, the model referenced by name. `sources` names the input
// files in the header comment. Throws CTPerformanceError at a model's row when one of its curves
// cannot be fitted within the acceptance.
std::string GeneratePerformanceTables(const LTPerformanceInput& input,
                                      const std::vector<std::string>& sources,
                                      LTPerformanceSummary* summary = nullptr);

// A coefficient: 17 significant digits (the double exactly), "0" for zero.
std::string FormatCoefficient(double value);
// Any other number: the shortest text that reads back as the same double.
std::string FormatNumber(double value);
