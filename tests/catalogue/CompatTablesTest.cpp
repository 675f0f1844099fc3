#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CatalogueTestStore.h"
#include "catalogue/Combinations.h"
#include "catalogue/CompatTables.h"
#include "catalogue/DeviceOptions.h"
#include "catalogue/Devices.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorUnits.h"
#include "objectstore/TableInfo.h"
#include "support/TestSupport.h"

namespace {

class CompatTables : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(store.LoadFixture("compat")); }

  CTBaseFactory* F() { return &store.factory; }
  Cls_OutdoorUnit& Unit(int id) {
    return dynamic_cast<Cls_OutdoorUnit&>(*CTDbObject::CachedObject(119, id, F()));
  }

  CTCatalogueTestStore store;
};

template <class T>
std::vector<int> Ids(const std::vector<T*>& list) {
  std::vector<int> ids;
  for (T* object : list) ids.push_back(object ? object->RecordId() : -1);
  return ids;
}

// Capacity indexes at 100 % of the module units, standing in for the capacity model.
double IndexAt100(Cls_OutdoorUnit& module) {
  static const std::map<int, double> indexes = {
      {20, 250.0}, {21, 350.0}, {22, 300.0}, {23, 310.0}, {24, 200.0}};
  const auto it = indexes.find(module.RecordId());
  return it == indexes.end() ? 0.0 : it->second;
}

}  // namespace

TEST_F(CompatTables, OutdoorListsKeepRowOrderDuplicatesAndDeletedModels) {
  // Rows: 41, 40, 41 again, 42 (deleted); then a row of model 12.
  Cls_OutdoorUnit& unit = Unit(10);
  EXPECT_EQ(Ids(unit.GetCompatibleIndoorUnits()), (std::vector<int>{41, 40, 41, 42}));
  // One instance per record: the duplicate is the same object, the one the catalogue caches.
  const auto& indoor = unit.GetCompatibleIndoorUnits();
  EXPECT_EQ(indoor[0], indoor[2]);
  EXPECT_EQ(indoor[0], CTDbObject::CachedObject(109, 41, F()));
  EXPECT_TRUE(indoor[3]->IsDeleted());
  // Built once and kept.
  EXPECT_EQ(&unit.GetCompatibleIndoorUnits(), &indoor);

  // Boxes: 51, 50, 50 again.
  EXPECT_EQ(Ids(unit.GetCompatibleBSBoxes()), (std::vector<int>{51, 50, 50}));
  EXPECT_EQ(Ids(Unit(12).GetCompatibleIndoorUnits()), (std::vector<int>{40}));
  EXPECT_TRUE(Unit(12).GetCompatibleBSBoxes().empty());
}

TEST_F(CompatTables, BoxIndoorModelsAreSharedPerRecord) {
  struct Case {
    int box;
    std::vector<int> indoor;
  };
  const Case cases[] = {{50, {42, 40}}, {51, {41}}, {52, {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    Cls_BSBox box(c.box, F());
    EXPECT_EQ(Ids(GetCompatibleIndoorUnits(box)), c.indoor);
    Cls_BSBox again(c.box, F());
    EXPECT_EQ(&GetCompatibleIndoorUnits(again), &GetCompatibleIndoorUnits(box));
  }
  // A box that is not a stored record has no rows.
  Cls_BSBox fresh(0, F());
  EXPECT_TRUE(GetCompatibleIndoorUnits(fresh).empty());
}

TEST_F(CompatTables, ModuleRowsDescendByHorsepowerInTheListSortOrder) {
  // Unit 10: (10 HP x 2), (14 HP x 1): the 14 HP row comes first.
  Cls_OutdoorUnit& pair = Unit(10);
  EXPECT_EQ(Ids(pair.GetModules()), (std::vector<int>{61, 60}));
  EXPECT_EQ(pair.GetModules()[0]->Module(), &Unit(21));
  EXPECT_TRUE(pair.IsMultiModule());

  // Unit 11, file order: 8 HP, 12 HP (A), 12 HP (B) x 2, 10 HP x 0. The exchange sort leaves the
  // two 12 HP rows reversed.
  Cls_OutdoorUnit& mixed = Unit(11);
  EXPECT_EQ(Ids(mixed.GetModules()), (std::vector<int>{66, 65, 68, 64}));
  EXPECT_EQ(&mixed.GetModules(), &mixed.GetModules());

  EXPECT_TRUE(Unit(12).GetModules().empty());
  EXPECT_FALSE(Unit(12).IsMultiModule());
}

TEST_F(CompatTables, ModulesCapacityIndexSumsTheModulesAfterTheFirstN) {
  struct Case {
    int unit;
    int n;
    double expected;
  };
  // Unit 10 modules: 14 HP (350), 10 HP (250), 10 HP (250).
  // Unit 11 modules: 12B (310), 12B (310), 12A (300), 8 HP (200); the row of quantity 0 stands
  // for no module.
  const Case cases[] = {
      {10, 0, 850.0},  {10, 1, 500.0}, {10, 2, 250.0}, {10, 3, 0.0},   {10, -1, 850.0},
      {11, 0, 1120.0}, {11, 1, 810.0}, {11, 2, 500.0}, {11, 3, 200.0}, {11, 4, 0.0},
      {11, 7, 0.0},    {11, 100, 0.0}, {12, 0, 0.0},   {12, 1, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.unit) + " after " + std::to_string(c.n));
    EXPECT_DOUBLE_EQ(Unit(c.unit).GetModulesCapacityIndex(c.n, IndexAt100), c.expected);
    // The modules' own combination rows give the same indexes at 100 %.
    EXPECT_DOUBLE_EQ(Unit(c.unit).GetModulesCapacityIndex(c.n), c.expected);
  }
}

TEST_F(CompatTables, MultiModuleKitIsTheFirstOfferedOptionOfKindOne) {
  // Unit 10 offers: kind 2, kind 1 (31), kind 1 (32).
  Cls_OutdoorUnit& unit = Unit(10);
  Cls_DeviceOption* kit = unit.GetMultiModuleKit();
  ASSERT_NE(kit, nullptr);
  EXPECT_EQ(kit->RecordId(), 31);
  EXPECT_EQ(unit.GetMultiModuleKit(), kit);
  // A multi-module unit offering no kit, and a single-module unit that offers one.
  EXPECT_EQ(Unit(11).GetMultiModuleKit(), nullptr);
  EXPECT_EQ(Unit(11).GetMultiModuleKit(), nullptr);
  EXPECT_EQ(Unit(12).GetMultiModuleKit(), nullptr);
}

TEST_F(CompatTables, AModelThatIsNotAStoredRecordHasEmptyLists) {
  Cls_OutdoorUnit fresh(0, F());
  EXPECT_TRUE(fresh.GetCompatibleIndoorUnits().empty());
  EXPECT_TRUE(fresh.GetCompatibleBSBoxes().empty());
  EXPECT_TRUE(fresh.GetModules().empty());
  EXPECT_EQ(fresh.GetModulesCapacityIndex(0, IndexAt100), 0.0);
  EXPECT_EQ(fresh.GetMultiModuleKit(), nullptr);
}

// A compatibility row that names a box where the indoor model belongs: the catalogue compiler
// refuses to write it, but the program's loader only asks that the record exists. The outdoor
// unit's list leaves it out.
TEST(CompatTablesForeignRows, ARowNamingAnotherKindOfRecordIsLeftOut) {
  CTCatalogueTestStore store;
  ASSERT_TRUE(store.Load(
      TextFile({TextTable("TBL_OutdoorUnit", 119, {{"OUT_ID", 2}}),
                TextTable("TBL_IndoorUnit", 109, {{"IND_ID", 2}}),
                TextTable("TBL_BSBox", 76, {{"BSU_ID", 2}}),
                TextTable("TBL_OICombination", 114,
                          {{"CIO_ID", 2},
                           {"CIO_IndoorUnit_CLS_REF", 2},
                           {"CIO_IndoorUnit_OBJ_REF", 2},
                           {"CIO_OutdoorUnit_CLS_REF", 2},
                           {"CIO_OutdoorUnit_OBJ_REF", 2}})},
               {TextRecords(119, {"2 10"}), TextRecords(109, {"2 41"}), TextRecords(76, {"2 50"}),
                TextRecords(114, {"2 100 2 109 2 41 2 119 2 10", "2 105 2 76 2 50 2 119 2 10"})})));
  auto* unit = dynamic_cast<Cls_OutdoorUnit*>(CTDbObject::CachedObject(119, 10, &store.factory));
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(Ids(unit->GetCompatibleIndoorUnits()), (std::vector<int>{41}));
}

// Rows whose reference names a record that does not exist. Those references are checked, so the
// program's loader refuses such a catalogue; a store without the checks shows that the queries
// would leave the rows out (or, for module rows, count them as no module).
TEST(CompatTablesForeignRows, RowsOfMissingRecordsAreLeftOut) {
  const std::string text = TextFile(
      {TextTable("TBL_OutdoorUnit", 119, {{"OUT_ID", 2}, {"OUT_Horsepower", 2}}),
       TextTable("TBL_IndoorUnit", 109, {{"IND_ID", 2}}),
       TextTable("TBL_BSBox", 76, {{"BSU_ID", 2}}),
       TextTable("TBL_OutOption", 120, {{"OOP_ID", 2}, {"Fld_Type", 2}}),
       TextTable("TBL_OICombination", 114,
                 {{"CIO_ID", 2},
                  {"CIO_IndoorUnit_CLS_REF", 2},
                  {"CIO_IndoorUnit_OBJ_REF", 2},
                  {"CIO_OutdoorUnit_CLS_REF", 2},
                  {"CIO_OutdoorUnit_OBJ_REF", 2}}),
       TextTable("TBL_OBCombination", 112,
                 {{"OBS_ID", 2},
                  {"OBS_BSBox_CLS_REF", 2},
                  {"OBS_BSBox_OBJ_REF", 2},
                  {"OBS_OutdoorUnit_CLS_REF", 2},
                  {"OBS_OutdoorUnit_OBJ_REF", 2}}),
       TextTable("TBL_IBCombination", 106,
                 {{"IBS_ID", 2},
                  {"IBS_BSBox_CLS_REF", 2},
                  {"IBS_BSBox_OBJ_REF", 2},
                  {"IBS_IndoorUnit_CLS_REF", 2},
                  {"IBS_IndoorUnit_OBJ_REF", 2}}),
       TextTable("TBL_OMCombination", 184,
                 {{"COM_ID", 2},
                  {"COM_Quantity", 2},
                  {"COM_OutdoorUnit_CLS_REF", 2},
                  {"COM_OutdoorUnit_OBJ_REF", 2},
                  {"COM_OutdoorUnit2_CLS_REF", 2},
                  {"COM_OutdoorUnit2_OBJ_REF", 2}}),
       TextTable("Tbl_DevOptCombination", 164,
                 {{"Fld_ID", 2},
                  {"Fld_Device_CLS_REF", 2},
                  {"Fld_Device_OBJ_REF", 2},
                  {"Fld_DeviceOption_CLS_REF", 2},
                  {"Fld_DeviceOption_OBJ_REF", 2}})},
      {// Units 10 and 11 (multi-module), modules 22 (12 HP) and 24 (8 HP).
       TextRecords(119, {"2 10 2 34", "2 11 2 42", "2 22 2 12", "2 24 2 8"}),
       TextRecords(109, {"2 40", "2 41"}), TextRecords(76, {"2 50"}),
       TextRecords(120, {"2 31 2 1"}),
       // Unit 10: indoor 41, no such indoor model, 40.
       TextRecords(114, {"2 100 2 109 2 41 2 119 2 10", "2 102 2 109 2 999 2 119 2 10",
                         "2 101 2 109 2 40 2 119 2 10"}),
       // Unit 10: box 50, no such box.
       TextRecords(112, {"2 111 2 76 2 50 2 119 2 10", "2 112 2 76 2 998 2 119 2 10"}),
       // Box 50: no such indoor model, 40.
       TextRecords(106, {"2 121 2 76 2 50 2 109 2 999", "2 122 2 76 2 50 2 109 2 40"}),
       // Unit 11: 12 HP, no such module x 3, 8 HP.
       TextRecords(184, {"2 65 2 1 2 119 2 11 2 119 2 22", "2 67 2 3 2 119 2 11 2 119 2 999",
                         "2 64 2 1 2 119 2 11 2 119 2 24"}),
       // Unit 11 offers: no such option, the kit 31.
       TextRecords(164, {"2 81 2 119 2 11 2 120 2 999", "2 82 2 119 2 11 2 120 2 31"})});
  EXPECT_FALSE(CTCatalogueTestStore().Load(text));

  // Without QRNIndoor_Outdoor, QRNBSBox_Outdoor, QRNIndoor_BSBox, Parent_Outdoor and Ass 2.
  CTCatalogueTestStore store({55, 19, 52, 266, 240});
  ASSERT_TRUE(store.Load(text));
  CTBaseFactory* f = &store.factory;
  auto& unit = dynamic_cast<Cls_OutdoorUnit&>(*CTDbObject::CachedObject(119, 10, f));
  EXPECT_EQ(Ids(unit.GetCompatibleIndoorUnits()), (std::vector<int>{41, 40}));
  EXPECT_EQ(Ids(unit.GetCompatibleBSBoxes()), (std::vector<int>{50}));
  Cls_BSBox box(50, f);
  EXPECT_EQ(Ids(GetCompatibleIndoorUnits(box)), (std::vector<int>{40}));

  // The unresolved module row counts as 0 HP and goes last; it adds no capacity index.
  auto& modules = dynamic_cast<Cls_OutdoorUnit&>(*CTDbObject::CachedObject(119, 11, f));
  ASSERT_NE(modules.GetMultiModuleKit(), nullptr);
  EXPECT_EQ(modules.GetMultiModuleKit()->RecordId(), 31);
  EXPECT_EQ(Ids(modules.GetModules()), (std::vector<int>{65, 64, 67}));
  EXPECT_EQ(modules.GetModules().back()->Module(), nullptr);
  EXPECT_DOUBLE_EQ(modules.GetModulesCapacityIndex(0, IndexAt100), 500.0);
  EXPECT_DOUBLE_EQ(modules.GetModulesCapacityIndex(1, IndexAt100), 200.0);
  EXPECT_DOUBLE_EQ(modules.GetModulesCapacityIndex(2, IndexAt100), 0.0);
}
