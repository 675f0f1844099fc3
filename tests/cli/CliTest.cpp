#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>

#include "support/TestSupport.h"

using testsupport::TempDir;

namespace {

int Cli(const std::string& args, std::string* output = nullptr) {
  return testsupport::RunCommand(std::string(QRN_CLI_PATH) + " " + args, output);
}

}  // namespace

TEST(Cli, CompressAndExpandRoundTrip) {
  TempDir dir;
  std::string text = "EDI100\r\n";
  for (int i = 0; i < 5000; ++i) text += "2 " + std::to_string(i) + " 5 4 QRN1 \r\n";
  testsupport::WriteFile(dir.File("in.txt"), text);
  ASSERT_EQ(Cli("compress " + dir.File("in.txt") + " " + dir.File("packed.qrn")), 0);
  const std::string packed = testsupport::ReadFile(dir.File("packed.qrn"));
  EXPECT_EQ(packed.substr(0, 3), "Q3T");
  EXPECT_LT(packed.size(), text.size() / 3);
  ASSERT_EQ(Cli("expand " + dir.File("packed.qrn") + " " + dir.File("out.txt")), 0);
  EXPECT_EQ(testsupport::ReadFile(dir.File("out.txt")), text);
  // A file without the magic is copied as it is.
  ASSERT_EQ(Cli("expand " + dir.File("in.txt") + " " + dir.File("copy.txt")), 0);
  EXPECT_EQ(testsupport::ReadFile(dir.File("copy.txt")), text);
}

TEST(Cli, ErrorsSayWhatFailedOnOneLine) {
  TempDir dir;
  testsupport::WriteFile(dir.File("in.txt"), "x");
  std::string output;
  EXPECT_EQ(Cli("compress " + dir.File("missing") + " " + dir.File("o"), &output), 1);
  EXPECT_NE(output.find("Файл " + dir.File("missing") + " не найден"), std::string::npos) << output;
  EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1);

  EXPECT_EQ(Cli("expand " + dir.File("in.txt") + " /nonexistent-folder/o", &output), 1);
  EXPECT_NE(output.find("Невозможно создать файл /nonexistent-folder/o"), std::string::npos)
      << output;
  EXPECT_FALSE(testsupport::FileExists(dir.File("o")));

  EXPECT_EQ(Cli("compress onlyone", &output), 2);
  EXPECT_NE(output.find("usage"), std::string::npos);
}

namespace {

// Runs the CLI with its settings kept in the test's folder.
int CliIn(const TempDir& dir, const std::string& args, std::string* output = nullptr) {
  return testsupport::RunCommand(
      "QRNSOLVO_SETTINGS_DIR=" + dir.Path() + " " + QRN_CLI_PATH + " " + args, output);
}

}  // namespace

TEST(Cli, ResaveAndDumpAProject) {
  TempDir dir;
  // A project file of an older layout: one table, only its id field, names in other case.
  testsupport::WriteFile(dir.File("old.qrn"),
                         "EDI100\r\n5 13 tbl_qsproject 173\r\n5 6 fld_id 2\r\n0\r\n0\r\n"
                         "2 173 2 1\r\n2 1 \r\n0\r\n");
  std::string output;
  ASSERT_EQ(CliIn(dir, "resave " + dir.File("old.qrn") + " " + dir.File("new.qrn"), &output), 0)
      << output;
  EXPECT_EQ(testsupport::ReadFile(dir.File("new.qrn")).substr(0, 3), "Q3T");
  ASSERT_EQ(CliIn(dir, "dump " + dir.File("new.qrn"), &output), 0);
  EXPECT_EQ(output.substr(0, 8), "EDI100\r\n");
  EXPECT_NE(output.find("5 13 Tbl_QsProject 173\r\n5 6 Fld_ID 2\r\n"), std::string::npos);
  EXPECT_NE(output.find("\r\n2 173 2 1\r\n2 1 "), std::string::npos);

  ASSERT_EQ(CliIn(dir, "dump --catalogue", &output), 0);
  EXPECT_NE(output.find("TBL_DdbVersionInfo"), std::string::npos);
}

TEST(Cli, ResaveOfAnUnreadableFileWritesNothing) {
  TempDir dir;
  testsupport::WriteFile(dir.File("bad.qrn"), "EDI100\r\n5 1");
  std::string output;
  EXPECT_EQ(CliIn(dir, "resave " + dir.File("bad.qrn") + " " + dir.File("out.qrn"), &output), 1);
  EXPECT_NE(output.find("Недействительная структура базы данных в '" + dir.File("bad.qrn") + "'."),
            std::string::npos)
      << output;
  EXPECT_FALSE(testsupport::FileExists(dir.File("out.qrn")));
  EXPECT_EQ(CliIn(dir, "resave " + dir.File("missing.qrn") + " " + dir.File("out.qrn"), &output),
            1);
  EXPECT_NE(output.find("Невозможно открыть файл " + dir.File("missing.qrn")), std::string::npos)
      << output;
  EXPECT_FALSE(testsupport::FileExists(dir.File("out.qrn")));
}

TEST(Cli, AirStatesAndErrors) {
  std::string output;
  ASSERT_EQ(Cli("air --db 27 --rh 47", &output), 0);
  EXPECT_NE(output.find("wet bulb           18.9 °C"), std::string::npos) << output;
  EXPECT_NE(output.find("humidity ratio     10.47 g/kg"), std::string::npos) << output;
  ASSERT_EQ(Cli("air --db 27 --wb 19 --json", &output), 0);
  EXPECT_NE(output.find("\"relative_humidity_pct\": 47.3"), std::string::npos) << output;
  ASSERT_EQ(Cli("air --db 27 --rh 47 --altitude 1000 --json", &output), 0);
  EXPECT_NE(output.find("\"pressure_Pa\": 89874"), std::string::npos) << output;
  for (const char* bad : {"air --db 27", "air --db 27 --rh 40 --wb 19", "air --db x --rh 40",
                          "air --rh 40", "air --db 27 --rh"}) {
    EXPECT_EQ(Cli(bad, &output), 2) << bad;
  }
}

namespace {

std::string CapacityFixture() {
  return " --catalogue " + testsupport::CatalogueFixture("capacity");
}

}  // namespace

TEST(Cli, CapacityOfAModelAtConditions) {
  // The fixture model QOT-10: at 100 % and 20 °C outdoor the cooling capacity is 28 + 0.5 wb;
  // the cooling table gives 1.0 at 30 m, less 2 % with the unit 10 m above.
  TempDir dir;
  std::string output;
  ASSERT_EQ(CliIn(dir,
                  "capacity --model qot-10 --mode cool --indoor-db 27 --indoor-rh 47 --outdoor 20"
                  " --index 200 --length 30 --height 10 --json" +
                      CapacityFixture(),
                  &output),
            0)
      << output;
  const auto cool = nlohmann::json::parse(output);
  EXPECT_EQ(cool["model"], "QOT-10");
  EXPECT_EQ(cool["status"], 0);
  EXPECT_NEAR(cool["capacity_kW"].get<double>(), 28 + 0.5 * cool["indoor_wb_C"].get<double>(),
              1e-9);
  EXPECT_NEAR(cool["piping_factor"].get<double>(), 0.98, 1e-12);
  EXPECT_NEAR(cool["corrected_capacity_kW"].get<double>(), 0.98 * cool["capacity_kW"].get<double>(),
              1e-9);

  // Heating at 0 °C outdoor, index defaulting to the 100 % index: (16 + 0.01 · 20²) · 0.95.
  ASSERT_EQ(CliIn(dir,
                  "capacity --model QOT-10 --mode heat --indoor-db 20 --outdoor 0 --length 64"
                  " --json" +
                      CapacityFixture(),
                  &output),
            0)
      << output;
  const auto heat = nlohmann::json::parse(output);
  EXPECT_NEAR(heat["capacity_kW"].get<double>(), 19.0, 1e-9);
  EXPECT_EQ(heat["capacity_index"].get<double>(), 200.0);
  EXPECT_NEAR(heat["defrost_factor"].get<double>(), 0.95, 1e-12);
  EXPECT_NEAR(heat["piping_factor"].get<double>(), 1.0 - 0.1 * 0.64, 1e-12);

  // In the cut corner of the heating envelope: status 2 with its message, 0 kW.
  ASSERT_EQ(
      CliIn(dir,
            "capacity --model QOT-10 --mode heat --indoor-db 27 --outdoor -16" + CapacityFixture(),
            &output),
      0);
  EXPECT_NE(output.find("capacity           0.00 kW"), std::string::npos) << output;
  EXPECT_NE(output.find("status             2 ВБ используються вне рабочего диапазона в режиме "
                        "обогрева"),
            std::string::npos)
      << output;
}

TEST(Cli, CapacityErrors) {
  TempDir dir;
  std::string output;
  EXPECT_EQ(CliIn(dir,
                  "capacity --model QOH-99 --mode cool --indoor-db 27 --indoor-rh 47"
                  " --outdoor 35" +
                      CapacityFixture(),
                  &output),
            1);
  EXPECT_NE(output.find("no outdoor model 'QOH-99'"), std::string::npos) << output;
  EXPECT_EQ(CliIn(dir,
                  "capacity --model X --mode cool --indoor-db 27 --indoor-rh 47 --outdoor 35"
                  " --catalogue " +
                      dir.File("missing.txt"),
                  &output),
            1);
  EXPECT_NE(output.find("не найден"), std::string::npos) << output;
  testsupport::WriteFile(dir.File("bad.txt"), "EDI100\r\n5 3 TBL");
  EXPECT_EQ(CliIn(dir,
                  "capacity --model X --mode cool --indoor-db 27 --indoor-rh 47 --outdoor 35"
                  " --catalogue " +
                      dir.File("bad.txt"),
                  &output),
            1);
  for (const char* bad : {"capacity --mode cool --indoor-db 27 --indoor-rh 47 --outdoor 35",
                          "capacity --model X --mode dry --indoor-db 27 --outdoor 35",
                          "capacity --model X --mode cool --indoor-db 27 --outdoor 35",
                          "capacity --model X --mode heat --indoor-db 27",
                          "capacity --model X --mode heat --indoor-db 27 --outdoor x",
                          "capacity --model X --mode heat --indoor-db 27 --outdoor 5 --bogus 1"}) {
    EXPECT_EQ(CliIn(dir, bad, &output), 2) << bad;
  }
}

TEST(Cli, CatalogueListsTheModels) {
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
  ASSERT_EQ(CliIn(dir, "catalogue --catalogue " + catalogue, &output), 0) << output;
  EXPECT_NE(output.find("Outdoor units (5)\n"
                        "name    series  family     HP  index  cooling kW  heating kW  "
                        "refrigerant  max indoor\n"
                        "QOH-08  QOH     heat pump   8    200        22.4          25  "
                        "R410A                13\n"),
            std::string::npos)
      << output;
  // Without a 100 % row there is no rated capacity.
  EXPECT_NE(output.find("QOH-22  QOH     heat pump  22      0           -           -  R410A"),
            std::string::npos)
      << output;
  EXPECT_NE(output.find("QWL-36  WL      QRN        36           1           1\n"),
            std::string::npos)
      << output;
  EXPECT_NE(output.find("BS boxes (2)\nname   series  max index\nQBS-1  QBS           160\n"),
            std::string::npos)
      << output;

  ASSERT_EQ(CliIn(dir, "catalogue --json --catalogue " + catalogue, &output), 0) << output;
  const auto list = nlohmann::json::parse(output);
  ASSERT_EQ(list["outdoor_units"].size(), 5u);
  const auto& m04 = list["outdoor_units"][4];
  EXPECT_EQ(m04["name"], "QOM-04");
  EXPECT_EQ(m04["series"], "QOM");
  EXPECT_EQ(m04["family"], 1);
  EXPECT_EQ(m04["horsepower"], 4);
  EXPECT_EQ(m04["capacity_index"], 100.0);
  EXPECT_EQ(m04["cooling_kW"], 11.2);
  EXPECT_EQ(m04["heating_kW"], 12.5);
  EXPECT_EQ(m04["refrigerant"], "R32");
  EXPECT_EQ(m04["max_indoor_units"], 8);
  EXPECT_TRUE(list["outdoor_units"][3]["cooling_kW"].is_null());
  ASSERT_EQ(list["indoor_units"].size(), 4u);
  EXPECT_EQ(list["indoor_units"][1]["name"], "QCF-56");
  EXPECT_EQ(list["indoor_units"][1]["family"], "CF");
  EXPECT_EQ(list["indoor_units"][1]["capacity_index"], 56.0);
  EXPECT_EQ(list["indoor_units"][1]["heating_kW"], 6.3);
  ASSERT_EQ(list["bs_boxes"].size(), 2u);
  EXPECT_EQ(list["bs_boxes"][1]["max_capacity_index"], 400.0);

  EXPECT_EQ(CliIn(dir, "catalogue --catalogue " + dir.File("missing.txt"), &output), 1);
  EXPECT_NE(output.find("не найден"), std::string::npos) << output;
  EXPECT_EQ(CliIn(dir, "catalogue --bogus", &output), 2);
  EXPECT_EQ(CliIn(dir, "catalogue --catalogue", &output), 2);
}
