#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CatalogueTestStore.h"
#include "catalogue/Combinations.h"
#include "catalogue/Devices.h"
#include "catalogue/OutdoorUnits.h"
#include "catalogue/PipingTables.h"
#include "objectstore/DbException.h"
#include "objectstore/TableInfo.h"
#include "support/TestSupport.h"

namespace {

constexpr int kC = CTTableLink::kCascade;
constexpr int kK = CTTableLink::kChecked;

// The catalogue store with the references the piping queries follow, registered as the program
// registers them, and the piping fixture catalogue loaded.
class PipingStore : public CTCatalogueTestStore {
 public:
  PipingStore() {
    Link(15, 76, 74, 3, kC | kK);
    Link(46, 103, 102, 3, kC | kK);
    Link(47, 103, 102, 5, kC | kK);
    Link(48, 103, 102, 7, 0);
    Link(49, 103, 127, 2, kC | kK);
    Link(50, 105, 74, 5, kC | kK);
    Link(51, 105, 113, 6, kC | kK);
    Link(59, 119, 102, 9, kC | kK);
    Link(62, 119, 113, 8, kC | kK);
    Link(81, 128, 119, 72, kC | kK);
    Link(82, 128, 127, 4, kC | kK);
  }

  bool LoadFixture() {
    return Load(
        testsupport::ReadFile(testsupport::DataPath("catalogue/piping/piping-catalogue.txt")));
  }
};

class PipingTables : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(store.LoadFixture()); }

  CTBaseFactory* F() { return &store.factory; }

  PipingStore store;
};

std::vector<double> Diameters(const std::vector<Cls_Diameter*>& list) {
  std::vector<double> result;
  for (Cls_Diameter* size : list) result.push_back(size->Diameter());
  return result;
}

template <class Entry>
std::vector<std::pair<int, int>> RowAndJointIds(const std::vector<Entry>& rows) {
  std::vector<std::pair<int, int>> result;
  for (const Entry& e : rows) result.emplace_back(e.row->RecordId(), e.joint->RecordId());
  return result;
}

}  // namespace

TEST_F(PipingTables, SizeListsAscendByDiameterAndTheLiquidListKeepsOnlyLiquidSizes) {
  EXPECT_EQ(Diameters(Cls_Diameter::GetDiameterList(false, F())),
            (std::vector<double>{6.4, 9.5, 12.7, 15.9, 19.1, 22.2}));
  EXPECT_EQ(Diameters(Cls_Diameter::GetDiameterList(true, F())),
            (std::vector<double>{6.4, 9.5, 12.7, 15.9}));
  // Built once: the same list on every call.
  EXPECT_EQ(&Cls_Diameter::GetDiameterList(true, F()), &Cls_Diameter::GetDiameterList(true, F()));
}

TEST_F(PipingTables, RowDiameterStepsUpWithinTheListAskedFor) {
  struct Case {
    LTRecordRef size;
    bool sizeUp;
    bool liquidList;
    double expected;
  };
  const Case cases[] = {
      {{103, 4}, false, true, 9.5},  {{103, 4}, true, true, 12.7},
      {{103, 4}, true, false, 12.7}, {{103, 5}, true, true, 15.9},  // the last liquid size stays
      {{103, 5}, true, false, 19.1},                                // the gas list goes on
      {{103, 6}, true, false, 22.2},                                // the last size of all stays
      {{103, 1}, true, true, 19.1},  // not a liquid size: stays as a liquid pipe
      {{103, 1}, true, false, 22.2}, {{0, 0}, true, false, 0.0},
      {{103, 0}, false, false, 0.0}, {{103, 99}, true, false, 0.0},  // no such size
      {{128, 2}, false, false, 0.0},                                 // a record, but not a size
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.size.tableId) + "/" + std::to_string(c.size.recordId) +
                 (c.sizeUp ? " up" : "") + (c.liquidList ? " liquid" : " gas"));
    EXPECT_EQ(Cls_Diameter::GetRowDiameter(c.size, c.sizeUp, c.liquidList, F()), c.expected);
  }
}

TEST_F(PipingTables, DiameterRowsAscendByCapacityWithoutTheSizeUpRows) {
  Cls_OutdoorUnit unit(10, F());
  std::vector<int> ids;
  for (Cls_DiameterCapacity* row : GetDiameterRows(unit)) ids.push_back(row->RecordId());
  EXPECT_EQ(ids, (std::vector<int>{24, 21, 20}));

  // Of two marked rows the one with the smaller capacity is the size-up row, whatever the file
  // order.
  ASSERT_TRUE(HasSizeUpRow(unit));
  EXPECT_EQ(GetSizeUpRow(unit)->RecordId(), 23);

  // A row without a discharge pipe gives 0 mm for it.
  Cls_DiameterCapacity* first = GetDiameterRows(unit).front();
  EXPECT_EQ(Cls_Diameter::GetRowDiameter(first->DischargeDiameterRef(), true, false, F()), 0.0);
  EXPECT_EQ(Cls_Diameter::GetRowDiameter(first->SuctionDiameterRef(), false, false, F()), 15.9);

  // Another handle on the same model shares the view.
  Cls_OutdoorUnit again(10, F());
  EXPECT_EQ(&GetDiameterRows(again), &GetDiameterRows(unit));
}

TEST_F(PipingTables, ModelsWithoutSizeUpRowOrWithoutRows) {
  struct Case {
    int unit;
    std::size_t rows;
  };
  for (const Case& c : {Case{11, 1}, Case{14, 0}}) {
    SCOPED_TRACE(c.unit);
    Cls_OutdoorUnit unit(c.unit, F());
    EXPECT_EQ(GetDiameterRows(unit).size(), c.rows);
    EXPECT_FALSE(HasSizeUpRow(unit));
    EXPECT_EQ(GetSizeUpRow(unit), nullptr);
  }
  // A model that is not a stored record has no rows (and no query is run for it).
  Cls_OutdoorUnit fresh(0, F());
  EXPECT_TRUE(GetDiameterRows(fresh).empty());
  EXPECT_TRUE(GetJointRows(fresh).empty());
}

TEST_F(PipingTables, OutdoorJointRowsDropMissingDeletedAndForeignJoints) {
  // Rows 41 (deleted joint), 42 (no joint), 45 (a size record) and 46 (a table the catalogue
  // does not hold) are left out.
  Cls_OutdoorUnit unit(10, F());
  const auto& rows = GetJointRows(unit);
  EXPECT_EQ(RowAndJointIds(rows), (std::vector<std::pair<int, int>>{{40, 30}, {43, 32}}));
  EXPECT_EQ(rows[1].joint->Connections(), 8);
  EXPECT_EQ(rows[0].row->MaxFCapIndex(), 160.0);

  Cls_OutdoorUnit other(11, F());
  EXPECT_EQ(RowAndJointIds(GetJointRows(other)), (std::vector<std::pair<int, int>>{{44, 30}}));
}

// Only a joint record that is not there makes a row unusable; another store error (here a joint
// reference that the schema does not define) is not passed off as "no joints", and leaves no
// half-built view behind.
TEST(PipingTablesErrors, JointRowsDoNotHideStoreErrors) {
  CTCatalogueTestStore store;
  store.Link(62, 119, 113, 8, kC | kK);  // the rows of a model, but not the joint reference 51
  ASSERT_TRUE(store.Load(
      testsupport::ReadFile(testsupport::DataPath("catalogue/piping/piping-catalogue.txt"))));
  Cls_OutdoorUnit unit(10, &store.factory);
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      GetJointRows(unit);
      ADD_FAILURE() << "the broken reference went unnoticed";
    } catch (const CTDbException& e) {
      EXPECT_EQ(e.Number(), CTDbException::kStructure);
    }
  }
}

TEST_F(PipingTables, BoxJointRowsDropDeletedJoints) {
  Cls_BSBox box(50, F());
  EXPECT_EQ(RowAndJointIds(GetJointRows(box)),
            (std::vector<std::pair<int, int>>{{61, 30}, {62, 32}}));
  Cls_BSBox empty(51, F());
  EXPECT_TRUE(GetJointRows(empty).empty());
}

TEST_F(PipingTables, ChargeCoefficientIsTheFirstRecordForRefrigerantAndExactDiameter) {
  struct Case {
    LTRecordRef refrigerant;
    double diameter;
    std::optional<double> expected;
  };
  const Case cases[] = {
      {{128, 1}, 9.5, 0.022},
      {{128, 1}, 12.7, 0.054},  // record 72 matches too, but comes later
      {{128, 2}, 12.7, 0.059},
      {{128, 2}, 9.5, std::nullopt},
      {{128, 1}, 12.70001, std::nullopt},
      {{128, 1}, 0.0, std::nullopt},
      {{0, 1}, 12.7, std::nullopt},  // the table half must match as well
      {{0, 0}, 6.4, std::nullopt},   // no refrigerant: record 74 leaves its own unset
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.refrigerant.tableId) + "/" +
                 std::to_string(c.refrigerant.recordId) + " " + std::to_string(c.diameter));
    EXPECT_EQ(Cls_RefChargeCoefficient::FindCoefficient(c.refrigerant, c.diameter, F()),
              c.expected);
  }
}

TEST_F(PipingTables, UsedRefrigerantsAscendByRankWithoutDeletedOnesOrThoseOfDeletedModels) {
  std::vector<std::string> names;
  for (const auto& refrigerant : Cls_Refrigerant::GetUsedRefrigerants(F()))
    names.push_back(refrigerant->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"R32", "R410A"}));
}

// The views belong to one connected catalogue: a catalogue connected later, with other sizes,
// gets views of its own.
TEST(PipingTablesCache, ViewsEndWithTheirCatalogue) {
  {
    PipingStore first;
    ASSERT_TRUE(first.LoadFixture());
    ASSERT_EQ(Cls_Diameter::GetDiameterList(false, &first.factory).size(), 6u);
    Cls_OutdoorUnit unit(10, &first.factory);
    ASSERT_EQ(GetJointRows(unit).size(), 2u);
  }
  PipingStore second;
  ASSERT_TRUE(
      second.Load(TextFile({TextTable("TBL_Diameter", 103, {{"DIA_ID", 2}, {"DIA_Diameter", 4}})},
                           {TextRecords(103, {"2 1 4 28.6"})})));
  EXPECT_EQ(Diameters(Cls_Diameter::GetDiameterList(false, &second.factory)),
            (std::vector<double>{28.6}));
}
