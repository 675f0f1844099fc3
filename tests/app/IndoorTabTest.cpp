// The indoor tab's logic on the core over the shipped catalogue: the rows of the list, editing
// several units, deleting with the questions, and reordering.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProgramEnvironment.h"
#include "app/IndoorTab.h"
#include "app/QRNSolvoMain.h"
#include "design/Preferences.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"
#include "i18n/MessageButtons.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

namespace {

using testsupport::Ansi;

class IndoorTab : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(core.StartUp({}), TStartUpResult::kRunning);
    programtest::Ui().ClearShown();
    system = core.Project().AddOutdoorPlacement();
    system->SetSeries("QOH");
    system->SetFamily(1);
    system->Post();
    for (int i = 0; i < 3; ++i) connected.push_back(Unit(true));
    loose = Unit(false);
    core.RecalculateProject();
  }

  Cls_QsIndPlacement* Unit(bool connect) {
    Cls_QsIndPlacement* unit = core.Project().AddIndoorPlacement();
    unit->SetSeries("QRN");
    unit->SetFamily("CF");
    unit->SetCoolIndoorTemp(26);
    unit->SetCoolIndoorRH(50);
    unit->SetCoolCapReqTotal(8);
    unit->SetCoolCapReqSensible(0);
    unit->SetHeatCapReq(0);
    unit->Post();
    if (connect) system->ConnectPlacement(unit, system, nullptr);
    return unit;
  }

  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (Cls_QsIndPlacement* unit : core.Project().GetIndoorPlacements()) {
      names.push_back(unit->Name());
    }
    return names;
  }

  // Settings of the test's own, as every test that starts the core has them.
  testsupport::TempDir dir;
  CTSettingsStore settings{dir.File("user.txt"), dir.File("machine.txt")};
  CTScopedProcessSettings scopedSettings{settings};
  CTPreferences preferences;
  CTScopedPreferences scoped{preferences};
  CTQRNSolvoMainImpl core;
  Cls_QsOutPlacement* system = nullptr;
  std::vector<Cls_QsIndPlacement*> connected;
  Cls_QsIndPlacement* loose = nullptr;
};

TEST_F(IndoorTab, RowsShowModelsRequirementsAndCapacities) {
  const std::vector<LTIndoorRow> rows = MakeIndoorRows(core.Project(), core.Air(), 0);
  ASSERT_EQ(rows.size(), 4u);
  ASSERT_EQ(IndoorListColumnCaptions().size(), 9u);
  const LTIndoorRow& row = rows[0];
  EXPECT_EQ(row.placement, connected[0]);
  EXPECT_EQ(row.caption, connected[0]->Name());
  ASSERT_NE(connected[0]->GetModel(), nullptr) << connected[0]->GetErrorText();
  EXPECT_EQ(row.cells[0], connected[0]->GetModel()->Name());
  EXPECT_EQ(row.cells[1], Cls_QsProject::FormatTemperature(true, 26) + " / 50%");
  EXPECT_EQ(row.cells[2], Cls_QsProject::FormatPower(true, 8));
  EXPECT_EQ(row.cells[3],
            Cls_QsProject::FormatPower(true, connected[0]->GetUnitCapacity(true, true, false)));
  EXPECT_EQ(row.stateImage, -1);
  // The unconnected unit is flagged, and shows its family without model.
  EXPECT_EQ(rows[3].stateImage, 3);
  EXPECT_EQ(rows[3].cells[0], "CF");
  EXPECT_EQ(rows[3].cells[3], "");
  // The wet bulb in the other two forms.
  const double wetBulb = core.Air().WetBulbTemperature(26, 50);
  EXPECT_EQ(RoomConditionText(*connected[0], core.Air(), 1),
            Cls_QsProject::FormatTemperature(true, 26) + " / " +
                Cls_QsProject::FormatTemperature(true, wetBulb));
  EXPECT_EQ(RoomConditionText(*connected[0], core.Air(), 2),
            Cls_QsProject::FormatTemperature(true, wetBulb) + " / 50%");
  // A model chosen by hand shows no requirements.
  connected[1]->SetManualSelect(true);
  connected[1]->Post();
  EXPECT_EQ(MakeIndoorRow(*connected[1], true, core.Air(), 0).cells[2], "");
}

TEST_F(IndoorTab, EditingSeveralNeedsOneKind) {
  EXPECT_TRUE(MayEditTogether({connected[0], loose}));
  Cls_QsAEXPlacement* aex = core.Project().AddAEXPlacement();
  EXPECT_FALSE(MayEditTogether({connected[0], aex}));
  ASSERT_EQ(programtest::Ui().Shown().size(), 1u);
  EXPECT_EQ(programtest::Ui().Shown()[0].text, "Can only edit multiple devices of the same kind");
}

TEST_F(IndoorTab, DeletingAsksBeforeConnectedUnits) {
  // One connected unit: its own question; No keeps it.
  programtest::Ui().ScriptButton(kBtnNo);
  EXPECT_EQ(DeleteIndoorUnits(core, {connected[0]}), 0);
  ASSERT_EQ(programtest::Ui().Shown().size(), 1u);
  std::string fullName;
  connected[0]->GetFullName(fullName);
  EXPECT_EQ(programtest::Ui().Shown()[0].text, Ansi("Вы действительно хотите удалить'") + fullName +
                                                   Ansi("'? Он уже подсоединён к наружному блоку"));
  EXPECT_EQ(core.Project().GetIndoorPlacements().size(), 4u);

  // Several: one question for all; Yes deletes them with the unconnected one.
  programtest::Ui().ClearShown();
  programtest::Ui().ScriptButton(kBtnYes);
  const std::string kept = connected[2]->Name();
  EXPECT_EQ(DeleteIndoorUnits(core, {connected[0], connected[1], loose}), 3);
  ASSERT_EQ(programtest::Ui().Shown().size(), 1u);
  EXPECT_EQ(programtest::Ui().Shown()[0].text,
            Ansi("Вы действительно хотите удалить выбранные внутренние блоки? Некоторые уже "
                 "соединены с наружными блоками "));
  EXPECT_EQ(Names(), std::vector<std::string>{kept});
  EXPECT_EQ(core.Project().GetIndoorPlacements()[0]->GetIuSeqNr(), 0);

  // A system with lengths entered by hand keeps its units.
  system->SetLocked(true);
  system->Post();
  programtest::Ui().ClearShown();
  EXPECT_EQ(DeleteIndoorUnits(core, {core.Project().GetIndoorPlacements()[0]}), 0);
  ASSERT_EQ(programtest::Ui().Shown().size(), 1u);
  EXPECT_EQ(programtest::Ui().Shown()[0].kind, TShownKind::Error);
  EXPECT_EQ(Names().size(), 1u);
}

TEST_F(IndoorTab, ReorderingPutsTheDraggedUnitBeforeTheTarget) {
  const std::vector<std::string> before = Names();
  // The last onto the first, then the (new) first onto the third.
  EXPECT_TRUE(MoveIndoorUnit(core.Project(), *loose, *connected[0]));
  EXPECT_EQ(Names(), (std::vector<std::string>{before[3], before[0], before[1], before[2]}));
  EXPECT_TRUE(MoveIndoorUnit(core.Project(), *loose, *connected[2]));
  EXPECT_EQ(Names(), (std::vector<std::string>{before[0], before[1], before[3], before[2]}));
  EXPECT_FALSE(MoveIndoorUnit(core.Project(), *loose, *loose));
  const auto units = core.Project().GetIndoorPlacements();
  for (std::size_t i = 0; i < units.size(); ++i) {
    EXPECT_EQ(units[i]->GetIuSeqNr(), static_cast<int>(i));
  }
}

}  // namespace
