#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "app/ProgramFactory.h"
#include "cli/CliErrors.h"
#include "design/Preferences.h"
#include "design/QsProject.h"
#include "i18n/Glossary.h"
#include "i18n/MessageUi.h"

// The program's factory with a project, for the commands that build and check designs: the
// embedded catalogue (read-only, with the program's glossary) and the project database through
// the memory engine, which needs the project's data-source entry in the user's settings (created
// when missing, as resave does). The program's default preferences stand in for the user's, so
// that the results do not depend on who runs the command, and nothing stores them. Messages of
// the store go to the error stream. The factory is the default factory while this lives, and
// disconnects when destroyed.
class CTCliProject {
 public:
  explicit CTCliProject(std::ostream& err);
  ~CTCliProject();
  CTCliProject(const CTCliProject&) = delete;
  CTCliProject& operator=(const CTCliProject&) = delete;

  // A new, empty project. False (reported) when the factory does not connect.
  bool Create();
  // Opens a project file. False (reported) when it cannot be read, holds no project, or was
  // made by a program version whose files this one does not open.
  bool Open(const std::string& path);
  // Saves the project as a file, with this program's version as its tool version; the file is
  // replaced only once the new one is complete. False (reported) when it cannot be written.
  bool SaveAs(const std::string& path);

  CTFactory& Factory() { return factory_; }
  // The project of the last successful Create or Open.
  Cls_QsProject& Project() { return *project_; }

 private:
  bool Connect(const std::string& path);

  std::ostream& err_;
  CTCliMessageUi ui_;
  CTScopedMessageUi scopedUi_;
  CTPreferences preferences_;
  CTScopedPreferences scopedPreferences_{preferences_};
  CTFactory factory_;
  CTScopedDefaultFactory defaultFactory_{factory_};
  CTGlossary glossary_;
  std::unique_ptr<Cls_QsProject> project_;
  bool connected_ = false;
};

// The version text this program writes into the projects it saves.
inline constexpr const char* kProgramVersion = "2.5.2";
