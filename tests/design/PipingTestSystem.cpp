#include "PipingTestSystem.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "design/PipingTree.h"
#include "objectstore/ListSort.h"
#include "platform/MemoryStream.h"
#include "support/TestSupport.h"

PipingFixture::PipingFixture(CTBaseFactory& f) : factory(f) {
  project = std::make_unique<Cls_QsProject>(0, &factory);
  project->Insert();
}

template <class T>
T& PipingFixture::Insert(const std::string& name) {
  auto placement = std::make_unique<T>(0, &factory);
  placement->SetName(name);
  placement->SetProject(project.get());
  placement->Insert();
  T& result = *placement;
  placements.push_back(std::move(placement));
  return result;
}

void PipingFixture::Connect(Cls_QsDevicePlacement& placement, Cls_QsOutPlacement& system,
                            Cls_QsDevicePlacement* parent, Cls_QsDevicePlacement* before) {
  system.ConnectPlacement(&placement, parent ? parent : &system, before);
}

Cls_QsOutPlacement& PipingFixture::AddSystem(const std::string& name) {
  auto& system = Insert<Cls_QsOutPlacement>(name);
  Cls_QsDevicePipingNode root(0, &factory);
  root.SetSystem(&system);
  root.SetPlacement(&system);
  root.Insert();
  return system;
}

TestIndoor& PipingFixture::AddIndoor(const std::string& name, Cls_QsOutPlacement& system,
                                     Cls_QsDevicePlacement* parent, Cls_QsDevicePlacement* before) {
  auto& unit = Insert<TestIndoor>(name);
  Connect(unit, system, parent, before);
  return unit;
}

TestAEX& PipingFixture::AddAEX(const std::string& name, Cls_QsOutPlacement& system,
                               Cls_QsDevicePlacement* parent, Cls_QsDevicePlacement* before) {
  auto& unit = Insert<TestAEX>(name);
  Connect(unit, system, parent, before);
  return unit;
}

Cls_QsBSBPlacement& PipingFixture::AddBox(const std::string& name, Cls_QsOutPlacement& system,
                                          Cls_QsDevicePlacement* parent) {
  auto& box = Insert<Cls_QsBSBPlacement>(name);
  Connect(box, system, parent, nullptr);
  return box;
}

Cls_QsHeaderPlacement& PipingFixture::AddHeader(const std::string& name, Cls_QsOutPlacement& system,
                                                int connections, Cls_QsDevicePlacement* parent) {
  auto& header = Insert<Cls_QsHeaderPlacement>(name);
  header.SetNbConnections(connections);
  header.Post();
  Connect(header, system, parent, nullptr);
  return header;
}

TestIndoor& PipingFixture::AddUnconnected(const std::string& name) {
  return Insert<TestIndoor>(name);
}

std::vector<std::unique_ptr<Cls_QsDevicePlacement>> LinkedPlacements(CTBaseFactory& factory) {
  std::vector<std::unique_ptr<Cls_QsDevicePlacement>> all;
  std::map<std::pair<int, int>, Cls_QsDevicePlacement*> byKey;
  for (auto& object : CTDbObject::AllObjects(Cls_QsDevicePlacement::kTableId, true, &factory)) {
    auto* placement = dynamic_cast<Cls_QsDevicePlacement*>(object.get());
    if (!placement) continue;
    object.release();
    all.emplace_back(placement);
    byKey[{placement->TableId(), placement->RecordId()}] = placement;
  }
  for (auto& placement : all) {
    const LTRecordRef parent = placement->GetParentRef();
    const auto it = byKey.find({parent.tableId, parent.recordId});
    if (!parent.IsSet() || it == byKey.end()) continue;
    placement->SetParentPointer(it->second);
    it->second->Children().push_back(placement.get());
  }
  for (auto& placement : all) {
    ListSort(placement->Children(),
             [](Cls_QsDevicePlacement* later, Cls_QsDevicePlacement* earlier) {
               return later->GetSeqNr() < earlier->GetSeqNr();
             });
  }
  return all;
}

Cls_QsDevicePlacement* FindPlacement(const std::vector<std::unique_ptr<Cls_QsDevicePlacement>>& all,
                                     const std::string& name) {
  for (const auto& placement : all) {
    if (placement->Name() == name) return placement.get();
  }
  return nullptr;
}

std::string Shape(const Cls_QsPipingNode* node) {
  if (!node) return "-";
  std::string inner;
  for (const Cls_QsPipingNode* child : node->Children()) {
    if (!inner.empty()) inner += ", ";
    inner += Shape(child);
  }
  if (node->IsJoint()) return "J(" + inner + ")";
  const std::string name = node->GetPlacement() ? node->GetPlacement()->Name() : "?";
  if (node->IsHeader()) return name + "[" + inner + "]";
  return inner.empty() ? name : name + "(" + inner + ")";
}

std::string StoredShape(Cls_QsOutPlacement& system) {
  system.DropPipingTree();
  return Shape(system.GetRootNode());
}

std::size_t StoredNodeCount(Cls_QsOutPlacement& system) {
  return system.RelatedObjects(Cls_QsPipingNode::kTableId, Cls_QsPipingNode::kSystem).size();
}

void ExpectConsistent(Cls_QsOutPlacement& system) {
  system.DropPipingTree();
  CTPipingTree& tree = system.PipingTree();
  ASSERT_NE(tree.Root(), nullptr);
  EXPECT_TRUE(tree.LeftOut().empty()) << "nodes left out of the stored tree";
  EXPECT_EQ(StoredNodeCount(system), tree.Nodes().size());
  for (Cls_QsPipingNode* node : tree.Nodes()) {
    const LTRecordRef parent = node->GetParentNodeRef();
    if (node->IsRoot()) {
      EXPECT_FALSE(parent.IsSet());
      continue;
    }
    ASSERT_NE(node->GetParent(), nullptr);
    EXPECT_EQ(parent.recordId, node->GetParent()->RecordId());
    if (node->IsJoint()) {
      EXPECT_EQ(node->Children().size(), 2u) << "joint " << node->RecordId();
    }
    if (node->IsDevice()) {
      EXPECT_LE(node->Children().size(), 1u);
    }
    if (!node->IsDevice()) {
      for (std::size_t i = 0; i < node->Children().size(); ++i) {
        EXPECT_EQ(node->Children()[i]->GetSeqNr(), static_cast<int>(i));
      }
    }
  }
}

Cls_QsPipingNode* NodeOf(Cls_QsOutPlacement& system, const Cls_QsDevicePlacement& placement) {
  return system.PipingTree().NodeOf(placement);
}

bool LoadCatalogueFixture(const ProjectTestStore& store, const std::string& name) {
  CTMemoryStream stream(testsupport::ReadFile(testsupport::CatalogueFixture(name)));
  return static_cast<CTMemDbEngine&>(*store.factory.Engine(0)).LoadFromStream(stream);
}
