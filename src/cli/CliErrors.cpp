#include "cli/CliErrors.h"

#include <algorithm>
#include <cerrno>
#include <ostream>

#include "i18n/BuiltinMessages.h"
#include "i18n/MessageCatalog.h"
#include "platform/CodePage.h"

int CliFail(std::ostream& err, int message, const std::string& path, const std::string& reason) {
  RegisterBuiltinMessages();
  std::string line = Utf8FromCp1251(TBaseMsg::GetText(message, CTMsgList{path}));
  if (!reason.empty()) line += " (" + reason + ")";
  return CliReport(err, line, kCliFailed);
}

int CliReport(std::ostream& err, const std::string& text, int status) {
  err << "qrnsolvo-cli: " << text << '\n';
  return status;
}

std::unique_ptr<CTFileStream> OpenCliInput(const std::string& path, std::ostream& err) {
  std::string reason;
  errno = 0;
  auto in = CTFileStream::Open(path, CTFileStream::Mode::Read, &reason);
  if (!in) CliFail(err, errno == ENOENT ? kMsgFileNotFound : kMsgCannotOpen, path, reason);
  return in;
}

void CTCliMessageUi::ShowMessage(TMsgKind, const std::string&, const std::string& text,
                                 int charset) {
  std::string line = Utf8FromCodePage(CodePageOfCharset(charset), text);
  std::replace(line.begin(), line.end(), '\n', ' ');
  line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
  if (!file_.empty() && line.find(file_) == std::string::npos) line += ": " + file_;
  CliReport(err_, line, kCliFailed);
}
