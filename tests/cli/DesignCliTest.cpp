// The design commands end to end: the check reports of fixture designs against reviewed golden
// files, building and checking the saved project, the demo, and how the commands end.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "CliHarness.h"
#include "support/TestSupport.h"

using testsupport::TempDir;

namespace {

const std::string kExamplesDir = QRN_EXAMPLES_DIR;

std::string OfficeDesign() {
  return kExamplesDir + "/office.json";
}

std::string MixedDesign() {
  return testsupport::DataPath("cli/designs/mixed.json");
}

// What a list of command lines printed and how they ended, as a reviewable transcript.
std::string DesignTranscript(const TempDir& settings, const std::vector<std::string>& commands) {
  std::string text;
  for (const std::string& args : commands) {
    const clitest::LTRun run = clitest::Run(settings.Path(), args);
    text += "$ qrnsolvo-cli " + args + "\n" + run.out + run.err + "exit " +
            std::to_string(run.status) + "\n\n";
  }
  return text;
}

}  // namespace

// The office of the demo checks clean; the mixed design has a unit connected nowhere, a unit
// directly on a heat-recovery system, a DX-coil unit and a manual piping system whose last
// branch is too long. The project built from a design reports exactly what the design does.
TEST(DesignCli, CheckReportsOfTheFixtureDesigns) {
  TempDir dir;
  const struct {
    const char* name;
    std::string design;
    int status;
  } fixtures[] = {{"office", OfficeDesign(), 0}, {"mixed", MixedDesign(), 1}};
  for (const auto& f : fixtures) {
    SCOPED_TRACE(f.name);
    const clitest::LTRun text = clitest::Run(dir.Path(), "check " + f.design);
    EXPECT_EQ(text.status, f.status);
    EXPECT_EQ(text.err, "");
    clitest::ExpectGolden(std::string("check-") + f.name + ".txt", text.out);
    const clitest::LTRun json = clitest::Run(dir.Path(), "check " + f.design + " --json");
    EXPECT_EQ(json.status, f.status);
    EXPECT_TRUE(nlohmann::json::accept(json.out));
    clitest::ExpectGolden(std::string("check-") + f.name + ".json", json.out);

    const std::string project = dir.File(std::string(f.name) + ".qrn");
    const clitest::LTRun build = clitest::Run(dir.Path(), "build " + f.design + " -o " + project);
    EXPECT_EQ(build.status, 0) << build.err;
    EXPECT_EQ(build.out.rfind("built " + project + ": 2 systems, ", 0), 0u) << build.out;
    const clitest::LTRun saved = clitest::Run(dir.Path(), "check " + project);
    EXPECT_EQ(saved.status, f.status);
    EXPECT_EQ(saved.out, text.out);
    EXPECT_EQ(clitest::Run(dir.Path(), "check " + project + " --json").out, json.out);
  }
}

TEST(DesignCli, TheDemoWritesTheOfficeAndItsCheck) {
  TempDir dir;
  const std::string out = dir.File("demo/office");
  const clitest::LTRun demo = clitest::Run(dir.Path(), "demo --out " + out);
  ASSERT_EQ(demo.status, 0) << demo.err;
  EXPECT_EQ(demo.out, "wrote " + out + "/design.json, " + out + "/project.qrn, " + out +
                          "/check.txt, " + out + "/check.json: 0 errors, 0 warnings\n");
  EXPECT_EQ(testsupport::ReadFile(out + "/design.json"), testsupport::ReadFile(OfficeDesign()));
  const std::string check = testsupport::ReadFile(out + "/check.txt");
  EXPECT_EQ(check, clitest::Run(dir.Path(), "check " + OfficeDesign()).out);
  EXPECT_EQ(testsupport::ReadFile(out + "/check.json"),
            clitest::Run(dir.Path(), "check " + OfficeDesign() + " --json").out);
  EXPECT_EQ(clitest::Run(dir.Path(), "check " + out + "/project.qrn").out, check);
  // The project carries this program's version.
  const clitest::LTRun dump = clitest::Run(dir.Path(), "dump " + out + "/project.qrn");
  EXPECT_NE(dump.out.find(" 5 5 2.5.2 "), std::string::npos);
}

// Refused designs, unreadable inputs and command lines that are not understood: one line each,
// with the exit statuses of the commands (build 1 when refused, check 2), and nothing written.
TEST(DesignCli, RefusalsAndExitStatuses) {
  TempDir dir;
  testsupport::WriteFile(dir.File("refused.json"),
                         R"({"indoor_units": [{"name": "A", "family": "CF", "colour": "red"}],
                            "systems": [{"name": "S", "series": "QOX", "connections": ["B"]}]})");
  testsupport::WriteFile(dir.File("unknown.json"),
                         R"({"indoor_units": [{"name": "A", "model": "QCF-99"}]})");
  testsupport::WriteFile(dir.File("broken.json"), "{\"project\": ");
  testsupport::WriteFile(dir.File("notes.txt"), "not a project");
  // A project saved by a program whose files this one does not open.
  ASSERT_EQ(clitest::Run(dir.Path(), "build " + MixedDesign() + " -o " + dir.File("p.qrn")).status,
            0);
  std::string old = clitest::Run(dir.Path(), "dump " + dir.File("p.qrn")).out;
  const auto version = old.find(" 5 3 1.3 ");
  ASSERT_NE(version, std::string::npos);
  old.replace(version, 9, " 5 3 1.0 ");
  testsupport::WriteFile(dir.File("old.qrn"), old);

  const std::string transcript =
      DesignTranscript(dir, {
                                "build " + dir.File("refused.json") + " -o " + dir.File("o.qrn"),
                                "build " + dir.File("unknown.json") + " -o " + dir.File("o.qrn"),
                                "build " + dir.File("missing.json") + " -o " + dir.File("o.qrn"),
                                "build " + MixedDesign() + " -o /nonexistent-folder/o.qrn",
                                "build " + MixedDesign(),
                                "build -o " + dir.File("o.qrn"),
                                "check " + dir.File("broken.json"),
                                "check " + dir.File("unknown.json"),
                                "check " + dir.File("missing.qrn"),
                                "check " + dir.File("notes.txt"),
                                "check " + dir.File("old.qrn"),
                                "check " + MixedDesign() + " --text",
                                "demo",
                            });
  clitest::ExpectGolden("design-failures.txt", transcript, {{dir.Path(), "<TMP>"}});
  EXPECT_FALSE(testsupport::FileExists(dir.File("o.qrn")));
}
