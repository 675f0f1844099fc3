#pragma once

#include <string_view>

// Options of the one-line input dialog, as a set of flags.
enum TInputOption : unsigned {
  kInputEmptyAllowed = 1,       // OK stays enabled for a blank text
  kInputNumericTyping = 2,      // every change of the text passes through FilterTyping
  kInputNumericValidation = 4,  // with numeric typing: OK checks the number (below)
  kInputIntegerOnly = 8,        // the number is only checked to be an integer
  kInputZeroAllowed = 16,       // zero passes the check (otherwise the value must be positive)
};
using TInputOptions = unsigned;

// Whether OK is enabled for the text in the field: always when empty text is allowed, otherwise
// while the trimmed text is not empty.
bool InputOkEnabled(TInputOptions options, std::string_view text);

// The message that refuses the text when OK is pressed, 0 when the text is accepted. Only input
// with both numeric typing and numeric validation is checked. Integer-only input must read as a
// 32-bit integer (else -6) and is not checked further. Other input must read as a number (else
// -6) that is not negative (-7 when zero is allowed, -8 otherwise) and not zero unless zero is
// allowed (-8).
int InputRefusalMessage(TInputOptions options, std::string_view text);
