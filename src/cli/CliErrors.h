#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "platform/FileStream.h"

// Numbers of the program's file messages the commands report.
constexpr int kMsgFileNotFound = -1;
constexpr int kMsgCannotOpen = -2;
constexpr int kMsgCannotCreate = -3;

// Prints the program's numbered message for a file with the system's reason, as one UTF-8 line
// on the error stream; returns the exit code 1.
int CliFail(std::ostream& err, int message, const std::string& path, const std::string& reason);

// Opens a file for reading; on failure reports it (not found, or cannot open) and returns null.
std::unique_ptr<CTFileStream> OpenCliInput(const std::string& path, std::ostream& err);
