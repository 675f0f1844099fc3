#pragma once

#include <string>

#include "PerformanceInput.h"

// The shipped performance sources (data/catalogue/performance/) that the build generates the
// catalogue's performance tables from.
namespace performancetest {

// The path of one of the sources.
std::string SourcePath(const std::string& name);
// Both sources read and checked once per test executable.
const LTPerformanceInput& ShippedInput();

}  // namespace performancetest
