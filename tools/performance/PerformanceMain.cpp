// Build tool: generates the outdoor models' performance tables of the catalogue.
//   qrn-performance [--summary] OUT.tsv IN.tsv...
// Reads the series constants and the rated values of every outdoor model from the inputs, fits
// the capacity and power-input curves of every combination row and curve temperature, checks
// them against the model and writes the tables in the catalogue's table source format. On an
// error one line "file:line: message" goes to standard error, the status is 1 and OUT.tsv is
// left as it was. --summary prints the number of records, the degrees of the fitted curves and
// the worst deviation of a stored curve from the model.
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "PerformanceInput.h"
#include "PerformanceTables.h"
#include "platform/SafeFileWriter.h"

namespace {

std::string BaseName(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void WriteOutput(const std::string& path, const std::string& text) {
  CTSafeFileWriter writer(path);
  if (!writer.IsOpen()) throw CTPerformanceError(path, 0, "cannot write: " + writer.ErrorText());
  try {
    writer.Stream()->WriteAll(text);
  } catch (const CTStreamError& e) {
    throw CTPerformanceError(path, 0, e.what());
  }
  if (!writer.Commit()) throw CTPerformanceError(path, 0, "cannot write: " + writer.ErrorText());
}

void PrintSummary(const LTPerformanceSummary& s, std::size_t bytes) {
  std::cout << "combination rows " << s.combinationRows << ", curves " << s.curves
            << ", variation rows " << s.variationRows << ", defrost rows " << s.defrostRows << ", "
            << bytes << " bytes\ncurves by degree:";
  for (int d = 0; d < 8; ++d) std::cout << ' ' << d << ':' << s.curvesOfDegree[d];
  std::cout << "\nworst relative deviation of a stored curve: " << s.worstDeviation << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  const bool summary = argc > 1 && std::strcmp(argv[1], "--summary") == 0;
  if (summary) ++first;
  if (argc - first < 2) {
    std::cerr << "usage: qrn-performance [--summary] OUT.tsv IN.tsv...\n";
    return 2;
  }
  const std::string outPath = argv[first];
  try {
    LTPerformanceInput input;
    std::vector<std::string> sources;
    for (int i = first + 1; i < argc; ++i) {
      ReadPerformanceFile(argv[i], input);
      sources.push_back(BaseName(argv[i]));
    }
    LTPerformanceSummary stats;
    const std::string text = GeneratePerformanceTables(input, sources, &stats);
    WriteOutput(outPath, text);
    if (summary) PrintSummary(stats, text.size());
  } catch (const CTPerformanceError& e) {
    std::cerr << e.what() << '\n';
    return 1;
  } catch (const std::exception& e) {
    std::cerr << outPath << ": " << e.what() << '\n';
    return 1;
  }
  return 0;
}
