#pragma once

#include <QMainWindow>
#include <array>
#include <memory>

#include "app/FrontEnd.h"

class CTQRNSolvoMainImpl;
class QPlainTextEdit;
class QTabWidget;
class TIndoorTabPage;
class TOutdoorTabPage;

// The main window: one tab per design step, the File and Help menus and the status bar, over
// the application core. It is the core's front end: the core sets its caption and tab images and
// asks it for files.
class TFrmQRNSolvoMain : public QMainWindow, public CTFrontEnd {
 public:
  explicit TFrmQRNSolvoMain(CTQRNSolvoMainImpl& core, QWidget* parent = nullptr);
  ~TFrmQRNSolvoMain() override;

  // -- CTFrontEnd ---------------------------------------------------------------------------------
  std::string ChooseOpenFile(const LTFileDialog& dialog) override;
  std::string ChooseSaveFile(const LTFileDialog& dialog, const std::string& suggested) override;
  void SetCaption(const std::string& caption) override;
  void SetTabImages(const std::array<int, kTabCount>& images) override;
  void ActivateTab(TQsTab tab) override;
  void RefillTab(TQsTab tab) override;
  void ClearProjectViews() override;

  QTabWidget& Tabs() { return *tabs_; }
  TIndoorTabPage& IndoorPage() { return *indoor_; }
  TOutdoorTabPage& OutdoorPage() { return *outdoor_; }
  // The error box of the status bar: one line, with a scroll bar when the text is longer.
  void ShowErrorBox(const std::string& text);
  // The commands of the File menu.
  void NewProject();
  void OpenProject();
  void SaveProject();
  void SaveProjectAs();
  // Shows the design's state: the tab images and the unsaved-changes mark in the title.
  void RefreshState();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void TabChanged(int index);

  CTQRNSolvoMainImpl& core_;
  QTabWidget* tabs_ = nullptr;
  QPlainTextEdit* errorBox_ = nullptr;
  TIndoorTabPage* indoor_ = nullptr;
  TOutdoorTabPage* outdoor_ = nullptr;
  std::array<int, kTabCount> images_{};
  int previousTab_ = 0;
  bool reverting_ = false;
};
