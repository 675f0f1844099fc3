#include <gtest/gtest.h>

#include <functional>

#include "CatalogueTestStore.h"
#include "catalogue/CapacityTables.h"
#include "catalogue/Combinations.h"
#include "catalogue/DeviceOptions.h"
#include "catalogue/Devices.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorUnits.h"
#include "catalogue/Pictures.h"
#include "catalogue/PipingTables.h"
#include "catalogue/PowerSupplies.h"

namespace {

std::string Str(const std::string& text) {
  return "5 " + TextString(text);
}

// A file with one record (id 1) of a table that carries only the given fields.
std::string OneRecord(const std::string& table, int id,
                      const std::vector<std::pair<std::string, int>>& fields,
                      const std::string& values) {
  return TextFile({TextTable(table, id, fields)}, {TextRecords(id, {values})});
}

}  // namespace

// A record that leaves a field out gets the field's default, read through the typed accessor.
TEST(CatalogueRecords, FieldsLeftOutOfTheFileReadAsTheirDefaults) {
  struct Case {
    const char* table;
    int id;
    const char* idField;
    std::function<double(CTBaseFactory&)> read;
    double expected;
  };
  const Case cases[] = {
      {"TBL_BSBox", 76, "BSU_ID", [](auto& f) { return Cls_BSBox(1, &f).EquivalentLength(); }, 4.0},
      {"TBL_BSBox", 76, "BSU_ID", [](auto& f) { return Cls_BSBox(1, &f).OutdoorPipeSide(); }, 1},
      {"TBL_CentralController", 80, "ACC_ID",
       [](auto& f) { return Cls_CentralController(1, &f).MaxGroups(); }, 64},
      {"TBL_CentralController", 80, "ACC_ID",
       [](auto& f) { return Cls_CentralController(1, &f).NeedsPower(); }, 1},
      {"TBL_CentralController", 80, "ACC_ID",
       [](auto& f) { return Cls_CentralController(1, &f).MaxCapacity(); }, 100},
      {"TBL_IndoorUnit", 109, "IND_ID", [](auto& f) { return Cls_IndoorUnit(1, &f).CUnitSize(); },
       1.0},
      {"TBL_IndoorUnit", 109, "IND_ID",
       [](auto& f) { return Cls_IndoorUnit(1, &f).LiquidPipeSide(); }, 1},
      {"TBL_OutdoorUnit", 119, "OUT_ID",
       [](auto& f) { return Cls_OutdoorUnit(1, &f).MaxConnRatio(); }, 130.0},
      {"TBL_OutdoorUnit", 119, "OUT_ID",
       [](auto& f) { return Cls_OutdoorUnit(1, &f).MaxIndoorUnits(); }, 8},
      {"TBL_OutdoorUnit", 119, "OUT_ID", [](auto& f) { return Cls_OutdoorUnit(1, &f).Family(); },
       1},
      {"TBL_OutCombination", 117, "OCT_ID",
       [](auto& f) { return Cls_OutCombination(1, &f).CapIndex(); }, -1.0},
      {"TBL_HeaderJoint", 105, "PHJ_ID",
       [](auto& f) { return Cls_HeaderJoint(1, &f).EquivalentLength(); }, 0.5},
      {"TBL_IndOption", 110, "IOP_ID", [](auto& f) { return Cls_IndOption(1, &f).Type(); }, 1},
      {"Tbl_DevOptCombination", 164, "Fld_ID",
       [](auto& f) { return Cls_DevOptCombination(1, &f).NrRequired(); }, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.table);
    CTCatalogueTestStore store;
    ASSERT_TRUE(store.Load(OneRecord(c.table, c.id, {{c.idField, 2}}, "2 1")));
    EXPECT_EQ(c.read(store.factory), c.expected);
  }
}

// The name and deleted overrides read their table's own fields, wherever the table keeps them.
TEST(CatalogueRecords, NameAndDeletedFlagComeFromTheTablesFields) {
  struct Case {
    const char* table;
    int id;
    std::vector<std::pair<std::string, int>> fields;
    std::string values;
  };
  const Case cases[] = {
      {"TBL_AEX",
       144,
       {{"AEX_ID", 2}, {"Fld_Name", 5}, {"Fld_Deleted", 0}},
       "2 1 " + Str("N") + " 0 1"},
      {"TBL_OutOption",
       120,
       {{"OOP_ID", 2}, {"Fld_Name", 5}, {"Fld_Deleted", 0}},
       "2 1 " + Str("N") + " 0 1"},
      {"TBL_PowerSupply",
       122,
       {{"PWS_ID", 2}, {"PWS_Deleted", 0}, {"PWS_Name", 5}},
       "2 1 0 1 " + Str("N")},
      {"TBL_HeaderJoint",
       105,
       {{"PHJ_ID", 2}, {"PHJ_Name", 5}, {"PHJ_Deleted", 0}},
       "2 1 " + Str("N") + " 0 1"},
      {"TBL_Refrigerant",
       128,
       {{"RFR_ID", 2}, {"RFR_Name", 5}, {"RFR_Deleted", 0}},
       "2 1 " + Str("N") + " 0 1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.table);
    CTCatalogueTestStore store;
    ASSERT_TRUE(store.Load(OneRecord(c.table, c.id, c.fields, c.values)));
    auto object = store.factory.CreateObject(c.id, 1);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->Name(), "N");
    EXPECT_TRUE(object->IsDeleted());
  }
}

TEST(CatalogueRecords, AccessorsReadTheStoredValues) {
  CTCatalogueTestStore store;
  const std::string text =
      TextFile({TextTable("TBL_BSBox", 76,
                          {{"BSU_ID", 2},
                           {"Fld_Name", 5},
                           {"BSU_MinCapIndex", 4},
                           {"BSU_Series", 5},
                           {"BSU_EquivalentLength", 4}}),
                TextTable("TBL_OutdoorUnit", 119,
                          {{"OUT_ID", 2},
                           {"Fld_Family", 2},
                           {"OUT_MaxLength", 4},
                           {"OUT_Refrigerant_CLS_REF", 2},
                           {"OUT_Refrigerant_OBJ_REF", 2}}),
                TextTable("TBL_Refrigerant", 128, {{"RFR_ID", 2}})},
               {TextRecords(76, {"2 7 " + Str("BS-4") + " 4 15 " + Str("BSQ") + " 4 2.5"}),
                TextRecords(119, {"2 3 2 0 4 150 2 128 2 9"}), TextRecords(128, {"2 9"})});
  ASSERT_TRUE(store.Load(text));

  Cls_BSBox box(7, &store.factory);
  EXPECT_EQ(box.Name(), "BS-4");
  EXPECT_FALSE(box.IsDeleted());
  EXPECT_EQ(box.MinCapIndex(), 15.0);
  EXPECT_EQ(box.Series(), "BSQ");
  EXPECT_EQ(box.EquivalentLength(), 2.5);

  Cls_OutdoorUnit unit(3, &store.factory);
  EXPECT_EQ(unit.Family(), 0);
  EXPECT_EQ(unit.MaxLength(), 150.0);
  const LTRecordRef refrigerant = unit.RefrigerantRef();
  EXPECT_EQ(refrigerant.tableId, 128);
  EXPECT_EQ(refrigerant.recordId, 9);
  EXPECT_TRUE(refrigerant.IsSet());
}

// Fields marked as translated read through the catalogue's glossary and report its character
// set; other text fields keep the stored text even when the glossary knows it.
TEST(CatalogueRecords, TranslatedFieldsReadThroughTheGlossary) {
  CTCatalogueTestStore store;
  store.glossary = {{"Cassette", "Kassette"},
                    {"Touch", "Sensor"},
                    {"Heater", "Heizung"},
                    {"6.4", "6,4"},
                    {"P1 P2", "P1/P2"}};
  const std::string text = TextFile(
      {TextTable("TBL_CentralController", 80, {{"ACC_ID", 2}, {"Fld_Name", 5}, {"ACC_Series", 5}}),
       TextTable("TBL_Diameter", 103, {{"DIA_ID", 2}, {"DIA_MMString", 5}}),
       TextTable("TBL_IndFamily", 108, {{"IFA_ID", 2}, {"IFA_Name", 5}, {"IFA_Short", 5}}),
       TextTable("TBL_IndOption", 110, {{"IOP_ID", 2}, {"Fld_Name", 5}, {"Fld_Description", 5}}),
       TextTable("Tbl_WiringLabels", 192, {{"Fld_ID", 2}, {"Fld_Control", 5}})},
      {TextRecords(80, {"2 1 " + Str("Touch") + " " + Str("Touch")}),
       TextRecords(103, {"2 1 " + Str("6.4")}),
       TextRecords(108, {"2 1 " + Str("Cassette") + " " + Str("Cassette")}),
       TextRecords(110, {"2 1 " + Str("Heater") + " " + Str("Heater")}),
       TextRecords(192, {"2 1 " + Str("P1 P2")})});
  ASSERT_TRUE(store.Load(text));

  int charset = -1;
  Cls_CentralController controller(1, &store.factory);
  EXPECT_EQ(controller.Series(&charset), "Sensor");
  EXPECT_EQ(charset, 204);
  EXPECT_EQ(controller.Name(), "Touch");

  EXPECT_EQ(Cls_Diameter(1, &store.factory).MMString(), "6,4");
  EXPECT_EQ(Cls_WiringLabels(1, &store.factory).Control(), "P1/P2");

  Cls_IndFamily family(1, &store.factory);
  std::string name;
  family.GetName(charset, name);
  EXPECT_EQ(name, "Kassette");
  EXPECT_EQ(charset, 204);
  EXPECT_EQ(family.Short(), "Cassette");

  Cls_IndOption option(1, &store.factory);
  std::string description;
  option.GetDescription(charset, description);
  EXPECT_EQ(description, "Heizung");
  EXPECT_EQ(option.Name(), "Heater");
}
