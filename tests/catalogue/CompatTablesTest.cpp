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

constexpr int kC = CTTableLink::kCascade;
constexpr int kK = CTTableLink::kChecked;

// The catalogue store with the references the compatibility queries follow, registered as the
// program registers them, and the compatibility fixture catalogue loaded.
class CompatStore : public CTCatalogueTestStore {
 public:
  CompatStore() {
    Link(18, 76, 106, 1, kC | kK);    // box -> its indoor rows
    Link(61, 119, 112, 3, kC | kK);   // outdoor -> its box rows
    Link(63, 119, 114, 3, kC | kK);   // outdoor -> its indoor rows
    Link(264, 119, 184, 2, kC | kK);  // multi-module unit -> its module rows
    Link(239, 162, 164, 4, kC | kK);  // device -> its option offers
    Link(66, 119, 117, 5, kC | kK);   // outdoor -> its combination rows
  }

  bool LoadFixture() {
    return Load(
        testsupport::ReadFile(testsupport::DataPath("catalogue/compat/compat-catalogue.txt")));
  }
};

class CompatTables : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(store.LoadFixture()); }

  CTBaseFactory* F() { return &store.factory; }
  Cls_OutdoorUnit& Unit(int id) {
    return dynamic_cast<Cls_OutdoorUnit&>(*CTDbObject::CachedObject(119, id, F()));
  }

  CompatStore store;
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
  // Rows: 41, 40, no such model, 41 again, 42 (deleted), a box record; then a row of model 12.
  Cls_OutdoorUnit& unit = Unit(10);
  EXPECT_EQ(Ids(unit.GetCompatibleIndoorUnits()), (std::vector<int>{41, 40, 41, 42}));
  // One instance per record: the duplicate is the same object, the one the catalogue caches.
  const auto& indoor = unit.GetCompatibleIndoorUnits();
  EXPECT_EQ(indoor[0], indoor[2]);
  EXPECT_EQ(indoor[0], CTDbObject::CachedObject(109, 41, F()));
  EXPECT_TRUE(indoor[3]->IsDeleted());
  // Built once and kept.
  EXPECT_EQ(&unit.GetCompatibleIndoorUnits(), &indoor);

  // Boxes: 51, 50, no such box, 50 again.
  EXPECT_EQ(Ids(unit.GetCompatibleBSBoxes()), (std::vector<int>{51, 50, 50}));
  EXPECT_EQ(Ids(Unit(12).GetCompatibleIndoorUnits()), (std::vector<int>{40}));
  EXPECT_TRUE(Unit(12).GetCompatibleBSBoxes().empty());
}

TEST_F(CompatTables, BoxIndoorModelsSkipUnresolvedRowsAndAreSharedPerRecord) {
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

  // Unit 11, file order: 8 HP, 12 HP (A), 12 HP (B) x 2, unresolved x 3, 10 HP x 0. The exchange
  // sort leaves the two 12 HP rows reversed; the unresolved row counts as 0 HP and goes last.
  Cls_OutdoorUnit& mixed = Unit(11);
  EXPECT_EQ(Ids(mixed.GetModules()), (std::vector<int>{66, 65, 68, 64, 67}));
  EXPECT_EQ(mixed.GetModules().back()->Module(), nullptr);
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
  // Unit 11 modules: 12B (310), 12B (310), 12A (300), 8 HP (200), then three unresolved; the
  // row of quantity 0 stands for no module.
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
  // Unit 10 offers: kind 2, an unresolved option, kind 1 (31), kind 1 (32).
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
