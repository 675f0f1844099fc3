#pragma once

#include <string>

// A number in general notation (up to 15 significant digits, no trailing zeros) with the user's
// decimal separator, as the program shows counts and sums without unit.
std::string FormatGeneralNumber(double value);
