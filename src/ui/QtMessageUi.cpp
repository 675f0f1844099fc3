#include "ui/QtMessageUi.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "i18n/DialogCaptions.h"
#include "i18n/InputTextRules.h"
#include "ui/MessageBoxDialog.h"
#include "ui/QtText.h"

QWidget* CTQtMessageUi::Parent() const {
  return parent_ ? parent_ : QApplication::activeWindow();
}

void CTQtMessageUi::ShowMessage(TMsgKind kind, const std::string& title, const std::string& text,
                                int) {
  TMsgBoxDialog dialog(kind, true, title, text, kBtnOK, Parent());
  dialog.exec();
}

unsigned CTQtMessageUi::AskButtons(const std::string& title, const std::string& text, int,
                                   TMsgButtons buttons) {
  TMsgBoxDialog dialog(TMsgKind::Confirmation, true, title, text, buttons, Parent());
  return static_cast<unsigned>(dialog.exec());
}

LTInputReply CTQtMessageUi::InputText(const LTInputRequest& request) {
  QDialog dialog(Parent());
  dialog.setWindowTitle(FromProgramText(request.title));
  dialog.setFont(DialogFont());
  auto* layout = new QVBoxLayout(&dialog);
  auto* prompt = new QLabel(FromProgramText(request.prompt));
  prompt->setWordWrap(true);
  layout->addWidget(prompt);
  auto* edit = new QLineEdit(FromProgramText(request.defaultText));
  edit->setObjectName(QStringLiteral("input"));
  layout->addWidget(edit);
  auto* buttons = new QDialogButtonBox;
  QPushButton* ok =
      buttons->addButton(FromProgramText(ButtonCaption(kBtnOK)), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("button%1").arg(kBtnOK));
  QPushButton* cancel =
      buttons->addButton(FromProgramText(ButtonCaption(kBtnCancel)), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("button%1").arg(kBtnCancel));
  layout->addWidget(buttons);
  const auto updateOk = [&] {
    ok->setEnabled(InputOkEnabled(request.options, ToProgramText(edit->text())));
  };
  // Typing is filtered as the user types, the caret kept where it was.
  QObject::connect(edit, &QLineEdit::textEdited, &dialog, [&](const QString& text) {
    if (request.filter) {
      const QString filtered = FromProgramText(request.filter(ToProgramText(text)));
      if (filtered != text) {
        const int caret = std::min(edit->cursorPosition(), static_cast<int>(filtered.size()));
        edit->setText(filtered);
        edit->setCursorPosition(caret);
      }
    }
    updateOk();
  });
  QObject::connect(ok, &QPushButton::clicked, &dialog, [&] {
    if (!request.validate || request.validate(ToProgramText(edit->text()))) dialog.accept();
  });
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  updateOk();
  const bool accepted = dialog.exec() == QDialog::Accepted;
  return {accepted, ToProgramText(edit->text())};
}

int CTQtMessageUi::ChooseFromList(const std::string& caption, const std::string& prompt,
                                  const std::vector<std::string>& items, int) {
  QDialog dialog(Parent());
  dialog.setWindowTitle(FromProgramText(caption));
  dialog.setFont(DialogFont());
  auto* layout = new QVBoxLayout(&dialog);
  auto* label = new QLabel(FromProgramText(prompt));
  label->setWordWrap(true);
  layout->addWidget(label);
  auto* list = new QListWidget;
  list->setObjectName(QStringLiteral("list"));
  for (const std::string& item : items) list->addItem(FromProgramText(item));
  if (!items.empty()) list->setCurrentRow(0);
  // As wide as the widest item, at least 216 pixels.
  list->setMinimumWidth(std::max(216, list->sizeHintForColumn(0) + 24));
  layout->addWidget(list);
  auto* buttons = new QDialogButtonBox;
  QPushButton* ok =
      buttons->addButton(FromProgramText(ButtonCaption(kBtnOK)), QDialogButtonBox::AcceptRole);
  QPushButton* cancel =
      buttons->addButton(FromProgramText(ButtonCaption(kBtnCancel)), QDialogButtonBox::RejectRole);
  ok->setObjectName(QStringLiteral("button%1").arg(kBtnOK));
  cancel->setObjectName(QStringLiteral("button%1").arg(kBtnCancel));
  layout->addWidget(buttons);
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
  if (dialog.exec() != QDialog::Accepted) return -1;
  return list->currentRow();
}

std::string CTQtMessageUi::ChooseFile(TFileDialogKind kind, const std::string& title,
                                      const std::string& filter, const std::string& defaultPath) {
  const QString path = QString::fromStdString(defaultPath);
  const QString chosen = kind == TFileDialogKind::Open
                             ? QFileDialog::getOpenFileName(Parent(), FromProgramText(title), path,
                                                            FromProgramText(filter))
                             : QFileDialog::getSaveFileName(Parent(), FromProgramText(title), path,
                                                            FromProgramText(filter));
  return chosen.toStdString();
}

std::string CTQtMessageUi::ChooseFolder(const std::string& title, const std::string& defaultPath) {
  return QFileDialog::getExistingDirectory(Parent(), FromProgramText(title),
                                           QString::fromStdString(defaultPath))
      .toStdString();
}
