#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Conversions of the cell texts of table sources into stored values. Each returns the value, or
// nothing with the reason in problem (a text for "file:line: " messages).

// "0" or "1".
std::optional<bool> CellBoolean(std::string_view text, std::string& problem);
// A decimal 32-bit integer with an optional "-".
std::optional<std::int32_t> CellInteger(std::string_view text, std::string& problem);
// A finite decimal number with "." as decimal separator and an optional exponent.
std::optional<double> CellDouble(std::string_view text, std::string& problem);
// YYYY-MM-DD as the store holds dates: days since 1899-12-30.
std::optional<double> CellDate(std::string_view text, std::string& problem);
// UTF-8 text as the program's code page (CP1251); refuses malformed UTF-8 and characters the
// code page lacks.
std::optional<std::string> CellCodePageText(std::string_view utf8, std::string& problem);
// The bytes of a blob cell "file:PATH", PATH relative to the folder of the source file (or
// absolute); files above kMaxBlobBytes are refused.
inline constexpr std::int64_t kMaxBlobBytes = 64 * 1024 * 1024;
std::optional<std::string> CellBlob(std::string_view text, const std::string& sourceFile,
                                    std::string& problem);

// Whether a name matches a pattern of "*" (any run of characters) and "?" (one character),
// comparing bytes exactly.
bool GlobMatches(std::string_view pattern, std::string_view name);
bool IsGlobPattern(std::string_view key);
