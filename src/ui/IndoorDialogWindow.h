#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

#include "design/IndoorDialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TDimValue;

// The indoor unit dialog window over the dialog's logic: name, series, family, manual choice and
// model, the room conditions and the required capacities.
class TDlgQsIndPlacement : public QDialog {
 public:
  TDlgQsIndPlacement(std::unique_ptr<CTIndoorDialog> logic, QWidget* parent = nullptr);
  ~TDlgQsIndPlacement() override;

  CTIndoorDialog& Logic() { return *logic_; }
  // The control of a value.
  TDimValue& ValueControl(CTIndoorDialog::Value value) {
    return *values_[static_cast<std::size_t>(value)];
  }
  // Told of every unit the add mode has added.
  std::function<void(Cls_QsIndPlacement&)> onAdded;
  // The OK (or add) action, as the button does it.
  void Ok();

 protected:
  void done(int result) override;

 private:
  void FillLists();
  void Layout();
  void ReadControls();

  std::unique_ptr<CTIndoorDialog> logic_;
  QLineEdit* name_ = nullptr;
  QComboBox* family_ = nullptr;
  QCheckBox* manual_ = nullptr;
  QComboBox* model_ = nullptr;
  QLabel* modelLabel_ = nullptr;
  std::vector<TDimValue*> values_;  // in CTIndoorDialog::Value order
  QPushButton* ok_ = nullptr;
  bool filling_ = false;
};
