// The main window over the application core on the offscreen platform: caption, tabs and the
// refusal of tabs the design has not reached, and a look at it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTabWidget>
#include <filesystem>

#include "app/QRNSolvoMain.h"
#include "design/Preferences.h"
#include "design/QsIndPlacement.h"
#include "design/QsOutPlacement.h"
#include "i18n/HeadlessMessageUi.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"
#include "ui/MainWindow.h"

namespace {

TEST(MainWindowUi, TabsOpenAsTheDesignAllows) {
  testsupport::TempDir dir;
  CTSettingsStore settings(dir.File("user.txt"), dir.File("machine.txt"));
  CTScopedProcessSettings scopedSettings(settings);
  CTHeadlessMessageUi messages;
  CTScopedMessageUi scopedMessages(messages);
  CTPreferences preferences;
  CTScopedPreferences scopedPreferences(preferences);

  CTQRNSolvoMainImpl core;
  TFrmQRNSolvoMain window(core);
  core.SetFrontEnd(&window);
  ASSERT_EQ(core.StartUp({}), TStartUpResult::kRunning);
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

  const std::string artifacts = QRN_UI_ARTIFACTS;
  std::filesystem::create_directories(artifacts);
  window.grab().toImage().save(QString::fromStdString(artifacts + "/main-window.png"));
  core.SetModified(false);
  window.close();
  core.SetFrontEnd(nullptr);
}

}  // namespace
