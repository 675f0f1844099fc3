// The outdoor tab's logic on the core over the shipped catalogue: the project tree, the
// unconnected list, the selection panel, and discarding a new system.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ProgramEnvironment.h"
#include "app/OutdoorTab.h"
#include "app/QRNSolvoMain.h"
#include "catalogue/OutdoorUnits.h"
#include "design/Preferences.h"
#include "design/QsBSBPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsOutPlacement.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

namespace {

using testsupport::Ansi;

class OutdoorTab : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(core.StartUp({}), TStartUpResult::kRunning);
    core.Project().ChangeRefrigerant(core.Refrigerants()[0].get(), core.OutdoorUnits());
    system = core.Project().AddOutdoorPlacement();
    system->SetSeries("QOR");
    system->SetFamily(0);
    system->Post();
    box = core.Project().AddBSBoxPlacement(*system, *system, nullptr);
    box->SetSeries("QBS");
    box->Post();
    behindBox = Unit(box);
    direct = Unit(system);
    loose = Unit(nullptr);
  }

  Cls_QsIndPlacement* Unit(Cls_QsDevicePlacement* parent) {
    Cls_QsIndPlacement* unit = core.Project().AddIndoorPlacement();
    unit->SetSeries("QRN");
    unit->SetFamily("CF");
    unit->SetCoolCapReqTotal(5);
    unit->SetCoolCapReqSensible(0);
    unit->SetHeatCapReq(parent && parent == box ? 5 : 0);
    unit->Post();
    if (parent) system->ConnectPlacement(unit, parent, nullptr);
    return unit;
  }

  static std::string Find(const LTSelectionPanel& panel, const std::string& caption) {
    for (const LTSelectionRow& row : panel.rows) {
      if (row.caption == caption) return row.value + "|" + row.second;
    }
    return "missing";
  }

  testsupport::TempDir dir;
  CTSettingsStore settings{dir.File("user.txt"), dir.File("machine.txt")};
  CTScopedProcessSettings scopedSettings{settings};
  CTPreferences preferences;
  CTScopedPreferences scoped{preferences};
  CTQRNSolvoMainImpl core;
  Cls_QsOutPlacement* system = nullptr;
  Cls_QsBSBPlacement* box = nullptr;
  Cls_QsIndPlacement* behindBox = nullptr;
  Cls_QsIndPlacement* direct = nullptr;
  Cls_QsIndPlacement* loose = nullptr;
};

TEST_F(OutdoorTab, TheTreeShowsTheSystemsWithTheirResults) {
  const std::vector<LTProjectTreeNode> tree = RefreshProjectTree(core);
  ASSERT_EQ(tree.size(), 1u);
  EXPECT_EQ(tree[0].placement, system);
  ASSERT_NE(system->GetModel(), nullptr) << system->GetErrorText();
  int charset = 0;
  std::string text;
  system->GetDisplayText(charset, text);
  EXPECT_EQ(tree[0].text, text);
  EXPECT_TRUE(tree[0].text.ends_with("%")) << tree[0].text;
  ASSERT_EQ(tree[0].children.size(), 2u);
  EXPECT_EQ(tree[0].children[0].placement, box);
  EXPECT_EQ(tree[0].children[0].children.at(0).placement, behindBox);
  // The unit directly on the heat-recovery system only cools: a warning.
  EXPECT_EQ(tree[0].children[1].stateImage, 9);
  const std::vector<LTUnconnectedRow> loose = UnconnectedRows(core.Project());
  ASSERT_EQ(loose.size(), 1u);
  EXPECT_EQ(loose[0].placement, this->loose);
}

TEST_F(OutdoorTab, TheSelectionPanelByKind) {
  RefreshProjectTree(core);
  const LTSelectionPanel none = SelectionPanel(core, nullptr);
  EXPECT_TRUE(none.caption.empty());
  EXPECT_TRUE(none.rows.empty());

  const LTSelectionPanel panel = SelectionPanel(core, system);
  std::string fullName;
  system->GetFullName(fullName);
  EXPECT_EQ(panel.caption, fullName);
  EXPECT_EQ(Find(panel, Ansi("Модель")), system->GetModel()->Name() + "|");
  EXPECT_EQ(Find(panel, Ansi("Система")), Ansi("Рекуперация тепла") + "|");
  const auto* model = dynamic_cast<Cls_OutdoorUnit*>(system->GetModel());
  const double ratio = 100 * system->GetCapacityIndexSum(true) /
                       const_cast<Cls_OutdoorUnit*>(model)->GetCapacityIndexAt(100);
  EXPECT_TRUE(
      Find(panel, Ansi("Комбинация")).starts_with(std::to_string(std::lround(ratio)) + "%|"));
  EXPECT_NE(Find(panel, Ansi("Мощность обогрева (с учетом размораживания)  ")), "missing");

  // A unit by hand shows the words instead of its requirements; one that cannot heat has no
  // heating rows.
  direct->SetManualSelect(true);
  direct->Post();
  const LTSelectionPanel unit = SelectionPanel(core, direct);
  EXPECT_TRUE(Find(unit, Ansi("Суммарная мощн. охлажд.")).ends_with(Ansi("|Ручной выбор")));
  EXPECT_EQ(Find(unit, Ansi("Т. в помещении при обогреве")), "missing");
  EXPECT_NE(Find(SelectionPanel(core, behindBox), Ansi("Т. в помещении при обогреве")), "missing");
  const LTSelectionPanel boxPanel = SelectionPanel(core, box);
  EXPECT_EQ(Find(boxPanel, Ansi("Серии")), "QBS|");
}

TEST_F(OutdoorTab, ACancelledNewSystemLeavesItsUnitsConnectedNowhere) {
  const std::size_t before = core.Project().GetPlacements().size();
  DiscardNewSystem(core.Project(), *system);
  // The system and its box go; the three units stay, flagged.
  EXPECT_EQ(core.Project().GetPlacements().size(), before - 2);
  for (Cls_QsIndPlacement* unit : {behindBox, direct}) {
    EXPECT_EQ(unit->GetParent(), nullptr);
    EXPECT_EQ(unit->GetErrorNumber(), 10042);
  }
  EXPECT_EQ(UnconnectedRows(core.Project()).size(), 3u);
  EXPECT_TRUE(RefreshProjectTree(core).empty());
}

}  // namespace
