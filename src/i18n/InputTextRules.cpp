#include "i18n/InputTextRules.h"

#include <optional>

#include "i18n/NumberText.h"
#include "i18n/TextTrim.h"

bool InputOkEnabled(TInputOptions options, std::string_view text) {
  return (options & kInputEmptyAllowed) || !TrimText(text).empty();
}

int InputRefusalMessage(TInputOptions options, std::string_view text) {
  constexpr TInputOptions kChecked = kInputNumericTyping | kInputNumericValidation;
  if ((options & kChecked) != kChecked) return 0;
  const std::string trimmed = TrimText(text);
  if (options & kInputIntegerOnly) return ParseInt32(trimmed) ? 0 : -6;
  // A real-valued input must read as a number; insisting on an integer here would refuse "1.5"
  // as an invalid integer.
  const std::optional<double> parsed = TryParseValue(trimmed);
  if (!parsed) return -6;
  const bool zeroAllowed = (options & kInputZeroAllowed) != 0;
  const double value = *parsed;
  if (value < 0) return zeroAllowed ? -7 : -8;
  if (value == 0 && !zeroAllowed) return -8;
  return 0;
}
