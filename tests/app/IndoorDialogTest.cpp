// The indoor unit dialog's logic on the shipped catalogue: condition layouts, the checks with
// their messages, adding one unit after another, and editing several units at once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProgramEnvironment.h"
#include "app/QRNSolvoMain.h"
#include "catalogue/IndoorUnits.h"
#include "design/IndoorDialog.h"
#include "design/Preferences.h"
#include "design/QsIndPlacement.h"
#include "i18n/Units.h"
#include "physics/MoistAir.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

namespace {

using testsupport::Ansi;
using V = CTIndoorDialog::Value;

class IndoorDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(core.StartUp({}), TStartUpResult::kRunning);
    // The refrigerant the indoor tab selects first gives the project its series.
    ASSERT_FALSE(core.Refrigerants().empty());
    core.Project().ChangeRefrigerant(core.Refrigerants()[0].get(), core.OutdoorUnits());
    programtest::Ui().ClearShown();
  }

  Cls_QsIndPlacement* Unit(double coolTemp = 24) {
    Cls_QsIndPlacement* unit = core.Project().AddIndoorPlacement();
    unit->SetFamily("CF");
    unit->SetCoolIndoorTemp(coolTemp);
    unit->SetCoolCapReqTotal(3);
    unit->Post();
    return unit;
  }

  std::string LastShown() {
    const auto& shown = programtest::Ui().Shown();
    return shown.empty() ? std::string() : shown.back().text;
  }

  // Settings of the test's own: the dialog stores what it wrote as the defaults of new units.
  testsupport::TempDir dir;
  CTSettingsStore settings{dir.File("user.txt"), dir.File("machine.txt")};
  CTScopedProcessSettings scopedSettings{settings};
  CTPreferences preferences;
  CTScopedPreferences scoped{preferences};
  CTQRNSolvoMainImpl core;
};

TEST_F(IndoorDialog, FamiliesAndModelsOfTheSeries) {
  Cls_QsIndPlacement* unit = Unit();
  CTIndoorDialog dialog(core.Project(), *unit, false);
  EXPECT_EQ(dialog.Series(), "QRN");
  ASSERT_FALSE(dialog.Families().empty());
  ASSERT_GE(dialog.SelectedFamily(), 0);
  EXPECT_EQ(dialog.Families()[static_cast<std::size_t>(dialog.SelectedFamily())].family->Short(),
            "CF");
  // Ordered by capacity index.
  ASSERT_GT(dialog.Models().size(), 3u);
  for (std::size_t i = 1; i < dialog.Models().size(); ++i) {
    EXPECT_LE(dialog.Models()[i - 1].model->CapIndex(), dialog.Models()[i].model->CapIndex());
  }
  // Automatic: requirements shown, model list hidden; by hand the reverse, first model chosen.
  EXPECT_FALSE(dialog.ModelListVisible());
  EXPECT_TRUE(dialog.IsVisible(V::kTotalRequired));
  dialog.SetManual(true);
  EXPECT_TRUE(dialog.ModelListVisible());
  EXPECT_FALSE(dialog.IsVisible(V::kTotalRequired));
  EXPECT_EQ(dialog.SelectedModel(), 0);
  EXPECT_TRUE(dialog.OptionsEnabled());
  ASSERT_TRUE(dialog.Accept());
  EXPECT_TRUE(unit->GetManualSelect());
  EXPECT_EQ(unit->GetModel(), dialog.Models()[0].model);
}

TEST_F(IndoorDialog, TheChecksRefuseWithTheirMessages) {
  Cls_QsIndPlacement* unit = Unit();
  CTIndoorDialog dialog(core.Project(), *unit, false);
  dialog.SetValue(V::kCoolDryBulb, 33);
  EXPECT_FALSE(dialog.Accept());
  EXPECT_EQ(dialog.FocusedControl(), CTIndoorDialog::Control::kValue);
  EXPECT_EQ(dialog.FocusedValue(), V::kCoolDryBulb);
  EXPECT_EQ(LastShown(), Ansi("Уровень проверки ошибки: 'DBT > ") +
                             CTUnitData::FormatValue(U_Temperature, 1, 32) +
                             CTUnitData::CurrentUnitName(U_Temperature) + "'.");
  dialog.SetValue(V::kCoolDryBulb, 26);
  // Automatic with every requirement 0.
  dialog.SetValue(V::kTotalRequired, 0);
  dialog.SetValue(V::kSensibleRequired, 0);
  dialog.SetValue(V::kHeatingRequired, 0);
  EXPECT_FALSE(dialog.Accept());
  EXPECT_EQ(LastShown(), Ansi("Хотя бы одна из указанных мощностей должна быть заполнена"));
  EXPECT_EQ(dialog.FocusedValue(), V::kTotalRequired);
  // By hand the requirements are hidden and not checked.
  dialog.SetManual(true);
  EXPECT_TRUE(dialog.Accept());
  EXPECT_DOUBLE_EQ(unit->GetCoolIndoorTemp(), 26);
  // An empty name is refused.
  dialog.SetName("");
  EXPECT_FALSE(dialog.Accept());
  EXPECT_EQ(dialog.FocusedControl(), CTIndoorDialog::Control::kName);
}

TEST_F(IndoorDialog, DryBulbAndWetBulbGiveTheHumidity) {
  preferences.indoorConditionType = 1;
  Cls_QsIndPlacement* unit = Unit();
  CTIndoorDialog dialog(core.Project(), *unit, false);
  EXPECT_TRUE(dialog.IsVisible(V::kCoolWetBulb));
  EXPECT_FALSE(dialog.IsVisible(V::kCoolHumidity));
  dialog.SetValue(V::kCoolDryBulb, 27);
  dialog.SetValue(V::kCoolWetBulb, 19);
  ASSERT_TRUE(dialog.Accept()) << LastShown();
  EXPECT_DOUBLE_EQ(unit->GetCoolIndoorTemp(), 27);
  EXPECT_NEAR(unit->GetCoolIndoorRH(), 47.4, 0.1);
  // A wet bulb below its range.
  dialog.SetValue(V::kCoolWetBulb, 5);
  EXPECT_FALSE(dialog.Accept());
  EXPECT_EQ(dialog.FocusedValue(), V::kCoolWetBulb);
}

TEST_F(IndoorDialog, AddingKeepsAddingUntilClosed) {
  const std::size_t before = core.Project().GetIndoorPlacements().size();
  CTIndoorDialog dialog(core.Project(), [&] { return core.Project().AddIndoorPlacement(); });
  EXPECT_EQ(dialog.OkCaption(), Ansi("&Добавить"));
  dialog.SetValue(V::kTotalRequired, 4);
  ASSERT_TRUE(dialog.Accept()) << LastShown();
  ASSERT_TRUE(dialog.Accept()) << LastShown();
  EXPECT_EQ(dialog.Added().size(), 2u);
  EXPECT_EQ(core.Project().GetIndoorPlacements().size(), before + 3);
  // The last one was never added: closing deletes it.
  dialog.Close();
  EXPECT_EQ(core.Project().GetIndoorPlacements().size(), before + 2);
  EXPECT_DOUBLE_EQ(dialog.Added()[1]->GetCoolCapReqTotal(), 4);
}

TEST_F(IndoorDialog, EditingSeveralWritesOnlyWhatTheUserChanged) {
  std::vector<Cls_QsIndPlacement*> units{Unit(24), Unit(24), Unit(26)};
  CTIndoorDialog dialog(core.Project(), units);
  EXPECT_FALSE(dialog.NameVisible());
  EXPECT_TRUE(dialog.IsMarked(V::kCoolDryBulb));
  EXPECT_TRUE(dialog.IsMarked(V::kCoolWetBulb));
  EXPECT_FALSE(dialog.IsMarked(V::kCoolHumidity));
  EXPECT_DOUBLE_EQ(dialog.GetValue(V::kCoolDryBulb), 24);
  dialog.SetValue(V::kHeatDryBulb, 22);
  ASSERT_TRUE(dialog.Accept()) << LastShown();
  EXPECT_DOUBLE_EQ(units[0]->GetCoolIndoorTemp(), 24);
  EXPECT_DOUBLE_EQ(units[2]->GetCoolIndoorTemp(), 26);
  for (Cls_QsIndPlacement* unit : units) EXPECT_DOUBLE_EQ(unit->GetHeatIndoorTemp(), 22);
}

}  // namespace
