#pragma once

#include <string>

// The one way the commands turn numbers into text. A value that is not a finite number is shown
// as "-" (the JSON writers write it as null), so that "nan" or "inf" never reaches an output.

// Fixed-point text with the given number of decimals, for rounded display ("18.9").
std::string FixedText(double value, int decimals);
// The object store's general format, up to 15 significant digits and no trailing zeros ("22.4",
// "200"), for catalogue values shown as they are stored.
std::string GeneralText(double value);

// Whether the bytes are well-formed UTF-8.
bool IsUtf8(const std::string& text);
