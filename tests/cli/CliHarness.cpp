#include "CliHarness.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/TestSupport.h"

namespace clitest {

LTRun Run(const std::string& settingsDir, const std::string& args) {
  const testsupport::TempDir capture;
  LTRun run;
  // Grouped, so that the redirections of the command line stand.
  run.status = testsupport::RunCommand("{ QRNSOLVO_SETTINGS_DIR=" + settingsDir + " " +
                                       QRN_CLI_PATH + " " + args + " >" + capture.File("out") +
                                       " 2>" + capture.File("err") + "; }");
  run.out = testsupport::ReadFile(capture.File("out"));
  run.err = testsupport::ReadFile(capture.File("err"));
  return run;
}

namespace {

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  if (from.empty()) return;
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

}  // namespace

void ExpectGolden(const std::string& name, const std::string& text,
                  const TPlaceholders& placeholders) {
  std::string actual = text;
  ReplaceAll(actual, testsupport::DataDir(), "<DATA>");
  ReplaceAll(actual, testsupport::CatalogueFixtureDir(), "<FIXTURES>");
  for (const auto& [path, placeholder] : placeholders) ReplaceAll(actual, path, placeholder);
  const std::string file = testsupport::DataPath("cli/golden/" + name);
  const char* update = std::getenv("QRN_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    testsupport::WriteFile(file, actual);
    std::printf("updated %s\n", file.c_str());
    return;
  }
  if (!testsupport::FileExists(file)) {
    ADD_FAILURE() << "no golden file " << file << " (QRN_UPDATE_GOLDEN=1 writes it)";
    return;
  }
  EXPECT_EQ(testsupport::ReadFile(file), actual) << "golden file " << file;
}

}  // namespace clitest
