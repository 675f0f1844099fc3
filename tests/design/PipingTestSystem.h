#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ProjectTestStore.h"
#include "design/QsBSBPlacement.h"
#include "design/QsHeaderPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"
#include "design/QsPipingNodes.h"
#include "design/QsProject.h"

// An indoor unit whose capacity-index sum the test sets.
class TestIndoor : public Cls_QsIndPlacement {
 public:
  using Cls_QsIndPlacement::Cls_QsIndPlacement;
  double GetCapacityIndexSum(bool) override { return index; }
  double index = 0;
};

// A ventilation unit without refrigerant connection: it has no piping node.
class TestAEX : public Cls_QsAEXPlacement {
 public:
  using Cls_QsAEXPlacement::Cls_QsAEXPlacement;
  bool HasPipingNode() const override { return false; }
};

// A project in the design test store with its placements, made as the project makes them:
// records inserted, connected through the system's ConnectPlacement, each system with its root
// node. The fixture owns the placements, as the project's placement cache does.
class PipingFixture {
 public:
  explicit PipingFixture(CTBaseFactory& factory);

  Cls_QsOutPlacement& AddSystem(const std::string& name);
  // Placements connected under parent (the system when null) before the sibling before.
  TestIndoor& AddIndoor(const std::string& name, Cls_QsOutPlacement& system,
                        Cls_QsDevicePlacement* parent = nullptr,
                        Cls_QsDevicePlacement* before = nullptr);
  TestAEX& AddAEX(const std::string& name, Cls_QsOutPlacement& system,
                  Cls_QsDevicePlacement* parent = nullptr, Cls_QsDevicePlacement* before = nullptr);
  Cls_QsBSBPlacement& AddBox(const std::string& name, Cls_QsOutPlacement& system,
                             Cls_QsDevicePlacement* parent = nullptr);
  Cls_QsHeaderPlacement& AddHeader(const std::string& name, Cls_QsOutPlacement& system,
                                   int connections, Cls_QsDevicePlacement* parent = nullptr);
  // An indoor unit in the project that is connected nowhere.
  TestIndoor& AddUnconnected(const std::string& name);

  CTBaseFactory& factory;
  std::unique_ptr<Cls_QsProject> project;
  std::vector<std::unique_ptr<Cls_QsDevicePlacement>> placements;

 private:
  template <class T>
  T& Insert(const std::string& name);
  void Connect(Cls_QsDevicePlacement& placement, Cls_QsOutPlacement& system,
               Cls_QsDevicePlacement* parent, Cls_QsDevicePlacement* before);
};

// The placements of a loaded project linked by their parent references, children in sequence
// order, as the project's placement cache links them.
std::vector<std::unique_ptr<Cls_QsDevicePlacement>> LinkedPlacements(CTBaseFactory& factory);
Cls_QsDevicePlacement* FindPlacement(const std::vector<std::unique_ptr<Cls_QsDevicePlacement>>& all,
                                     const std::string& name);

// The tree below a node as text: a device node by its placement's name with its child in
// parentheses, a joint as J(first, second), a header node by its placement's name with its
// children in brackets: "Out(J(U1, J(U2, U3)))".
std::string Shape(const Cls_QsPipingNode* node);
// The system's tree as the store holds it: built again from the stored nodes.
std::string StoredShape(Cls_QsOutPlacement& system);
// Expects the in-memory tree to match the store: each node's stored parent reference names its
// parent, the children of joints and headers carry their positions, joints have two children,
// and the system has no stored node outside the tree.
void ExpectConsistent(Cls_QsOutPlacement& system);
// The number of stored piping nodes of the system.
std::size_t StoredNodeCount(Cls_QsOutPlacement& system);
// The node in the system's tree of the placement.
Cls_QsPipingNode* NodeOf(Cls_QsOutPlacement& system, const Cls_QsDevicePlacement& placement);

// Loads a compiled catalogue fixture (testsupport::CatalogueFixture) into the store's catalogue.
bool LoadCatalogueFixture(const ProjectTestStore& store, const std::string& name);
