#include "i18n/DialogCaptions.h"

#include <map>

#include "platform/CodePage.h"

namespace {

struct LTDialogCaptions {
  std::map<TMsgKind, std::string> titles;
  std::map<unsigned, std::string> buttons;
};

// Converted from the UTF-8 source once, at first use.
const LTDialogCaptions& Captions() {
  static const LTDialogCaptions captions = [] {
    LTDialogCaptions c;
    c.titles[TMsgKind::Error] = Cp1251FromUtf8("Ошибка");
    c.titles[TMsgKind::Warning] = Cp1251FromUtf8("Предупреждение");
    c.titles[TMsgKind::Info] = Cp1251FromUtf8("Информация");
    c.titles[TMsgKind::Confirmation] = Cp1251FromUtf8("Подтвердить");
    c.buttons[kBtnOK] = Cp1251FromUtf8("&Да");
    c.buttons[kBtnYes] = Cp1251FromUtf8("&Да");
    c.buttons[kBtnCancel] = Cp1251FromUtf8("&Отмена");
    c.buttons[kBtnNo] = Cp1251FromUtf8("&Нет");
    c.buttons[kBtnIgnore] = Cp1251FromUtf8("&Игнорировать");
    c.buttons[kBtnRetry] = Cp1251FromUtf8("&Повторить");
    c.buttons[kBtnAbort] = Cp1251FromUtf8("&Прервать");
    c.buttons[kBtnAll] = Cp1251FromUtf8("&Все");
    c.buttons[kBtnYesToAll] = Cp1251FromUtf8("Да для всех");
    c.buttons[kBtnNoToAll] = Cp1251FromUtf8("Не для всех");
    c.buttons[kBtnHelp] = Cp1251FromUtf8("&Помощь");
    return c;
  }();
  return captions;
}

}  // namespace

const std::string& MsgTitle(TMsgKind kind) {
  return Captions().titles.at(kind);
}

const std::string& ButtonCaption(unsigned button) {
  static const std::string kNone;
  const auto& buttons = Captions().buttons;
  const auto it = buttons.find(button);
  return it == buttons.end() ? kNone : it->second;
}
