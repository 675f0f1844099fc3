#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "i18n/HeadlessMessageUi.h"
#include "platform/FileStream.h"

// Exit statuses of the commands.
constexpr int kCliDone = 0;
constexpr int kCliFailed = 1;         // one line on the error stream says why
constexpr int kCliNotUnderstood = 2;  // the usage, or one line naming the option at fault

// Numbers of the program's file messages the commands report.
constexpr int kMsgFileNotFound = -1;
constexpr int kMsgCannotOpen = -2;
constexpr int kMsgCannotCreate = -3;
constexpr int kMsgInvalidStructure = 5004;

// Prints the program's numbered message for a file with the system's reason, as one UTF-8 line
// on the error stream; returns kCliFailed.
int CliFail(std::ostream& err, int message, const std::string& path, const std::string& reason);

// Prints "qrnsolvo-cli: " and the text as one line on the error stream; returns the status.
int CliReport(std::ostream& err, const std::string& text, int status);

// Opens a file for reading; on failure reports it (not found, or cannot open) and returns null.
std::unique_ptr<CTFileStream> OpenCliInput(const std::string& path, std::ostream& err);

// The program's messages on the command line: each message the store shows is one line
// "qrnsolvo-cli: " + its text on the error stream; questions and other dialogs answer as if their
// window had been closed.
class CTCliMessageUi : public CTHeadlessMessageUi {
 public:
  explicit CTCliMessageUi(std::ostream& err) : CTHeadlessMessageUi(nullptr, false), err_(err) {}
  void ShowMessage(TMsgKind kind, const std::string& title, const std::string& text,
                   int charset) override;
  // The file the command works on while it reads it: a message that does not name it gets it
  // appended (": PATH"), so that every failure names the file at fault. Empty: none.
  void SetFile(std::string path) { file_ = std::move(path); }

 private:
  std::ostream& err_;
  std::string file_;
};
