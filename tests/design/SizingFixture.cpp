#include "SizingFixture.h"

#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorUnits.h"
#include "catalogue/PipingTables.h"
#include "design/PipeSizing.h"
#include "i18n/NumberText.h"
#include "i18n/Units.h"

SizingTest::SizingTest() : loaded(LoadCatalogueFixture(store, "sizing")) {}

void SizingTest::SetUp() {
  ASSERT_TRUE(loaded) << "the sizing fixture did not load";
}

void SizingTest::TearDown() {
  CTUnitData::ResetUnits();
  SetUserDecimalSeparator('.');
}

CTDbObject* SizingTest::CatalogueRecord(int tableId, const std::string& name) {
  for (const auto& object : CTDbObject::AllObjects(tableId, false, &store.factory)) {
    if (object->Name() == name) {
      return CTDbObject::CachedObject(tableId, object->RecordId(), &store.factory);
    }
  }
  ADD_FAILURE() << "no catalogue record " << name << " in table " << tableId;
  return nullptr;
}

Cls_QsOutPlacement& SizingTest::System(const std::string& name, const std::string& model,
                                       int family) {
  Cls_QsOutPlacement& system = fixture.AddSystem(name);
  system.SetFamily(family);
  system.Post();
  if (!model.empty()) system.SetModel(Catalogue<Cls_OutdoorUnit>(model));
  return system;
}

TestIndoor& SizingTest::Unit(Cls_QsOutPlacement& system, const std::string& name, double index,
                             const std::string& model, Cls_QsDevicePlacement* parent) {
  TestIndoor& unit = fixture.AddIndoor(name, system, parent);
  unit.index = index;
  if (!model.empty()) unit.SetModel(Catalogue<Cls_IndoorUnit>(model));
  return unit;
}

void SizingTest::SetRefrigerant(const std::string& name) {
  fixture.project->SetRefrigerant(name.empty() ? nullptr : Catalogue<Cls_Refrigerant>(name));
}

Cls_QsPipingNode* SizingTest::Node(Cls_QsOutPlacement& system,
                                   const Cls_QsDevicePlacement& placement) {
  system.GetRootNode();  // sizes the tree
  return NodeOf(system, placement);
}

std::string SizingTest::Text(Cls_QsOutPlacement& system, const Cls_QsDevicePlacement& placement) {
  return Text(Node(system, placement));
}

std::string SizingTest::Text(Cls_QsPipingNode* node) {
  return node ? GetPipeText(*node) : "no node";
}

std::string SizingTest::ModelName(Cls_QsPipingNode* node) {
  auto* fitting = dynamic_cast<Cls_QsHJPipingNode*>(node);
  if (!fitting) return "not a fitting";
  const LTRecordRef ref = fitting->GetHeaderJointRef();
  if (!ref.IsSet()) return "-";
  CTDbObject* model = CTDbObject::CachedObject(ref.tableId, ref.recordId, &store.factory);
  return model ? model->Name() : "?";
}
