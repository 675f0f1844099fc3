#pragma once

#include <string>

#include "i18n/MessageList.h"

// Fills the placeholders of a message text from a caller's list: for k = 1 .. 9 the first "$k"
// still in the text is replaced by string k of the list. Filling stops at the first k that is
// missing from the text or from the list, so a text with "$1" and "$3" but no "$2" gets only "$1"
// filled whatever the list holds.
std::string FillPlaceholders(std::string text, const CTMsgList& list);
