#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "DesignStore.h"
#include "catalogue/IndoorUnits.h"
#include "design/QsBSBPlacement.h"
#include "design/QsHeaderPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"
#include "design/QsPipingNodes.h"
#include "support/TestSupport.h"

namespace {

using testsupport::Ansi;
using Names = std::vector<std::string>;

Cls_QsDevicePlacement* Find(Cls_QsProject& project, const std::string& name) {
  for (const auto& p : project.GetPlacements()) {
    if (p->Name() == name) return p.get();
  }
  ADD_FAILURE() << "no placement " << name;
  return nullptr;
}

template <class T>
Names NamesOf(const std::vector<T*>& placements) {
  Names names;
  for (const T* p : placements) names.push_back(p->Name());
  return names;
}

// Every placement of the cache is reached exactly once from the top level, parents and children
// agree, and every stored parent reference names the parent in the tree.
void ExpectWalkableTree(Cls_QsProject& project) {
  std::set<Cls_QsDevicePlacement*> seen;
  std::vector<Cls_QsDevicePlacement*> stack = project.GetTopLevelPlacements();
  for (Cls_QsDevicePlacement* top : stack) EXPECT_EQ(top->GetParent(), nullptr) << top->Name();
  while (!stack.empty()) {
    Cls_QsDevicePlacement* p = stack.back();
    stack.pop_back();
    EXPECT_TRUE(seen.insert(p).second) << p->Name() << " is reached twice";
    for (Cls_QsDevicePlacement* child : p->Children()) {
      EXPECT_EQ(child->GetParent(), p) << child->Name();
      stack.push_back(child);
    }
  }
  EXPECT_EQ(seen.size(), project.GetPlacements().size());
  for (const auto& p : project.GetPlacements()) {
    const Cls_QsDevicePlacement* parent = p->GetParent();
    const LTRecordRef expected =
        parent ? LTRecordRef{parent->TableId(), parent->RecordId()} : LTRecordRef{};
    EXPECT_EQ(p->GetParentRef().IsSet(), parent != nullptr) << p->Name();
    if (parent) {
      EXPECT_EQ(p->GetParentRef().tableId, expected.tableId) << p->Name();
      EXPECT_EQ(p->GetParentRef().recordId, expected.recordId) << p->Name();
    }
  }
}

// Writes a parent reference as a corrupt file could hold it.
void StoreParentRef(Cls_QsDevicePlacement& p, int tableId, int recordId) {
  p.SetInt(Cls_QsDevicePlacement::kParent, tableId);
  p.SetInt(Cls_QsDevicePlacement::kParent + 1, recordId);
  p.Post();
}

void StoreParent(Cls_QsDevicePlacement& p, const Cls_QsDevicePlacement& parent) {
  StoreParentRef(p, parent.TableId(), parent.RecordId());
}

std::string ParentName(Cls_QsDevicePlacement& p) {
  return p.GetParent() ? p.GetParent()->Name() : "";
}

TEST(PlacementCache, ReadsTheTreeInSequenceOrder) {
  DesignStore d;
  Cls_QsOutPlacement* system = d.AddSystem();
  Cls_QsBSBPlacement* box = d.project->AddBSBoxPlacement(*system, *system, nullptr);
  Cls_QsIndPlacement* first = d.AddUnit(system, box);
  d.AddUnit(system, system);
  // Connected before the box: the unit comes first among the system's children.
  Cls_QsIndPlacement* before = d.project->AddIndoorPlacement();
  system->ConnectPlacement(before, system, box);
  d.project->AddAEXPlacement();
  EXPECT_EQ(NamesOf(system->Children()), (Names{"Ind 3", "BS 1", "Ind 2"}));
  EXPECT_EQ(first->GetSystemAncestor(), box);

  // A second handle on the project reads the same tree from the store.
  Cls_QsProject again(d.project->RecordId(), &d.store.factory);
  ASSERT_EQ(again.GetPlacements().size(), 6u);
  EXPECT_EQ(NamesOf(Find(again, "Out 1")->Children()), (Names{"Ind 3", "BS 1", "Ind 2"}));
  EXPECT_EQ(NamesOf(Find(again, "BS 1")->Children()), (Names{"Ind 1"}));
  EXPECT_EQ(NamesOf(again.GetTopLevelPlacements()), (Names{"Out 1", "Ind 4"}));
  ExpectWalkableTree(again);

  // Adding to a project whose cache was not read yet lists the new placement once.
  Cls_QsProject third(d.project->RecordId(), &d.store.factory);
  third.AddIndoorPlacement();
  EXPECT_EQ(third.GetPlacements().size(), 7u);
}

TEST(PlacementCache, NewSystemsHaveTheirRootNode) {
  DesignStore d;
  Cls_QsOutPlacement* system = d.AddSystem();
  const CTDbObjectList nodes =
      CTDbObject::AllObjects(Cls_QsDevicePipingNode::kTableId, false, &d.store.factory);
  ASSERT_EQ(nodes.size(), 1u);
  auto& root = static_cast<Cls_QsDevicePipingNode&>(*nodes.front());
  const LTRecordRef self{system->TableId(), system->RecordId()};
  EXPECT_EQ(root.GetSystemRef(), self);
  EXPECT_EQ(root.GetPlacementRef(), self);
  EXPECT_FALSE(root.GetParentNodeRef().IsSet());
}

// A stored tree that cannot be walked as it is: every corrupt link is cut, the placement
// becomes unconnected and its reference is cleared; what hangs below it stays there.
TEST(PlacementCache, CorruptParentChainsAreCut) {
  struct Case {
    std::string what;
    std::function<void(std::map<std::string, Cls_QsDevicePlacement*>&)> corrupt;
    std::map<std::string, std::string> parents;  // the parent of each placement afterwards
  };
  // Out 1 > BS 1 > Ind 1; Out 1 > Ind 2; Ind 3 and Ind 4 unconnected.
  const std::map<std::string, std::string> intact = {{"Out 1", ""},     {"BS 1", "Out 1"},
                                                     {"Ind 1", "BS 1"}, {"Ind 2", "Out 1"},
                                                     {"Ind 3", ""},     {"Ind 4", ""}};
  auto with = [&](std::map<std::string, std::string> changes) {
    std::map<std::string, std::string> parents = intact;
    for (const auto& [name, parent] : changes) parents[name] = parent;
    return parents;
  };
  const std::vector<Case> cases = {
      {"its own parent", [](auto& p) { StoreParent(*p["BS 1"], *p["BS 1"]); },
       with({{"BS 1", ""}})},
      {"two placements below each other",
       [](auto& p) {
         StoreParent(*p["Ind 3"], *p["Ind 4"]);
         StoreParent(*p["Ind 4"], *p["Ind 3"]);
       },
       intact},
      {"a loop of three with a tail",
       [](auto& p) {
         StoreParent(*p["Ind 2"], *p["Ind 3"]);
         StoreParent(*p["Ind 3"], *p["Ind 4"]);
         StoreParent(*p["Ind 4"], *p["Ind 2"]);
         StoreParent(*p["BS 1"], *p["Ind 3"]);
       },
       with({{"Ind 2", ""}, {"BS 1", "Ind 3"}})},
      {"a missing record", [](auto& p) { StoreParentRef(*p["Ind 2"], 177, 999); },
       with({{"Ind 2", ""}})},
      {"a record of another table",
       [](auto& p) { StoreParentRef(*p["Ind 2"], 173, p["Ind 2"]->GetProjectRef().recordId); },
       with({{"Ind 2", ""}})},
      {"a system below a unit", [](auto& p) { StoreParent(*p["Out 1"], *p["Ind 3"]); }, intact},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DesignStore d;
    Cls_QsOutPlacement* system = d.AddSystem();
    Cls_QsBSBPlacement* box = d.project->AddBSBoxPlacement(*system, *system, nullptr);
    d.AddUnit(system, box);
    d.AddUnit(system, system);
    d.AddUnit(nullptr, nullptr);
    d.AddUnit(nullptr, nullptr);
    std::map<std::string, Cls_QsDevicePlacement*> byName;
    for (const auto& p : d.project->GetPlacements()) byName[p->Name()] = p.get();
    c.corrupt(byName);

    Cls_QsProject opened(d.project->RecordId(), &d.store.factory);
    ExpectWalkableTree(opened);
    for (const auto& [name, parent] : c.parents) {
      EXPECT_EQ(ParentName(*Find(opened, name)), parent) << name;
    }
    // What was cut is flagged as unconnected.
    opened.RecalculateAll(d.OutdoorUnits());
    for (const auto& [name, parent] : c.parents) {
      Cls_QsDevicePlacement* p = Find(opened, name);
      // A system's own findings are the system check's.
      if (p->TableId() == Cls_QsOutPlacement::kTableId) continue;
      EXPECT_EQ(p->GetErrorNumber(), parent.empty() ? 10042 : 0) << name;
    }
  }
}

TEST(PlacementCache, DeletingAPlacementOfARepairedLoopLeavesTheOthers) {
  DesignStore d;
  Cls_QsIndPlacement* a = d.AddUnit(nullptr, nullptr);
  Cls_QsIndPlacement* b = d.AddUnit(nullptr, nullptr);
  StoreParent(*a, *b);
  StoreParent(*b, *a);
  Cls_QsProject opened(d.project->RecordId(), &d.store.factory);
  ASSERT_EQ(opened.GetPlacements().size(), 2u);
  ASSERT_TRUE(opened.DeletePlacementNode(*Find(opened, "Ind 1")));
  // The stored reference to the deleted unit was cleared, so the store's cascade left Ind 2.
  EXPECT_EQ(CTDbObject::AllObjects(Cls_QsIndPlacement::kTableId, true, &d.store.factory).size(),
            1u);
  EXPECT_EQ(NamesOf(opened.GetTopLevelPlacements()), (Names{"Ind 2"}));
}

TEST(PlacementCache, AChainTooDeepIsCut) {
  DesignStore d;
  Cls_QsOutPlacement* system = d.AddSystem();
  Cls_QsDevicePlacement* parent = system;
  for (int i = 0; i < 150; ++i) {
    parent = d.project->AddHeaderPlacement(*system, *parent, nullptr, 2);
  }
  Cls_QsProject opened(d.project->RecordId(), &d.store.factory);
  ExpectWalkableTree(opened);
  int deepest = 0;
  for (const auto& p : opened.GetPlacements()) {
    int depth = 0;
    for (Cls_QsDevicePlacement* up = p->GetParent(); up; up = up->GetParent()) ++depth;
    deepest = std::max(deepest, depth);
  }
  EXPECT_EQ(deepest, 100);
  // The header at depth 101 heads the rest of the chain.
  ASSERT_EQ(opened.GetTopLevelPlacements().size(), 2u);
}

TEST(PlacementCache, TopLevelAndIndoorOrders) {
  DesignStore d;
  Cls_QsOutPlacement* s1 = d.AddSystem();
  Cls_QsOutPlacement* s2 = d.AddSystem();
  Cls_QsIndPlacement* connected = d.AddUnit(s1, s1);
  Cls_QsIndPlacement* loose = d.AddUnit(nullptr, nullptr);
  Cls_QsAXDPlacement* axd = d.project->AddAXDPlacement();
  Cls_QsAEXPlacement* aex = d.project->AddAEXPlacement();
  s1->SetSeqNr(3);
  s2->SetSeqNr(1);
  loose->SetSeqNr(2);
  axd->SetSeqNr(0);
  aex->SetSeqNr(4);
  connected->SetIuSeqNr(3);
  loose->SetIuSeqNr(1);
  axd->SetIuSeqNr(4);
  aex->SetIuSeqNr(2);
  EXPECT_EQ(NamesOf(d.project->GetTopLevelPlacements()),
            (Names{"Ind 3", "Out 2", "Ind 2", "Out 1", "Ind 4"}));
  // Connected and unconnected indoor-side placements alike.
  EXPECT_EQ(NamesOf(d.project->GetIndoorPlacements()), (Names{"Ind 2", "Ind 4", "Ind 1", "Ind 3"}));

  // Renumbering the tree as shown.
  d.project->RenumberPlacements({s2, s1});
  EXPECT_EQ(s2->GetSeqNr(), 0);
  EXPECT_EQ(s1->GetSeqNr(), 1);
  EXPECT_EQ(connected->GetSeqNr(), 0);
}

class PlacementDeletion : public ::testing::Test {
 protected:
  // Out 1 > BS 1 > (Ind 1 automatic with model, Ind 2 by hand with model, header > Ind 3).
  void SetUp() override {
    system = d.AddSystem("QHR-10", 0);
    box = d.project->AddBSBoxPlacement(*system, *system, nullptr);
    automatic = d.AddUnit(system, box, "QFC-20");
    manual = d.AddUnit(system, box, "QFC-25", true);
    header = d.project->AddHeaderPlacement(*system, *box, nullptr, 3);
    deep = d.AddUnit(system, header, "QFC-32");
  }

  std::size_t Stored(int table) {
    return CTDbObject::AllObjects(table, false, &d.store.factory).size();
  }

  DesignStore d;
  Cls_QsOutPlacement* system = nullptr;
  Cls_QsBSBPlacement* box = nullptr;
  Cls_QsIndPlacement* automatic = nullptr;
  Cls_QsIndPlacement* manual = nullptr;
  Cls_QsHeaderPlacement* header = nullptr;
  Cls_QsIndPlacement* deep = nullptr;
};

TEST_F(PlacementDeletion, ABoxWithUnitsAsksThenLeavesTheUnitsUnconnected) {
  // Closing the question keeps everything.
  EXPECT_FALSE(d.project->DeletePlacementNode(*box));
  ASSERT_EQ(d.store.ui.Shown().size(), 1u);
  EXPECT_EQ(d.store.ui.Shown()[0].kind, TShownKind::Question);
  EXPECT_EQ(d.store.ui.Shown()[0].text, Ansi("Вы действительно хотите удалить'BS-блок BS 1'? "));
  EXPECT_EQ(d.project->GetPlacements().size(), 6u);

  d.store.ui.ScriptButton(kBtnYes);
  EXPECT_TRUE(d.project->DeletePlacementNode(*box));
  EXPECT_EQ(Stored(Cls_QsBSBPlacement::kTableId), 0u);
  EXPECT_EQ(Stored(Cls_QsHeaderPlacement::kTableId), 0u);
  EXPECT_EQ(Stored(Cls_QsIndPlacement::kTableId), 3u);
  EXPECT_EQ(d.project->GetPlacements().size(), 4u);
  EXPECT_TRUE(system->Children().empty());
  EXPECT_EQ(NamesOf(d.project->GetTopLevelPlacements()).size(), 4u);
  ExpectWalkableTree(*d.project);

  // The next recalculation flags them; automatic models go, a model chosen by hand stays.
  d.project->RecalculateAll(d.OutdoorUnits());
  for (Cls_QsIndPlacement* unit : {automatic, manual, deep}) {
    EXPECT_TRUE(unit->HasError());
    EXPECT_EQ(unit->GetErrorLevel(), 3);
    EXPECT_EQ(unit->GetErrorText(), Ansi("Внутренний блок " + unit->Name() +
                                         " должно быть соединение с наружным блоком "));
  }
  EXPECT_EQ(automatic->GetModel(), nullptr);
  EXPECT_EQ(deep->GetModel(), nullptr);
  EXPECT_NE(manual->GetModel(), nullptr);
  // The system has findings of its own, not the flag of unconnected placements.
  EXPECT_NE(system->GetErrorNumber(), 10042);
}

TEST_F(PlacementDeletion, NothingGoesFromASystemWithPipingLengthsByHand) {
  system->SetLocked(true);
  system->Post();
  for (Cls_QsDevicePlacement* p : std::vector<Cls_QsDevicePlacement*>{deep, header, box}) {
    d.store.ui.ClearShown();
    EXPECT_FALSE(d.project->DeletePlacementNode(*p));
    ASSERT_EQ(d.store.ui.Shown().size(), 1u);
    EXPECT_EQ(d.store.ui.Shown()[0].kind, TShownKind::Error);
  }
  EXPECT_EQ(d.store.ui.Shown()[0].text,
            Ansi("Cannot delete BS-блок BS 1. It is connected to Наружный блок  Out 1, for which "
                 "you have chosen to enter piping lengths manually"));
  EXPECT_EQ(d.project->GetPlacements().size(), 6u);

  // The system itself may go, with everything but its indoor units.
  d.store.ui.ScriptButton(kBtnYes);
  EXPECT_TRUE(d.project->DeletePlacementNode(*system));
  EXPECT_EQ(Stored(Cls_QsOutPlacement::kTableId), 0u);
  EXPECT_EQ(Stored(Cls_QsDevicePipingNode::kTableId), 0u);
  EXPECT_EQ(NamesOf(d.project->GetTopLevelPlacements()), (Names{"Ind 1", "Ind 2", "Ind 3"}));
}

TEST_F(PlacementDeletion, APlacementWithoutChildrenGoesWithoutQuestion) {
  EXPECT_TRUE(d.project->DeletePlacementNode(*deep));
  EXPECT_TRUE(d.store.ui.Shown().empty());
  EXPECT_TRUE(header->Children().empty());
  EXPECT_EQ(Stored(Cls_QsIndPlacement::kTableId), 2u);
}

TEST(PlacementRecalculation, UnconnectedPlacementsAreFlagged) {
  DesignStore d;
  Cls_QsOutPlacement* system = d.AddSystem("QHP-8");
  Cls_QsIndPlacement* inSystem = d.AddUnit(system, system, "QFC-20");
  Cls_QsOutPlacement* other = d.AddSystem();
  Cls_QsBSBPlacement* box = d.project->AddBSBoxPlacement(*other, *other, nullptr);
  box->SetModel(d.Catalogue<Cls_BSBox>("BSQ-4"));
  box->Disconnect();
  Cls_QsAEXPlacement* aex = d.project->AddAEXPlacement();
  aex->SetModel(d.Catalogue<Cls_AEX>("QAE-150"));

  d.project->RecalculateAll(d.OutdoorUnits());
  // The connected placements get the findings of the system check (this catalogue has no
  // capacity data), not the flag.
  EXPECT_NE(system->GetErrorNumber(), 10042);
  EXPECT_NE(inSystem->GetErrorNumber(), 10042);
  EXPECT_EQ(box->GetErrorNumber(), 10042);
  EXPECT_EQ(box->GetModel(), nullptr);
  // A ventilation unit is always chosen by hand.
  EXPECT_EQ(aex->GetErrorNumber(), 10042);
  EXPECT_NE(aex->GetModel(), nullptr);
}

// A project of 10,000 placements opens: 100 systems of 99 units each, stored in the reverse of
// their order on screen.
TEST(PlacementCache, OpensTenThousandPlacements) {
  DesignStore d;
  for (int s = 0; s < 100; ++s) {
    Cls_QsOutPlacement system(0, &d.store.factory);
    system.SetProject(d.project.get());
    system.SetName("S" + std::to_string(s));
    system.SetSeqNr(99 - s);
    system.Insert();
    for (int u = 0; u < 99; ++u) {
      Cls_QsIndPlacement unit(0, &d.store.factory);
      unit.SetProject(d.project.get());
      unit.SetParent(&system);
      unit.SetName("U" + std::to_string(s) + "-" + std::to_string(u));
      unit.SetSeqNr(98 - u);
      unit.SetIuSeqNr(10000 - (s * 99 + u));
      unit.Insert();
    }
  }
  const std::string file = d.store.SaveText();
  ASSERT_TRUE(d.store.LoadText(file));

  Cls_QsProject opened(d.project->RecordId(), &d.store.factory);
  ASSERT_EQ(opened.GetPlacements().size(), 10000u);
  const std::vector<Cls_QsDevicePlacement*> systems = opened.GetTopLevelPlacements();
  ASSERT_EQ(systems.size(), 100u);
  EXPECT_EQ(systems.front()->Name(), "S99");
  for (Cls_QsDevicePlacement* system : systems) {
    ASSERT_EQ(system->Children().size(), 99u);
    EXPECT_EQ(system->Children().front()->GetSeqNr(), 0);
    EXPECT_EQ(system->Children().back()->GetSeqNr(), 98);
  }
  EXPECT_EQ(opened.GetIndoorPlacements().front()->Name(), "U99-98");
  opened.RecalculateAll(d.OutdoorUnits());
  ExpectWalkableTree(opened);
}

}  // namespace
