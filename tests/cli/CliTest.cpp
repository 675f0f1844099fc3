#include <gtest/gtest.h>

#include <algorithm>
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
