#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "CatalogueTestStore.h"
#include "catalogue/Pictures.h"

namespace {

constexpr int kIndoor = 109;
constexpr int kOutdoor = 119;

// A bitmap file of one 24-bit pixel of the given colour (0xRRGGBB).
std::string OnePixelBitmap(std::uint32_t colour) {
  std::string out = "BM";
  const auto u32 = [&out](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(v >> (8 * i) & 0xFF));
  };
  const auto u16 = [&out](std::uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
  };
  u32(58);
  u32(0);
  u32(54);
  u32(40);
  u32(1);
  u32(1);
  u16(1);
  u16(24);
  for (int i = 0; i < 6; ++i) u32(0);
  u32(colour);  // blue, green, red, then one byte of row padding
  return out;
}

// A blob value of the text format, every byte escaped.
std::string Blob(const std::string& bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  for (char ch : bytes) {
    const auto c = static_cast<std::uint8_t>(ch);
    escaped += {'\\', kHex[c >> 4], kHex[c & 15]};
  }
  return "8 " + TextString(escaped);
}

struct LTPictureRecord {
  int id;
  int deviceClass;
  int family;
  std::string series;
  std::string small;
  std::string large;
};

std::string PictureCatalogue(const std::vector<LTPictureRecord>& records) {
  std::vector<std::string> lines;
  for (const LTPictureRecord& r : records) {
    lines.push_back("2 " + std::to_string(r.id) + " 2 " + std::to_string(r.deviceClass) + " 2 " +
                    std::to_string(r.family) + " 5 " + TextString(r.series) + " " + Blob(r.small) +
                    " " + Blob(r.large));
  }
  return TextFile({TextTable("Tbl_Visualization", 191,
                             {{"Fld_ID", 2},
                              {"Fld_DeviceClassID", 2},
                              {"Fld_DeviceFamily", 2},
                              {"Fld_DeviceSeries", 5},
                              {"Fld_SmallImage", 8},
                              {"Fld_LargeImage", 8}})},
                  {TextRecords(191, lines)});
}

// The colour a record's small picture carries: its own id.
LTPictureRecord Record(int id, int family, const std::string& series, int deviceClass = kIndoor) {
  return {id, deviceClass, family, series, OnePixelBitmap(static_cast<std::uint32_t>(id)), ""};
}

std::string LabelCatalogue(int count) {
  std::vector<std::string> lines;
  for (int id = 1; id <= count; ++id) {
    lines.push_back("2 " + std::to_string(id) + " 5 " + TextString("OUT" + std::to_string(id)) +
                    " 5 " + TextString("RC") + " 5 " + TextString("MOD") + " 5 " +
                    TextString("CTL") + " 5 " + TextString("IN"));
  }
  return TextFile({TextTable("Tbl_WiringLabels", 192,
                             {{"Fld_ID", 2},
                              {"Fld_ControlOut", 5},
                              {"Fld_RemoteController", 5},
                              {"Fld_OutdoorModules", 5},
                              {"Fld_Control", 5},
                              {"Fld_ControlIn", 5}})},
                  {TextRecords(192, lines)});
}

}  // namespace

TEST(PictureChoice, RecordChosenForClassFamilyAndSeries) {
  struct Case {
    const char* what;
    std::vector<LTPictureRecord> records;
    int deviceClass;
    int family;
    std::string series;
    int expected;  // record id, 0 for none
  };
  const Case cases[] = {
      {"a record naming the family beats an earlier general one",
       {Record(1, 0, ""), Record(2, 5, "")},
       kIndoor,
       5,
       "Z",
       2},
      {"an exact match is taken at once", {Record(1, 5, ""), Record(2, 0, "")}, kIndoor, 5, "", 1},
      {"among general records the last one",
       {Record(1, 0, ""), Record(2, 0, "")},
       kIndoor,
       5,
       "X",
       2},
      {"the first record naming a family or series is kept",
       {Record(1, 0, "X"), Record(2, 0, ""), Record(3, 5, "")},
       kIndoor,
       5,
       "X",
       1},
      {"a later exact match still wins",
       {Record(1, 0, "X"), Record(2, 5, "X")},
       kIndoor,
       5,
       "x",
       2},
      {"series compared without regard to Cyrillic case",
       {Record(1, 0, ""), Record(2, 5, "\xC0\xC1")},
       kIndoor,
       5,
       "\xE0\xE1",
       2},
      {"another family does not apply", {Record(1, 6, "")}, kIndoor, 5, "", 0},
      {"another series does not apply", {Record(1, 5, "Y")}, kIndoor, 5, "X", 0},
      {"a series does not apply to an empty one", {Record(1, 0, "X")}, kIndoor, 5, "", 0},
      {"another device class does not apply",
       {Record(1, 0, "", kOutdoor), Record(2, 0, "")},
       kOutdoor,
       5,
       "",
       1},
      {"no records", {}, kIndoor, 5, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CTCatalogueTestStore store;
    ASSERT_TRUE(store.Load(PictureCatalogue(c.records)));
    const auto record = FindPictureRecord(c.deviceClass, c.family, c.series, &store.factory);
    EXPECT_EQ(record ? record->RecordId() : 0, c.expected);
    bool large = true;
    const auto picture =
        GetPicture(c.deviceClass, c.family, false, c.series, &large, &store.factory);
    EXPECT_FALSE(large);
    if (c.expected == 0) {
      EXPECT_EQ(picture, nullptr);
    } else {
      ASSERT_NE(picture, nullptr);
      EXPECT_EQ(picture->Pixel(0, 0), 0xFF000000u | static_cast<std::uint32_t>(c.expected));
    }
  }
}

TEST(PictureChoice, LargeOrSmallPicture) {
  const std::string red = OnePixelBitmap(0xFF0000);
  const std::string blue = OnePixelBitmap(0x0000FF);
  const std::string damaged = "BM" + std::string(40, '\xFF');
  struct Case {
    const char* what;
    std::string small;
    std::string large;
    bool largeWanted;
    std::uint32_t expected;  // 0 for no picture
    bool largeDelivered;
  };
  const Case cases[] = {
      {"large wanted and held", red, blue, true, 0xFF0000FF, true},
      {"small wanted", red, blue, false, 0xFFFF0000, false},
      {"large wanted, none held", red, "", true, 0xFFFF0000, false},
      {"large wanted, only a damaged one held", red, damaged, true, 0xFFFF0000, false},
      {"small wanted, damaged", damaged, blue, false, 0, false},
      {"no pictures at all", "", "", true, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CTCatalogueTestStore store;
    ASSERT_TRUE(store.Load(PictureCatalogue({{1, kIndoor, 0, "", c.small, c.large}})));
    bool large = !c.largeDelivered;
    const auto picture = GetPicture(kIndoor, 3, c.largeWanted, "S", &large, &store.factory);
    EXPECT_EQ(large, c.largeDelivered);
    if (c.expected == 0) {
      EXPECT_EQ(picture, nullptr);
    } else {
      ASSERT_NE(picture, nullptr);
      EXPECT_EQ(picture->Pixel(0, 0), c.expected);
    }
  }
}

TEST(WiringLabels, OnlyASingleRecordGivesLabels) {
  for (int count : {0, 1, 2}) {
    SCOPED_TRACE(count);
    CTCatalogueTestStore store;
    ASSERT_TRUE(store.Load(LabelCatalogue(count)));
    CTWiringLabels labels(&store.factory);
    const bool one = count == 1;
    EXPECT_EQ(labels.GetControlOutLabel(), one ? "OUT1" : "");
    EXPECT_EQ(labels.GetRemoteControllerLabel(), one ? "RC" : "");
    EXPECT_EQ(labels.GetOutdoorModulesLabel(), one ? "MOD" : "");
    EXPECT_EQ(labels.GetControlLabel(), one ? "CTL" : "");
    EXPECT_EQ(labels.GetControlInLabel(), one ? "IN" : "");
  }
}

TEST(WiringLabels, TranslatedThroughTheGlossary) {
  CTCatalogueTestStore store;
  store.glossary["CTL"] = "\xCA\xD2\xCB";
  ASSERT_TRUE(store.Load(LabelCatalogue(1)));
  CTWiringLabels labels(&store.factory);
  int charset = -1;
  EXPECT_EQ(labels.GetControlLabel(&charset), "\xCA\xD2\xCB");
  EXPECT_EQ(charset, 204);
  EXPECT_EQ(labels.GetRemoteControllerLabel(&charset), "RC");
  EXPECT_EQ(charset, 0);
}

// While the table does not hold exactly one record, every request looks again; the record found
// is kept.
TEST(WiringLabels, LookedUpAgainUntilOneRecordIsFound) {
  CTCatalogueTestStore store;
  ASSERT_TRUE(store.Load(LabelCatalogue(0)));
  CTWiringLabels labels(&store.factory);
  EXPECT_EQ(labels.GetControlLabel(), "");
  ASSERT_TRUE(store.Load(LabelCatalogue(1)));
  EXPECT_EQ(labels.GetControlOutLabel(), "OUT1");
  ASSERT_TRUE(store.Load(LabelCatalogue(2)));
  ASSERT_EQ(CTDbObject::AllObjects(Cls_WiringLabels::kTableId, false, &store.factory).size(), 2u);
  EXPECT_EQ(labels.GetControlOutLabel(), "OUT1");
}
