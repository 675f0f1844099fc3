// The default shapes of the piping tree after connecting, disconnecting, moving and resetting,
// and the tree after a save and load of the project.

#include <gtest/gtest.h>

#include <map>

#include "PipingTestSystem.h"
#include "design/PipingLengths.h"
#include "design/PipingTree.h"

namespace {

class PipingShapes : public ::testing::Test {
 protected:
  ProjectTestStore store;
  PipingFixture fixture{store.factory};
  Cls_QsOutPlacement& out = fixture.AddSystem("Out");

  // The system's tree in memory, checked against the store.
  std::string Checked() {
    const std::string shape = Shape(out.GetRootNode());
    EXPECT_EQ(StoredShape(out), shape);
    ExpectConsistent(out);
    return shape;
  }
  std::vector<TestIndoor*> Chain(int count) {
    std::vector<TestIndoor*> units;
    for (int i = 1; i <= count; ++i) {
      units.push_back(&fixture.AddIndoor("U" + std::to_string(i), out));
    }
    return units;
  }
  bool Move(const Cls_QsDevicePlacement& placement, bool& changed) {
    return out.MoveBranchTowardsOutdoor(NodeOf(out, placement), changed);
  }
};

TEST_F(PipingShapes, UnitsAppendedFormAChainOfJoints) {
  EXPECT_EQ(Checked(), "Out");
  fixture.AddIndoor("U1", out);
  EXPECT_EQ(Checked(), "Out(U1)");
  fixture.AddIndoor("U2", out);
  EXPECT_EQ(Checked(), "Out(J(U1, U2))");
  fixture.AddIndoor("U3", out);
  EXPECT_EQ(Checked(), "Out(J(U1, J(U2, U3)))");
  EXPECT_EQ(StoredNodeCount(out), 6u);
}

TEST_F(PipingShapes, DisconnectingAUnitRemovesItsJoint) {
  const auto units = Chain(3);
  const int outerJoint = out.GetRootNode()->ChildAt(0)->RecordId();
  out.DisconnectPlacement(units[1]);
  EXPECT_EQ(Checked(), "Out(J(U1, U3))");
  EXPECT_EQ(StoredNodeCount(out), 4u);
  EXPECT_EQ(out.GetRootNode()->ChildAt(0)->RecordId(), outerJoint);

  out.DisconnectPlacement(units[0]);
  EXPECT_EQ(Checked(), "Out(U3)");
  out.DisconnectPlacement(units[2]);
  EXPECT_EQ(Checked(), "Out");
  // Nothing to do: a placement without node, and the system's own node.
  out.DisconnectPlacement(units[2]);
  out.DisconnectPlacement(&out);
  EXPECT_EQ(Checked(), "Out");
}

TEST_F(PipingShapes, UnitsConnectedBeforeASiblingSplitItsPipe) {
  auto& u1 = fixture.AddIndoor("U1", out);
  fixture.AddIndoor("P1", out, nullptr, &u1);
  EXPECT_EQ(Checked(), "Out(J(P1, U1))");
  auto& u2 = fixture.AddIndoor("U2", out);
  fixture.AddIndoor("P2", out, nullptr, &u2);
  EXPECT_EQ(Checked(), "Out(J(P1, J(U1, J(P2, U2))))");
  std::vector<std::string> order;
  for (auto* p : out.Children()) order.push_back(p->Name());
  EXPECT_EQ(order, (std::vector<std::string>{"P1", "U1", "P2", "U2"}));
}

TEST_F(PipingShapes, UnitsWithoutPipingHaveNoNode) {
  fixture.AddIndoor("U1", out);
  auto& a1 = fixture.AddAEX("A1", out);
  EXPECT_EQ(Checked(), "Out(U1)");
  EXPECT_EQ(StoredNodeCount(out), 2u);
  fixture.AddIndoor("U2", out);
  EXPECT_EQ(Checked(), "Out(J(U1, U2))");
  // Before a unit without node the new unit goes before the next piped sibling, so that the
  // piping keeps the order of the connection tree (U1, P, A1, U2).
  auto& p = fixture.AddIndoor("P", out, nullptr, &a1);
  EXPECT_EQ(Checked(), "Out(J(U1, J(P, U2)))");
  EXPECT_EQ(out.Children()[1], &p);
  // Before a unit without node and with no piped sibling after it: at the end of the piping.
  auto& a2 = fixture.AddAEX("A2", out);
  fixture.AddIndoor("Q", out, nullptr, &a2);
  EXPECT_EQ(Checked(), "Out(J(U1, J(P, J(U2, Q))))");
  EXPECT_EQ(out.Children().back(), &a2);
}

TEST_F(PipingShapes, HeaderChildrenKeepTheHeaderPlacementsOrder) {
  auto& header = fixture.AddHeader("H", out, 4);
  auto& u1 = fixture.AddIndoor("U1", out, &header);
  fixture.AddIndoor("U2", out, &header);
  fixture.AddIndoor("U3", out, &header, &u1);
  EXPECT_EQ(Checked(), "Out(H[U3, U1, U2])");
  // The outdoor tab reorders the placements and renumbers them; the tree follows the header
  // placement, whatever the nodes' stored numbers.
  std::swap(header.Children()[0], header.Children()[2]);
  header.RenumberChildren();
  EXPECT_EQ(StoredShape(out), "Out(H[U2, U1, U3])");
  out.ResetPipingLayout();
  EXPECT_EQ(Checked(), "Out(H[U2, U1, U3])");

  fixture.AddIndoor("U4", out);
  EXPECT_EQ(Checked(), "Out(J(H[U2, U1, U3], U4))");
  EXPECT_EQ(NodeOf(out, header)->GetConnectionCount(), 4);
  out.DisconnectPlacement(&u1);
  EXPECT_EQ(Checked(), "Out(J(H[U2, U3], U4))");
}

TEST_F(PipingShapes, BoxesStartTreesOfTheirOwn) {
  fixture.AddIndoor("U1", out);
  auto& box = fixture.AddBox("B1", out);
  EXPECT_EQ(Checked(), "Out(J(U1, B1))");
  fixture.AddIndoor("U2", out, &box);
  fixture.AddIndoor("U3", out, &box);
  fixture.AddIndoor("U4", out);
  EXPECT_EQ(Checked(), "Out(J(U1, J(B1(J(U2, U3)), U4)))");
  auto& header = fixture.AddHeader("H", out, 2, &box);
  fixture.AddIndoor("U5", out, &header);
  EXPECT_EQ(Checked(), "Out(J(U1, J(B1(J(U2, J(U3, H[U5]))), U4)))");
  // A box that is disconnected leaves its units' piping where the box was.
  out.DisconnectPlacement(&box);
  EXPECT_EQ(Shape(out.GetRootNode()), "Out(J(U1, J(J(U2, J(U3, H[U5])), U4)))");
}

TEST_F(PipingShapes, MovingABranchTowardsTheOutdoorUnit) {
  const auto units = Chain(4);
  const int j2 = NodeOf(out, *units[1])->GetParent()->RecordId();
  bool changed = false;
  EXPECT_TRUE(Move(*units[2], changed));
  EXPECT_TRUE(changed);
  EXPECT_EQ(Checked(), "Out(J(J(U1, U2), J(U3, U4)))");
  EXPECT_EQ(out.GetRootNode()->ChildAt(0)->RecordId(), j2);
}

TEST_F(PipingShapes, MovesThatAreRefused) {
  const auto units = Chain(3);
  bool changed = true;
  // U2 is the first branch of its joint, whose parent hangs directly below the root.
  EXPECT_FALSE(Move(*units[1], changed));
  EXPECT_FALSE(changed);
  EXPECT_EQ(Checked(), "Out(J(U1, J(U2, U3)))");
  EXPECT_TRUE(Move(*units[2], changed));
  EXPECT_EQ(Checked(), "Out(J(J(U1, U2), U3))");
  // The root moves nowhere and succeeds.
  EXPECT_TRUE(out.MoveBranchTowardsOutdoor(out.GetRootNode(), changed));
  EXPECT_FALSE(changed);
  // A node of another tree, or none.
  EXPECT_FALSE(out.MoveBranchTowardsOutdoor(nullptr, changed));

  auto& header = fixture.AddHeader("H", out, 3);
  auto& u5 = fixture.AddIndoor("U5", out, &header);
  fixture.AddIndoor("U6", out, &header);
  const std::string before = Checked();
  EXPECT_FALSE(Move(u5, changed));
  EXPECT_EQ(Checked(), before);
}

TEST_F(PipingShapes, MovingWithinABoxStopsAtTheBox) {
  fixture.AddIndoor("U1", out);
  auto& box = fixture.AddBox("B1", out);
  fixture.AddIndoor("U2", out, &box);
  fixture.AddIndoor("U3", out, &box);
  auto& u4 = fixture.AddIndoor("U4", out, &box);
  bool changed = false;
  EXPECT_TRUE(Move(u4, changed));
  EXPECT_EQ(Checked(), "Out(J(U1, B1(J(J(U2, U3), U4))))");
}

TEST_F(PipingShapes, MovingBelowAJointReachedThroughItsFirstBranch) {
  // Out(J1(J2(U1, J3(U2, U3)), U4)), by moving U1's joint up first.
  const auto units = Chain(4);
  bool changed = false;
  ASSERT_TRUE(Move(*units[2], changed));  // Out(J(J(U1, U2), J(U3, U4)))
  ASSERT_EQ(Checked(), "Out(J(J(U1, U2), J(U3, U4)))");
  EXPECT_TRUE(Move(*units[1], changed));
  EXPECT_EQ(Checked(), "Out(J(U1, J(U2, J(U3, U4))))");
}

TEST_F(PipingShapes, ResetGrowsTheDefaultTreeWithoutLengths) {
  const auto units = Chain(4);
  bool changed = false;
  ASSERT_TRUE(Move(*units[2], changed));
  for (Cls_QsPipingNode* node : out.GetPipingNodes()) {
    if (node->IsRoot()) continue;
    ASSERT_TRUE(EnterBranchLength(*node, 7.5, 0));
  }
  // The connection tree changed too: U4 now first.
  std::rotate(out.Children().begin(), out.Children().begin() + 3, out.Children().end());
  out.RenumberChildren();
  out.ResetPipingLayout();
  EXPECT_EQ(Checked(), "Out(J(U4, J(U1, J(U2, U3))))");
  for (Cls_QsPipingNode* node : out.GetPipingNodes()) {
    EXPECT_EQ(node->GetBranchLength(), 0);
  }
  std::vector<std::string> order;
  for (auto* p : out.Children()) order.push_back(p->Name());
  EXPECT_EQ(order, (std::vector<std::string>{"U4", "U1", "U2", "U3"}));
}

TEST_F(PipingShapes, ResetKeepsBoxesHeadersAndUnitsWithoutNode) {
  auto& box = fixture.AddBox("B1", out);
  fixture.AddIndoor("U1", out, &box);
  fixture.AddAEX("A1", out, &box);
  auto& header = fixture.AddHeader("H", out, 3, &box);
  fixture.AddIndoor("U2", out, &header);
  fixture.AddIndoor("U3", out, &header);
  fixture.AddIndoor("U4", out);
  const std::string grown = Checked();
  EXPECT_EQ(grown, "Out(J(B1(J(U1, H[U2, U3])), U4))");
  out.ResetPipingLayout();
  EXPECT_EQ(Checked(), grown);
  ASSERT_EQ(box.Children().size(), 3u);
  EXPECT_EQ(box.Children()[1]->Name(), "A1");
}

TEST_F(PipingShapes, AConnectedPlacementConnectedAgainLeavesItsOldPlace) {
  auto& u1 = fixture.AddIndoor("U1", out);
  fixture.AddIndoor("U2", out);
  auto& box = fixture.AddBox("B1", out);
  out.ConnectPlacement(&u1, &box, nullptr);
  EXPECT_EQ(Checked(), "Out(J(U2, B1(U1)))");
  // Into another system.
  auto& other = fixture.AddSystem("Other");
  other.ConnectPlacement(&u1, &other, nullptr);
  EXPECT_EQ(Checked(), "Out(J(U2, B1))");
  EXPECT_EQ(Shape(other.GetRootNode()), "Other(U1)");
  ExpectConsistent(other);
  // Never below itself.
  out.ConnectPlacement(&box, &box, nullptr);
  EXPECT_EQ(Checked(), "Out(J(U2, B1))");
}

TEST(PipingRoundTrip, SavedTreeLoadsWithItsShapeLengthsAndOrder) {
  std::string saved;
  std::string shape;
  std::map<std::string, double> lengths;
  {
    ProjectTestStore store;
    PipingFixture fixture(store.factory);
    Cls_QsOutPlacement& out = fixture.AddSystem("Out");
    fixture.AddIndoor("U1", out);
    auto& box = fixture.AddBox("B1", out);
    auto& header = fixture.AddHeader("H", out, 3, &box);
    auto& u2 = fixture.AddIndoor("U2", out, &header);
    fixture.AddIndoor("U3", out, &header, &u2);
    fixture.AddAEX("A1", out);
    fixture.AddIndoor("U4", out);
    fixture.AddIndoor("U5", out);
    bool changed = false;
    ASSERT_TRUE(out.MoveBranchTowardsOutdoor(NodeOf(out, *FindPlacement(fixture.placements, "U4")),
                                             changed));
    double length = 1;
    for (Cls_QsPipingNode* node : out.GetPipingNodes()) {
      if (node->IsRoot()) continue;
      ASSERT_TRUE(EnterBranchLength(*node, length, 0));
      if (node->GetPlacement()) lengths[node->GetPlacement()->Name()] = length;
      length += 1.5;
    }
    shape = Shape(out.GetRootNode());
    saved = store.SaveText();
  }
  EXPECT_EQ(shape, "Out(J(J(U1, B1(H[U3, U2])), J(U4, U5)))");

  ProjectTestStore store;
  ASSERT_TRUE(store.LoadText(saved));
  const auto placements = LinkedPlacements(store.factory);
  auto* out = dynamic_cast<Cls_QsOutPlacement*>(FindPlacement(placements, "Out"));
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(Shape(out->GetRootNode()), shape);
  ExpectConsistent(*out);
  for (const auto& [name, length] : lengths) {
    EXPECT_EQ(NodeOf(*out, *FindPlacement(placements, name))->GetBranchLength(), length) << name;
  }
}

}  // namespace
