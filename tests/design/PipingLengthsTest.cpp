// The lengths of an indoor unit's piping, the branch-length entry and the nodes' texts.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "PipingTestSystem.h"
#include "catalogue/DeviceOptions.h"
#include "catalogue/Devices.h"
#include "catalogue/OutdoorUnits.h"
#include "catalogue/PipingTables.h"
#include "design/PipingLengths.h"
#include "design/PipingTree.h"
#include "design/QsUsedOption.h"
#include "support/TestSupport.h"

namespace {

using testsupport::Ansi;

// Out(J1(U1, J3(B1(J2(U2, U3)), U4))) and a header system Out2(H[U5]), the catalogue records of
// the pipetree fixture at hand.
class PipingLengths : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadCatalogueFixture(store, "pipetree"));
    u1 = &fixture.AddIndoor("U1", out);
    box = &fixture.AddBox("B1", out);
    u2 = &fixture.AddIndoor("U2", out, box);
    u3 = &fixture.AddIndoor("U3", out, box);
    u4 = &fixture.AddIndoor("U4", out);
    ASSERT_EQ(Shape(out.GetRootNode()), "Out(J(U1, J(B1(J(U2, U3)), U4)))");
    j1 = out.GetRootNode()->ChildAt(0);
    j3 = j1->ChildAt(1);
    j2 = Node(*box)->ChildAt(0);
    const std::pair<Cls_QsPipingNode*, double> lengths[] = {
        {j1, 10}, {Node(*u1), 3},   {j3, 5},          {Node(*box), 2},
        {j2, 4},  {Node(*u2), 1.5}, {Node(*u3), 2.5}, {Node(*u4), 6}};
    for (const auto& [node, length] : lengths) ASSERT_TRUE(EnterBranchLength(*node, length, 0));
  }
  Cls_QsPipingNode* Node(const Cls_QsDevicePlacement& placement) { return NodeOf(out, placement); }
  CTDbObject* Catalogue(int table, int id) {
    return CTDbObject::CachedObject(table, id, &store.factory);
  }
  void SetModel(Cls_QsPipingNode* node, int id) {
    static_cast<Cls_QsHJPipingNode*>(node)->SetHeaderJoint(
        Catalogue(Cls_HeaderJoint::kTableId, id));
  }

  ProjectTestStore store;
  PipingFixture fixture{store.factory};
  Cls_QsOutPlacement& out = fixture.AddSystem("Out");
  TestIndoor *u1 = nullptr, *u2 = nullptr, *u3 = nullptr, *u4 = nullptr;
  Cls_QsBSBPlacement* box = nullptr;
  Cls_QsPipingNode *j1 = nullptr, *j2 = nullptr, *j3 = nullptr;
};

TEST_F(PipingLengths, SumsUpToTheRoot) {
  // The root has no pipe above it: a length stored on it does not count.
  out.GetRootNode()->SetBranchLength(100);
  EXPECT_DOUBLE_EQ(ActualLength(*Node(*u3)), 2.5 + 4 + 2 + 5 + 10);
  EXPECT_DOUBLE_EQ(ActualLength(*Node(*u4)), 6 + 5 + 10);
  EXPECT_DOUBLE_EQ(ActualLength(*Node(*u1)), 3 + 10);

  const LTPipingAllowances allowances{7, 1, 3};
  // Two joints and the box on the way to U3, the joints J3 and J1 on the way to U4.
  EXPECT_DOUBLE_EQ(EquivalentLengthWithAllowances(*Node(*u3), allowances), 23.5 + 1 + 7 + 1 + 1);
  EXPECT_DOUBLE_EQ(EquivalentLengthWithAllowances(*Node(*u4), allowances), 21 + 1 + 1);

  // With models: nothing chosen yet, then the box and two joints.
  EXPECT_DOUBLE_EQ(EquivalentLengthWithModels(*Node(*u3)), 23.5);
  box->SetDevice(Catalogue(Cls_BSBox::kTableId, 50));
  SetModel(j2, 31);
  SetModel(j1, 30);
  EXPECT_DOUBLE_EQ(EquivalentLengthWithModels(*Node(*u3)), 23.5 + 1.25 + 4.5 + 0.5);
}

TEST_F(PipingLengths, SizedUpPipesCountHalfOrTwice) {
  // The selection marks the unit's node and every node above it below the first branch.
  for (Cls_QsPipingNode* node : {Node(*u3), j2, Node(*box), j3}) node->SetSizeUpMark(true);
  j1->SetSizeUpMark(true);
  SetModel(j2, 31);
  EXPECT_DOUBLE_EQ(ActualLength(*Node(*u3), HalvedWhenSizedUp), 1.25 + 2 + 1 + 2.5 + 5);
  // Twice: the marked joints that do not leave the root (J2, J3), not the devices, not J1.
  EXPECT_DOUBLE_EQ(ActualLength(*Node(*u3), DoubledWhenSizedUp), 2.5 + 8 + 2 + 10 + 10);
  EXPECT_DOUBLE_EQ(EquivalentLengthWithModels(*Node(*u3), DoubledWhenSizedUp), 32.5 + 1.25);
  EXPECT_DOUBLE_EQ(EquivalentLengthWithAllowances(*Node(*u3), {7, 1, 3}, DoubledWhenSizedUp),
                   32.5 + 1 + 7 + 1 + 1);
}

TEST_F(PipingLengths, HeadersAddTheirAllowanceOrModel) {
  auto& out2 = fixture.AddSystem("Out2");
  auto& header = fixture.AddHeader("H", out2, 8);
  auto& u5 = fixture.AddIndoor("U5", out2, &header);
  Cls_QsPipingNode* headerNode = NodeOf(out2, header);
  ASSERT_TRUE(EnterBranchLength(*headerNode, 8, 0));
  ASSERT_TRUE(EnterBranchLength(*NodeOf(out2, u5), 2, 0));
  EXPECT_DOUBLE_EQ(EquivalentLengthWithAllowances(*NodeOf(out2, u5), {7, 1, 3}), 10 + 3);
  static_cast<Cls_QsHJPipingNode*>(headerNode)
      ->SetHeaderJoint(Catalogue(Cls_HeaderJoint::kTableId, 32));
  EXPECT_DOUBLE_EQ(EquivalentLengthWithModels(*NodeOf(out2, u5)), 10 + 2.5);
}

TEST_F(PipingLengths, EnteredBranchLengthsAreBoundedByTheCatalogue) {
  const double largest = LargestMaxActualLength(
      CTDbObject::AllObjects(Cls_OutdoorUnit::kTableId, true, &store.factory));
  EXPECT_EQ(largest, 165.5);
  Cls_QsPipingNode* node = Node(*u2);
  struct Case {
    double value;
    bool stored;
    const char* bound;  // the broken bound in the message
  };
  const Case cases[] = {
      {0, false, " < 0"},
      {-3, false, " < 0"},
      {std::nan(""), false, " < 0"},
      {165.6, false, " > 165.5"},
      {std::numeric_limits<double>::infinity(), false, " > 165.5"},
      {165.5, true, nullptr},
      {0.1, true, nullptr},
  };
  for (const Case& c : cases) {
    store.ui.ClearShown();
    EXPECT_EQ(EnterBranchLength(*node, c.value, largest), c.stored) << c.value;
    Cls_QsDevicePipingNode stored(node->RecordId(), &store.factory);
    if (c.stored) {
      EXPECT_TRUE(store.ui.Shown().empty());
      EXPECT_EQ(stored.GetBranchLength(), c.value);
      continue;
    }
    ASSERT_EQ(store.ui.Shown().size(), 1u) << c.value;
    EXPECT_EQ(store.ui.Shown()[0].kind, TShownKind::Error);
    EXPECT_EQ(store.ui.Shown()[0].text, Ansi("Уровень проверки ошибки: 'Длина") + c.bound + "'.");
    EXPECT_NE(stored.GetBranchLength(), c.value);
  }
  // Without a limit in the catalogue only the lower bound applies.
  EXPECT_TRUE(EnterBranchLength(*node, 1000, 0));
}

TEST_F(PipingLengths, NodesDescribeWhatTheirPipeServes) {
  const std::string index = Ansi("Индекс мощности");
  auto text = [](const Cls_QsPipingNode* node) {
    int charset = 0;
    std::string t;
    node->GetDisplayText(charset, t);
    return t;
  };
  EXPECT_EQ(text(Node(*u1)), "");
  u1->index = 25;
  u2->index = 12.5;
  EXPECT_EQ(text(Node(*u2)), index + " 12.5");
  EXPECT_EQ(text(j1), index + " 37.5");
  EXPECT_EQ(text(out.GetRootNode()), index + " 37.5");
  EXPECT_EQ(text(Node(*box)), index + " 12.5");

  u1->SetDevice(Catalogue(109, 80));
  u1->Post();
  EXPECT_EQ(text(Node(*u1)), u1->TypeName() + " QPI-25  " + index + " 25");
  for (int option : {90, 91}) {
    Cls_QsUsedOption used(0, &store.factory);
    used.SetOption(Catalogue(Cls_IndOption::kTableId, option));
    used.SetPlacement(u1);
    used.Insert();
  }
  EXPECT_EQ(text(Node(*u1)), u1->TypeName() + " QPI-25 (JB-1)  " + index + " 25");

  SetModel(j1, 30);
  EXPECT_EQ(text(j1), Ansi("Соединение") + " QPJ-22  " + index + " 37.5");
  EXPECT_EQ(j1->GetConnectionCount(), 2);
  EXPECT_EQ(j1->GetCaptionMessage(), 10111);
  EXPECT_EQ(Node(*u1)->GetConnectionCount(), 0);

  auto& header = fixture.AddHeader("H", out, 6);
  Cls_QsPipingNode* headerNode = NodeOf(out, header);
  EXPECT_EQ(text(headerNode), "");
  SetModel(headerNode, 32);
  EXPECT_EQ(text(headerNode), Ansi("\"Гребенка\"") + " QPH-8  ");
  EXPECT_EQ(headerNode->GetConnectionCount(), 6);
  EXPECT_EQ(headerNode->GetCaptionMessage(), 10109);
}

}  // namespace
