#pragma once

#include <array>
#include <vector>

// Buttons of a message box, as a set of flags (11 = Yes, No and Cancel).
enum TMsgButton : unsigned {
  kBtnYes = 1,
  kBtnNo = 2,
  kBtnOK = 4,
  kBtnCancel = 8,
  kBtnAbort = 16,
  kBtnRetry = 32,
  kBtnIgnore = 64,
  kBtnAll = 128,
  kBtnNoToAll = 256,
  kBtnYesToAll = 512,
  kBtnHelp = 1024,
};
using TMsgButtons = unsigned;

// Answers of the message dialogs (the dialog's modal result); 0 means none of these.
enum TMsgAnswer : int {
  kAnsNone = 0,
  kAnsOK = 1,
  kAnsCancel = 2,
  kAnsAbort = 3,
  kAnsRetry = 4,
  kAnsIgnore = 5,
  kAnsYes = 6,
  kAnsNo = 7,
};

// All buttons in the order a button row shows them, left to right.
const std::array<TMsgButton, 11>& ButtonRowOrder();

// The buttons of a set in row order.
std::vector<TMsgButton> VisibleButtons(TMsgButtons buttons);

// The answer of a pressed button: All and YesToAll answer as OK, NoToAll as Cancel, 0 (the window
// was closed) as Cancel; any other value (Help, several flags, unknown bits) gives kAnsNone.
TMsgAnswer AnswerOfButton(unsigned pressed);
