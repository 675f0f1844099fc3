#pragma once

#include <string>

// GUIDs are held as their 16 bytes (the usual memory layout: a 32-bit, two 16-bit little-endian
// groups, then 8 bytes) and written as the braced text {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.
std::string GuidTextFromBytes(const std::string& bytes);
// All zero when the text is not a valid braced GUID.
std::string GuidBytesFromText(const std::string& text);
