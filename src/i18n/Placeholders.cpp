#include "i18n/Placeholders.h"

std::string FillPlaceholders(std::string text, const CTMsgList& list) {
  for (int k = 1; k <= 9 && k <= list.Count(); ++k) {
    const char placeholder[] = {'$', static_cast<char>('0' + k), '\0'};
    // The search runs over the text as filled so far: a string put in for "$1" that itself holds
    // "$2" is filled in turn.
    const std::size_t at = text.find(placeholder);
    if (at == std::string::npos) break;
    text.replace(at, 2, list.String(k - 1));
  }
  return text;
}
