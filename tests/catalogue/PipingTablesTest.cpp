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

class PipingTables : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(store.LoadFixture("piping")); }

  CTBaseFactory* F() { return &store.factory; }

  CTCatalogueTestStore store;
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

TEST_F(PipingTables, SizeOfAnExactDiameter) {
  Cls_Diameter* size = Cls_Diameter::FindDiameter(12.7, F());
  ASSERT_NE(size, nullptr);
  EXPECT_EQ(size->RecordId(), 3);
  EXPECT_EQ(size, Cls_Diameter::FindDiameter(12.7, F()));
  EXPECT_EQ(Cls_Diameter::FindDiameter(12.70001, F()), nullptr);
  EXPECT_EQ(Cls_Diameter::FindDiameter(0, F()), nullptr);
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

TEST_F(PipingTables, OutdoorJointRowsDropMissingAndDeletedJoints) {
  // Rows 41 (deleted joint) and 42 (no joint) are left out.
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
  CTCatalogueTestStore store({51});  // the rows of a model, but not the joint reference 51
  ASSERT_TRUE(store.LoadFixture("piping"));
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

// Rows the catalogue compiler refuses to write but the program's loader accepts: one naming a
// pipe size where its joint belongs (row 45) and one naming a table the catalogue does not hold
// (row 46). The joint rows leave both out.
TEST(PipingTablesForeignRows, OutdoorJointRowsDropRowsOfOtherTables) {
  CTCatalogueTestStore store;
  ASSERT_TRUE(store.Load(
      TextFile({TextTable("TBL_Diameter", 103, {{"DIA_ID", 2}}),
                TextTable("TBL_OutdoorUnit", 119, {{"OUT_ID", 2}}),
                TextTable("TBL_HeaderJoint", 105, {{"PHJ_ID", 2}}),
                TextTable("TBL_OHJCombination", 113,
                          {{"OHJ_ID", 2},
                           {"OHJ_HeaderJoint_CLS_REF", 2},
                           {"OHJ_HeaderJoint_OBJ_REF", 2},
                           {"OHJ_OutdoorUnit_CLS_REF", 2},
                           {"OHJ_OutdoorUnit_OBJ_REF", 2}})},
               {TextRecords(103, {"2 1"}), TextRecords(119, {"2 10"}), TextRecords(105, {"2 30"}),
                TextRecords(113, {"2 40 2 105 2 30 2 119 2 10", "2 45 2 103 2 1 2 119 2 10",
                                  "2 46 2 999 2 5 2 119 2 10"})})));
  Cls_OutdoorUnit unit(10, &store.factory);
  EXPECT_EQ(RowAndJointIds(GetJointRows(unit)), (std::vector<std::pair<int, int>>{{40, 30}}));
}

// The views belong to one connected catalogue: a catalogue connected later, with other sizes,
// gets views of its own.
TEST(PipingTablesCache, ViewsEndWithTheirCatalogue) {
  {
    CTCatalogueTestStore first;
    ASSERT_TRUE(first.LoadFixture("piping"));
    ASSERT_EQ(Cls_Diameter::GetDiameterList(false, &first.factory).size(), 6u);
    Cls_OutdoorUnit unit(10, &first.factory);
    ASSERT_EQ(GetJointRows(unit).size(), 2u);
  }
  CTCatalogueTestStore second;
  ASSERT_TRUE(
      second.Load(TextFile({TextTable("TBL_Diameter", 103, {{"DIA_ID", 2}, {"DIA_Diameter", 4}})},
                           {TextRecords(103, {"2 1 4 28.6"})})));
  EXPECT_EQ(Diameters(Cls_Diameter::GetDiameterList(false, &second.factory)),
            (std::vector<double>{28.6}));
}
