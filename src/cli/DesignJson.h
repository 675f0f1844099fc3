#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "cli/Design.h"

// Reading JSON that nobody vouches for. The parse refuses, before the document is held whole in
// memory: nesting deeper than kDesignMaxDepth, lists longer than kDesignMaxListLength, objects
// with more than kDesignMaxKeys keys or a key given twice, texts longer than
// kDesignMaxTextBytes, more than kDesignMaxValues values in all, and numbers that are not finite
// ("1e999"). Syntax errors and ill-formed UTF-8 are reported with their line and column. The
// size of the whole text is the caller's to bound (kDesignMaxBytes) before it is read.

inline constexpr std::size_t kDesignMaxBytes = 4 * 1024 * 1024;
inline constexpr std::size_t kDesignMaxDepth = 32;
inline constexpr std::size_t kDesignMaxListLength = 10000;
inline constexpr std::size_t kDesignMaxKeys = 64;
inline constexpr std::size_t kDesignMaxTextBytes = 4096;
inline constexpr std::size_t kDesignMaxValues = 500000;

using TDesignJson = nlohmann::ordered_json;

// The parsed document, or nothing with the one error that stopped the parse (its path where it
// has one, else empty with the line and column in the message).
std::optional<TDesignJson> ParseDesignJson(const std::string& text, LTDesignError& error);

// The path of a key below an object's path: "a.b", or a["odd key"] for a key that is not a plain
// name (shortened when long).
std::string DesignKeyPath(const std::string& path, const std::string& key);
// Text of the input as a message shows it: well-formed UTF-8 without control characters or
// quotes, about 40 bytes at most (text that is not UTF-8 shows its other bytes as '?').
std::string ShownDesignText(const std::string& text);

// The path of a list element: "a[3]".
std::string DesignIndexPath(const std::string& path, std::size_t index);
