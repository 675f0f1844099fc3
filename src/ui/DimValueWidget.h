#pragma once

#include <QWidget>
#include <string>

#include "i18n/DimValue.h"

class QLabel;
class QLineEdit;

// The dimensioned value control: title, unit label and edit box in one row, over the control's
// logic (value in the base unit, shown in the display unit).
class TDimValue : public QWidget {
 public:
  explicit TDimValue(const std::string& title, U_RepUnit dimension, QWidget* parent = nullptr);

  CTDimValue& Model() { return model_; }
  double Value() const { return model_.Value(); }
  void SetValue(double base) { model_.SetValue(base); }
  QLineEdit& Edit() { return *edit_; }
  QLabel& Title() { return *title_; }

 private:
  void Show();

  CTDimValue model_;
  QLabel* title_ = nullptr;
  QLabel* unit_ = nullptr;
  QLineEdit* edit_ = nullptr;
};
