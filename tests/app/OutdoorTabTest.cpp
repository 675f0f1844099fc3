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
#include "design/QsHeaderPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
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

TEST_F(OutdoorTab, DroppingInTheTree) {
  // An unconnected unit onto the system: its last child; onto a unit: before it.
  ASSERT_TRUE(DropOnto(core, *loose, *system));
  EXPECT_EQ(loose->GetParent(), system);
  EXPECT_EQ(system->Children().back(), loose);
  EXPECT_NE(loose->GetModel(), nullptr) << loose->GetErrorText();
  ASSERT_TRUE(DropOnto(core, *loose, *behindBox));
  EXPECT_EQ(loose->GetParent(), box);
  EXPECT_EQ(box->Children().front(), loose);
  // Never onto itself or below itself.
  EXPECT_FALSE(MayDropOnto(*system, *box));
  EXPECT_FALSE(MayDropOnto(*box, *box));

  // A second system, a heat pump: a box may not go there; systems reorder.
  Cls_QsOutPlacement* pump = core.Project().AddOutdoorPlacement();
  pump->SetSeries("QOH");
  pump->SetFamily(1);
  pump->Post();
  programtest::Ui().ClearShown();
  EXPECT_FALSE(DropOnto(core, *box, *pump));
  ASSERT_EQ(programtest::Ui().Shown().size(), 1u);
  EXPECT_EQ(programtest::Ui().Shown()[0].text,
            pump->Name() + Ansi(" блок без рекуперации тепла.Не соединяется с ") + box->Name());
  EXPECT_EQ(box->GetParent(), system);
  ASSERT_TRUE(DropOnto(core, *pump, *system));
  EXPECT_EQ(RefreshProjectTree(core).front().placement, pump);

  // A full header refuses one more unit.
  Cls_QsHeaderPlacement* header = core.Project().AddHeaderPlacement(*pump, *pump, nullptr, 4);
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(DropOnto(core, *Unit(nullptr), *header));
  programtest::Ui().ClearShown();
  EXPECT_FALSE(DropOnto(core, *direct, *header));
  ASSERT_EQ(programtest::Ui().Shown().size(), 1u);
  EXPECT_EQ(programtest::Ui().Shown()[0].text,
            Ansi("Невозможно подкл. более 4 устройств к этой \"гребенке\""));
  EXPECT_EQ(direct->GetParent(), system);

  // A ventilation unit only directly on a system; nothing moves in a system with lengths by hand.
  Cls_QsAEXPlacement* aex = core.Project().AddAEXPlacement();
  programtest::Ui().ClearShown();
  EXPECT_FALSE(DropOnto(core, *aex, *box));
  EXPECT_EQ(programtest::Ui().Shown().size(), 1u);
  system->SetLocked(true);
  system->Post();
  programtest::Ui().ClearShown();
  EXPECT_FALSE(DropOnto(core, *direct, *pump));
  ASSERT_EQ(programtest::Ui().Shown().size(), 1u);
  EXPECT_EQ(programtest::Ui().Shown()[0].text,
            "You cannot modify the piping layout of this outdoor unit, because you have chosen to "
            "enter its piping lengths manually");
  EXPECT_EQ(direct->GetParent(), system);
}

}  // namespace
