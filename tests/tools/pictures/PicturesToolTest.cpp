#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/Bitmap.h"
#include "support/TestSupport.h"

using testsupport::TempDir;

namespace {

int Tool(const std::string& args, std::string* output = nullptr) {
  return testsupport::RunCommand(std::string(QRN_PICTURES_TOOL_PATH) + " " + args, output);
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> cells;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    cells.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return cells;
    start = tab + 1;
  }
}

struct Row {
  int classId;
  int family;
  std::string series;
  std::string small;
  std::string large;
};

// The rows of the written table source, after checking its section and column lines.
std::vector<Row> ReadTable(const std::string& path) {
  std::istringstream in(testsupport::ReadFile(path));
  std::vector<Row> rows;
  std::string line;
  bool table = false;
  bool columns = false;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (line == "@table Tbl_Visualization") {
      table = true;
      continue;
    }
    if (line.rfind("@columns", 0) == 0) {
      EXPECT_EQ(line,
                "@columns\tFld_DeviceClassID\tFld_DeviceFamily\tFld_DeviceSeries\tFld_SmallImage\t"
                "Fld_LargeImage");
      columns = true;
      continue;
    }
    const std::vector<std::string> cells = SplitTabs(line);
    EXPECT_EQ(cells.size(), 5u) << line;
    if (cells.size() != 5) continue;
    rows.push_back({std::stoi(cells[0]), std::stoi(cells[1]), cells[2], cells[3], cells[4]});
  }
  EXPECT_TRUE(table && columns);
  return rows;
}

// The picture a blob cell names, relative to the table's folder.
std::unique_ptr<CTBitmap> Picture(const std::string& folder, const std::string& cell) {
  if (cell.rfind("file:", 0) != 0) return nullptr;
  return DecodeBitmap(testsupport::ReadFile(folder + "/" + cell.substr(5)));
}

bool IsDark(std::uint32_t pixel) {
  return (pixel >> 16 & 0xFF) < 0x80 && (pixel >> 8 & 0xFF) < 0x80 && (pixel & 0xFF) < 0x80;
}

}  // namespace

// The pictures the build drew for the catalogue.
TEST(PicturesTool, WritesADecodablePicturePairForEveryFamily) {
  const std::string folder = QRN_GENERATED_DIR;
  const std::vector<Row> rows = ReadTable(folder + "/pictures.tsv");

  std::set<std::pair<int, int>> listed;
  std::set<std::vector<std::uint32_t>> largePictures;
  for (const Row& row : rows) {
    EXPECT_TRUE(listed.insert({row.classId, row.family}).second)
        << row.classId << "/" << row.family;
    EXPECT_EQ(row.series, "");
    const auto small = Picture(folder, row.small);
    const auto large = Picture(folder, row.large);
    ASSERT_TRUE(small) << row.small;
    ASSERT_TRUE(large) << row.large;
    EXPECT_EQ(small->width, 32);
    EXPECT_EQ(small->height, 32);
    EXPECT_EQ(large->width, 160);
    EXPECT_EQ(large->height, 120);
    // White paper with a drawing on it.
    for (const CTBitmap* picture : {small.get(), large.get()}) {
      EXPECT_EQ(picture->Pixel(0, 0), 0xFFFFFFFFu) << row.small;
      EXPECT_GT(std::count_if(picture->pixels.begin(), picture->pixels.end(), IsDark), 20)
          << row.small;
    }
    largePictures.insert(large->pixels);
  }
  std::set<std::pair<int, int>> expected;
  for (int family = 1; family <= 8; ++family) expected.insert({109, family});
  expected.insert({119, 0});  // outdoor units
  expected.insert({76, 0});   // BS boxes
  EXPECT_EQ(listed, expected);
  EXPECT_EQ(largePictures.size(), rows.size()) << "every device has a drawing of its own";
}

// The tool run again writes the same files, byte for byte, as the build's run.
TEST(PicturesTool, OutputIsTheSameOnEveryRun) {
  TempDir dir;
  std::string output;
  ASSERT_EQ(Tool(dir.File("again"), &output), 0) << output;
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.File("again"))) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(testsupport::ReadFile(dir.File("again/" + name)) ==
                testsupport::ReadFile(std::string(QRN_GENERATED_DIR) + "/" + name))
        << name;
    ++files;
  }
  EXPECT_EQ(files, 21u);  // ten pairs and the table
}

TEST(PicturesTool, CommandLineAndFolderErrors) {
  TempDir dir;
  std::string output;
  EXPECT_EQ(Tool("", &output), 2);
  EXPECT_NE(output.find("usage"), std::string::npos);
  testsupport::WriteFile(dir.File("file"), "x");
  EXPECT_EQ(Tool(dir.File("file/out"), &output), 1);
  EXPECT_EQ(output.rfind(dir.File("file/out") + ": ", 0), 0u) << output;
  EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1);
}
