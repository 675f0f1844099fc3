// The diameters of the pipes, the joints and headers of the piping tree and the size texts.

#include <gtest/gtest.h>

#include <string>

#include "SizingFixture.h"
#include "catalogue/Devices.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorUnits.h"
#include "catalogue/PipingTables.h"
#include "design/PipeSizing.h"
#include "i18n/NumberText.h"
#include "i18n/Units.h"
#include "support/TestSupport.h"

namespace {

using testsupport::Ansi;

// Out(J1(U1, J2(U2, U3))) on QSO-HP: the first branch J1 and a later branch J2.
class SizingChain : public SizingTest {
 protected:
  void SetUp() override {
    SizingTest::SetUp();
    u1 = &Unit(out, "U1", 25);
    u2 = &Unit(out, "U2", 150);
    u3 = &Unit(out, "U3", 50);
    ASSERT_EQ(Shape(out.GetRootNode()), "Out(J(U1, J(U2, U3)))");
    root = out.GetRootNode();
    j1 = root->ChildAt(0);
    j2 = j1->ChildAt(1);
  }
  // The longest equivalent length of the last check, which decides whether the main pipe is
  // sized up.
  void SetLongestEquivalentLength(double metres) { u1->SetPipingLengths(0, metres, metres); }
  void Size() { out.GetRootNode(); }

  Cls_QsOutPlacement& out = System("Out", "QSO-HP");
  TestIndoor *u1 = nullptr, *u2 = nullptr, *u3 = nullptr;
  Cls_QsPipingNode *root = nullptr, *j1 = nullptr, *j2 = nullptr;
};

TEST_F(SizingChain, MainPipeIsTheConnectionsUnlessTheSystemIsLong) {
  struct Case {
    const char* model;
    double longest;  // m
    double u2;       // index below J2 is u2 + 50
    const char* root;
    const char* j1;
    const char* j2;
  };
  const Case cases[] = {
      // Up to the size-up length the rows (200: 12.7x22.2, 300: 15.9x25.4) are cut back to the
      // connections 9.5x19.1.
      {"QSO-HP", 90, 150, "9,5x19,1", "9,5x19,1", "9,5x19,1"},
      // Above it the main pipe takes the size-up row and branches keep their rows; the first
      // branch still takes the main pipe's sizes and marks the difference.
      {"QSO-HP", 90.5, 150, "12,7x22,2", "12,7x22,2 *", "12,7x22,2"},
      // A branch serving more than every row carries has no size.
      {"QSO-HP", 0, 400, "9,5x19,1", "9,5x19,1 *", ""},
      // Without size-up row and rows: the connections, and no size for the branches.
      {"QSO-BARE", 90.5, 150, "9,5x19,1", "9,5x19,1 *", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.model) + " " + std::to_string(c.longest) + " " +
                 std::to_string(c.u2));
    out.SetModel(Catalogue<Cls_OutdoorUnit>(c.model));
    SetLongestEquivalentLength(c.longest);
    u2->index = c.u2;
    Size();
    EXPECT_EQ(Text(root), c.root);
    EXPECT_EQ(Text(j1), c.j1);
    EXPECT_EQ(Text(j2), c.j2);
    EXPECT_EQ(root->PipeSizes().pipeCount, 2);
    EXPECT_EQ(j2->PipeSizes().dischargeGas, 0);
  }
}

TEST_F(SizingChain, SizeUpMarkStepsABranchUpAsFarAsTheMainPipe) {
  struct Case {
    double longest;
    double u2, u3;
    bool marked;
    const char* j2;
  };
  const Case cases[] = {
      {0, 30, 20, false, "6,4x12,7"},
      // One step: liquid within the liquid sizes, gas within all sizes.
      {0, 30, 20, true, "9,5x15,9"},
      // 9.5x15.9 becomes 12.7x19.1, above the connections of a short system, so it is cut back
      // to them: 9.5x19.1, no larger than the main pipe.
      {0, 60, 40, true, "9,5x19,1"},
      // Below a sized-up main pipe 12.7x22.2 the step fits; 19.1 is a gas size only.
      {90.5, 60, 40, true, "12,7x19,1"},
      {90.5, 100, 50, true, "12,7x22,2"},
      // 12.7x22.2 would become 15.9x25.4.
      {90.5, 150, 50, true, "12,7x22,2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.longest) + " " + std::to_string(c.u2 + c.u3) +
                 (c.marked ? " marked" : ""));
    SetLongestEquivalentLength(c.longest);
    u2->index = c.u2;
    u3->index = c.u3;
    j2->SetSizeUpMark(c.marked);
    Size();
    EXPECT_EQ(Text(j2), c.j2);
  }
}

TEST_F(SizingChain, FirstBranchUsesItsOwnRowsAndTheStoredModelFollows) {
  struct Case {
    double u2, u3;
    const char* j1;  // the first branch, index 25 + u2 + u3
    const char* j2;
  };
  const Case cases[] = {
      // 145: QJ-M's first-branch limit 150 fits, its later-branch limit 120 would not.
      // 120: QJ-M and QJ-M2 tie at 120; the first row met wins.
      {70, 50, "QJ-M", "QJ-M"},
      // 50: QJ-S, which may not be the first branch.
      {30, 20, "QJ-M", "QJ-S"},
      {200, 100, "QJ-L", "QJ-L"},
      // Beyond every row: no model, and the model stored before is cleared.
      {300, 100, "-", "-"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.u2 + c.u3));
    u2->index = c.u2;
    u3->index = c.u3;
    Size();
    EXPECT_EQ(ModelName(j1), c.j1);
    EXPECT_EQ(ModelName(j2), c.j2);
    // Written to the store at once.
    Cls_QsJointPipingNode stored(j2->RecordId(), &store.factory);
    EXPECT_EQ(stored.GetHeaderJointRef(),
              static_cast<Cls_QsHJPipingNode*>(j2)->GetHeaderJointRef());
  }
  // Without outdoor model nothing is chosen.
  u2->index = 70;
  out.SetModel(nullptr);
  Size();
  EXPECT_EQ(ModelName(j1), "-");
  EXPECT_EQ(Text(root), "");
}

TEST_F(SizingTest, IndoorUnitBelowTheOutdoorUnitIsMarkedWhereItsConnectionsDiffer) {
  Cls_QsOutPlacement& out = System("Out", "QSO-HP");
  TestIndoor& unit = Unit(out, "U1", 25, "QI-25");
  EXPECT_EQ(Text(out, unit), "6,4x12,7 *");
  EXPECT_EQ(Text(out, out), "9,5x19,1");
  unit.SetModel(Catalogue<Cls_IndoorUnit>("QI-80"));
  EXPECT_EQ(Text(out, unit), "9,5x19,1");
  // Below a joint the unit's own sizes, no mark.
  TestIndoor& second = Unit(out, "U2", 25, "QI-25");
  EXPECT_EQ(Text(out, second), "6,4x12,7");
  EXPECT_FALSE(Node(out, second)->PipeSizes().reducer);
  // A unit without model has no size.
  second.SetModel(nullptr);
  EXPECT_EQ(Text(out, second), "");
}

TEST_F(SizingTest, HeaderModelsAndTheirErrors) {
  // Each header is the first branch of its own system.
  Cls_QsOutPlacement& out1 = System("Out1", "QSO-HP");
  auto& four = fixture.AddHeader("H4", out1, 4);
  Unit(out1, "U1", 30, "", &four);
  Unit(out1, "U2", 40, "", &four);
  out1.GetRootNode();
  EXPECT_EQ(ModelName(NodeOf(out1, four)), "QH-4");
  EXPECT_FALSE(four.HasError());
  // Too large an index for the header of four: no model and no error.
  Unit(out1, "U3", 40, "", &four);
  out1.GetRootNode();
  EXPECT_EQ(ModelName(NodeOf(out1, four)), "-");
  EXPECT_FALSE(four.HasError());

  // No header of six connections among the model's rows.
  Cls_QsOutPlacement& out2 = System("Out2", "QSO-HP");
  auto& six = fixture.AddHeader("H6", out2, 6);
  Unit(out2, "U4", 10, "", &six);
  out2.GetRootNode();
  EXPECT_EQ(ModelName(NodeOf(out2, six)), "-");
  EXPECT_EQ(six.GetErrorNumber(), 10046);
  EXPECT_EQ(six.GetErrorLevel(), 3);
  EXPECT_EQ(six.GetErrorText(),
            Ansi("Не найдены \"гребенки\" с 6 подключениями, которые можно подключить к "
                 "устройству QSO-HP"));

  // QH-8 may not be the first branch: no model and no error; as a later branch it fits.
  Cls_QsOutPlacement& out3 = System("Out3", "QSO-HP");
  auto& eight = fixture.AddHeader("H8", out3, 8);
  Unit(out3, "U5", 10, "", &eight);
  out3.GetRootNode();
  EXPECT_EQ(ModelName(NodeOf(out3, eight)), "-");
  EXPECT_FALSE(eight.HasError());
  Unit(out3, "U6", 10);
  ASSERT_EQ(Shape(out3.GetRootNode()), "Out3(J(H8[U5], U6))");
  EXPECT_EQ(ModelName(NodeOf(out3, eight)), "QH-8");
}

TEST_F(SizingTest, HeaderWithoutUnitsIsMarkedUntilOneIsConnected) {
  Cls_QsOutPlacement& out = System("Out", "QSO-HP");
  auto& header = fixture.AddHeader("H4", out, 4);
  out.GetRootNode();
  EXPECT_EQ(header.GetErrorNumber(), 10043);
  EXPECT_EQ(header.GetErrorLevel(), 3);
  std::string name;
  header.GetFullName(name);
  EXPECT_EQ(header.GetErrorText(), "At least one indoor unit must be connected to " + name);
  Unit(out, "U1", 30, "", &header);
  out.GetRootNode();
  EXPECT_FALSE(header.HasError());
  EXPECT_EQ(header.GetErrorNumber(), 0);
}

TEST_F(SizingTest, HeatRecoveryIsThreePipeDownToTheBoxes) {
  Cls_QsOutPlacement& out = System("Out", "QSO-HR", 0);
  auto& box = fixture.AddBox("B1", out);
  box.SetModel(Catalogue<Cls_BSBox>("BSQ-2"));
  TestIndoor& u1 = Unit(out, "U1", 40, "QI-25", &box);
  Unit(out, "U2", 30, "QI-25", &box);
  TestIndoor& u3 = Unit(out, "U3", 50, "QI-25");
  ASSERT_EQ(Shape(out.GetRootNode()), "Out(J(B1(J(U1, U2)), U3))");
  Cls_QsPipingNode* j1 = out.GetRootNode()->ChildAt(0);
  Cls_QsPipingNode* j2 = NodeOf(out, box)->ChildAt(0);
  // The connections with the discharge pipe; the first branch takes them.
  EXPECT_EQ(Text(out, out), "9,5x19,1x15,9");
  EXPECT_EQ(Text(j1), "9,5x19,1x15,9");
  EXPECT_EQ(ModelName(j1), "QJ-L");
  // The box's row for 70 differs from its outdoor-side connections 9.5x15.9x12.7.
  EXPECT_EQ(Text(out, box), "9,5x19,1x15,9 *");
  // Below the box: two pipes, the box's joint rows, its indoor-side connections met.
  EXPECT_EQ(Text(j2), "9,5x19,1");
  EXPECT_EQ(ModelName(j2), "QJ-S");
  EXPECT_EQ(Text(out, u1), "6,4x12,7");
  EXPECT_EQ(Text(out, u3), "6,4x12,7");

  // A box right below the outdoor unit takes the main pipe; a unit right below the box meets
  // the box's indoor side.
  Cls_QsOutPlacement& second = System("Out2", "QSO-HR", 0);
  auto& box2 = fixture.AddBox("B2", second);
  box2.SetModel(Catalogue<Cls_BSBox>("BSQ-2"));
  TestIndoor& u4 = Unit(second, "U4", 40, "QI-25", &box2);
  EXPECT_EQ(Text(second, second), "9,5x19,1x15,9");
  EXPECT_EQ(Text(second, box2), "9,5x19,1x15,9 *");
  EXPECT_EQ(Text(second, u4), "6,4x12,7 *");

  // Without a box below, the main pipe of a heat-recovery system has two pipes.
  Cls_QsOutPlacement& third = System("Out3", "QSO-HR", 0);
  Unit(third, "U5", 40, "QI-80");
  Unit(third, "U6", 40, "QI-80");
  EXPECT_EQ(Text(third, third), "9,5x19,1");
  EXPECT_EQ(third.GetRootNode()->PipeSizes().dischargeGas, 0);
}

TEST_F(SizingTest, MainSizeUpEnlargesThePipesTheSizeUpRowMakesLarger) {
  struct Case {
    const char* model;
    bool gas;
    bool liquid;
  };
  // At full load QSO-HP needs 12.7x22.2, cut back to the connections 9.5x19.1; its size-up row
  // is 12.7x22.2. QSO-HP2's size-up row enlarges the gas pipe only.
  const Case cases[] = {{"QSO-HP", true, true},
                        {"QSO-HP2", true, false},
                        {"QSO-HR", false, false},
                        {"QSO-BARE", false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.model);
    Cls_OutdoorUnit* unit = Catalogue<Cls_OutdoorUnit>(c.model);
    EXPECT_EQ(MainSizeUpEnlarges(*unit, true), c.gas);
    EXPECT_EQ(MainSizeUpEnlarges(*unit, false), c.liquid);
  }
}

TEST_F(SizingTest, DiameterRuleWithoutRowLeavesTheDiametersAlone) {
  Cls_OutdoorUnit* unit = Catalogue<Cls_OutdoorUnit>("QSO-HP");
  LTPipeDiameters d{6.4, 9.5, 0};
  EXPECT_FALSE(LookupDiameters(*unit, false, false, 0, 301, d));
  EXPECT_EQ(d.liquid, 6.4);
  EXPECT_EQ(d.suctionGas, 9.5);
  // Larger than the connections: replaced by them, still not found.
  d = {12.7, 9.5, 0};
  EXPECT_FALSE(LookupDiameters(*unit, false, false, 0, 301, d));
  EXPECT_EQ(d.liquid, 9.5);
  EXPECT_EQ(d.suctionGas, 19.1);
  // The size-up row is for the main pipe of a long system only.
  EXPECT_TRUE(LookupDiameters(*unit, true, false, 91, 301, d));
  EXPECT_EQ(d.liquid, 12.7);
  EXPECT_TRUE(LookupDiameters(*unit, false, false, 91, 40, d));
  EXPECT_EQ(d.liquid, 6.4);
}

TEST_F(SizingTest, PipeTextNeedsEverySizeOfItsPipes) {
  Cls_QsOutPlacement& out = System("Out", "");
  TestIndoor& unit = Unit(out, "U1", 25);
  Cls_QsPipingNode* node = NodeOf(out, unit);
  struct Case {
    LTPipeSizes sizes;
    const char* text;
  };
  const Case cases[] = {
      {{0, 9.5, 19.1, 0, false}, ""},
      {{2, 0, 19.1, 0, false}, ""},
      {{2, 9.5, 0, 0, true}, ""},
      {{3, 9.5, 19.1, 0, false}, ""},
      {{2, 9.5, 19.1, 0, false}, "9,5x19,1"},
      {{2, 9.5, 19.1, 0, true}, "9,5x19,1 *"},
      {{3, 9.5, 19.1, 15.9, false}, "9,5x19,1x15,9"},
      {{3, 9.5, 19.1, 15.9, true}, "9,5x19,1x15,9 *"},
      // Sizes without text of their own.
      {{2, 7, 17.25, 0, false}, "7x17.25"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    node->PipeSizes() = c.sizes;
    EXPECT_EQ(GetPipeText(*node), c.text);
  }
}

TEST_F(SizingTest, DiameterTextInMillimetresAndInches) {
  struct Case {
    double millimetres;
    const char* text;
  };
  const Case millimetres[] = {
      {9.5, "9,5"},
      // The first record of 28.6 mm has no millimetre text: the number, not the second record's.
      {28.6, "28.6"},
      {7, "7"},
      {7.25, "7.25"},
  };
  for (const Case& c : millimetres) {
    SCOPED_TRACE(c.millimetres);
    EXPECT_EQ(FormatDiameter(c.millimetres, &store.factory), c.text);
  }
  SetUserDecimalSeparator(',');
  EXPECT_EQ(FormatDiameter(7.25, &store.factory), "7,25");
  SetUserDecimalSeparator('.');

  CTUnitData::AddUnit(U_Appl1, "inch", 0, 25.4, 1);
  CTUnitData::SetCurrentUnit(U_Appl1, 1);
  const Case inches[] = {
      {9.5, "3/8\""},
      {28.6, "1 1/8\""},
      // 25.4 mm has no inch text: one inch.
      {25.4, "1\""},
      {50.8, "2\""},
      // Hundredths of an inch: both neighbours of an eighth give the fraction.
      {0.12 * 25.4, "1/8\""},
      {0.13 * 25.4, "1/8\""},
      {0.25 * 25.4, "1/4\""},
      {0.37 * 25.4, "3/8\""},
      {0.38 * 25.4, "3/8\""},
      {0.5 * 25.4, "1/2\""},
      {0.62 * 25.4, "5/8\""},
      {0.63 * 25.4, "5/8\""},
      {0.75 * 25.4, "3/4\""},
      {0.87 * 25.4, "7/8\""},
      {1.88 * 25.4, "1 7/8\""},
      {1.5 * 25.4, "1 1/2\""},
      // Any other remainder: the inches as a number.
      {0.3 * 25.4, "0.3\""},
      {1.3 * 25.4, "1.3\""},
      {2.14 * 25.4, "2.14\""},
      {0.14 * 25.4, "0.14\""},
  };
  for (const Case& c : inches) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FormatDiameter(c.millimetres, &store.factory), c.text);
  }
}

}  // namespace
