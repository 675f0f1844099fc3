// Copying a system: the placements below it with their values, models chosen by hand and
// options, and the piping tree with its shape, branch lengths and order, all as new records.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "DesignStore.h"
#include "PipingTestSystem.h"
#include "catalogue/DeviceOptions.h"
#include "catalogue/Devices.h"
#include "catalogue/IndoorUnits.h"
#include "design/PipingTree.h"
#include "design/QsBSBPlacement.h"
#include "design/QsHeaderPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"
#include "design/QsPipingNodes.h"
#include "objectstore/FieldInfo.h"
#include "objectstore/TableInfo.h"
#include "support/TestSupport.h"

namespace {

using testsupport::Ansi;
using LTRecordKey = std::pair<int, int>;

// Every value of the record that is not a reference, from field 1 on, except the fields named.
std::string ValuesText(CTDbObject& object, const std::set<int>& except) {
  std::string text;
  const CTTableInfo& table = object.Table();
  for (int i = 1; i < table.FieldCount(); ++i) {
    const CTFieldInfo& field = *table.Field(i);
    if (field.Link()) {
      ++i;
      continue;
    }
    if (except.count(i)) continue;
    text += field.Name() + "=";
    switch (field.Type()) {
      case kFtBoolean:
        text += object.GetBool(i) ? "1" : "0";
        break;
      case kFtInteger:
        text += std::to_string(object.GetInt(i));
        break;
      case kFtString:
        text += object.GetString(i);
        break;
      default:
        text += std::to_string(object.GetDouble(i));
        break;
    }
    text += " ";
  }
  return text;
}

// The connection tree below a system as text, one line per placement: its kind, its values (the
// system's name, the indoor sequence numbers and the preferred-options mark left out), the model
// where it is chosen by hand,
// the adapter of an adapter-connected device, and the used options.
std::string Describe(DesignStore& d, Cls_QsDevicePlacement& placement, int depth = 0) {
  std::set<int> except{Cls_QsDevicePlacement::kPrefOptionsAssigned};
  // The name and the central-control position of a copied system are its own
  // (ASecondCopyGetsANameOfItsOwn).
  if (depth == 0) except.insert({Cls_QsDevicePlacement::kName, Cls_QsOutPlacement::kCcSeqNr});
  auto* indoor = dynamic_cast<Cls_QsIndPlacement*>(&placement);
  if (indoor) except.insert(Cls_QsIndPlacement::kIuSeqNr);
  std::string text = std::string(2 * depth, ' ') + std::to_string(placement.TableId()) + " " +
                     ValuesText(placement, except);
  if (indoor && indoor->GetManualSelect() && placement.GetModel()) {
    text += "model=" + placement.GetModel()->Name() + " ";
  }
  if (auto* adapted = dynamic_cast<Cls_QsHXB415Placement*>(&placement)) {
    text += "adapter=" + (adapted->GetAdapter() ? adapted->GetAdapter()->Name() : "") + " ";
  }
  for (const std::string& option : d.UsedOptionNames(placement)) text += "+" + option;
  text += "\n";
  for (Cls_QsDevicePlacement* child : placement.Children()) text += Describe(d, *child, depth + 1);
  return text;
}

// The system's piping tree as the store holds it: the shape with the system's name left out, and
// each node's branch length and sequence number in tree order.
std::string PipingText(Cls_QsOutPlacement& system) {
  std::string shape = StoredShape(system);
  shape.erase(0, system.Name().size());
  std::string text = shape + "\n";
  std::vector<Cls_QsPipingNode*> stack{system.PipingTree().Root()};
  while (!stack.empty() && stack.back()) {
    Cls_QsPipingNode* node = stack.back();
    stack.pop_back();
    text += std::to_string(node->GetBranchLength()) + "/" + std::to_string(node->GetSeqNr()) + " ";
    const auto& children = node->Children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) stack.push_back(*it);
  }
  return text;
}

// The records of the system's placements, piping nodes and used options.
std::set<LTRecordKey> RecordsOf(Cls_QsOutPlacement& system) {
  std::set<LTRecordKey> records;
  std::vector<Cls_QsDevicePlacement*> stack{&system};
  while (!stack.empty()) {
    Cls_QsDevicePlacement* p = stack.back();
    stack.pop_back();
    records.emplace(p->TableId(), p->RecordId());
    for (const auto& used : p->GetUsedOptions()) records.emplace(used->TableId(), used->RecordId());
    for (Cls_QsDevicePlacement* child : p->Children()) stack.push_back(child);
  }
  for (const auto& node :
       system.RelatedObjects(Cls_QsPipingNode::kTableId, Cls_QsPipingNode::kSystem)) {
    records.emplace(node->TableId(), node->RecordId());
  }
  return records;
}

Cls_QsOutPlacement* FindSystem(Cls_QsProject& project, const std::string& name) {
  for (Cls_QsDevicePlacement* p : project.GetTopLevelPlacements()) {
    if (p->Name() == name) return dynamic_cast<Cls_QsOutPlacement*>(p);
  }
  ADD_FAILURE() << "no system " << name;
  return nullptr;
}

class SystemCopy : public ::testing::Test {
 protected:
  // Out 1 (heat recovery, lengths entered by hand) > BS 1 > (Ind 1, Ind 2 chosen by hand with
  // options of the user's), a header > (Ind 3, Ind 4), Ind 5, a ventilation unit, an
  // adapter-connected device and Ind 8; one more unit in the project is connected nowhere. F's
  // branch is moved towards the outdoor unit and every pipe has a length of its own.
  void SetUp() override {
    source = d.AddSystem("QHR-10", 0);
    box = d.project->AddBSBoxPlacement(*source, *source, nullptr);
    box->SetModel(d.Catalogue<Cls_BSBox>("BSQ-4"));
    d.AddUnit(source, box, "QFC-20");
    manual = d.AddUnit(source, box, "QFC-25", true);
    manual->SetUsedOptions({d.Catalogue<Cls_IndOption>("QRS"), d.Catalogue<Cls_IndOption>("QPN"),
                            d.Catalogue<Cls_IndOption>("QRC-W")});
    manual->SetCoolCapReqTotal(2.8);
    manual->Post();
    Cls_QsHeaderPlacement* header = d.project->AddHeaderPlacement(*source, *source, nullptr, 3);
    d.AddUnit(source, header, "QFC-32");
    d.AddUnit(source, header);
    d.AddUnit(source, source, "QFC-20");
    Cls_QsAEXPlacement* aex = d.project->AddAEXPlacement();
    aex->SetModel(d.Catalogue<Cls_AEX>("QAE-150"));
    source->ConnectPlacement(aex, source, nullptr);
    Cls_QsHXB415Placement* adapted = d.project->AddAdapterPlacement();
    adapted->SetAdapter(d.Catalogue<Cls_IndOption>("QIA"));
    source->ConnectPlacement(adapted, source, nullptr);
    Cls_QsIndPlacement* f = d.AddUnit(source, source);
    d.AddUnit(nullptr, nullptr, "QFC-20");

    // The options as the option dialogs leave them: reconciled with the models (the copy
    // reconciles the source's first).
    for (const auto& p : d.project->GetPlacements()) {
      if (p->GetModel()) p->ReconcileOptions(p->GetModel(), true, !p->GetPrefOptionsAssigned());
    }
    // The indoor list numbered as the indoor tab numbers it.
    int row = 0;
    for (Cls_QsIndPlacement* unit : d.project->GetIndoorPlacements()) {
      unit->SetIuSeqNr(row++);
      unit->Post();
    }

    bool changed = false;
    ASSERT_TRUE(source->MoveBranchTowardsOutdoor(NodeOf(*source, *f), changed));
    ASSERT_TRUE(changed);
    double length = 1;
    for (Cls_QsPipingNode* node : source->PipingTree().Nodes()) {
      node->SetBranchLength(length += 2.5);
      node->Post();
    }
    source->SetLocked(true);
    source->Post();
  }

  DesignStore d;
  Cls_QsOutPlacement* source = nullptr;
  Cls_QsBSBPlacement* box = nullptr;
  Cls_QsIndPlacement* manual = nullptr;
};

TEST_F(SystemCopy, CopiesPlacementsOptionsAndPipingAsNewRecords) {
  const std::string placements = Describe(d, *source);
  const std::string piping = PipingText(*source);
  const std::set<LTRecordKey> sourceRecords = RecordsOf(*source);
  ASSERT_EQ(StoredShape(*source),
            Ansi("Out 1(J(J(BS 1(J(Ind 1, Ind 2)), J(\"Гр1[Ind 3, Ind 4], Ind 5)), Ind 8))"));
  // The manual unit's options and the ventilation unit's preferred remote controller.
  ASSERT_NE(placements.find("+QRS+QPN+QRC-W"), std::string::npos) << placements;
  ASSERT_NE(placements.find("+QAR-W"), std::string::npos) << placements;
  ASSERT_NE(placements.find("adapter=QIA"), std::string::npos) << placements;
  const std::size_t indoorBefore = d.project->GetIndoorPlacements().size();
  // Which source placements have a model before the copy (the recalculation after it may
  // change them).
  std::set<const Cls_QsDevicePlacement*> hadModel;
  std::vector<Cls_QsDevicePlacement*> walk{source};
  while (!walk.empty()) {
    Cls_QsDevicePlacement* p = walk.back();
    walk.pop_back();
    if (dynamic_cast<Cls_Device*>(p->GetModel())) hadModel.insert(p);
    walk.insert(walk.end(), p->Children().begin(), p->Children().end());
  }

  Cls_QsOutPlacement* copy = d.project->CopySystem(*source, Ansi("Копия"), d.OutdoorUnits());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Name(), Ansi("Копия Out 1"));
  EXPECT_EQ(copy->GetParent(), nullptr);
  EXPECT_TRUE(copy->GetLocked());

  // The copy equals the source, and the source is as it was.
  EXPECT_EQ(Describe(d, *copy), placements);
  EXPECT_EQ(PipingText(*copy), piping);
  EXPECT_EQ(Describe(d, *source), placements);
  EXPECT_EQ(PipingText(*source), piping);
  ExpectConsistent(*copy);
  ExpectConsistent(*source);
  EXPECT_EQ(StoredNodeCount(*copy), StoredNodeCount(*source));

  // Every record of the copy is new.
  const std::set<LTRecordKey> copyRecords = RecordsOf(*copy);
  EXPECT_EQ(copyRecords.size(), sourceRecords.size());
  for (const LTRecordKey& record : copyRecords) {
    EXPECT_EQ(sourceRecords.count(record), 0u) << record.first << ":" << record.second;
  }
  EXPECT_EQ(RecordsOf(*source), sourceRecords);

  // The copied indoor units are listed after every unit the project had, in the source's order;
  // a unit whose model was chosen by hand keeps it.
  const std::vector<Cls_QsIndPlacement*> indoor = d.project->GetIndoorPlacements();
  ASSERT_EQ(indoor.size(), indoorBefore + 8);
  for (std::size_t i = 0; i < indoor.size(); ++i) {
    EXPECT_EQ(indoor[i]->GetIuSeqNr(), static_cast<int>(i));
    EXPECT_EQ(indoor[i]->GetTopAncestor() == copy, i >= indoorBefore) << indoor[i]->Name();
  }
  Cls_QsDevicePlacement* copiedManual = copy->Children()[0]->Children()[1];
  ASSERT_NE(copiedManual->GetModel(), nullptr);
  EXPECT_EQ(copiedManual->GetModel()->Name(), "QFC-25");
  // The models of the others are the system check's to choose.
  EXPECT_EQ(copy->Children()[0]->GetModel(), nullptr);
  EXPECT_EQ(copy->Children()[0]->Children()[0]->GetModel(), nullptr);
  // The options of every copy whose source has a model count as assigned.
  std::vector<std::pair<Cls_QsDevicePlacement*, Cls_QsDevicePlacement*>> pairs{{source, copy}};
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    auto [original, copied] = pairs[i];
    const bool hasModel = hadModel.count(original) != 0;
    EXPECT_EQ(copied->GetPrefOptionsAssigned(), hasModel || original->GetPrefOptionsAssigned())
        << copied->Name();
    ASSERT_EQ(copied->Children().size(), original->Children().size());
    for (std::size_t c = 0; c < original->Children().size(); ++c) {
      pairs.emplace_back(original->Children()[c], copied->Children()[c]);
    }
  }
}

// Systems' names are unique: a second copy of the same system is numbered. Each copy has its own
// place on the central-control tab.
TEST_F(SystemCopy, ASecondCopyGetsANameOfItsOwn) {
  Cls_QsOutPlacement* first = d.project->CopySystem(*source, Ansi("Копия"), d.OutdoorUnits());
  Cls_QsOutPlacement* second = d.project->CopySystem(*source, Ansi("Копия"), d.OutdoorUnits());
  EXPECT_EQ(first->Name(), Ansi("Копия Out 1"));
  EXPECT_EQ(second->Name(), Ansi("Копия Out 1 2"));
  EXPECT_EQ(first->GetCcSeqNr(), first->RecordId());
  EXPECT_EQ(second->GetCcSeqNr(), second->RecordId());
  EXPECT_NE(first->GetCcSeqNr(), source->GetCcSeqNr());
}

TEST_F(SystemCopy, BothSystemsSurviveAFile) {
  Cls_QsOutPlacement* copy = d.project->CopySystem(*source, Ansi("Копия"), d.OutdoorUnits());
  const std::string copyName = copy->Name();
  const std::string placements = Describe(d, *source);
  const std::string piping = PipingText(*source);
  ASSERT_EQ(Describe(d, *copy), placements);

  const std::string file = d.store.SaveText();
  ASSERT_TRUE(d.store.LoadText(file));
  Cls_QsProject opened(d.project->RecordId(), &d.store.factory);
  for (const std::string& name : {std::string("Out 1"), copyName}) {
    SCOPED_TRACE(name);
    Cls_QsOutPlacement* system = FindSystem(opened, name);
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(Describe(d, *system), placements);
    EXPECT_EQ(PipingText(*system), piping);
    ExpectConsistent(*system);
  }
  EXPECT_EQ(d.store.SaveText(), file);
}

// A source whose stored tree lost a unit's node (its parent reference names no node) copies the
// tree as it is built, and the copy keeps no node outside its tree.
TEST_F(SystemCopy, ABrokenSourceTreeCopiesWhatIsInTheTree) {
  const Cls_QsDevicePlacement& unit = *box->Children()[0];
  for (const auto& node :
       source->RelatedObjects(Cls_QsDevicePipingNode::kTableId, Cls_QsPipingNode::kSystem)) {
    const LTRecordRef ref = static_cast<Cls_QsDevicePipingNode&>(*node).GetPlacementRef();
    if (ref.tableId != unit.TableId() || ref.recordId != unit.RecordId()) continue;
    node->SetInt(Cls_QsPipingNode::kParentNode + 1, 999999);
    node->Post();
  }
  source->DropPipingTree();
  ASSERT_EQ(source->PipingTree().LeftOut().size(), 1u);
  const std::string piping = PipingText(*source);

  Cls_QsOutPlacement* copy = d.project->CopySystem(*source, Ansi("Копия"), d.OutdoorUnits());
  EXPECT_EQ(PipingText(*copy), piping);
  EXPECT_TRUE(copy->PipingTree().LeftOut().empty());
  EXPECT_EQ(StoredNodeCount(*copy), copy->PipingTree().Nodes().size());
}

}  // namespace
