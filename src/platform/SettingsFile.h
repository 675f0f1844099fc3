#pragma once

#include <string>
#include <string_view>

#include "platform/SettingsTree.h"

// The text form of a settings hive, one file per hive, made to be read and diffed by people:
//
//   ; QRN Solvo settings
//   [Software\Ostrel\Hi-QRN Selection\QRNSolvo\Preferences]
//   Language = int:1049
//   Scale = bin:00 00 00 00 00 00 F0 3F
//   LastUser = str:Иванов
//   @ = str:default value of the key
//
// A section names a key by its path from the hive's root ("[]" is the root itself); keys that
// only hold subkeys need no section of their own. Each line below it is one value,
// "name = type:data", with the types int (a 32-bit signed decimal), bin (hex bytes) and str
// (text). "@" stands for the empty name, the key's default value.
//
// Names and text are CP1251 bytes. They are written as UTF-8 so that the file is UTF-8 text;
// "%XX" (two hex digits) stands for the byte XX and is written for '%', control characters, the
// byte 0x98 that CP1251 leaves undefined, spaces at either end, and the characters that would
// break the line's structure ("=[]\;#" in names). Every byte string round-trips exactly.
//
// Reading never fails: lines that are not valid (no '=', an unknown type, a bad escape or number,
// a value before any valid section, a section nested too deep) are skipped, and the values under a
// section header that is not valid are skipped up to the next valid one. Lines starting with ';'
// or '#' are comments. A name that occurs twice in a section keeps its last value.

CTSettingsNode ParseSettingsText(std::string_view text);
std::string FormatSettingsText(const CTSettingsNode& root);
