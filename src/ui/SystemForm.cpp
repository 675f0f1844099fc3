#include "ui/SystemForm.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPushButton>

#include "design/QsOutPlacement.h"
#include "i18n/DialogCaptions.h"
#include "i18n/TextCase.h"
#include "ui/MessageBoxDialog.h"
#include "ui/QtText.h"

namespace {

QDoubleSpinBox* Spin(double minimum, double maximum, double value, int decimals,
                     const QString& suffix) {
  auto* spin = new QDoubleSpinBox;
  spin->setRange(minimum, maximum);
  spin->setDecimals(decimals);
  spin->setValue(value);
  spin->setSuffix(suffix);
  return spin;
}

}  // namespace

TSystemForm::TSystemForm(Cls_QsOutPlacement& system, const std::vector<std::string>& seriesNames,
                         QWidget* parent)
    : QDialog(parent), system_(system) {
  setFont(DialogFont());
  setWindowTitle(FromProgramText(system.Name()));
  series_ = new QComboBox;
  series_->setObjectName(QStringLiteral("Cmb_Series"));
  for (const std::string& name : seriesNames) {
    series_->addItem(FromProgramText(name));
    if (EqualNoCase(name, system.GetSeries())) series_->setCurrentIndex(series_->count() - 1);
  }
  family_ = new QComboBox;
  family_->setObjectName(QStringLiteral("Cmb_Family"));
  for (int family = 0; family < 3; ++family) {
    family_->addItem(FromProgramText(Cls_QsOutPlacement::FamilyName(family)));
  }
  family_->setCurrentIndex(std::clamp(system.GetFamily(), 0, 2));
  const QString celsius = QString::fromUtf8(" °C");
  const QString metres = QString::fromUtf8(" м");
  ratio_ = Spin(50, 200, system.GetSelCombination(), 0, QStringLiteral(" %"));
  coolOutdoor_ = Spin(-10, 52, system.GetCoolOutdoorTemp(), 1, celsius);
  heatOutdoor_ = Spin(-30, 20, system.GetHeatOutdoorTemp(), 1, celsius);
  pipingLength_ = Spin(1, 300, system.GetPipingLength(), 1, metres);
  distance_ = Spin(0, 150, system.GetDistBranchToIndoors(), 1, metres);
  height_ = Spin(-100, 100, system.GetPipingHeightDiff(), 1, metres);

  auto* form = new QFormLayout(this);
  form->addRow(QString::fromUtf8("Серии"), series_);
  form->addRow(QString::fromUtf8("Система"), family_);
  form->addRow(QString::fromUtf8("Коэффициент соединения"), ratio_);
  form->addRow(QString::fromUtf8("Т. наружн. воздуха при охлажд."), coolOutdoor_);
  form->addRow(QString::fromUtf8("Т. наружн. воздуха при обогреве"), heatOutdoor_);
  form->addRow(QString::fromUtf8("Длина трубопровода"), pipingLength_);
  form->addRow(QString::fromUtf8("От первого ответвителя"), distance_);
  form->addRow(QString::fromUtf8("Наружный блок выше (+) / ниже (-)"), height_);
  auto* buttons = new QDialogButtonBox;
  QPushButton* ok =
      buttons->addButton(FromProgramText(ButtonCaption(kBtnOK)), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("Btn_OK"));
  QPushButton* cancel =
      buttons->addButton(FromProgramText(ButtonCaption(kBtnCancel)), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("Btn_Cancel"));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  form->addRow(buttons);
}

void TSystemForm::accept() {
  if (series_->currentIndex() >= 0) system_.SetSeries(ToProgramText(series_->currentText()));
  system_.SetFamily(family_->currentIndex());
  system_.SetSelCombination(ratio_->value());
  system_.SetCoolOutdoorTemp(coolOutdoor_->value());
  system_.SetHeatOutdoorTemp(heatOutdoor_->value());
  // The length to the first branch cannot exceed the whole length.
  system_.SetPipingLength(pipingLength_->value());
  system_.SetDistBranchToIndoors(std::min(distance_->value(), pipingLength_->value()));
  system_.SetPipingHeightDiff(height_->value());
  system_.Post();
  QDialog::accept();
}
