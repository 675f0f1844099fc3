// Opening, creating and saving the project of the design commands. Loading and saving a project
// file happen here and nowhere else in the command line.

#include "cli/CliProject.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <ostream>

#include "app/ProgramGlossary.h"
#include "catalogue/VersionInfo.h"
#include "i18n/BuiltinMessages.h"
#include "i18n/MessageCatalog.h"
#include "platform/CodePage.h"
#include "platform/SettingsStore.h"

CTCliProject::CTCliProject(std::ostream& err) : err_(err), ui_(err), scopedUi_(ui_) {
  RegisterBuiltinMessages();
}

CTCliProject::~CTCliProject() {
  core_.reset();
  scopedSettings_.reset();
  settings_.reset();
  if (!settingsDir_.empty()) {
    std::error_code error;
    std::filesystem::remove_all(settingsDir_, error);
  }
}

bool CTCliProject::Start() {
  if (core_) return true;
  // Settings of the command's own, in a folder only it uses.
  std::string pattern = (std::filesystem::temp_directory_path() / "qrnsolvo-cli-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) {
    CliFail(err_, kMsgCannotCreate, pattern, std::strerror(errno));
    return false;
  }
  settingsDir_ = pattern;
  settings_ = std::make_unique<CTSettingsStore>(settingsDir_ + "/user-settings.txt",
                                                settingsDir_ + "/machine-settings.txt");
  scopedSettings_ = std::make_unique<CTScopedProcessSettings>(*settings_);
  core_ = std::make_unique<CTQRNSolvoMainImpl>();
  if (core_->StartUp({}) != TStartUpResult::kRunning) {
    CliFail(err_, kMsgInvalidStructure, "DEVICE_DATABASE", "");
    core_.reset();
    return false;
  }
  return true;
}

bool CTCliProject::Create() {
  return Start();
}

bool CTCliProject::Open(const std::string& path) {
  if (!Start()) return false;
  // The core shows why a file is not opened (the store's message, or message 3), and leaves a
  // new project in its place.
  ui_.SetFile(path);
  const bool opened = core_->LoadProject(path, false);
  ui_.SetFile({});
  return opened;
}

bool CTCliProject::SaveAs(const std::string& path) {
  return core_->SaveProjectTo(path);
}
