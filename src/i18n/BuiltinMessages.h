#pragma once

#include <string>

// The message tables built into the program and their number ranges. All ranges hold Russian
// texts; the character set tells the dialog which font to use for a text.

// The message unit's own messages (file and number errors), character set 0.
inline constexpr int kBaseMsgFirst = -8;
inline constexpr int kBaseMsgLast = -1;
// The program's general texts (report footer, uninstallation), character set 204.
inline constexpr int kGeneralMsgFirst = 0;
inline constexpr int kGeneralMsgLast = 6;
// Database messages, character set 204.
inline constexpr int kDatabaseMsgFirst = 5000;
inline constexpr int kDatabaseMsgLast = 5026;
// The application's messages, character set 0; 10008 and 10009 are unused and empty.
inline constexpr int kApplicationMsgFirst = 10000;
inline constexpr int kApplicationMsgLast = 10121;

// Registers the ranges 0..6, 5000..5026 and 10000..10121. The front ends call it at start-up;
// calling it again changes nothing.
void RegisterBuiltinMessages();

// The text source of the range -8..-1 (message n is item -n-1 of the table). The registry
// registers it on first use.
void BaseMsgText(int number, int& charset, std::string& text);
