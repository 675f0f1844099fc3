#pragma once

#include <QWidget>
#include <functional>
#include <string>

class CTQRNSolvoMainImpl;
class Cls_QsDevicePlacement;
class QFormLayout;
class QGroupBox;
class QListWidget;
class QPushButton;
class QTreeWidget;
class Cls_QsOutPlacement;
class TSystemForm;
struct LTProjectTreeNode;

// The outdoor tab: the project tree of systems, the units connected nowhere and the selection
// panel of the selected placement; over the outdoor tab's logic.
class TOutdoorTabPage : public QWidget {
 public:
  explicit TOutdoorTabPage(CTQRNSolvoMainImpl& core, QWidget* parent = nullptr);

  // Fills the tab from the current project (the tree after a recalculation).
  void Fill();
  QTreeWidget& Tree() { return *tree_; }
  QListWidget& Unconnected() { return *unconnected_; }
  QGroupBox& SelectionGroup() { return *selection_; }
  // The placement of the selected tree node; null when none.
  Cls_QsDevicePlacement* SelectedPlacement() const;
  // Selects the node of a placement; false when the tree has none.
  bool SelectPlacement(const Cls_QsDevicePlacement* placement);
  // The placement of the selected unconnected row; null when none.
  Cls_QsDevicePlacement* SelectedUnconnected() const;
  // Drops a placement onto one of the tree by the tree's rules and refills; false when refused.
  bool Drop(Cls_QsDevicePlacement& dragged, Cls_QsDevicePlacement& target);
  // Adds a system through the system form; a cancelled form discards it again.
  void AddSystem();
  // Edits the selected placement: a system in the system form, an indoor unit in its dialog.
  void EditSelected();
  // Told of every system form before it is shown (tests answer it).
  std::function<void(TSystemForm&)> onSystemForm;
  // Deletes the selected placement by the project's rules and refills.
  void DeleteSelected();
  std::function<void()> onDesignChanged;
  std::function<void(const std::string&)> onErrorText;

 private:
  void UpdateButtons();
  bool EditSystem(Cls_QsOutPlacement& system);

  CTQRNSolvoMainImpl& core_;
  QTreeWidget* tree_ = nullptr;
  QListWidget* unconnected_ = nullptr;
  QGroupBox* selection_ = nullptr;
  QFormLayout* rows_ = nullptr;
  QPushButton* edit_ = nullptr;
  QPushButton* delete_ = nullptr;
};
