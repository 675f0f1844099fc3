#include "i18n/MessageCatalog.h"
#include "objectstore/MemDbEngine.h"
#include "platform/LockedFile.h"

namespace {

constexpr int kMsgCannotOpen = -2;
constexpr int kMsgInvalidStructure = 5004;

}  // namespace

bool CTMemDbEngine::Connect(const std::string&, const std::string&, bool showErrors) {
  if (FileName().empty()) return true;  // a new database starts empty
  std::string reason;
  auto file = CTLockedFile::OpenForReading(FileName(), &reason);
  if (!file) {
    if (showErrors) TBaseMsg::ShowError(kMsgCannotOpen, CTMsgList{FileName()});
    return false;
  }
  if (!LoadFromStream(*file)) {
    if (showErrors) TBaseMsg::ShowError(kMsgInvalidStructure, CTMsgList{FileName()});
    return false;
  }
  return true;
}
