#pragma once

#include <array>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/FrontEnd.h"
#include "design/QsProject.h"
#include "design/TabReadiness.h"
#include "i18n/Glossary.h"
#include "physics/MoistAir.h"

class CTFactory;
class CTInstallation;
class CTScopedDefaultFactory;
class Cls_CentralController;
class Cls_Refrigerant;

// The program's version: 252, shown as "2.5.2"; the character set of its texts.
inline constexpr int kProgramVersionNumber = 252;
inline constexpr int kProgramCharset = 204;
// The version text the program writes into the projects it saves.
std::string ProgramVersionText();
// The catalogue version the program reads.
inline constexpr const char* kRequiredCatalogueVersion = "5.3";

// How the program came up: running with a current project, or stopped (after uninstalling, as
// the removal copy, or because the catalogue could not be used).
enum class TStartUpResult { kRunning, kStopped };

// The application core behind every front end: it brings the program up, keeps the one current
// project with its modified flag and the catalogue caches, and carries out the commands that
// replace or store the project. It talks to the user only through the message interface and the
// front end, so the desktop program, the command line and the tests drive the same code.
class CTQRNSolvoMainImpl {
 public:
  // The front end and the installation outlive the core; null gives the defaults that do
  // nothing.
  explicit CTQRNSolvoMainImpl(CTFrontEnd* frontEnd = nullptr,
                              CTInstallation* installation = nullptr);
  ~CTQRNSolvoMainImpl();
  CTQRNSolvoMainImpl(const CTQRNSolvoMainImpl&) = delete;
  CTQRNSolvoMainImpl& operator=(const CTQRNSolvoMainImpl&) = delete;

  // -- Start-up and shutdown --------------------------------------------------------------------
  // The start-up sequence for the program's arguments (without the program name): uninstall
  // mode, the removal copy, installation, the object store with the catalogue and the glossary,
  // the catalogue's version check, the units, the preferences, the catalogue caches and the first
  // project (the file named by the first argument when it exists, else a new one).
  TStartUpResult StartUp(const std::vector<std::string>& arguments,
                         const std::string& programPath = "qrnsolvo");
  // The front end, when it is made after the core (the desktop window, which needs the core);
  // null: the default that does nothing.
  void SetFrontEnd(CTFrontEnd* frontEnd) {
    frontEnd_ = frontEnd ? frontEnd : EnsureDefaultFrontEnd();
  }
  // For tests and tools, before StartUp: the catalogue read from these bytes instead of the
  // embedded one, and whether the embedded glossary is used (off: as if it could not be read).
  void SetCatalogueSource(std::optional<std::string> bytes) { catalogueSource_ = std::move(bytes); }
  void SetGlossaryEnabled(bool enabled) { glossaryEnabled_ = enabled; }
  // The close query: asks to save, closes the project without opening another, and allows
  // closing when nothing unsaved remains.
  bool QueryClose();

  // -- The project ------------------------------------------------------------------------------
  // The current project (exactly one once started).
  Cls_QsProject& Project() { return *project_; }
  bool HasProject() const { return project_ != nullptr; }
  CTFactory& Factory() { return *factory_; }
  bool IsModified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }
  // When the current project was created or opened (local time).
  std::time_t OpenedAt() const { return openedAt_; }
  void SetOpenedAt(std::time_t when) { openedAt_ = when; }

  // Makes a project current: a new one, or the one of a file (an unreadable file gives a new
  // project; one of another program version error 3, then a new project). False when a file was
  // asked for and a new project took its place.
  bool LoadProject(const std::string& fileName, bool isNew);
  // Asks to save a modified project (Yes, No, Cancel); false when the user cancels or a save
  // did not go through.
  bool QuerySaveProject();
  // Drops the current project once the save question lets it, and with reopen makes a new one.
  void CloseProject(bool reopen);
  void NewProject();
  void OpenProject();
  // Asks for the file (the identity fields must be filled in first) and saves to it.
  void SaveProjectAs();
  // Writes the project to the file; the previous file stays whole until the new one is complete.
  // A failure shows message -3 and leaves the project modified.
  bool SaveProjectTo(const std::string& fileName);
  // The suggested file name (without extension): the project name made safe, "_" and the
  // opening time as ddmmyyyy_hhmm.
  std::string MakeDefaultFileName() const;
  // Stores an edited identity text (trimmed) and withdraws an award the change invalidates.
  void EditProjectIdentity(TQsControl control, const std::string& text);
  // The award text to show (empty when the project has none).
  std::string AwardText();

  // Recalculates every system of the project and refreshes the tab states.
  void RecalculateProject();
  // The tab images of the current design, sent to the front end as well.
  std::array<int, kTabCount> RefreshTabStates();
  // Whether a tab may be entered now.
  bool CanEnterTab(TQsTab tab);

  // -- Catalogue caches
  // -----------------------------------------------------------------------------
  const LTOutdoorUnitList& OutdoorUnits() const { return outdoorUnits_; }
  const std::vector<std::unique_ptr<Cls_Refrigerant>>& Refrigerants() const {
    return refrigerants_;
  }
  const std::vector<std::unique_ptr<Cls_CentralController>>& CentralControllerChoices() const {
    return controllerChoices_;
  }
  bool HighCombinationSupported() const { return highCombination_; }
  bool VentilationUnitsAvailable() const { return ventilationUnits_; }
  // The smallest and largest height (mm) of the outdoor units, for the piping diagram.
  double OutdoorHeightMin() const { return outdoorHeightMin_; }
  double OutdoorHeightMax() const { return outdoorHeightMax_; }
  const std::string& Caption() const { return caption_; }
  CTGlossary& Glossary() { return glossary_; }
  bool GlossaryLoaded() const { return glossaryLoaded_; }
  const TAir& Air() const { return air_; }

  // The identity checksum of the four identity texts (trimmed byte sums, 0 counting as 1).
  static int IdentityChecksum(const std::string& name, const std::string& reference,
                              const std::string& client, const std::string& address);
  // The suggested file name for a project name and a time.
  static std::string DefaultFileName(const std::string& projectName, std::time_t when);
  // The open and save dialogs of projects.
  static LTFileDialog OpenDialog();
  static LTFileDialog SaveDialog();

 private:
  CTFrontEnd* EnsureDefaultFrontEnd();
  bool RunUninstall(const std::string& programPath);
  bool SetUpStore();
  void AddUnits();
  void BuildCatalogueCaches();
  void DropProject();
  // Disconnects the project database and connects it again with the file name (empty: a new,
  // empty database); false when that or reading the file failed.
  bool ReconnectProject(const std::string& fileName);

  std::optional<std::string> catalogueSource_;
  bool glossaryEnabled_ = true;
  CTFrontEnd* frontEnd_;
  CTInstallation* installation_;
  std::unique_ptr<CTFrontEnd> ownFrontEnd_;
  std::unique_ptr<CTInstallation> ownInstallation_;
  std::unique_ptr<CTFactory> factory_;
  std::unique_ptr<CTScopedDefaultFactory> defaultFactory_;
  std::unique_ptr<Cls_QsProject> project_;
  CTGlossary glossary_;
  bool glossaryLoaded_ = false;
  TAir air_;
  bool modified_ = false;
  std::time_t openedAt_ = 0;
  std::string caption_;
  LTOutdoorUnitList outdoorUnits_;
  std::vector<std::unique_ptr<Cls_Refrigerant>> refrigerants_;
  std::vector<std::unique_ptr<Cls_CentralController>> controllerChoices_;
  bool highCombination_ = false;
  bool ventilationUnits_ = false;
  double outdoorHeightMin_ = 0;
  double outdoorHeightMax_ = 0;
};
