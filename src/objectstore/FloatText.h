#pragma once

#include <optional>
#include <string>
#include <string_view>

// Locale-independent text of floating values as the object store writes and reads them.

// General format with at most 15 significant digits, trailing zeros dropped and "." as decimal
// separator: fixed notation when the magnitude is at least 0.0001 and the integer part has at
// most 15 digits, otherwise mantissa, "E", "-" for negative exponents only, and the exponent
// without leading zeros (5.90039559146638E-5, 1E20).
std::string FormatStoreFloat(double value);

// Converts decimal text: optional sign, digits, optional "." and digits, optional exponent "E" or
// "e" with optional sign. The whole text must match; nothing else (no thousands separators, no
// "inf" or "nan") is accepted.
std::optional<double> ParseStoreFloat(std::string_view text);
