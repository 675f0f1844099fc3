// The message dialogs as windows: shown modally on the offscreen platform, answered by clicking
// their buttons, and grabbed to look at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "i18n/DialogCaptions.h"
#include "i18n/InputTextRules.h"
#include "i18n/NumberText.h"
#include "support/TestSupport.h"
#include "ui/QtMessageUi.h"
#include "ui/QtText.h"

namespace {

using testsupport::Ansi;

// Where the grabs of the windows go, to be looked at.
std::string ArtifactPath(const std::string& name) {
  std::filesystem::create_directories(QRN_UI_ARTIFACTS);
  return std::string(QRN_UI_ARTIFACTS) + "/" + name;
}

// Runs act on the modal dialog once it is shown.
void WhenShown(std::function<void(QWidget&)> act) {
  QTimer::singleShot(0, [act] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    act(*dialog);
  });
}

QPushButton* Button(QWidget& dialog, unsigned flag) {
  return dialog.findChild<QPushButton*>(QStringLiteral("button%1").arg(flag));
}

TEST(MessageDialogsUi, AQuestionShowsItsButtonsInRowOrderAndAnswers) {
  CTQtMessageUi ui;
  std::vector<int> positions;
  QString title;
  WhenShown([&](QWidget& dialog) {
    title = dialog.windowTitle();
    for (unsigned flag : {kBtnYes, kBtnNo, kBtnCancel}) {
      QPushButton* b = Button(dialog, flag);
      ASSERT_NE(b, nullptr) << flag;
      positions.push_back(b->mapTo(&dialog, QPoint(0, 0)).x());
    }
    EXPECT_EQ(Button(dialog, kBtnOK), nullptr);
    EXPECT_NE(dialog.findChild<QLabel*>(QStringLiteral("icon")), nullptr);
    const QImage image = dialog.grab().toImage();
    image.save(QString::fromStdString(ArtifactPath("message-question.png")));
    Button(dialog, kBtnNo)->click();
  });
  const unsigned answer =
      ui.AskButtons(MsgTitle(TMsgKind::Confirmation), Ansi("Файл изменён. Сохранить изменения?"),
                    204, kBtnYes | kBtnNo | kBtnCancel);
  EXPECT_EQ(answer, kBtnNo);
  EXPECT_EQ(title, QString::fromUtf8("Подтвердить"));
  ASSERT_EQ(positions.size(), 3u);
  EXPECT_LT(positions[0], positions[1]);
  EXPECT_LT(positions[1], positions[2]);

  // Closing the window answers nothing.
  WhenShown([](QWidget& dialog) { dialog.close(); });
  EXPECT_EQ(ui.AskButtons("t", "x", 0, kBtnYes | kBtnNo), 0u);
}

TEST(MessageDialogsUi, ALongMessageIsWrappedWithinTheStartWidth) {
  CTQtMessageUi ui;
  QString text;
  int width = 0;
  WhenShown([&](QWidget& dialog) {
    text = dialog.findChild<QLabel*>(QStringLiteral("text"))->text();
    width = dialog.width();
    const QImage image = dialog.grab().toImage();
    image.save(QString::fromStdString(ArtifactPath("message-error.png")));
    Button(dialog, kBtnOK)->click();
  });
  std::string message;
  for (int i = 0; i < 30; ++i) message += Ansi("Длинное сообщение ");
  ui.ShowMessage(TMsgKind::Error, MsgTitle(TMsgKind::Error), message, 204);
  EXPECT_GT(text.count('\n'), 1);
  EXPECT_LE(width, 700);
  EXPECT_GE(width, 240);
}

TEST(MessageDialogsUi, InputFiltersTypingAndValidatesOnOk) {
  CTQtMessageUi ui;
  LTInputRequest request;
  request.title = "Value";
  request.prompt = Ansi("Длина");
  request.options = kInputNumericTyping;
  request.filter = [](const std::string& t) { return FilterTyping(t); };
  int refusals = 0;
  request.validate = [&](const std::string& t) {
    if (ParseValue(t) > 10) {
      ++refusals;
      return false;
    }
    return true;
  };
  WhenShown([](QWidget& dialog) {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("input"));
    ASSERT_NE(edit, nullptr);
    edit->clear();
    QTest::keyClicks(edit, "1x5");
    EXPECT_EQ(edit->text(), QStringLiteral("105"));
    Button(dialog, kBtnOK)->click();  // refused: the dialog stays open
    edit->setText(QString());
    QTest::keyClicks(edit, "7.5");
    Button(dialog, kBtnOK)->click();
  });
  const LTInputReply reply = ui.InputText(request);
  EXPECT_TRUE(reply.ok);
  EXPECT_EQ(reply.text, "7.5");
  EXPECT_EQ(refusals, 1);
}

TEST(MessageDialogsUi, ChoosingFromAList) {
  CTQtMessageUi ui;
  WhenShown([](QWidget& dialog) {
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("list"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->currentRow(), 0);
    list->setCurrentRow(2);
    Button(dialog, kBtnOK)->click();
  });
  EXPECT_EQ(ui.ChooseFromList("Pick", "one", {"a", Ansi("б"), "c"}, 204), 2);
  WhenShown([](QWidget& dialog) { Button(dialog, kBtnCancel)->click(); });
  EXPECT_EQ(ui.ChooseFromList("Pick", "one", {"a"}, 204), -1);
}

}  // namespace
