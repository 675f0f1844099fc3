#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "DesignStore.h"
#include "catalogue/DeviceOptions.h"
#include "catalogue/Devices.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/PipingTables.h"
#include "design/QsBSBPlacement.h"
#include "design/QsHeaderPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"
#include "design/QsPipingNodes.h"

namespace {

// The tree below a placement as text: display text, options in braces, children in brackets.
std::string Describe(DesignStore& d, Cls_QsDevicePlacement& p) {
  int charset = 0;
  std::string text;
  p.GetDisplayText(charset, text);
  std::string options;
  for (const std::string& name : d.UsedOptionNames(p))
    options += (options.empty() ? "" : ",") + name;
  if (!options.empty()) text += "{" + options + "}";
  std::string children;
  for (Cls_QsDevicePlacement* child : p.Children()) {
    children += (children.empty() ? "" : ", ") + Describe(d, *child);
  }
  if (!children.empty()) text += " (" + children + ")";
  return text;
}

std::string Describe(DesignStore& d, Cls_QsProject& project) {
  std::string text = project.Name() + ":";
  for (Cls_QsDevicePlacement* top : project.GetTopLevelPlacements()) {
    text += " " + Describe(d, *top) + ";";
  }
  return text;
}

TEST(ProjectFile, EveryPlacementKindWithOptionsSurvivesSaveAndLoad) {
  std::string file;
  std::string before;
  {
    DesignStore d;
    d.project->SetName("Office");
    d.project->SetClientName("Client");
    d.project->Post();
    d.project->SetRefrigerant(d.Catalogue<Cls_Refrigerant>("R410A"));
    d.project->BuildSeriesLists(d.OutdoorUnits());
    Cls_QsOutPlacement* system = d.AddSystem("QHR-10", 0);
    system->SetLocked(true);
    system->Post();
    Cls_QsBSBPlacement* box = d.project->AddBSBoxPlacement(*system, *system, nullptr);
    box->SetModel(d.Catalogue<Cls_BSBox>("BSQ-4"));
    Cls_QsIndPlacement* unit = d.AddUnit(system, box, "QFC-20");
    unit->ReconcileOptions(unit->GetModel(), true, true);
    Cls_QsHeaderPlacement* header = d.project->AddHeaderPlacement(*system, *box, nullptr, 3);
    Cls_QsAXDPlacement* axd = d.project->AddAXDPlacement();
    axd->SetModel(d.Catalogue<Cls_IndoorUnit>("AXD-50"));
    system->ConnectPlacement(axd, header, nullptr);
    Cls_QsAEXPlacement* aex = d.project->AddAEXPlacement();
    aex->SetModel(d.Catalogue<Cls_AEX>("QAE-150"));
    aex->ReconcileOptions(aex->GetModel(), true, true);
    system->ConnectPlacement(aex, system, nullptr);
    Cls_QsHXB415Placement* adapter = d.project->AddAdapterPlacement();
    adapter->SetAdapter(d.Catalogue<Cls_IndOption>("QIA"));
    adapter->SetSeqNr(1);
    adapter->Post();
    Cls_QsIndPlacement* loose = d.AddUnit(nullptr, nullptr, "QFA-25", true);
    loose->SetSeqNr(2);
    loose->SetCoolCapReqTotal(3.5);
    loose->Post();
    before = Describe(d, *d.project);
    file = d.store.SaveText();
  }
  EXPECT_EQ(
      before,
      "Office: Out 1 [QHR-10] - 28% (BS 1 [BSQ-4] - 70 CI (Ind 1 [QFC-20]{QRC-W,QPN,QFL}, 3 - "
      "50 CI (Ind 2 [AXD-50])), Ind 3 [QAE-150]{QAR-W}); Ind 4 [QIA]; Ind 5 [QFA-25];");

  DesignStore d;
  ASSERT_TRUE(d.store.LoadText(file));
  auto project = std::unique_ptr<Cls_QsProject>(dynamic_cast<Cls_QsProject*>(
      CTDbObject::SingleObject(Cls_QsProject::kTableId, false, &d.store.factory).release()));
  ASSERT_TRUE(project);
  EXPECT_EQ(Describe(d, *project), before);
  EXPECT_EQ(project->GetClientName(), "Client");
  EXPECT_EQ(project->GetDbVersion(), "1.3");
  EXPECT_TRUE(Cls_QsProject::IsFormatVersionAccepted(project->GetDbVersion()));
  auto& system = dynamic_cast<Cls_QsOutPlacement&>(*project->GetTopLevelPlacements().front());
  EXPECT_TRUE(system.GetLocked());
  EXPECT_EQ(dynamic_cast<Cls_QsIndPlacement&>(*project->GetTopLevelPlacements().back())
                .GetCoolCapReqTotal(),
            3.5);
  // The piping came along: nodes for the system, the box, the unit and the AXD unit (not for the
  // AEX and the adapter-connected units), the header's node and the joint below the box.
  const auto count = [&](int table) {
    return CTDbObject::AllObjects(table, false, &d.store.factory).size();
  };
  EXPECT_EQ(count(Cls_QsDevicePipingNode::kTableId), 4u);
  EXPECT_EQ(count(Cls_QsHeaderPipingNode::kTableId), 1u);
  EXPECT_EQ(count(Cls_QsJointPipingNode::kTableId), 1u);
  project.reset();
}

}  // namespace
