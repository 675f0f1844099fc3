// The main window over the application core on the offscreen platform: caption, tabs and the
// refusal of tabs the design has not reached, and a look at it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>

#include <QGroupBox>
#include <QListWidget>
#include "app/QRNSolvoMain.h"
#include "design/Preferences.h"
#include "design/QsIndPlacement.h"
#include "design/QsOutPlacement.h"
#include "i18n/HeadlessMessageUi.h"
#include "i18n/MessageButtons.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"
#include "ui/DimValueWidget.h"
#include "ui/IndoorDialogWindow.h"
#include "ui/IndoorTabPage.h"
#include "ui/MainWindow.h"
#include "ui/OutdoorTabPage.h"
#include "ui/SystemForm.h"

namespace {

// The desktop program on settings of its own, started to a new project: the core with the main
// window as its front end and a headless message front end.
class MainWindowUi : public ::testing::Test {
 protected:
  void SetUp() override {
    core.SetFrontEnd(&window);
    ASSERT_EQ(core.StartUp({}), TStartUpResult::kRunning);
  }
  void TearDown() override {
    core.SetModified(false);
    window.close();
    core.SetFrontEnd(nullptr);
  }

  testsupport::TempDir dir;
  CTSettingsStore settings{dir.File("user.txt"), dir.File("machine.txt")};
  CTScopedProcessSettings scopedSettings{settings};
  CTHeadlessMessageUi messages;
  CTScopedMessageUi scopedMessages{messages};
  CTPreferences preferences;
  CTScopedPreferences scopedPreferences{preferences};
  CTQRNSolvoMainImpl core;
  TFrmQRNSolvoMain window{core};
};

TEST_F(MainWindowUi, TabsOpenAsTheDesignAllows) {
  window.RefreshState();
  window.show();
  QApplication::processEvents();
  EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("QRN Solvo - ")))
      << window.windowTitle().toStdString();
  QTabWidget& tabs = window.Tabs();
  ASSERT_EQ(tabs.count(), 6);
  EXPECT_EQ(tabs.tabText(0), QString::fromUtf8("Внутренние Блоки"));
  EXPECT_EQ(tabs.tabText(5), QString::fromUtf8("Отчеты"));

  // The piping tab is refused: back to the indoor tab.
  tabs.setCurrentIndex(2);
  EXPECT_EQ(tabs.currentIndex(), 0);

  // A system with a unit that finds its models opens every tab.
  Cls_QsOutPlacement* system = core.Project().AddOutdoorPlacement();
  system->SetSeries("QOH");
  system->SetFamily(1);
  system->Post();
  Cls_QsIndPlacement* unit = core.Project().AddIndoorPlacement();
  unit->SetSeries("QRN");
  unit->SetFamily("CF");
  unit->SetCoolCapReqTotal(12);
  unit->SetCoolCapReqSensible(0);
  unit->SetHeatCapReq(0);
  unit->Post();
  system->ConnectPlacement(unit, system, nullptr);
  core.RecalculateProject();
  window.RefreshState();
  EXPECT_TRUE(window.isWindowModified());
  tabs.setCurrentIndex(2);
  EXPECT_EQ(tabs.currentIndex(), 2);

  // The indoor tab lists the unit with its model and capacities.
  window.Tabs().setCurrentIndex(0);
  QTreeWidget& list = window.IndoorPage().List();
  ASSERT_EQ(list.topLevelItemCount(), 1);
  ASSERT_NE(unit->GetModel(), nullptr);
  EXPECT_EQ(list.topLevelItem(0)->text(1).toStdString(), unit->GetModel()->Name());
  EXPECT_FALSE(list.topLevelItem(0)->text(4).isEmpty());
  // A second unit, not connected; the Delete key on it deletes it without a question.
  Cls_QsIndPlacement* loose = core.Project().AddIndoorPlacement();
  loose->SetFamily("CF");
  loose->Post();
  core.RecalculateProject();
  window.IndoorPage().Fill();
  ASSERT_EQ(list.topLevelItemCount(), 2);

  const std::string artifacts = QRN_UI_ARTIFACTS;
  std::filesystem::create_directories(artifacts);
  window.grab().toImage().save(QString::fromStdString(artifacts + "/indoor-tab.png"));
  list.topLevelItem(1)->setSelected(true);
  QTest::keyRelease(&list, Qt::Key_Delete);
  EXPECT_EQ(list.topLevelItemCount(), 1);
  EXPECT_TRUE(messages.Shown().empty());
  // The connected unit asks first: No keeps it.
  list.topLevelItem(0)->setSelected(true);
  messages.ScriptButton(kBtnNo);
  QTest::keyRelease(&list, Qt::Key_Delete);
  EXPECT_EQ(list.topLevelItemCount(), 1);
  EXPECT_EQ(messages.Shown().size(), 1u);
  window.Tabs().setCurrentIndex(2);

  window.grab().toImage().save(QString::fromStdString(artifacts + "/main-window.png"));

  // The outdoor tab: the system with its unit, and the selection panel of the system.
  window.Tabs().setCurrentIndex(1);
  QTreeWidget& tree = window.OutdoorPage().Tree();
  ASSERT_EQ(tree.topLevelItemCount(), 1);
  EXPECT_EQ(tree.topLevelItem(0)->childCount(), 1);
  ASSERT_TRUE(window.OutdoorPage().SelectPlacement(system));
  EXPECT_TRUE(window.OutdoorPage().SelectionGroup().isVisible());
  EXPECT_FALSE(window.OutdoorPage().SelectionGroup().title().isEmpty());
  QApplication::processEvents();
  window.grab().toImage().save(QString::fromStdString(artifacts + "/outdoor-tab.png"));
}

TEST_F(MainWindowUi, AddingUnitsThroughTheIndoorDialog) {
  window.IndoorPage().Fill();
  window.show();

  const std::string artifacts = QRN_UI_ARTIFACTS;
  std::filesystem::create_directories(artifacts);
  int shots = 0;
  // Two units added, then the dialog closed.
  QTimer::singleShot(0, [&] {
    TDlgQsIndPlacement* dialog = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* d = dynamic_cast<TDlgQsIndPlacement*>(w); d && d->isVisible()) dialog = d;
    }
    ASSERT_NE(dialog, nullptr);
    dialog->grab().toImage().save(QString::fromStdString(artifacts + "/indoor-dialog.png"));
    ++shots;
    TDimValue& total = dialog->ValueControl(CTIndoorDialog::Value::kTotalRequired);
    QTest::keyClicks(&total.Edit(), "3.5");
    total.Edit().clear();
    QTest::keyClicks(&total.Edit(), "3.5");
    total.Model().Leave();
    dialog->Ok();
    dialog->Ok();
    dialog->reject();
  });
  window.IndoorPage().AddUnits();
  EXPECT_EQ(shots, 1);
  EXPECT_EQ(window.IndoorPage().List().topLevelItemCount(), 2);
  for (Cls_QsIndPlacement* unit : core.Project().GetIndoorPlacements()) {
    EXPECT_DOUBLE_EQ(unit->GetCoolCapReqTotal(), 3.5);
  }
  for (const auto& shown : messages.Shown()) ADD_FAILURE() << shown.text;

  // A system on the outdoor tab, and both units dropped onto it: they get their models.
  window.Tabs().setCurrentIndex(1);
  TOutdoorTabPage& outdoor = window.OutdoorPage();
  // The system form: cancelled, nothing is added; accepted, the system is there.
  outdoor.onSystemForm = [](TSystemForm& form) {
    QTimer::singleShot(0, &form, [&form] { form.reject(); });
  };
  outdoor.AddSystem();
  EXPECT_EQ(outdoor.Tree().topLevelItemCount(), 0);
  outdoor.onSystemForm = [&](TSystemForm& form) {
    QTimer::singleShot(0, &form, [&form, artifacts] {
      form.grab().toImage().save(QString::fromStdString(artifacts + "/system-form.png"));
      form.accept();
    });
  };
  outdoor.AddSystem();
  auto* system = dynamic_cast<Cls_QsOutPlacement*>(outdoor.SelectedPlacement());
  ASSERT_NE(system, nullptr);
  system->SetSeries("QOH");
  system->SetFamily(1);
  system->Post();
  EXPECT_EQ(outdoor.Unconnected().count(), 2);
  for (Cls_QsIndPlacement* unit : core.Project().GetIndoorPlacements()) {
    EXPECT_TRUE(outdoor.Drop(*unit, *system));
  }
  EXPECT_EQ(outdoor.Unconnected().count(), 0);
  ASSERT_EQ(outdoor.Tree().topLevelItemCount(), 1);
  EXPECT_EQ(outdoor.Tree().topLevelItem(0)->childCount(), 2);
  for (Cls_QsIndPlacement* unit : core.Project().GetIndoorPlacements()) {
    EXPECT_NE(unit->GetModel(), nullptr) << unit->GetErrorText();
  }
}

}  // namespace
