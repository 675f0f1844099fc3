#include "i18n/BasicDialog.h"

#include <mutex>
#include <utility>

#include "i18n/MessageCatalog.h"

namespace {

std::mutex gHelpFileMutex;
std::string gHelpFile;

}  // namespace

bool CTBasicDialog::CloseWith(int result) {
  if (result == kResultOK && !Validate()) return false;
  modalResult_ = result;
  closed_ = true;
  return true;
}

std::string CTBasicDialog::Caption(const std::string& baseCaption) const {
  if (!readOnly_) return baseCaption;
  return baseCaption + " (" + TBaseMsg::GetText(-4, {}) + ")";
}

std::string CTBasicDialog::HelpFile() {
  std::lock_guard lock(gHelpFileMutex);
  return gHelpFile;
}

void CTBasicDialog::SetHelpFile(std::string path) {
  std::lock_guard lock(gHelpFileMutex);
  gHelpFile = std::move(path);
}

std::string ShortenFilePath(std::string_view path) {
  constexpr std::size_t kLongestKept = 30;
  constexpr char kSeparator = '/';
  if (path.size() <= kLongestKept) return std::string(path);
  // A leading "/" (the root) is kept and does not count as a folder.
  const std::size_t start = path.front() == kSeparator ? 1 : 0;
  const std::size_t firstEnd = path.find(kSeparator, start);
  if (firstEnd == std::string_view::npos) return std::string(path);
  const std::size_t secondEnd = path.find(kSeparator, firstEnd + 1);
  const std::size_t nameStart = path.rfind(kSeparator);
  // Nothing to leave out unless a third folder lies between the second one and the name.
  if (secondEnd == std::string_view::npos || secondEnd == nameStart) return std::string(path);
  return std::string(path.substr(0, secondEnd + 1)) + "..." + std::string(path.substr(nameStart));
}
