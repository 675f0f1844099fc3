#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Reading numbers the user types. The decimal separator is the user's own setting, held
// process-wide ("." until changed); nothing here depends on the C library's locale.

char UserDecimalSeparator();
void SetUserDecimalSeparator(char separator);

// The value of a typed number: the text is trimmed, every space becomes "0" and every "," or "."
// counts as the decimal separator, then it must read as [sign] digits [separator digits]
// [E [sign] digits] (with at least one mantissa digit). Any text that does not read so, or whose
// value does not fit a double, gives 0.
double ParseValue(std::string_view text);
// The same, telling an unconvertible text apart instead of giving 0.
std::optional<double> TryParseValue(std::string_view text);

// Sanitises a text while the user types a number: spaces are dropped; one sign is kept at the
// start of the mantissa and one right after the exponent letter; the first decimal separator
// before any exponent is kept (written as the user's separator); the first "D"/"E"/"d"/"e" after
// something else becomes "E"; digits stay; every other character becomes "0", so a letter typed
// into a value turns into a zero instead of disappearing.
std::string FilterTyping(std::string_view text);

// A number as the program shows it, right-aligned with spaces to at least `width` characters,
// its decimal point written as the user's separator, nothing depending on the C library's locale.
// With decimals >= 0 it is written in fixed notation with that many decimals ("-12.35" for
// -12.345 and 2). With decimals < 0 it is written in exponent notation with -decimals significant
// digits: one digit before the separator, the rest after it, then "E", the exponent's sign and
// at least two exponent digits ("1.23E+04" for 12345 and -3, "5E-07" for 0.0000005 and -1).
// Rounding is half away from zero on the shortest decimal form that reads back as the same
// double, so 0.15 with one decimal shows "0.2" and 2.5 with none "3", as a person rounds the
// number the program shows elsewhere. A value that rounds to zero shows no minus sign. The number
// of decimals or significant digits is limited to kMaxFormatDecimals; infinities and NaN show
// as "inf", "-inf" and "nan".
inline constexpr int kMaxFormatDecimals = 20;
std::string FormatNumber(int width, int decimals, double value);

// The value of a trimmed text made only of an optional sign and decimal digits, when it fits a
// 32-bit integer.
std::optional<std::int32_t> ParseInt32(std::string_view text);
