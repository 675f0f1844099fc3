#include <gtest/gtest.h>

#include "CatalogueTestStore.h"
#include "catalogue/VersionInfo.h"
#include "i18n/BuiltinMessages.h"
#include "i18n/HeadlessMessageUi.h"
#include "support/TestSupport.h"

namespace {

std::string VersionCatalogue(const std::vector<std::pair<std::string, std::string>>& records) {
  std::vector<std::string> lines;
  int id = 0;
  for (const auto& [dbVersion, dataVersion] : records) {
    lines.push_back("2 " + std::to_string(++id) + " 2 2 5 " + TextString(dbVersion) + " 5 " +
                    TextString(dataVersion) + " ");
  }
  return TextFile(
      {TextTable(
          "TBL_DdbVersionInfo", 101,
          {{"DVI_ID", 2}, {"DVI_DataRegion", 2}, {"DVI_DbVersion", 5}, {"DVI_DataVersion", 5}})},
      {TextRecords(101, lines)});
}

}  // namespace

TEST(CatalogueVersion, CheckAndTexts) {
  RegisterBuiltinMessages();
  struct Case {
    std::vector<std::pair<std::string, std::string>> records;
    bool passes;
    const char* message;  // shown text, or "" for none
    const char* dataVersion;
    int region;
  };
  const Case cases[] = {
      {{{"5.3", "  QRN 2026.12 "}}, true, "", "QRN 2026.12", 2},
      {{{"5.3 ", "x"}},
       false,
       "Некорректная версия базы данных 'Device_Database 5.3 <> 5.3 '",
       "x",
       2},
      {{{"5.30", "x"}},
       false,
       "Некорректная версия базы данных 'Device_Database 5.3 <> 5.30'",
       "x",
       2},
      {{{"5.3", "a"}, {"5.3", "b"}}, false, "", "", 0},
      {{}, false, "", "", 0},
  };
  for (const auto& c : cases) {
    CTHeadlessMessageUi ui;
    CTScopedMessageUi scoped(ui);
    CTCatalogueTestStore store;
    ASSERT_TRUE(store.Load(VersionCatalogue(c.records)));
    EXPECT_EQ(CheckCatalogueVersion("5.3", &store.factory), c.passes);
    if (*c.message) {
      ASSERT_EQ(ui.Shown().size(), 1u);
      EXPECT_EQ(ui.Shown()[0].text, testsupport::Ansi(c.message));
    } else {
      EXPECT_TRUE(ui.Shown().empty());
    }
    EXPECT_EQ(CatalogueDataVersion(&store.factory), c.dataVersion);
    EXPECT_EQ(CatalogueDataRegion(&store.factory), c.region);
  }
}
