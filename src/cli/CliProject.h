#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "app/ProgramFactory.h"
#include "app/QRNSolvoMain.h"
#include "cli/CliErrors.h"
#include "design/Preferences.h"
#include "design/QsProject.h"
#include "i18n/Glossary.h"
#include "i18n/MessageUi.h"
#include "platform/SettingsStore.h"

// The application core with a project, for the commands that build and check designs: the same
// start-up, loading and saving as the desktop program (the version check of opened files, the
// tool version written on save, the file replaced only once the new one is complete). The core
// works on settings of its own in a temporary folder, removed afterwards: the user's settings are
// neither read nor written, so results do not depend on who runs the command and the program's
// default preferences stand in for the user's. Messages go to the error stream.
class CTCliProject {
 public:
  explicit CTCliProject(std::ostream& err);
  ~CTCliProject();
  CTCliProject(const CTCliProject&) = delete;
  CTCliProject& operator=(const CTCliProject&) = delete;

  // A new, empty project. False (reported) when the program cannot start.
  bool Create();
  // Opens a project file. False (reported) when it cannot be read, holds no project, or was
  // made by a program version whose files this one does not open.
  bool Open(const std::string& path);
  // Saves the project as a file. False (reported) when it cannot be written.
  bool SaveAs(const std::string& path);

  CTFactory& Factory() { return core_->Factory(); }
  // The project of the last successful Create or Open.
  Cls_QsProject& Project() { return core_->Project(); }
  CTQRNSolvoMainImpl& Core() { return *core_; }

 private:
  bool Start();

  std::ostream& err_;
  CTCliMessageUi ui_;
  CTScopedMessageUi scopedUi_;
  std::string settingsDir_;
  std::unique_ptr<CTSettingsStore> settings_;
  std::unique_ptr<CTScopedProcessSettings> scopedSettings_;
  CTPreferences preferences_;
  CTScopedPreferences scopedPreferences_{preferences_};
  std::unique_ptr<CTQRNSolvoMainImpl> core_;
};

// The version text this program writes into the projects it saves.
inline const std::string kProgramVersion = ProgramVersionText();
