#include <gtest/gtest.h>

#include <string>

#include "I18nTestFixture.h"
#include "i18n/DialogCaptions.h"
#include "platform/CodePage.h"
#include "support/TestSupport.h"

using testsupport::Ansi;

namespace {

struct ExactText {
  int number;
  const char* utf8;
};

// Texts whose blanks, quotes and punctuation are easy to lose.
TEST_F(I18nTest, BuiltinTextsAreExact) {
  const ExactText cases[] = {
      {-1, "Файл $1 не найден"},
      {-5, "Файл изменён. Сохранить изменения?"},
      {-8, "$1 неверное положительное число"},
      {0, "   "},
      {6,
       "Вам нужны административные права для того чтобы удалить программу QRN Solvo. "
       "Удалены только преимущественные права  пользователя    "},
      {5000, "Проверка  баз данных. Подождите пожалуйста..."},
      {5017, "Вы действительно хотите удалить'$1'? "},
      {5026, "MySQL database"},
      {10000, "Страница $1"},
      {10045, "Невозможно подкл. более $1 устройств к этой \"гребенке\""},
      {10099, " (first value '$1')"},
      {10109, "\"Гребенка\""},
      {10121,
       "Отчет создан, но проект не сохранен. Не забудьте сохранить перед закрытием программы"},
  };
  for (const ExactText& c : cases) {
    int charset = 0;
    std::string text;
    TBaseMsg::GetText(c.number, charset, text);
    EXPECT_EQ(text, Ansi(c.utf8)) << c.number;
  }
}

struct RangeCase {
  int first;
  int last;
  int charset;
};

TEST_F(I18nTest, EveryNumberOfABuiltinRangeHasATextInTheRangesCharset) {
  const RangeCase ranges[] = {
      {kBaseMsgFirst, kBaseMsgLast, 0},
      {kGeneralMsgFirst, kGeneralMsgLast, kCyrillicCharset},
      {kDatabaseMsgFirst, kDatabaseMsgLast, kCyrillicCharset},
      {kApplicationMsgFirst, kApplicationMsgLast, 0},
  };
  for (const RangeCase& range : ranges) {
    for (int number = range.first; number <= range.last; ++number) {
      int charset = -1;
      std::string text;
      TBaseMsg::GetText(number, charset, text);
      EXPECT_EQ(charset, range.charset) << number;
      const bool unused = number == 10008 || number == 10009;
      EXPECT_EQ(text.empty(), unused) << number;
      // Every byte is CP1251: converting back never needs the replacement character.
      EXPECT_EQ(Utf8FromCp1251(text).find("\xEF\xBF\xBD"), std::string::npos) << number;
    }
  }
}

TEST_F(I18nTest, RegisteringTheBuiltinMessagesTwiceChangesNothing) {
  const std::size_t count = TBaseMsg::Ranges().size();
  EXPECT_EQ(count, 4u);
  RegisterBuiltinMessages();
  EXPECT_EQ(TBaseMsg::Ranges().size(), count);
}

TEST(DialogCaptionsTest, TitlesAndButtonCaptions) {
  EXPECT_EQ(MsgTitle(TMsgKind::Error), Ansi("Ошибка"));
  EXPECT_EQ(MsgTitle(TMsgKind::Warning), Ansi("Предупреждение"));
  EXPECT_EQ(MsgTitle(TMsgKind::Info), Ansi("Информация"));
  EXPECT_EQ(MsgTitle(TMsgKind::Confirmation), Ansi("Подтвердить"));

  const struct {
    unsigned button;
    const char* caption;
  } buttons[] = {
      {kBtnOK, "&Да"},
      {kBtnYes, "&Да"},
      {kBtnCancel, "&Отмена"},
      {kBtnNo, "&Нет"},
      {kBtnIgnore, "&Игнорировать"},
      {kBtnRetry, "&Повторить"},
      {kBtnAbort, "&Прервать"},
      {kBtnAll, "&Все"},
      {kBtnYesToAll, "Да для всех"},
      {kBtnNoToAll, "Не для всех"},
      {kBtnHelp, "&Помощь"},
      {kBtnYes | kBtnNo, ""},
      {0, ""},
  };
  for (const auto& b : buttons) EXPECT_EQ(ButtonCaption(b.button), Ansi(b.caption)) << b.button;
}

}  // namespace
