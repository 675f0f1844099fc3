#pragma once

#include <QDialog>
#include <string>
#include <vector>

class Cls_QsOutPlacement;
class QComboBox;
class QDoubleSpinBox;

// A simple form for the values a system's selection needs (series, family, target ratio, design
// outdoor temperatures, estimated piping lengths and the level of the outdoor unit), until the
// outdoor dialog replaces it. OK writes them into the system.
class TSystemForm : public QDialog {
 public:
  TSystemForm(Cls_QsOutPlacement& system, const std::vector<std::string>& seriesNames,
              QWidget* parent = nullptr);

  void accept() override;

 private:
  Cls_QsOutPlacement& system_;
  QComboBox* series_ = nullptr;
  QComboBox* family_ = nullptr;
  QDoubleSpinBox* ratio_ = nullptr;
  QDoubleSpinBox* coolOutdoor_ = nullptr;
  QDoubleSpinBox* heatOutdoor_ = nullptr;
  QDoubleSpinBox* pipingLength_ = nullptr;
  QDoubleSpinBox* distance_ = nullptr;
  QDoubleSpinBox* height_ = nullptr;
};
