#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "I18nTestFixture.h"
#include "i18n/DialogCaptions.h"
#include "i18n/MessageUi.h"
#include "platform/CodePage.h"
#include "support/TestSupport.h"

using testsupport::Ansi;

namespace {

constexpr TInputOptions kNumeric = kInputNumericTyping | kInputNumericValidation;

TEST_F(I18nTest, MessageBoxesShowTheirKindTitleTextAndCharset) {
  const struct {
    void (*show)(int, const CTMsgList&);
    TShownKind kind;
    const char* title;
  } cases[] = {
      {TBaseMsg::ShowError, TShownKind::Error, "Ошибка"},
      {TBaseMsg::ShowWarning, TShownKind::Warning, "Предупреждение"},
      {TBaseMsg::ShowInfo, TShownKind::Info, "Информация"},
  };
  for (const auto& c : cases) {
    c.show(5002, {"Main", "17"});
    c.show(-2, {"a.qrn"});
  }
  const auto& shown = ui_.Shown();
  ASSERT_EQ(shown.size(), 6u);
  for (std::size_t i = 0; i < 3; ++i) {
    for (const LTShownDialog& dialog : {shown[2 * i], shown[2 * i + 1]}) {
      EXPECT_EQ(dialog.kind, cases[i].kind);
      EXPECT_EQ(dialog.title, Ansi(cases[i].title));
      EXPECT_EQ(dialog.buttons, kBtnOK);
    }
    EXPECT_EQ(shown[2 * i].text, Ansi("Ошибка в базе данных 'Main', код = 17."));
    EXPECT_EQ(shown[2 * i].charset, kCyrillicCharset);
    EXPECT_EQ(shown[2 * i + 1].text, Ansi("Невозможно открыть файл a.qrn"));
    EXPECT_EQ(shown[2 * i + 1].charset, 0);
  }
}

TEST_F(I18nTest, AskWithYesNoCancelAnswersByThePressedButton) {
  const struct {
    bool scripted;
    unsigned pressed;
    int answer;
  } cases[] = {
      {true, kBtnYes, kAnsYes},
      {true, kBtnNo, kAnsNo},
      {true, kBtnCancel, kAnsCancel},
      {false, 0, kAnsCancel},      // script exhausted: the window is closed
      {true, kBtnOK, kAnsCancel},  // not offered, so it counts as closing
      {true, kBtnYes | kBtnNo, kAnsCancel},
  };
  for (const auto& c : cases) {
    if (c.scripted) ui_.ScriptButton(c.pressed);
    EXPECT_EQ(TBaseMsg::Ask(10091, kBtnYes | kBtnNo | kBtnCancel), c.answer) << c.pressed;
    const LTShownDialog& dialog = ui_.Shown().back();
    EXPECT_EQ(dialog.kind, TShownKind::Question);
    EXPECT_EQ(dialog.title, Ansi("Подтвердить"));
    EXPECT_EQ(dialog.buttons, 11u);
  }
  EXPECT_EQ(VisibleButtons(11), (std::vector<TMsgButton>{kBtnYes, kBtnNo, kBtnCancel}));
}

TEST(MessageButtonsTest, PressedButtonsMapToAnswers) {
  const struct {
    unsigned pressed;
    TMsgAnswer answer;
  } cases[] = {
      {kBtnOK, kAnsOK},
      {kBtnCancel, kAnsCancel},
      {kBtnAbort, kAnsAbort},
      {kBtnRetry, kAnsRetry},
      {kBtnIgnore, kAnsIgnore},
      {kBtnYes, kAnsYes},
      {kBtnNo, kAnsNo},
      {kBtnAll, kAnsOK},
      {kBtnYesToAll, kAnsOK},
      {kBtnNoToAll, kAnsCancel},
      {0, kAnsCancel},
      {kBtnHelp, kAnsNone},
      {kBtnYes | kBtnNo, kAnsNone},
      {2048, kAnsNone},
  };
  for (const auto& c : cases) EXPECT_EQ(AnswerOfButton(c.pressed), c.answer) << c.pressed;
}

TEST(MessageButtonsTest, ButtonRowOrder) {
  const std::vector<TMsgButton> all = VisibleButtons(2047);
  EXPECT_EQ(all,
            (std::vector<TMsgButton>{kBtnOK, kBtnYes, kBtnYesToAll, kBtnNo, kBtnNoToAll, kBtnAll,
                                     kBtnAbort, kBtnRetry, kBtnIgnore, kBtnCancel, kBtnHelp}));
  EXPECT_EQ(VisibleButtons(kBtnCancel | kBtnOK | kBtnHelp),
            (std::vector<TMsgButton>{kBtnOK, kBtnCancel, kBtnHelp}));
}

TEST_F(I18nTest, InputTextRefusesANonIntegerAndStaysOpen) {
  ui_.ScriptInputOk("12a");
  ui_.ScriptInputOk(" 15 ");
  const LTInputAnswer answer = TBaseMsg::InputText(10088, 10096, "1", kNumeric);
  EXPECT_TRUE(answer.accepted);
  EXPECT_EQ(answer.text, "15");
  ASSERT_EQ(ui_.Shown().size(), 2u);
  const LTShownDialog& input = ui_.Shown()[0];
  EXPECT_EQ(input.kind, TShownKind::Input);
  EXPECT_EQ(input.title, Ansi("Внесите название"));
  EXPECT_EQ(input.text, Ansi("Индекс мощности"));
  EXPECT_EQ(input.defaultText, "1");
  const LTShownDialog& refusal = ui_.Shown()[1];
  EXPECT_EQ(refusal.kind, TShownKind::Error);
  EXPECT_EQ(refusal.text, Ansi("12a неверное целое число"));
  EXPECT_TRUE(ui_.ScriptUsed());
}

TEST_F(I18nTest, InputTextRefusesNegativeAndZeroValuesWithTheirMessages) {
  ui_.ScriptInputOk("-5");
  ui_.ScriptInputOk("0");
  ui_.ScriptInputCancel();
  const LTInputAnswer answer = TBaseMsg::InputText(10088, 10096, "", kNumeric);
  EXPECT_FALSE(answer.accepted);
  EXPECT_EQ(answer.text, "");
  ASSERT_EQ(ui_.Shown().size(), 3u);
  EXPECT_EQ(ui_.Shown()[1].text, Ansi("-5 неверное положительное число"));
  EXPECT_EQ(ui_.Shown()[2].text, Ansi("0 неверное положительное число"));
}

TEST_F(I18nTest, InputTextFillsTitleAndPromptAndTrimsTheAnswer) {
  ui_.ScriptInputOk("  ");  // OK is disabled for a blank text: the dialog stays open
  ui_.ScriptInputOk("  Floor 2 ");
  const LTInputAnswer answer = TBaseMsg::InputText(-1, -2, "x", 0, {"a.qrn"});
  EXPECT_TRUE(answer.accepted);
  EXPECT_EQ(answer.text, "Floor 2");
  ASSERT_EQ(ui_.Shown().size(), 1u);
  EXPECT_EQ(ui_.Shown()[0].title, Ansi("Файл a.qrn не найден"));
  EXPECT_EQ(ui_.Shown()[0].text, Ansi("Невозможно открыть файл a.qrn"));

  ui_.ScriptInputOk("  ");
  EXPECT_TRUE(TBaseMsg::InputText(-1, -2, "x", kInputEmptyAllowed).accepted);
  EXPECT_FALSE(TBaseMsg::InputText(-1, -2, "x", kInputEmptyAllowed).accepted);  // no script
}

// Records the request the input dialog gets and presses OK with a fixed text.
class CTRequestProbe : public CTHeadlessMessageUi {
 public:
  LTInputReply InputText(const LTInputRequest& request) override {
    request_ = request;
    return {true, reply};
  }
  std::string reply;
  LTInputRequest request_;
};

TEST_F(I18nTest, InputTextFiltersTypingAndValidatesOnlyWhenAsked) {
  CTRequestProbe probe;
  CTScopedMessageUi scoped(probe);
  probe.reply = "12a";

  TBaseMsg::InputText(10088, 10096, "", kNumeric | kInputZeroAllowed);
  ASSERT_TRUE(probe.request_.filter);
  EXPECT_EQ(probe.request_.filter("1.2.3e4e"), "1.203E40");
  EXPECT_EQ(probe.request_.options, kNumeric | kInputZeroAllowed);
  EXPECT_EQ(probe.request_.charset, 0);

  // The front end did not validate, so the unchecked reply comes back: validation is the front
  // end's call on OK, and with numeric typing alone the callback accepts anything.
  const LTInputAnswer answer = TBaseMsg::InputText(10088, 10096, "", kInputNumericTyping);
  EXPECT_EQ(answer.text, "12a");
  ASSERT_TRUE(probe.request_.validate);
  EXPECT_TRUE(probe.request_.validate("12a"));
  EXPECT_TRUE(probe.Shown().empty());

  TBaseMsg::InputText(10088, 10096, "", kInputNumericValidation);
  EXPECT_FALSE(probe.request_.filter);
}

struct LTItem {
  std::string name;
  int size;
};

TEST_F(I18nTest, ChooseListsTheAcceptedObjectsAndReturnsTheChosenOne) {
  LTItem a{"A", 1}, b{"B", 2}, c{"C", 3};
  const std::vector<LTItem*> objects = {&a, &b, &c};
  auto name = [](const LTItem& item) { return item.name; };
  auto large = [](const LTItem& item) { return item.size > 1; };

  ui_.ScriptChoice(1);
  EXPECT_EQ(TBaseMsg::Choose<LTItem>(-1, {"x"}, name, large, objects, {"y"}, -2), &c);
  const LTShownDialog& dialog = ui_.Shown().back();
  EXPECT_EQ(dialog.kind, TShownKind::Choice);
  EXPECT_EQ(dialog.title, Ansi("Файл x не найден"));
  EXPECT_EQ(dialog.text, Ansi("Невозможно открыть файл y"));
  EXPECT_EQ(dialog.items, (std::vector<std::string>{"B", "C"}));

  ui_.ScriptChoice(0);
  EXPECT_EQ(TBaseMsg::Choose<LTItem>(-1, {}, name, nullptr, objects, {}, -2), &a);
  EXPECT_EQ(ui_.Shown().back().items.size(), 3u);

  ui_.ScriptChoice(2);  // beyond the two listed items
  EXPECT_EQ(TBaseMsg::Choose<LTItem>(-1, {}, name, large, objects, {}, -2), nullptr);
  EXPECT_EQ(TBaseMsg::Choose<LTItem>(-1, {}, name, large, objects, {}, -2), nullptr);  // Cancel
}

TEST_F(I18nTest, FileAndFolderDialogsAnswerFromTheScript) {
  ui_.ScriptFile("/tmp/a.qrn");
  EXPECT_EQ(ui_.ChooseFile(TFileDialogKind::Save, "Save", "QRN Solvo (*.qrn)", "/tmp/b.qrn"),
            "/tmp/a.qrn");
  EXPECT_EQ(ui_.ChooseFile(TFileDialogKind::Open, "Open", "", ""), "");
  ui_.ScriptFolder("/tmp");
  EXPECT_EQ(ui_.ChooseFolder("Export", "/home"), "/tmp");
  EXPECT_EQ(ui_.ChooseFolder("Export", "/home"), "");

  const auto& shown = ui_.Shown();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].kind, TShownKind::SaveFile);
  EXPECT_EQ(shown[0].text, "QRN Solvo (*.qrn)");
  EXPECT_EQ(shown[0].defaultText, "/tmp/b.qrn");
  EXPECT_EQ(shown[1].kind, TShownKind::OpenFile);
  EXPECT_EQ(shown[2].kind, TShownKind::Folder);
  EXPECT_EQ(shown[2].defaultText, "/home");
}

TEST_F(I18nTest, WithoutAFrontEndEveryQuestionAnswersAsClosed) {
  CTMessageUi* previous = SetCurrentMessageUi(nullptr);
  EXPECT_EQ(previous, &ui_);
  EXPECT_EQ(TBaseMsg::Ask(10091, kBtnYes | kBtnNo), kAnsCancel);
  EXPECT_FALSE(TBaseMsg::InputText(10088, 10096, "x", 0).accepted);
  LTItem a{"A", 1};
  EXPECT_EQ(TBaseMsg::Choose<LTItem>(
                -1, {}, [](const LTItem&) { return ""; }, nullptr, {&a}, {}, -2),
            nullptr);
  TBaseMsg::ShowError(-1, {"x"});
  EXPECT_EQ(SetCurrentMessageUi(previous), nullptr);
  EXPECT_TRUE(ui_.Shown().empty());
}

TEST_F(I18nTest, HeadlessFrontEndEchoesShownTextsAsUtf8) {
  std::ostringstream echo;
  CTHeadlessMessageUi quiet(&echo, /*record=*/false);
  CTScopedMessageUi scoped(quiet);
  TBaseMsg::ShowError(-1, {"a.qrn"});
  TBaseMsg::Ask(5017, kBtnYes | kBtnNo, {"R1"});
  EXPECT_EQ(echo.str(),
            "Ошибка: Файл a.qrn не найден\n"
            "Подтвердить: Вы действительно хотите удалить'R1'? \n");
  EXPECT_TRUE(quiet.Shown().empty());
}

}  // namespace
