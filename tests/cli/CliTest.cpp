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
