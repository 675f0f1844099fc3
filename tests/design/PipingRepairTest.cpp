// Building the piping tree from broken stored trees: it always ends with one sound tree, leaves
// the rest out, and resetting the layout replaces the broken tree by the default one.

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>

#include "PipingTestSystem.h"
#include "design/PipingTree.h"

namespace {

// Walks the tree from the root and expects every node once, joints with two children at most
// and device nodes with one, and exactly the listed nodes.
void ExpectWalkable(Cls_QsOutPlacement& system) {
  CTPipingTree& tree = system.PipingTree();
  ASSERT_NE(tree.Root(), nullptr);
  std::set<const Cls_QsPipingNode*> seen;
  std::vector<const Cls_QsPipingNode*> stack{tree.Root()};
  while (!stack.empty()) {
    const Cls_QsPipingNode* node = stack.back();
    stack.pop_back();
    ASSERT_TRUE(seen.insert(node).second) << "node " << node->RecordId() << " reached twice";
    if (node->IsJoint()) {
      EXPECT_LE(node->Children().size(), 2u);
    }
    if (node->IsDevice()) {
      EXPECT_LE(node->Children().size(), 1u);
    }
    for (const Cls_QsPipingNode* child : node->Children()) {
      EXPECT_EQ(child->GetParent(), node);
      stack.push_back(child);
    }
  }
  EXPECT_EQ(seen.size(), tree.Nodes().size());
  for (const Cls_QsPipingNode* node : tree.LeftOut()) {
    EXPECT_EQ(seen.count(node), 0u);
    EXPECT_EQ(node->GetParent(), nullptr);
    EXPECT_TRUE(node->Children().empty());
  }
}

// A system with U1..U3 connected (Out(J(U1, J(U2, U3)))) and U4, U5 in its connection tree
// without nodes, and ways to store broken nodes.
class BrokenSystem {
 public:
  BrokenSystem() {
    units = {&fixture.AddIndoor("U1", out), &fixture.AddIndoor("U2", out),
             &fixture.AddIndoor("U3", out)};
    for (const char* name : {"U4", "U5"}) units.push_back(&AttachedWithoutNode(name));
    out.DropPipingTree();
  }

  // A unit in the connection tree that has no node.
  TestIndoor& AttachedWithoutNode(const std::string& name) {
    auto& unit = fixture.AddUnconnected(name);
    out.Children().push_back(&unit);
    unit.SetParentPointer(&out);
    unit.SetParentRef(&out);
    out.RenumberChildren();
    return unit;
  }
  Cls_QsPipingNode& Node(Cls_QsDevicePlacement& placement, Cls_QsPipingNode* parent) {
    auto node = std::make_unique<Cls_QsDevicePipingNode>(0, &store.factory);
    node->SetSystem(&out);
    node->SetPlacement(&placement);
    return Stored(std::move(node), parent);
  }
  Cls_QsPipingNode& Joint(Cls_QsPipingNode* parent) {
    auto node = std::make_unique<Cls_QsJointPipingNode>(0, &store.factory);
    node->SetSystem(&out);
    return Stored(std::move(node), parent);
  }
  // Points a node's parent reference at a record that does not exist.
  static void PointAtMissingParent(Cls_QsPipingNode& node) {
    node.SetInt(Cls_QsPipingNode::kParentNode, Cls_QsJointPipingNode::kTableId);
    node.SetInt(Cls_QsPipingNode::kParentNode + 1, 99999);
    node.Post();
  }
  // The stored node of a placement, from a tree built afresh.
  Cls_QsPipingNode* StoredNode(Cls_QsDevicePlacement& placement) {
    out.DropPipingTree();
    return NodeOf(out, placement);
  }

  ProjectTestStore store;
  PipingFixture fixture{store.factory};
  Cls_QsOutPlacement& out = fixture.AddSystem("Out");
  std::vector<Cls_QsDevicePlacement*> units;

 private:
  Cls_QsPipingNode& Stored(std::unique_ptr<Cls_QsPipingNode> node, Cls_QsPipingNode* parent) {
    node->Insert();
    node->SetParentNode(parent);
    made_.push_back(std::move(node));
    return *made_.back();
  }
  std::vector<std::unique_ptr<Cls_QsPipingNode>> made_;
};

struct BrokenCase {
  const char* what;
  std::function<void(BrokenSystem&)> breakIt;
  const char* shape;     // the tree built from the broken store
  std::size_t leftOut;   // nodes left out of it
  const char* repaired;  // after resetting the layout
};

void PrintTo(const BrokenCase& c, std::ostream* out) {
  *out << c.what;
}

constexpr const char* kIntact = "Out(J(U1, J(U2, U3)))";
constexpr const char* kFull = "Out(J(U1, J(U2, J(U3, J(U4, U5)))))";

const BrokenCase kBrokenCases[] = {
    {"parent references in a loop",
     [](BrokenSystem& s) {
       auto& a = s.Joint(nullptr);
       auto& b = s.Joint(&a);
       a.SetParentNode(&b);
       s.Node(*s.units[3], &a);
     },
     kIntact, 3, kFull},
    {"a node that is its own parent",
     [](BrokenSystem& s) {
       auto& a = s.Joint(nullptr);
       a.SetParentNode(&a);
     },
     kIntact, 1, kFull},
    {"a parent that does not exist",
     [](BrokenSystem& s) { BrokenSystem::PointAtMissingParent(s.Node(*s.units[3], nullptr)); },
     kIntact, 1, kFull},
    {"a joint with three children",
     [](BrokenSystem& s) { s.Node(*s.units[3], s.StoredNode(*s.units[0])->GetParent()); }, kIntact,
     1, kFull},
    {"a device node with two children",
     [](BrokenSystem& s) {
       Cls_QsPipingNode* u1 = s.StoredNode(*s.units[0]);
       s.Node(*s.units[3], u1);
       s.Node(*s.units[4], u1);
     },
     "Out(J(U1(U4), J(U2, U3)))", 1, kFull},
    {"a second node without parent, with a subtree",
     [](BrokenSystem& s) { s.Node(*s.units[4], &s.Node(*s.units[3], nullptr)); }, kIntact, 2,
     kFull},
    {"a node whose placement is not in the system",
     [](BrokenSystem& s) {
       auto& stranger = s.fixture.AddUnconnected("Z");
       s.Node(*s.units[3], &s.Node(stranger, s.StoredNode(*s.units[2])));
     },
     kIntact, 2, kFull},
    {"a node of a unit without piping",
     [](BrokenSystem& s) {
       auto& vent = s.fixture.AddAEX("A", s.out);
       s.Node(vent, s.StoredNode(*s.units[2]));
     },
     kIntact, 1, kFull},
    {"the root's parent reference in a loop",
     [](BrokenSystem& s) {
       Cls_QsPipingNode* root = s.StoredNode(s.out);
       root->SetParentNode(&s.Joint(root));
     },
     kIntact, 1, kFull},
    {"a unit deleted without being disconnected",
     [](BrokenSystem& s) {
       auto& children = s.out.Children();
       children.erase(std::find(children.begin(), children.end(), s.units[1]));
       s.units[1]->Delete();
     },
     "Out(J(U1, J(U3)))", 0, "Out(J(U1, J(U3, J(U4, U5))))"},
};

class PipingRepair : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(PipingRepair, BuildsASoundTreeAndResetRepairsIt) {
  const BrokenCase& c = GetParam();
  BrokenSystem s;
  c.breakIt(s);
  s.out.DropPipingTree();
  EXPECT_EQ(Shape(s.out.GetRootNode()), c.shape);
  EXPECT_EQ(s.out.PipingTree().LeftOut().size(), c.leftOut);
  ExpectWalkable(s.out);
  // The operations work on what was built.
  s.out.DisconnectPlacement(s.units[0]);
  ExpectWalkable(s.out);
  s.out.ResetPipingLayout();
  EXPECT_EQ(StoredShape(s.out), c.repaired);
  ExpectConsistent(s.out);
}

INSTANTIATE_TEST_SUITE_P(Cases, PipingRepair, ::testing::ValuesIn(kBrokenCases));

// Nodes with parent references chosen at random (none, missing, itself, any node).
TEST(PipingRepairRandom, AnyParentReferencesBuildAWalkableTree) {
  std::size_t placedInTrees = 0;
  for (unsigned seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    BrokenSystem s;
    // Only the root of the grown tree stays; the units get nodes linked at random instead.
    for (std::size_t i = 0; i < 3; ++i) s.out.DisconnectPlacement(s.units[i]);
    for (int i = 0; i < 8; ++i) {
      s.units.push_back(&s.AttachedWithoutNode("V" + std::to_string(i)));
    }
    std::vector<Cls_QsPipingNode*> nodes{s.StoredNode(s.out)};
    std::vector<Cls_QsPipingNode*> loose;
    for (int i = 0; i < 10; ++i) loose.push_back(&s.Joint(nullptr));
    for (Cls_QsDevicePlacement* unit : s.units) loose.push_back(&s.Node(*unit, nullptr));
    nodes.insert(nodes.end(), loose.begin(), loose.end());
    // Mostly a node made before (a tree, though often overfull), else none, a missing record
    // or any node (loops, itself).
    std::mt19937 random(seed);
    for (std::size_t i = 1; i < nodes.size(); ++i) {
      Cls_QsPipingNode* n = nodes[i];
      const unsigned kind = random() % 10;
      if (kind == 0) continue;
      if (kind == 1) {
        BrokenSystem::PointAtMissingParent(*n);
        continue;
      }
      const std::size_t pick = random() % (kind == 2 ? nodes.size() : i);
      n->SetParentNode(nodes[pick]);
      n->SetSeqNr(static_cast<int>(random() % 2));
      n->Post();
    }
    s.out.DropPipingTree();
    ExpectWalkable(s.out);
    CTPipingTree& tree = s.out.PipingTree();
    EXPECT_EQ(tree.Nodes().size() + tree.LeftOut().size(), StoredNodeCount(s.out));
    placedInTrees += tree.Nodes().size() - 1;
    s.out.ResetPipingLayout();
    ExpectConsistent(s.out);
    EXPECT_EQ(StoredNodeCount(s.out), 1 + 13 + 12u);
  }
  // The random references did put nodes below the roots.
  EXPECT_GT(placedInTrees, 36u);
}

}  // namespace
