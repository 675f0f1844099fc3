#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CatalogueTestStore.h"
#include "catalogue/DeviceOptions.h"
#include "catalogue/Devices.h"
#include "catalogue/IndoorUnits.h"
#include "i18n/BuiltinMessages.h"
#include "objectstore/TableInfo.h"
#include "platform/CodePage.h"
#include "support/TestSupport.h"

namespace {

// The device fixture with the glossary of its translated texts.
class DeviceStore : public CTCatalogueTestStore {
 public:
  DeviceStore() {
    glossary["Cassette"] = Cp1251FromUtf8("Кассетный");
    glossary["BASIC"] = Cp1251FromUtf8("Базовый");
    glossary["COMBO"] = "COMBO KIT";
  }
};

class DeviceQueries : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterBuiltinMessages(); }
  void SetUp() override { ASSERT_TRUE(store.LoadFixture("devices")); }

  CTBaseFactory* F() { return &store.factory; }

  DeviceStore store;
};

std::vector<int> Ids(const CTDbObjectList& list) {
  std::vector<int> ids;
  for (const auto& object : list) ids.push_back(object->RecordId());
  return ids;
}

std::string Phase(const std::string& prefix) {
  return prefix + Cp1251FromUtf8("фаза");
}

std::string DisplayText(const CTDbObject& object) {
  int charset = 0;
  std::string text;
  object.GetDisplayText(charset, text);
  return text;
}

}  // namespace

TEST_F(DeviceQueries, OptionOffersAndAllowedSuppliesComeInTableOrder) {
  // The store keeps a table's records in record-id order, whatever the order of the file.
  Cls_IndoorUnit unit(1, F());
  EXPECT_EQ(Ids(unit.GetOptionOffers()), (std::vector<int>{70, 80, 90}));
  EXPECT_EQ(Ids(unit.GetAllowedSupplies()), (std::vector<int>{10, 11}));
  Cls_IndoorUnit other(2, F());
  EXPECT_EQ(Ids(other.GetOptionOffers()), (std::vector<int>{85}));
  EXPECT_EQ(Ids(other.GetAllowedSupplies()), (std::vector<int>{12, 13, 14}));
  // A device that is not a stored record has nothing related.
  Cls_IndoorUnit fresh(0, F());
  EXPECT_TRUE(fresh.GetOptionOffers().empty());
  EXPECT_TRUE(fresh.GetAllowedSupplies().empty());
  EXPECT_TRUE(fresh.HasNoPowerSupply());
}

TEST_F(DeviceQueries, PowerSupplyResolution) {
  struct Case {
    int unit;
    int supply;  // 0: none
    double mca, running, starting;
    const char* fuses;
    std::string phases, phaseNames, supplyText;
  };
  const Case cases[] = {
      // Two supplies, neither default: the second's data.
      {1, 2, 2.2, 1.6, 5.5, "10A", Phase("3"), "L1,L2,L3,N", "400V " + Phase("3")},
      // The first default supply ends the search; the later row is not taken.
      {2, 3, 3.5, 2.0, 7.0, "16A", Phase("3N"), "L1,L2,L3,N,PE", "400V " + Phase("3N")},
      // No supplies at all.
      {3, 0, 0.0, 0.0, 0.0, "", "", "", ""},
      // A supply without phases: no phase word and no trailing blank.
      {4, 4, 0.5, 0.25, 0.75, "2A", "", "", "24V"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.unit);
    Cls_IndoorUnit unit(c.unit, F());
    Cls_PowerSupply* supply = unit.GetPowerSupply();
    EXPECT_EQ(supply ? supply->RecordId() : 0, c.supply);
    EXPECT_EQ(unit.HasNoPowerSupply(), c.supply == 0);
    EXPECT_DOUBLE_EQ(unit.GetMCA(), c.mca);
    EXPECT_DOUBLE_EQ(unit.GetRunningAmps(), c.running);
    EXPECT_DOUBLE_EQ(unit.GetStartingCurrent(), c.starting);
    EXPECT_EQ(unit.GetFuses(), c.fuses);
    EXPECT_EQ(unit.GetPhasesText(), c.phases);
    EXPECT_EQ(unit.GetPhaseNamesText(), c.phaseNames);
    EXPECT_EQ(unit.GetSupplyText(), c.supplyText);
    // Resolved once and kept.
    EXPECT_EQ(unit.GetPowerSupply(), supply);
  }
}

// An allowed-supply row whose supply record is missing: the catalogue compiler refuses to write
// it, but the reference is not checked, so the program's loader accepts it. The unit has the
// row's amps, but no supply and no supply texts.
TEST(DeviceQueriesMissingSupply, TheRowsAmpsWithoutSupplyTexts) {
  CTCatalogueTestStore store;
  ASSERT_TRUE(store.Load(TextFile(
      {TextTable("TBL_IndoorUnit", 109, {{"IND_ID", 2}}), TextTable("Tbl_QRNPSAllowed", 170,
                                                                    {{"Fld_ID", 2},
                                                                     {"Fld_Device_CLS_REF", 2},
                                                                     {"Fld_Device_OBJ_REF", 2},
                                                                     {"Fld_PowerSupply_CLS_REF", 2},
                                                                     {"Fld_PowerSupply_OBJ_REF", 2},
                                                                     {"Fld_MCA", 4},
                                                                     {"Fld_RunningAmps", 4},
                                                                     {"Fld_StartingCurrent", 4},
                                                                     {"Fld_Fuses", 5}})},
      {TextRecords(109, {"2 5"}),
       TextRecords(170, {"2 16 2 109 2 5 2 122 2 99 4 1.25 4 1 4 2 5 " + TextString("4A")})})));
  Cls_IndoorUnit unit(5, &store.factory);
  EXPECT_EQ(unit.GetPowerSupply(), nullptr);
  EXPECT_TRUE(unit.HasNoPowerSupply());
  EXPECT_DOUBLE_EQ(unit.GetMCA(), 1.25);
  EXPECT_DOUBLE_EQ(unit.GetRunningAmps(), 1.0);
  EXPECT_DOUBLE_EQ(unit.GetStartingCurrent(), 2.0);
  EXPECT_EQ(unit.GetFuses(), "4A");
  EXPECT_EQ(unit.GetPhasesText(), "");
  EXPECT_EQ(unit.GetPhaseNamesText(), "");
  EXPECT_EQ(unit.GetSupplyText(), "");
}

TEST_F(DeviceQueries, DimensionsAndSoundTextFromTheDocumentationRecord) {
  struct Case {
    int unit;
    double width, height, depth, weight;
    const char* sound;
  };
  const Case cases[] = {
      {1, 840, 250, 845, 24.5, "28-35"},
      {2, 700, 300, 600, 30, "35"},    // low level 0
      {3, 500, 200, 400, 12, "27.5"},  // high level 0
      {4, 0, 0, 0, 0, ""},             // no record
      {6, 0, 0, 0, 0, ""},             // both levels 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.unit);
    Cls_IndoorUnit unit(c.unit, F());
    double w = -1, h = -1, d = -1, kg = -1;
    unit.GetDimensions(w, h, d, kg);
    EXPECT_EQ(w, c.width);
    EXPECT_EQ(h, c.height);
    EXPECT_EQ(d, c.depth);
    EXPECT_EQ(kg, c.weight);
    EXPECT_EQ(unit.GetSoundText(), c.sound);
  }
  Cls_IndoorUnit unit(1, F());
  EXPECT_EQ(unit.GetDocumentation(), unit.GetDocumentation());
}

TEST_F(DeviceQueries, FamilyLookupByCodeAndDisplayText) {
  struct Case {
    const char* code;
    int family;  // 0: none
    std::string display;
  };
  const Case cases[] = {
      {"FXC", 1, "FXC - " + Cp1251FromUtf8("Кассетный")},  // translated name
      {"fxc", 1, "FXC - " + Cp1251FromUtf8("Кассетный")},
      {"FXD", 2, "FXD"},  // no name: the code alone
      {"FXA", 3, "fxa - Wall"},
      {"FX", 0, ""},
      {"", 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    auto family = Cls_IndFamily::FindByCode(c.code, F());
    ASSERT_EQ(family ? family->RecordId() : 0, c.family);
    if (family) {
      EXPECT_EQ(DisplayText(*family), c.display);
    }
  }
}

TEST_F(DeviceQueries, OptionFullNameHoldsTheDescription) {
  std::string text;
  Cls_IndOption(1, F()).GetFullName(text);
  EXPECT_EQ(text, "QRC-1 (Wired remote)");
  Cls_IndOption(3, F()).GetFullName(text);
  EXPECT_EQ(text, "QAD-3 ()");
}

TEST_F(DeviceQueries, ControllerDisplayTextFollowsTheSeriesCaseRule) {
  struct Case {
    int controller;
    std::string display;
  };
  const Case cases[] = {
      {1, "intelligent QCC-100"},                   // untranslated capitals, trimmed name
      {2, Cp1251FromUtf8("Базовый") + " QCC-200"},  // translated with lower-case letters
      {3, "combo kit QCC-300"},                     // translated, capitals and blanks only
      {4, "hub QCC-400"},                           // untranslated mixed case
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.controller);
    Cls_CentralController controller(c.controller, F());
    EXPECT_EQ(DisplayText(controller), c.display);
    std::string full;
    controller.GetFullName(full);
    EXPECT_EQ(full, controller.Name());
  }
}

TEST_F(DeviceQueries, ControllerComponentsAndChoiceList) {
  Cls_CentralController combo(3, F());
  std::vector<int> ids;
  for (const auto& component : combo.GetComponents()) ids.push_back(component->RecordId());
  EXPECT_EQ(ids, (std::vector<int>{2, 1}));  // rows 30 and 31
  EXPECT_TRUE(Cls_CentralController(1, F()).GetComponents().empty());

  struct Choice {
    int controller;
    std::size_t components;
    std::string display;
  };
  const std::vector<Choice> expected = {
      {1, 0, "intelligent QCC-100"},
      {2, 0, Cp1251FromUtf8("Базовый") + " QCC-200"},  // kind 1: never combined
      // Kind 2: the first component's display text leads; component names are trimmed.
      {3, 2, Cp1251FromUtf8("Базовый") + " QCC-200+QCC-100"},
      {4, 1, "hub QCC-400+QCC-200"},  // kind 3: combined only
      {6, 0, "pro QCC-600"},          // kind 0: plain, then combined
      {6, 1, "pro QCC-600+QCC-200"},
  };
  const auto choices = Cls_CentralController::GetChoiceList(F());
  ASSERT_EQ(choices.size(), expected.size());
  for (std::size_t i = 0; i < choices.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(choices[i]->RecordId(), expected[i].controller);
    EXPECT_EQ(choices[i]->ChoiceComponents().size(), expected[i].components);
    EXPECT_EQ(DisplayText(*choices[i]), expected[i].display);
  }
}
