#include "ui/DimValueWidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "ui/QtText.h"

TDimValue::TDimValue(const std::string& title, U_RepUnit dimension, QWidget* parent)
    : QWidget(parent) {
  title_ = new QLabel(FromProgramText(title));
  title_->setMinimumWidth(90);
  unit_ = new QLabel;
  unit_->setMinimumWidth(50);
  unit_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  edit_ = new QLineEdit;
  edit_->setFixedWidth(72);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  layout->addWidget(title_);
  layout->addWidget(unit_);
  layout->addWidget(edit_);
  model_.onDisplay = [this] { Show(); };
  // What the user types is filtered as it is typed, the caret kept.
  connect(edit_, &QLineEdit::textEdited, this, [this](const QString& text) {
    int caret = edit_->cursorPosition();
    model_.Type(ToProgramText(text), caret);
    const QString filtered = FromProgramText(model_.Text());
    if (filtered != text) {
      edit_->setText(filtered);
      edit_->setCursorPosition(caret);
    }
  });
  connect(edit_, &QLineEdit::editingFinished, this, [this] { model_.Leave(); });
  model_.SetUnitId(dimension);
}

void TDimValue::Show() {
  // A plain number (a humidity in per cent, its title says so) has no unit to show.
  unit_->setText(model_.UnitId() == U_None ? QString() : FromProgramText(model_.UnitName()));
  const QString text = FromProgramText(model_.Text());
  if (edit_->text() != text) edit_->setText(text);
}
