#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "CliHarness.h"
#include "support/TestSupport.h"

using testsupport::TempDir;

namespace {

// What a list of command lines printed and how they ended, as a reviewable transcript.
std::string Transcript(const TempDir& settings, const std::vector<std::string>& commands) {
  std::string text;
  for (const std::string& args : commands) {
    const clitest::LTRun run = clitest::Run(settings.Path(), args);
    text += "$ qrnsolvo-cli " + args + "\n" + run.out + run.err + "exit " +
            std::to_string(run.status) + "\n\n";
  }
  return text;
}

std::string CapacityFixture() {
  return " --catalogue " + testsupport::CatalogueFixture("capacity");
}

}  // namespace

TEST(Cli, CompressAndExpandRoundTrip) {
  TempDir dir;
  std::string text = "EDI100\r\n";
  for (int i = 0; i < 5000; ++i) text += "2 " + std::to_string(i) + " 5 4 QRN1 \r\n";
  testsupport::WriteFile(dir.File("in.txt"), text);
  ASSERT_EQ(
      clitest::Run(dir.Path(), "compress " + dir.File("in.txt") + " " + dir.File("packed.qrn"))
          .status,
      0);
  const std::string packed = testsupport::ReadFile(dir.File("packed.qrn"));
  EXPECT_EQ(packed.substr(0, 3), "Q3T");
  EXPECT_LT(packed.size(), text.size() / 3);
  ASSERT_EQ(clitest::Run(dir.Path(), "expand " + dir.File("packed.qrn") + " " + dir.File("out.txt"))
                .status,
            0);
  EXPECT_EQ(testsupport::ReadFile(dir.File("out.txt")), text);
  // A file without the magic is copied as it is.
  ASSERT_EQ(
      clitest::Run(dir.Path(), "expand " + dir.File("in.txt") + " " + dir.File("copy.txt")).status,
      0);
  EXPECT_EQ(testsupport::ReadFile(dir.File("copy.txt")), text);
}

// Every failure is one line naming the file at fault (the input when reading it fails, the output
// when writing fails), with exit status 1; nothing is left where an output was to be.
TEST(Cli, FailuresNameTheFileAtFault) {
  TempDir dir;
  std::string text;
  for (int i = 0; i < 400; ++i) text += "line " + std::to_string(i) + "\n";
  testsupport::WriteFile(dir.File("in.txt"), text);
  ASSERT_EQ(
      clitest::Run(dir.Path(), "compress " + dir.File("in.txt") + " " + dir.File("in.q")).status,
      0);
  const std::string packed = testsupport::ReadFile(dir.File("in.q"));
  testsupport::WriteFile(dir.File("cut.q"), packed.substr(0, packed.size() / 2));
  testsupport::WriteFile(dir.File("bad.txt"), "EDI100\r\n5 3 TBL");
  testsupport::WriteFile(dir.File("bad.qrn"), "EDI100\r\n5 1");
  std::filesystem::create_directory(dir.File("folder"));
  const std::string transcript = Transcript(
      dir, {
               "compress " + dir.File("missing") + " " + dir.File("o"),
               "compress " + dir.File("folder") + " " + dir.File("o"),
               "compress " + dir.File("in.txt") + " /nonexistent-folder/o",
               "expand " + dir.File("in.q") + " /nonexistent-folder/o",
               "expand " + dir.File("cut.q") + " " + dir.File("o"),
               "dump " + dir.File("missing"),
               "resave " + dir.File("bad.qrn") + " " + dir.File("o"),
               "resave " + dir.File("missing.qrn") + " " + dir.File("o"),
               "capacity --model QOH-99 --mode cool --indoor-db 27 --indoor-rh 47 --outdoor 35" +
                   CapacityFixture(),
               "capacity --model X --mode heat --indoor-db 20 --outdoor 0 --catalogue " +
                   dir.File("missing.txt"),
               "catalogue --catalogue " + dir.File("bad.txt"),
               "compress onlyone",
               "catalogue --bogus",
           });
  clitest::ExpectGolden("failures.txt", transcript, {{dir.Path(), "<TMP>"}});
  EXPECT_FALSE(testsupport::FileExists(dir.File("o")));

  // Compressed data cut short: what could be expanded is printed, and the input is blamed.
  const clitest::LTRun dump = clitest::Run(dir.Path(), "dump " + dir.File("cut.q"));
  EXPECT_EQ(dump.status, 1);
  EXPECT_EQ(dump.out.substr(0, 1000), text.substr(0, 1000));
  EXPECT_EQ(dump.err, "qrnsolvo-cli: Невозможно открыть файл " + dir.File("cut.q") +
                          " (compressed data cut short)\n");
}

TEST(Cli, OutputThatCannotBeWrittenFails) {
  if (!testsupport::FileExists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  TempDir dir;
  std::string output;
  EXPECT_EQ(testsupport::RunCommand("{ QRNSOLVO_SETTINGS_DIR=" + dir.Path() + " " + QRN_CLI_PATH +
                                        " air --db 27 --rh 50 >/dev/full; }",
                                    &output),
            1);
  EXPECT_EQ(output, "qrnsolvo-cli: cannot write the output\n");
}

// Impossible or unreadable input is refused with one line naming the option and what it takes,
// exit status 2 and no output; a command line that is not understood prints the usage.
TEST(Cli, RefusesImpossibleInput) {
  const std::string airUsage =
      "usage: qrnsolvo-cli air --db T (--rh RH | --wb T) [--altitude M] [--json]\n";
  const std::string capacityUsage =
      "usage: qrnsolvo-cli capacity --model NAME --mode cool|heat --indoor-db T [--indoor-rh RH]\n"
      "         --outdoor T [--index CI] [--length L] [--height H] [--altitude M]\n"
      "         [--catalogue FILE] [--json]\n";
  const std::string cool = "capacity --model QOT-10 --mode cool --indoor-db 27 --indoor-rh 47 ";
  struct Case {
    std::string args;
    std::string err;  // the whole of it; "qrnsolvo-cli: " is put before a one-line refusal
  };
  const Case cases[] = {
      {"air --db 27 --rh 150", "--rh needs a relative humidity from 0 to 100 %, not '150'"},
      {"air --db 27 --rh -5", "--rh needs a relative humidity from 0 to 100 %, not '-5'"},
      {"air --db 500 --rh 50", "--db needs a dry bulb from -40 to 80 °C, not '500'"},
      {"air --db -41 --rh 50", "--db needs a dry bulb from -40 to 80 °C, not '-41'"},
      {"air --db 27 --wb 30",
       "--wb needs a wet bulb from 9.1 °C (dry air) to 27 °C (the dry bulb), not '30'"},
      {"air --db 27 --wb 9",
       "--wb needs a wet bulb from 9.1 °C (dry air) to 27 °C (the dry bulb), not '9'"},
      {"air --db 12abc --rh 40", "--db needs a dry bulb from -40 to 80 °C, not '12abc'"},
      {"air --db nan --rh 40", "--db needs a dry bulb from -40 to 80 °C, not 'nan'"},
      {"air --db 27 --rh inf", "--rh needs a relative humidity from 0 to 100 %, not 'inf'"},
      {"air --db 1e999 --rh 40", "--db needs a dry bulb from -40 to 80 °C, not '1e999'"},
      {"air --db '' --rh 40", "--db needs a dry bulb from -40 to 80 °C, not ''"},
      {"air --db 27 --rh 40 --altitude 5000",
       "--altitude needs an altitude from -500 to 3000 m, not '5000'"},
      {"air --db 27 --rh 40 --wb 19",
       "air needs either the relative humidity (--rh RH) or the wet bulb (--wb T)"},
      {"air --db 27", "air needs either the relative humidity (--rh RH) or the wet bulb (--wb T)"},
      {"air --rh 40", "air needs the dry bulb: --db T"},
      {"air --db 27 --db 28 --rh 40", "--db is given twice"},
      {"air --db 27 --rh", airUsage},
      {"air --db 27 --rh 40 --bogus 1", airUsage},
      {cool + "--outdoor 35 --length -10",
       "--length needs an equivalent length from 0 to 500 m, not '-10'"},
      {cool + "--outdoor 35 --length 600",
       "--length needs an equivalent length from 0 to 500 m, not '600'"},
      {cool + "--outdoor 35 --index -5",
       "--index needs a capacity index above 0 and at most 10000, not '-5'"},
      {cool + "--outdoor 35 --index 0",
       "--index needs a capacity index above 0 and at most 10000, not '0'"},
      {cool + "--outdoor 35 --length 30 --height 40",
       "--height needs a level difference within ±30 m (the equivalent length, --length), not "
       "'40'"},
      {cool + "--outdoor 35 --height -5",
       "--height needs a level difference within ±0 m (the equivalent length, --length), not "
       "'-5'"},
      {cool + "--outdoor 70", "--outdoor needs an outdoor temperature from -60 to 60 °C, not '70'"},
      {cool + "--outdoor x", "--outdoor needs an outdoor temperature from -60 to 60 °C, not 'x'"},
      {cool + "--outdoor 35 --altitude nan",
       "--altitude needs an altitude from -500 to 3000 m, not 'nan'"},
      {"capacity --model QOT-10 --mode cool --indoor-db 27 --outdoor 35",
       "cooling needs the indoor relative humidity for the wet bulb: --indoor-rh RH (0 to 100 %)"},
      {"capacity --model QOT-10 --mode heat --indoor-db 99 --outdoor 0",
       "--indoor-db needs an indoor dry bulb from -40 to 80 °C, not '99'"},
      {"capacity --model QOT-10 --mode dry --indoor-db 27 --outdoor 35",
       "--mode needs cool or heat, not 'dry'"},
      {"capacity --mode cool --indoor-db 27 --indoor-rh 47 --outdoor 35",
       "capacity needs --model NAME"},
      {"capacity --model QOT-10 --mode heat --indoor-db 27", "capacity needs --outdoor T"},
      {"capacity --model QOT-10 --mode heat --indoor-db 27 --outdoor 5 --bogus 1", capacityUsage},
      {"catalogue --catalogue", "usage: qrnsolvo-cli catalogue [--json] [--catalogue FILE]\n"},
      {"catalogue --catalogue ''", "--catalogue needs a value"},
  };
  TempDir settings;
  for (const Case& c : cases) {
    const clitest::LTRun run = clitest::Run(settings.Path(), c.args);
    const bool usage = c.err.rfind("usage:", 0) == 0;
    EXPECT_EQ(run.status, 2) << c.args;
    EXPECT_EQ(run.err, usage ? c.err : "qrnsolvo-cli: " + c.err + "\n") << c.args;
    EXPECT_EQ(run.out, "") << c.args;
  }
}

// Only what changes settings writes them: the commands that read leave the settings folder
// empty; resave, which connects a project, creates the project's data-source entry.
TEST(Cli, ReadOnlyCommandsWriteNoSettings) {
  TempDir files;
  testsupport::WriteFile(files.File("in.txt"), "EDI100\r\n0\r\n");
  const std::string readOnly[] = {
      "catalogue",
      "catalogue --json" + CapacityFixture(),
      "capacity --model QOH-16 --mode cool --indoor-db 27 --indoor-rh 47 --outdoor 35",
      "capacity --model QOT-10 --mode heat --indoor-db 20 --outdoor 0" + CapacityFixture(),
      "air --db 27 --rh 47",
      "dump --catalogue",
      "dump " + files.File("in.txt"),
      "compress " + files.File("in.txt") + " " + files.File("in.q"),
      "expand " + files.File("in.q") + " " + files.File("out.txt"),
  };
  for (const std::string& args : readOnly) {
    TempDir settings;
    const clitest::LTRun run = clitest::Run(settings.Path(), args);
    EXPECT_EQ(run.status, 0) << args << '\n' << run.err;
    EXPECT_TRUE(std::filesystem::is_empty(settings.Path())) << args;
  }
  TempDir settings;
  testsupport::WriteFile(files.File("project.txt"),
                         testsupport::ReadFile(testsupport::DataPath("cli/demo-project.txt")));
  ASSERT_EQ(clitest::Run(settings.Path(),
                         "resave " + files.File("project.txt") + " " + files.File("project.qrn"))
                .status,
            0);
  const std::string entries = testsupport::ReadFile(settings.File("user-settings.txt"));
  EXPECT_NE(
      entries.find("[Software\\ODBC\\ODBC.INI\\QRN_Solvo_Project]\nDriver = str:odbcjt32.dll"),
      std::string::npos)
      << entries;
}

TEST(Cli, ResaveAndDumpAProject) {
  TempDir dir;
  // A project file of an older layout: one table, only its id field, names in other case.
  testsupport::WriteFile(dir.File("old.qrn"),
                         "EDI100\r\n5 13 tbl_qsproject 173\r\n5 6 fld_id 2\r\n0\r\n0\r\n"
                         "2 173 2 1\r\n2 1 \r\n0\r\n");
  const clitest::LTRun resave =
      clitest::Run(dir.Path(), "resave " + dir.File("old.qrn") + " " + dir.File("new.qrn"));
  ASSERT_EQ(resave.status, 0) << resave.err;
  EXPECT_EQ(testsupport::ReadFile(dir.File("new.qrn")).substr(0, 3), "Q3T");
  const clitest::LTRun dump = clitest::Run(dir.Path(), "dump " + dir.File("new.qrn"));
  ASSERT_EQ(dump.status, 0);
  EXPECT_EQ(dump.out.substr(0, 8), "EDI100\r\n");
  EXPECT_NE(dump.out.find("5 13 Tbl_QsProject 173\r\n5 6 Fld_ID 2\r\n"), std::string::npos);
  EXPECT_NE(dump.out.find("\r\n2 173 2 1\r\n2 1 "), std::string::npos);

  const clitest::LTRun catalogue = clitest::Run(dir.Path(), "dump --catalogue");
  ASSERT_EQ(catalogue.status, 0);
  EXPECT_NE(catalogue.out.find("TBL_DdbVersionInfo"), std::string::npos);
}

TEST(Cli, AirOutputs) {
  TempDir settings;
  const struct {
    const char* golden;
    const char* args;
  } cases[] = {
      {"air.txt", "air --db 27 --rh 47"},
      {"air.json", "air --db 27 --rh 47 --json"},
      {"air-wet-bulb.txt", "air --db 27 --wb 19 --altitude 1000"},
      {"air-wet-bulb.json", "air --db 27 --wb 19 --altitude 1000 --json"},
      {"air-dry.txt", "air --db -40 --rh 0"},
  };
  for (const auto& c : cases) {
    const clitest::LTRun run = clitest::Run(settings.Path(), c.args);
    EXPECT_EQ(run.status, 0) << c.args << '\n' << run.err;
    EXPECT_EQ(run.err, "") << c.args;
    clitest::ExpectGolden(c.golden, run.out);
  }
}

// At the ends of the ranges every value printed is a number (or, in JSON, null where there is
// none): nothing reads "nan" or "inf".
TEST(Cli, TheEndsOfTheRangesGiveNumbers) {
  TempDir settings;
  const std::string cases[] = {
      "air --db -40 --rh 100 --altitude -500",
      "air --db 80 --rh 100 --altitude 3000",
      "air --db 80 --rh 0 --altitude 3000",
      "air --db 80 --wb 80",
      "air --db 27 --wb 9.1",  // the lowest wet bulb the refusal names
      "capacity --model QOH-16 --mode cool --indoor-db 80 --indoor-rh 100 --outdoor 60"
      " --index 10000 --length 500 --height -500 --altitude 3000",
      "capacity --model QOH-16 --mode heat --indoor-db -40 --outdoor -60 --index 1e-9 --length 500"
      " --height 500",
      "capacity --model QOT-10 --mode cool --indoor-db 27 --indoor-rh 0 --outdoor 20 --length 0.4"
      " --height -0.4" +
          CapacityFixture(),
  };
  for (const std::string& args : cases) {
    for (const char* json : {"", " --json"}) {
      const clitest::LTRun run = clitest::Run(settings.Path(), args + json);
      EXPECT_EQ(run.status, 0) << args << json << '\n' << run.err;
      for (const char* bad : {"nan", "inf", "NaN", "Inf"}) {
        EXPECT_EQ(run.out.find(bad), std::string::npos) << args << json << '\n' << run.out;
      }
      if (*json) {
        EXPECT_TRUE(nlohmann::json::accept(run.out)) << args << '\n' << run.out;
      }
    }
  }
}

TEST(Cli, CapacityOutputs) {
  TempDir settings;
  const std::string cool =
      "capacity --model qot-10 --mode cool --indoor-db 27 --indoor-rh 47 --outdoor 20 --index 200"
      " --length 30 --height 10" +
      CapacityFixture();
  const std::string heat =
      "capacity --model QOT-10 --mode heat --indoor-db 20 --outdoor 0 --length 64" +
      CapacityFixture();
  // In the cut corner of the heating envelope: status 2 with its message, 0 kW.
  const std::string outside =
      "capacity --model QOT-10 --mode heat --indoor-db 27 --outdoor -16" + CapacityFixture();
  const struct {
    const char* golden;
    std::string args;
  } cases[] = {
      {"capacity-cool.txt", cool},
      {"capacity-cool.json", cool + " --json"},
      {"capacity-heat.txt", heat},
      {"capacity-heat.json", heat + " --json"},
      {"capacity-heat-outside.txt", outside},
  };
  for (const auto& c : cases) {
    const clitest::LTRun run = clitest::Run(settings.Path(), c.args);
    EXPECT_EQ(run.status, 0) << c.args << '\n' << run.err;
    EXPECT_EQ(run.err, "") << c.args;
    clitest::ExpectGolden(c.golden, run.out);
  }

  // What the golden numbers must be. The fixture model QOT-10: at 100 % and 20 °C outdoor the
  // cooling capacity is 28 + 0.5 wb; the cooling table gives 1.0 at 30 m, less 2 % with the unit
  // 10 m above.
  const auto c = nlohmann::json::parse(clitest::Run(settings.Path(), cool + " --json").out);
  EXPECT_NEAR(c["capacity_kW"].get<double>(), 28 + 0.5 * c["indoor_wb_C"].get<double>(), 1e-9);
  EXPECT_NEAR(c["piping_factor"].get<double>(), 0.98, 1e-12);
  EXPECT_NEAR(c["corrected_capacity_kW"].get<double>(), 0.98 * c["capacity_kW"].get<double>(),
              1e-9);
  // Heating at 0 °C outdoor, index defaulting to the 100 % index: (16 + 0.01 · 20²) · 0.95.
  const auto h = nlohmann::json::parse(clitest::Run(settings.Path(), heat + " --json").out);
  EXPECT_NEAR(h["capacity_kW"].get<double>(), 19.0, 1e-9);
  EXPECT_EQ(h["capacity_index"].get<double>(), 200.0);
  EXPECT_NEAR(h["defrost_factor"].get<double>(), 0.95, 1e-12);
  EXPECT_NEAR(h["piping_factor"].get<double>(), 1.0 - 0.1 * 0.64, 1e-12);
}

TEST(Cli, CatalogueOutputs) {
  // The catalogue compiler's fixture sources, compiled as the build compiles the shipped ones.
  TempDir dir;
  const std::string catalogue = dir.File("catalogue.txt");
  const std::string sources = testsupport::DataPath("tools/catalogue/");
  std::string output;
  ASSERT_EQ(testsupport::RunCommand(std::string(QRN_CATALOGUE_TOOL) + " " + catalogue + " " +
                                        sources + "base.tsv " + sources + "links.tsv",
                                    &output),
            0)
      << output;
  for (const char* json : {"", " --json"}) {
    const clitest::LTRun run =
        clitest::Run(dir.Path(), "catalogue --catalogue " + catalogue + json);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    clitest::ExpectGolden(*json ? "catalogue.json" : "catalogue.txt", run.out);
  }
}
