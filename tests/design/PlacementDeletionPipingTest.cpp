// Deleting through the project with the system's real piping tree: what goes, what stays
// unconnected, and the tree that remains, in memory and as stored.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DesignStore.h"
#include "PipingTestSystem.h"
#include "design/QsBSBPlacement.h"
#include "design/QsHeaderPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsOutPlacement.h"
#include "design/QsPipingNodes.h"
#include "support/TestSupport.h"

namespace {

using testsupport::Ansi;

class DeletionWithPiping : public ::testing::Test {
 protected:
  // Out 1 > (BS 1 > (Ind 1, Ind 2, header > (Ind 3, Ind 4)), Ind 5).
  void SetUp() override {
    system = d.AddSystem("QHR-10", 0);
    box = d.project->AddBSBoxPlacement(*system, *system, nullptr);
    below.push_back(d.AddUnit(system, box, "QFC-20"));
    below.push_back(d.AddUnit(system, box));
    Cls_QsHeaderPlacement* header = d.project->AddHeaderPlacement(*system, *box, nullptr, 3);
    below.push_back(d.AddUnit(system, header));
    below.push_back(d.AddUnit(system, header));
    d.AddUnit(system, system);
  }

  std::size_t Stored(int table) {
    return CTDbObject::AllObjects(table, false, &d.store.factory).size();
  }

  DesignStore d;
  Cls_QsOutPlacement* system = nullptr;
  Cls_QsBSBPlacement* box = nullptr;
  std::vector<Cls_QsIndPlacement*> below;
  const std::string shape = Ansi("Out 1(J(BS 1(J(Ind 1, J(Ind 2, \"Гр1[Ind 3, Ind 4]))), Ind 5))");
};

TEST_F(DeletionWithPiping, ABoxGoesWithItsHeaderAndTheJointsThatHeldThem) {
  ASSERT_EQ(StoredShape(*system), shape);
  d.store.ui.ScriptButton(kBtnYes);
  ASSERT_TRUE(d.project->DeletePlacementNode(*box));
  ASSERT_EQ(d.store.ui.Shown().size(), 1u);
  EXPECT_EQ(d.store.ui.Shown()[0].kind, TShownKind::Question);

  // The tree in memory is the one the store holds.
  EXPECT_EQ(Shape(system->GetRootNode()), "Out 1(Ind 5)");
  EXPECT_EQ(StoredShape(*system), "Out 1(Ind 5)");
  ExpectConsistent(*system);
  EXPECT_EQ(StoredNodeCount(*system), 2u);
  EXPECT_EQ(Stored(Cls_QsJointPipingNode::kTableId), 0u);
  EXPECT_EQ(Stored(Cls_QsHeaderPipingNode::kTableId), 0u);
  EXPECT_EQ(Stored(Cls_QsHeaderPlacement::kTableId), 0u);
  EXPECT_EQ(Stored(Cls_QsBSBPlacement::kTableId), 0u);

  // The indoor units stay in the project, connected nowhere and without piping.
  for (Cls_QsIndPlacement* unit : below) {
    EXPECT_EQ(unit->GetParent(), nullptr) << unit->Name();
    EXPECT_FALSE(unit->GetParentRef().IsSet()) << unit->Name();
    EXPECT_TRUE(
        unit->RelatedObjects(Cls_QsDevicePipingNode::kTableId, Cls_QsDevicePipingNode::kPlacement)
            .empty())
        << unit->Name();
  }
  EXPECT_EQ(d.project->GetTopLevelPlacements().size(), 5u);

  // A project opened from the store reads the same trees.
  Cls_QsProject opened(d.project->RecordId(), &d.store.factory);
  ASSERT_EQ(opened.GetPlacements().size(), 6u);
  for (Cls_QsDevicePlacement* top : opened.GetTopLevelPlacements()) {
    if (auto* read = dynamic_cast<Cls_QsOutPlacement*>(top)) {
      EXPECT_EQ(StoredShape(*read), "Out 1(Ind 5)");
    } else {
      EXPECT_TRUE(top->Children().empty()) << top->Name();
    }
  }
}

TEST_F(DeletionWithPiping, NothingGoesFromASystemWithLengthsByHand) {
  system->SetLocked(true);
  system->Post();
  const std::size_t nodes = StoredNodeCount(*system);
  d.store.ui.ScriptButton(kBtnYes);
  for (Cls_QsDevicePlacement* p : std::vector<Cls_QsDevicePlacement*>{box, below[2]}) {
    d.store.ui.ClearShown();
    EXPECT_FALSE(d.project->DeletePlacementNode(*p));
    ASSERT_EQ(d.store.ui.Shown().size(), 1u);
    EXPECT_EQ(d.store.ui.Shown()[0].kind, TShownKind::Error);
    EXPECT_NE(d.store.ui.Shown()[0].text.find("Cannot delete"), std::string::npos);
  }
  EXPECT_EQ(StoredShape(*system), shape);
  EXPECT_EQ(StoredNodeCount(*system), nodes);
  EXPECT_EQ(d.project->GetPlacements().size(), 8u);
}

}  // namespace
