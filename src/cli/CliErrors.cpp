#include "cli/CliErrors.h"

#include <cerrno>
#include <ostream>

#include "i18n/BuiltinMessages.h"
#include "i18n/MessageCatalog.h"
#include "platform/CodePage.h"

int CliFail(std::ostream& err, int message, const std::string& path, const std::string& reason) {
  RegisterBuiltinMessages();
  std::string line = Utf8FromCp1251(TBaseMsg::GetText(message, CTMsgList{path}));
  if (!reason.empty()) line += " (" + reason + ")";
  err << "qrnsolvo-cli: " << line << '\n';
  return 1;
}

std::unique_ptr<CTFileStream> OpenCliInput(const std::string& path, std::ostream& err) {
  std::string reason;
  errno = 0;
  auto in = CTFileStream::Open(path, CTFileStream::Mode::Read, &reason);
  if (!in) CliFail(err, errno == ENOENT ? kMsgFileNotFound : kMsgCannotOpen, path, reason);
  return in;
}
