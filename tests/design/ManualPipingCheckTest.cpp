// The check of pipe lengths entered by hand against the outdoor model's piping limits.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SizingFixture.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorUnits.h"
#include "design/PipingErrorList.h"
#include "design/RefrigerantCharge.h"
#include "support/TestSupport.h"

namespace {

using testsupport::Ansi;

// A manual system Out(J1(U1, J2(U2, U3))) on QSO-M, whose joints QJ-M add 0.5 m each, every pipe
// 9.5 mm (0.054 kg/m of R410A) and a factory charge of 5 kg. With the lengths main 20, U1 5,
// J2 10, U2 3, U3 25: actual lengths U1 25, U2 33, U3 55, equivalent lengths 25.5, 34 and 56,
// total 63 m, charge 5 + 63 x 0.054 = 8.402 kg.
class ManualCheck : public SizingTest {
 protected:
  void SetUp() override {
    SizingTest::SetUp();
    SetRefrigerant("R410A");
    out.SetLocked(true);
    u1 = &Unit(out, "U1", 10, "QI-80");
    u2 = &Unit(out, "U2", 10, "QI-80");
    u3 = &Unit(out, "U3", 10, "QI-80");
    ASSERT_EQ(Shape(out.GetRootNode()), "Out(J(U1, J(U2, U3)))");
    j1 = out.GetRootNode()->ChildAt(0);
    j2 = j1->ChildAt(1);
    SetLengths(20, 5, 10, 3, 25);
    model = Catalogue<Cls_OutdoorUnit>("QSO-M");
    u3->GetFullName(u3Name);
  }
  void SetLengths(double main, double l1, double joint, double l2, double l3) {
    j1->SetBranchLength(main);
    Node(out, *u1)->SetBranchLength(l1);
    j2->SetBranchLength(joint);
    Node(out, *u2)->SetBranchLength(l2);
    Node(out, *u3)->SetBranchLength(l3);
  }
  // Only the limit given applies; the size-up length of the main pipe stays.
  void OnlyLimit(int field, double value) {
    for (int f : kLimits) model->SetDouble(f, 0);
    model->SetDouble(field, value);
  }
  std::vector<std::string> Check() {
    list.lines = {"left over"};
    result = CheckManualPiping(out, &list);
    return list.lines;
  }
  std::string M(const std::string& value) { return value + Ansi(" м"); }

  static constexpr int kLimits[] = {Cls_OutdoorUnit::kMaxLength,
                                    Cls_OutdoorUnit::kMaxActualLength,
                                    Cls_OutdoorUnit::kMaxFirstBranchToIndoor,
                                    Cls_OutdoorUnit::kMaxLastBranchToIndoor,
                                    Cls_OutdoorUnit::kMaxPipingDiff,
                                    Cls_OutdoorUnit::kMaxTotalPipingLength,
                                    Cls_OutdoorUnit::kMaxTotalRefrigCharge};

  Cls_QsOutPlacement& out = System("Out", "QSO-M");
  TestIndoor *u1 = nullptr, *u2 = nullptr, *u3 = nullptr;
  Cls_QsPipingNode *j1 = nullptr, *j2 = nullptr;
  Cls_OutdoorUnit* model = nullptr;
  std::string u3Name;
  CTRecordingErrorList list;
  bool result = true;
};

TEST_F(ManualCheck, EveryLimitBrokenOnceListsItsLineInOrder) {
  // QSO-M: equivalent 55, actual 54, first branch 34, last branch 20, difference 29, total 62 m
  // and 8.4 kg; U3 breaks every unit limit.
  EXPECT_EQ(Check(),
            (std::vector<std::string>{
                "The piping length " + M("25.000") + " between " + u3Name +
                    " and the last branch exceeds " + M("20.000"),
                "The difference between the longest and shortest distance from first branch to "
                "indoor unit (" +
                    M("30.000") + ") exceeds " + M("29.000"),
                "The equivalent length " + M("56.000") + " from " + u3Name +
                    " to outdoor unit exceeds " + M("55.000"),
                "The piping length " + M("35.000") + " between " + u3Name +
                    " and the first branch exceeds " + M("34.000"),
                "The actual piping length " + M("55.000") + " from " + u3Name +
                    " to outdoor unit exceeds " + M("54.000"),
                "The total actual piping length " + M("63.000") + " exceeds " + M("62.000"),
                "The total refrigerant charge " + Ansi("8.402 кг") + " exceeds " + Ansi("8.400 кг"),
            }));
  EXPECT_FALSE(result);
  EXPECT_EQ(list.images, std::vector<int>(7, 3));
  EXPECT_EQ(list.clears, 1);
  EXPECT_EQ(list.begins, 1);
  EXPECT_EQ(list.ends, 1);
  EXPECT_EQ(out.GetErrorNumber(), 10057);
  EXPECT_EQ(out.GetErrorLevel(), 2);
  EXPECT_EQ(out.GetErrorText(),
            "The manually entered piping lengths contain errors. See piping diagram");
  // Without a list the result and the mark are the same.
  out.ClearError();
  EXPECT_FALSE(CheckManualPiping(out, nullptr));
  EXPECT_EQ(out.GetErrorNumber(), 10057);
}

TEST_F(ManualCheck, EachLimitPassesAtItsValueAndSizedUpJointPipesCountTwice) {
  // J2 carries the size-up mark (so do the unit nodes below it, which never count twice): it
  // counts 20 m in the total, the doubled actual and equivalent lengths, 10 m elsewhere.
  for (Cls_QsPipingNode* node : {j2, Node(out, *u2), Node(out, *u3)}) node->SetSizeUpMark(true);
  const double charge = model->BaseCharge() + GetAdditionalCharge(out);
  EXPECT_NEAR(charge, 8.402, 1e-12);
  struct Case {
    int field;
    double limit;
    std::string line;  // empty: nothing reported
  };
  const Case cases[] = {
      {Cls_OutdoorUnit::kMaxTotalPipingLength, 73, ""},
      {Cls_OutdoorUnit::kMaxTotalPipingLength, 72.999,
       "The total actual piping length " + M("73.000") + " exceeds " + M("72.999")},
      {Cls_OutdoorUnit::kMaxActualLength, 65, ""},
      {Cls_OutdoorUnit::kMaxActualLength, 64.999,
       "The actual piping length " + M("65.000") + " from " + u3Name + " to outdoor unit exceeds " +
           M("64.999")},
      {Cls_OutdoorUnit::kMaxLength, 66, ""},
      {Cls_OutdoorUnit::kMaxLength, 65.999,
       "The equivalent length " + M("66.000") + " from " + u3Name + " to outdoor unit exceeds " +
           M("65.999")},
      {Cls_OutdoorUnit::kMaxFirstBranchToIndoor, 35, ""},
      {Cls_OutdoorUnit::kMaxFirstBranchToIndoor, 34.999,
       "The piping length " + M("35.000") + " between " + u3Name +
           " and the first branch exceeds " + M("34.999")},
      {Cls_OutdoorUnit::kMaxPipingDiff, 30, ""},
      {Cls_OutdoorUnit::kMaxPipingDiff, 29.999,
       "The difference between the longest and shortest distance from first branch to indoor "
       "unit (" +
           M("30.000") + ") exceeds " + M("29.999")},
      {Cls_OutdoorUnit::kMaxLastBranchToIndoor, 25, ""},
      {Cls_OutdoorUnit::kMaxLastBranchToIndoor, 24.999,
       "The piping length " + M("25.000") + " between " + u3Name + " and the last branch exceeds " +
           M("24.999")},
      {Cls_OutdoorUnit::kMaxTotalRefrigCharge, charge, ""},
      // One gram more than the limit.
      {Cls_OutdoorUnit::kMaxTotalRefrigCharge, charge - 0.001,
       "The total refrigerant charge " + Ansi("8.402 кг") + " exceeds " + Ansi("8.401 кг")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.field) + " " + std::to_string(c.limit));
    OnlyLimit(c.field, c.limit);
    out.ClearError();
    const std::vector<std::string> lines = Check();
    EXPECT_EQ(lines,
              c.line.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.line});
    EXPECT_EQ(result, c.line.empty());
    EXPECT_EQ(out.GetErrorNumber(), c.line.empty() ? 0 : 10057);
  }
}

TEST_F(ManualCheck, SizedUpMainPipeCountsHalfTowardsTheEquivalentLength) {
  // M 40 and U3 49: U3's equivalent length is 40 + 10 + 49 + 2 x 0.5 = 100 m.
  SetLengths(40, 5, 10, 3, 49);
  struct Case {
    double sizeUpLength;  // OUT_LengthForSizeUpMain
    double limit;         // OUT_MaxLength
    const char* limitText;
    const char* compared;  // empty: nothing reported
  };
  const Case cases[] = {
      // The main pipe is sized up: 100 - 40 / 2.
      {50, 80, "80.000", ""},
      {50, 79.999, "79.999", "80.000"},
      // Not above the size-up length, or no size-up length: the full 100 m.
      {100, 80, "80.000", "100.000"},
      {0, 80, "80.000", "100.000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.sizeUpLength) + " " + std::to_string(c.limit));
    OnlyLimit(Cls_OutdoorUnit::kMaxLength, c.limit);
    model->SetDouble(Cls_OutdoorUnit::kLengthForSizeUpMain, c.sizeUpLength);
    const std::vector<std::string> lines = Check();
    if (*c.compared == '\0') {
      EXPECT_TRUE(lines.empty());
    } else {
      EXPECT_EQ(lines,
                (std::vector<std::string>{"The equivalent length " + M(c.compared) + " from " +
                                          u3Name + " to outdoor unit exceeds " + M(c.limitText)}));
    }
  }
}

TEST_F(ManualCheck, MissingLengthStopsTheTestsAfterTheFirstPass) {
  // Two pipes without length (one of them negative, as a damaged file may hold it); U3's own
  // pipe breaks the last-branch limit. The total and the difference would break their limits
  // but are not tested.
  SetLengths(20, 5, 0, -3, 25);
  model->SetDouble(Cls_OutdoorUnit::kMaxTotalPipingLength, 30);
  model->SetDouble(Cls_OutdoorUnit::kMaxPipingDiff, 10);
  EXPECT_EQ(Check(),
            (std::vector<std::string>{
                "Some piping lengths are not filled in. See pipes marked in red on the piping "
                "diagram",
                "The piping length " + M("25.000") + " between " + u3Name +
                    " and the last branch exceeds " + M("20.000")}));
  EXPECT_FALSE(result);
  EXPECT_EQ(out.GetErrorNumber(), 10057);
}

TEST_F(ManualCheck, MarkOnTheSystemGivesWayToLevelThreeErrors) {
  SetLengths(20, 5, 10, 3, 12);
  OnlyLimit(Cls_OutdoorUnit::kMaxTotalPipingLength, 40);
  // A level-1 error on the system is replaced.
  out.SetError(10118, "130", 1);
  EXPECT_EQ(Check().size(), 1u);
  EXPECT_EQ(out.GetErrorNumber(), 10057);
  // A level-3 error on the system stays; the list still shows the problem.
  out.SetError(10059, "QSO-M", 3, "8");
  EXPECT_EQ(Check().size(), 1u);
  EXPECT_FALSE(result);
  EXPECT_EQ(out.GetErrorNumber(), 10059);
  // So does a unit below that has no model: it counts as level 3.
  out.ClearError();
  u1->SetModel(nullptr);
  EXPECT_EQ(Check().size(), 1u);
  EXPECT_EQ(out.GetErrorNumber(), 0);
  // Nothing found: the system is not touched.
  u1->SetModel(Catalogue<Cls_IndoorUnit>("QI-80"));
  OnlyLimit(Cls_OutdoorUnit::kMaxTotalPipingLength, 50);
  out.SetError(10118, "130", -1);
  EXPECT_TRUE(Check().empty());
  EXPECT_TRUE(result);
  EXPECT_EQ(out.GetErrorNumber(), 10118);
}

TEST_F(ManualCheck, OnlyManualSystemsWithModelAreChecked) {
  out.SetModel(nullptr);
  EXPECT_TRUE(Check().empty());
  EXPECT_TRUE(result);
  EXPECT_EQ(list.clears, 1);
  EXPECT_EQ(list.ends, 1);
  out.SetModel(model);
  out.SetLocked(false);
  EXPECT_TRUE(Check().empty());
  EXPECT_TRUE(result);
  EXPECT_EQ(out.GetErrorNumber(), 0);
}

TEST_F(SizingTest, ManualSystemWithoutUnitsTestsTheChargeAlone) {
  Cls_QsOutPlacement& out = System("Out", "QSO-M");
  out.SetLocked(true);
  // The factory charge 5 kg alone; the difference test (29 m) has no units to compare.
  Catalogue<Cls_OutdoorUnit>("QSO-M")->SetDouble(Cls_OutdoorUnit::kMaxTotalRefrigCharge, 4);
  CTRecordingErrorList list;
  EXPECT_FALSE(CheckManualPiping(out, &list));
  EXPECT_EQ(list.lines,
            (std::vector<std::string>{"The total refrigerant charge " + Ansi("5.000 кг") +
                                      " exceeds " + Ansi("4.000 кг")}));
  // Nothing is connected, so the system is not marked.
  EXPECT_EQ(out.GetErrorNumber(), 0);
}

}  // namespace
