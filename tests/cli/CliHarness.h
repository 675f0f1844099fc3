#pragma once

#include <string>
#include <utility>
#include <vector>

// Running qrnsolvo-cli from the tests, and golden files of its outputs.
namespace clitest {

struct LTRun {
  int status = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs qrnsolvo-cli with the arguments (shell words) and its settings kept in settingsDir.
LTRun Run(const std::string& settingsDir, const std::string& args);

// Paths of the machine in the outputs, replaced by their placeholders before golden comparison:
// the test data folder always becomes <DATA>, the folder of the compiled catalogue fixtures
// <FIXTURES>.
using TPlaceholders = std::vector<std::pair<std::string, std::string>>;

// Compares text, with its paths replaced, with the reviewed golden file
// tests/data/cli/golden/<name>. With QRN_UPDATE_GOLDEN=1 in the environment the golden file is
// rewritten instead (review the difference before committing it).
void ExpectGolden(const std::string& name, const std::string& text,
                  const TPlaceholders& placeholders = {});

}  // namespace clitest
