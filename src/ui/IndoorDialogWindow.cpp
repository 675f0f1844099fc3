#include "ui/IndoorDialogWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "i18n/DialogCaptions.h"
#include "platform/CodePage.h"
#include "ui/DimValueWidget.h"
#include "ui/MessageBoxDialog.h"
#include "ui/QtText.h"

namespace {

using V = CTIndoorDialog::Value;

struct LTValueControl {
  V value;
  const char* title;  // UTF-8
  U_RepUnit dimension;
};
constexpr LTValueControl kValueControls[] = {
    {V::kCoolDryBulb, "DBT", U_Temperature},
    {V::kCoolHumidity, "RH %", U_None},
    {V::kCoolWetBulb, "WBT", U_Temperature},
    {V::kSensibleRequired, "Треб. ощутимая мощность", U_Power},
    {V::kTotalRequired, "Треб. суммарная мощность", U_Power},
    {V::kHeatDryBulb, "DBT", U_Temperature},
    {V::kHeatingRequired, "Требуемая мощность", U_Power},
};

}  // namespace

TDlgQsIndPlacement::TDlgQsIndPlacement(std::unique_ptr<CTIndoorDialog> logic, QWidget* parent)
    : QDialog(parent), logic_(std::move(logic)) {
  setFont(DialogFont());
  setWindowTitle(FromProgramText(logic_->WindowCaption()));
  name_ = new QLineEdit(FromProgramText(logic_->Name()));
  name_->setObjectName(QStringLiteral("Txt_Name"));
  family_ = new QComboBox;
  family_->setObjectName(QStringLiteral("Cmb_IUFam"));
  manual_ = new QCheckBox(QString::fromUtf8("Ручной выбор"));
  manual_->setObjectName(QStringLiteral("Chb_Manual"));
  model_ = new QComboBox;
  model_->setObjectName(QStringLiteral("Cmb_Model"));
  modelLabel_ = new QLabel;
  modelLabel_->setObjectName(QStringLiteral("Lbl_Model"));

  auto* top = new QFormLayout;
  top->addRow(QString::fromUtf8("Название"), name_);
  top->addRow(QString::fromUtf8("Серии"), new QLabel(FromProgramText(logic_->Series())));
  top->addRow(QString::fromUtf8("Система"), family_);
  top->addRow(QString(), manual_);
  auto* modelRow = new QHBoxLayout;
  modelRow->addWidget(model_, 1);
  modelRow->addWidget(modelLabel_, 1);
  top->addRow(QString::fromUtf8("Фанкойл"), modelRow);

  auto* design = new QGroupBox(QString::fromUtf8("Критерий для расчета"));
  auto* designLayout = new QVBoxLayout(design);
  designLayout->addWidget(new QLabel(QString::fromUtf8("Охлаждение")));
  for (const LTValueControl& c : kValueControls) {
    if (c.value == V::kHeatDryBulb) {
      designLayout->addWidget(new QLabel(QString::fromUtf8("Обогрев")));
    }
    auto* control = new TDimValue(Cp1251FromUtf8(c.title), c.dimension);
    control->SetValue(logic_->GetValue(c.value));
    if (logic_->IsMarked(c.value)) control->Edit().setStyleSheet(QStringLiteral("color: #800000"));
    values_.push_back(control);
    designLayout->addWidget(control);
  }

  ok_ = new QPushButton(logic_->OkCaption().empty() ? FromProgramText(ButtonCaption(kBtnOK))
                                                    : FromProgramText(logic_->OkCaption()));
  ok_->setObjectName(QStringLiteral("Btn_OK"));
  auto* cancel =
      new QPushButton(logic_->CancelCaption().empty() ? FromProgramText(ButtonCaption(kBtnCancel))
                                                      : FromProgramText(logic_->CancelCaption()));
  cancel->setObjectName(QStringLiteral("Btn_Cancel"));
  cancel->setVisible(!logic_->ReadOnly());
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(design);
  layout->addLayout(buttons);
  name_->setVisible(logic_->NameVisible());

  connect(ok_, &QPushButton::clicked, this, [this] { Ok(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(family_, &QComboBox::activated, this, [this](int index) {
    logic_->ChooseFamily(index);
    FillLists();
    Layout();
  });
  connect(model_, &QComboBox::activated, this, [this](int index) {
    logic_->ChooseModel(index);
    Layout();
  });
  connect(manual_, &QCheckBox::clicked, this, [this](bool checked) {
    logic_->SetManual(checked);
    FillLists();
    Layout();
  });
  for (std::size_t i = 0; i < values_.size(); ++i) {
    connect(&values_[i]->Edit(), &QLineEdit::textEdited, this,
            [this, i] { values_[i]->Edit().setStyleSheet(QString()); });
  }
  FillLists();
  Layout();
}

TDlgQsIndPlacement::~TDlgQsIndPlacement() = default;

void TDlgQsIndPlacement::FillLists() {
  filling_ = true;
  family_->clear();
  for (const auto& item : logic_->Families()) family_->addItem(FromProgramText(item.text));
  family_->setCurrentIndex(logic_->SelectedFamily());
  model_->clear();
  for (const auto& item : logic_->Models()) model_->addItem(FromProgramText(item.text));
  model_->setCurrentIndex(logic_->SelectedModel());
  manual_->setCheckState(logic_->GetManual() == CTIndoorDialog::Manual::kChecked ? Qt::Checked
                         : logic_->GetManual() == CTIndoorDialog::Manual::kGreyed
                             ? Qt::PartiallyChecked
                             : Qt::Unchecked);
  filling_ = false;
}

void TDlgQsIndPlacement::Layout() {
  model_->setVisible(logic_->ModelListVisible());
  modelLabel_->setVisible(!logic_->ModelListVisible());
  modelLabel_->setText(FromProgramText(logic_->ModelLabel()));
  for (std::size_t i = 0; i < values_.size(); ++i) {
    values_[i]->setVisible(logic_->IsVisible(kValueControls[i].value));
  }
  adjustSize();
}

void TDlgQsIndPlacement::ReadControls() {
  logic_->SetName(ToProgramText(name_->text()));
  for (std::size_t i = 0; i < values_.size(); ++i) {
    // A marked value the user did not touch stays marked (and is not written).
    if (!values_[i]->Model().Modified() && logic_->IsMarked(kValueControls[i].value)) continue;
    logic_->SetValue(kValueControls[i].value, values_[i]->Value());
  }
}

void TDlgQsIndPlacement::Ok() {
  ReadControls();
  if (!logic_->Accept()) {
    switch (logic_->FocusedControl()) {
      case CTIndoorDialog::Control::kName:
        name_->setFocus();
        break;
      case CTIndoorDialog::Control::kFamily:
        family_->setFocus();
        break;
      case CTIndoorDialog::Control::kModel:
        model_->setFocus();
        break;
      case CTIndoorDialog::Control::kValue:
        values_[static_cast<std::size_t>(logic_->FocusedValue())]->Edit().setFocus();
        break;
      case CTIndoorDialog::Control::kNone:
        break;
    }
    return;
  }
  if (logic_->GetMode() != CTIndoorDialog::Mode::kAdd) {
    accept();
    return;
  }
  if (onAdded && !logic_->Added().empty()) onAdded(*logic_->Added().back());
  name_->setText(FromProgramText(logic_->Name()));
  name_->setFocus();
  name_->selectAll();
}

void TDlgQsIndPlacement::done(int result) {
  logic_->Close();
  QDialog::done(result);
}
