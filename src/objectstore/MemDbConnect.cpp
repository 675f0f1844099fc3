#include "i18n/MessageCatalog.h"
#include "objectstore/MemDbEngine.h"
#include "platform/LockedFile.h"

namespace {

constexpr int kMsgCannotOpen = -2;
constexpr int kMsgInvalidStructure = 5004;

}  // namespace

LTDbIoResult CTMemDbEngine::Connect(const std::string&, const std::string&, bool showErrors) {
  if (FileName().empty()) return LTDbIoResult::Ok();  // a new database starts empty
  std::string reason;
  auto file = CTLockedFile::OpenForReading(FileName(), &reason);
  LTDbIoResult result = file ? Load(*file) : LTDbIoResult::Failure(LTDbIoResult::kIoError, reason);
  if (!result && showErrors) {
    TBaseMsg::ShowError(
        result.status == LTDbIoResult::kIoError ? kMsgCannotOpen : kMsgInvalidStructure,
        CTMsgList{FileName()});
  }
  return result;
}
