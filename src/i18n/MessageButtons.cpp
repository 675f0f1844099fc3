#include "i18n/MessageButtons.h"

const std::array<TMsgButton, 11>& ButtonRowOrder() {
  static constexpr std::array<TMsgButton, 11> kOrder = {
      kBtnOK,    kBtnYes,   kBtnYesToAll, kBtnNo,     kBtnNoToAll, kBtnAll,
      kBtnAbort, kBtnRetry, kBtnIgnore,   kBtnCancel, kBtnHelp,
  };
  return kOrder;
}

std::vector<TMsgButton> VisibleButtons(TMsgButtons buttons) {
  std::vector<TMsgButton> visible;
  for (TMsgButton button : ButtonRowOrder()) {
    if (buttons & button) visible.push_back(button);
  }
  return visible;
}

TMsgAnswer AnswerOfButton(unsigned pressed) {
  switch (pressed) {
    case 0:  // closed with the window's close box
      return kAnsCancel;
    case kBtnOK:
    case kBtnAll:
    case kBtnYesToAll:
      return kAnsOK;
    case kBtnCancel:
    case kBtnNoToAll:
      return kAnsCancel;
    case kBtnAbort:
      return kAnsAbort;
    case kBtnRetry:
      return kAnsRetry;
    case kBtnIgnore:
      return kAnsIgnore;
    case kBtnYes:
      return kAnsYes;
    case kBtnNo:
      return kAnsNo;
    default:
      return kAnsNone;
  }
}
