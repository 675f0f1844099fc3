#pragma once

#include <string>

#include "i18n/MessageButtons.h"
#include "i18n/MessageKind.h"

// Titles and button captions of the message dialogs, as CP1251 text. An "&" marks the letter that
// selects the button from the keyboard.

// "Ошибка", "Предупреждение", "Информация" or "Подтвердить".
const std::string& MsgTitle(TMsgKind kind);

// The caption of one button; empty for a value that is not exactly one button flag.
const std::string& ButtonCaption(unsigned button);
