#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class CTQRNSolvoMainImpl;
class Cls_QsIndPlacement;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The indoor tab: the project's identity, its refrigerant, the award and the list of every
// indoor-side unit with its requirements and capacities; over the indoor tab's logic.
class TIndoorTabPage : public QWidget {
 public:
  explicit TIndoorTabPage(CTQRNSolvoMainImpl& core, QWidget* parent = nullptr);

  // Fills the tab from the current project.
  void Fill();
  // The units of the selected rows, in list order.
  std::vector<Cls_QsIndPlacement*> SelectedUnits() const;
  QTreeWidget& List() { return *list_; }
  // Adds units through the indoor dialog, and edits the selected ones in it.
  void AddUnits();
  void EditSelected();
  // Deletes the selected units by the tab's rules and refills.
  void DeleteSelected();
  // Moves the unit of row from before the unit of row to, as a drop does.
  void MoveRow(int from, int to);
  // Called after every change the tab makes to the design.
  std::function<void()> onDesignChanged;
  // Shows an error or warning text of the selected unit (empty: hides it).
  std::function<void(const std::string&)> onErrorText;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FillRows();
  void UpdateButtons();
  void IdentityEdited(int control, const QString& text);

  CTQRNSolvoMainImpl& core_;
  QLineEdit* name_ = nullptr;
  QLineEdit* reference_ = nullptr;
  QLineEdit* client_ = nullptr;
  QPlainTextEdit* address_ = nullptr;
  QComboBox* refrigerant_ = nullptr;
  QWidget* award_ = nullptr;
  QLabel* awardText_ = nullptr;
  QTreeWidget* list_ = nullptr;
  QPushButton* edit_ = nullptr;
  QPushButton* delete_ = nullptr;
  bool filling_ = false;
};
