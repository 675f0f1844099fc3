#include "ShippedPerformance.h"

namespace performancetest {

std::string SourcePath(const std::string& name) {
  return std::string(QRN_PERFORMANCE_DATA_DIR) + "/" + name;
}

const LTPerformanceInput& ShippedInput() {
  static const LTPerformanceInput input = [] {
    LTPerformanceInput in;
    ReadPerformanceFile(SourcePath("performance-series.tsv"), in);
    ReadPerformanceFile(SourcePath("outdoor-performance.tsv"), in);
    CheckPerformanceInput(in);
    return in;
  }();
  return input;
}

}  // namespace performancetest
