// The application core: start-up and shutdown, and the catalogue caches it keeps.

#include "app/QRNSolvoMain.h"

#include <algorithm>
#include <filesystem>
#include <limits>

#include "app/ProgramFactory.h"
#include "app/ProgramGlossary.h"
#include "catalogue/Devices.h"
#include "catalogue/OutdoorUnits.h"
#include "catalogue/PipingTables.h"
#include "catalogue/VersionInfo.h"
#include "design/CatalogueFacts.h"
#include "design/Preferences.h"
#include "i18n/MessageCatalog.h"
#include "i18n/TextCase.h"
#include "i18n/TextTrim.h"
#include "i18n/Units.h"
#include "objectstore/MemDbEngine.h"
#include "platform/CodePage.h"
#include "platform/Installation.h"
#include "platform/SettingsStore.h"

namespace {

constexpr int kMsgUninstallQuestion = 5;
constexpr int kMsgUninstalled = 4;
constexpr int kMsgUninstallNeedsRights = 6;
constexpr int kMsgCatalogueVersion = 5014;

// The key of the program's settings, removed when uninstalling, and its parents.
constexpr const char* kProgramSettingsKey = "Software\\Ostrel\\Hi-QRN Selection\\QRNSolvo";
constexpr const char* kProjectDatabase = "QRN_Solvo_Project";

// The units the program adds to the table of units of measure: dimension, name, factor to the
// dimension's base unit and decimals.
struct LTAddedUnit {
  U_RepUnit dimension;
  const char* name;  // UTF-8
  long double factor;
  int decimals;
};
constexpr LTAddedUnit kAddedUnits[] = {
    {U_Airflow, "миль/мин", 16.666666666666668L, 1},
    {U_Airflow, "куб. футов в час", 0.0078658L, 0},
    {U_Airflow, "куб. футов в мин.", 0.4719475L, 0},
    {U_Airflow, "куб. футов в сек.", 28.316847L, 1},
    {U_Power, "Британская единица теплоты в час", 0.000293071L, 0},
    {U_Power, "Тон", 3.516852L, 1},
    {U_Length, "фут", 0.3048L, 1},
};

}  // namespace

std::string ProgramVersionText() {
  const int v = kProgramVersionNumber;
  return std::to_string(v / 100) + "." + std::to_string(v / 10 % 10) + "." + std::to_string(v % 10);
}

CTQRNSolvoMainImpl::CTQRNSolvoMainImpl(CTFrontEnd* frontEnd, CTInstallation* installation)
    : frontEnd_(frontEnd), installation_(installation) {
  if (!frontEnd_) frontEnd_ = EnsureDefaultFrontEnd();
  if (!installation_) {
    ownInstallation_ = std::make_unique<CTInstallation>();
    installation_ = ownInstallation_.get();
  }
}

CTFrontEnd* CTQRNSolvoMainImpl::EnsureDefaultFrontEnd() {
  if (!ownFrontEnd_) ownFrontEnd_ = std::make_unique<CTFrontEnd>();
  return ownFrontEnd_.get();
}

CTQRNSolvoMainImpl::~CTQRNSolvoMainImpl() {
  // The project's objects go before the databases they live in.
  project_.reset();
  refrigerants_.clear();
  controllerChoices_.clear();
  outdoorUnits_.clear();
  if (factory_) factory_->DisconnectAll();
  defaultFactory_.reset();
}

TStartUpResult CTQRNSolvoMainImpl::StartUp(const std::vector<std::string>& arguments,
                                           const std::string& programPath) {
  // Uninstall mode: exactly one argument, "/uninstall".
  if (arguments.size() == 1 && EqualNoCase(arguments[0], "/uninstall")) {
    RunUninstall(programPath);
    return TStartUpResult::kStopped;
  }
  // The temporary copy that removes the installed program.
  for (const std::string& argument : arguments) {
    if (argument.find("PID:") != std::string::npos) {
      std::string commandLine;
      for (const std::string& a : arguments) commandLine += (commandLine.empty() ? "" : " ") + a;
      installation_->DeleteInstalledProgram(commandLine);
      return TStartUpResult::kStopped;
    }
  }
  installation_->Install(programPath);

  modified_ = false;
  openedAt_ = 0;
  caption_.clear();
  air_ = TAir();
  if (!SetUpStore()) return TStartUpResult::kStopped;
  if (!factory_->ConnectAll()) return TStartUpResult::kStopped;
  if (!CheckCatalogueVersion(kRequiredCatalogueVersion, factory_.get())) {
    // The check has shown message 5014 with what it found.
    return TStartUpResult::kStopped;
  }
  AddUnits();
  CTPreferences::Current().Load(CTSettingsStore::Process(), CatalogueDataRegion(factory_.get()));
  caption_ = "QRN Solvo - " + TrimText(CatalogueDataVersion(factory_.get()));
  frontEnd_->SetCaption(caption_);
  frontEnd_->SetBusy(true);
  BuildCatalogueCaches();
  frontEnd_->SetBusy(false);
  std::error_code error;
  if (!arguments.empty() && std::filesystem::is_regular_file(arguments[0], error)) {
    LoadProject(arguments[0], false);
  } else {
    LoadProject("", true);
  }
  return TStartUpResult::kRunning;
}

bool CTQRNSolvoMainImpl::RunUninstall(const std::string& programPath) {
  if (TBaseMsg::Ask(kMsgUninstallQuestion, kBtnYes | kBtnNo) != kAnsYes) return false;
  CTSettingsStore& settings = CTSettingsStore::Process();
  settings.DeleteKey(CTSettingsHive::CurrentUser, kProgramSettingsKey);
  // Each parent left without subkeys goes too.
  std::string key = kProgramSettingsKey;
  for (std::size_t cut = key.rfind('\\'); cut != std::string::npos; cut = key.rfind('\\')) {
    key.resize(cut);
    if (settings.HasSubKeys(CTSettingsHive::CurrentUser, key)) break;
    settings.DeleteKey(CTSettingsHive::CurrentUser, key);
  }
  CTMemDbEngine::DeleteDataSource(kProjectDatabase, false);
  if (installation_->MayRemoveInstallation()) {
    installation_->RemoveInstallation(programPath);
    TBaseMsg::ShowInfo(kMsgUninstalled);
  } else {
    TBaseMsg::ShowWarning(kMsgUninstallNeedsRights);
  }
  return true;
}

bool CTQRNSolvoMainImpl::SetUpStore() {
  RegisterProgramEngines();
  factory_ = std::make_unique<CTFactory>();  // compression on with "Q3T", "EDI" 100/100
  factory_->SetCatalogueBytes(catalogueSource_);
  defaultFactory_ = std::make_unique<CTScopedDefaultFactory>(*factory_);
  factory_->SetChangeCallback(CTFactory::kProject,
                              [this](int changed, int, int, const std::string*, int) {
                                if (changed) modified_ = true;
                              });
  factory_->SetFileName(CTFactory::kProject, "");
  factory_->SetReadOnly(CTFactory::kCatalogue, true);
  // Without a glossary the program runs untranslated.
  glossaryLoaded_ = glossaryEnabled_ && LoadProgramGlossary(glossary_);
  if (glossaryLoaded_) factory_->SetGlossary(CTFactory::kCatalogue, &glossary_);
  // The project database connects through its data-source entry; without one (settings that
  // cannot be written) it is connected as an empty database in memory.
  if (!EnsureProjectDataSource()) factory_->SetScratchProject(true);
  return true;
}

void CTQRNSolvoMainImpl::AddUnits() {
  CTUnitData::ResetUnits();
  CTUnitData::SetDecimals(U_Airflow, 0, 0);
  CTUnitData::SetDecimals(U_Airflow, 1, 0);
  CTUnitData::SetDecimals(U_Airflow, 2, 2);
  CTUnitData::SetDecimals(U_Length, 0, 1);
  CTUnitData::SetDecimals(U_Mass, 0, 1);
  CTUnitData::SetDecimals(U_Mass, 1, 1);
  CTUnitData::SetDecimals(U_None, 0, 0);
  for (const LTAddedUnit& unit : kAddedUnits) {
    CTUnitData::AddUnit(unit.dimension, Cp1251FromUtf8(unit.name), 0, unit.factor, unit.decimals);
  }
  // Pipe diameters: millimetres as the short lengths show them, and inches.
  CTUnitData::SetUnitName(U_Appl1, 0, CTUnitData::UnitName(U_ShortLength, 0));
  CTUnitData::SetDecimals(U_Appl1, 0, CTUnitData::Decimals(U_ShortLength, 0));
  CTUnitData::AddUnit(U_Appl1, CTUnitData::UnitName(U_ShortLength, 1), 0, 25.4L, 1);
}

void CTQRNSolvoMainImpl::BuildCatalogueCaches() {
  CTBaseFactory* factory = factory_.get();
  CatalogueFacts(factory);  // the piping allowances and the high-combination flag
  outdoorUnits_.clear();
  highCombination_ = false;
  outdoorHeightMin_ = std::numeric_limits<double>::infinity();
  outdoorHeightMax_ = 0;
  for (const auto& object : CTDbObject::AllObjects(Cls_OutdoorUnit::kTableId, false, factory)) {
    auto* unit = dynamic_cast<Cls_OutdoorUnit*>(
        CTDbObject::CachedObject(Cls_OutdoorUnit::kTableId, object->RecordId(), factory));
    if (!unit || unit->IsDeleted()) continue;
    outdoorUnits_.push_back(unit);
    if (unit->SupportsHighCombPerc()) highCombination_ = true;
    double width = 0, height = 0, depth = 0, weight = 0;
    unit->GetDimensions(width, height, depth, weight);
    outdoorHeightMin_ = std::min(outdoorHeightMin_, height);
    outdoorHeightMax_ = std::max(outdoorHeightMax_, height);
  }
  if (outdoorUnits_.empty()) outdoorHeightMin_ = 0;
  refrigerants_ = Cls_Refrigerant::GetUsedRefrigerants(factory);
  controllerChoices_ = Cls_CentralController::GetChoiceList(factory);
  ventilationUnits_ = !CTDbObject::AllObjects(Cls_AEX::kTableId, false, factory).empty();
  // Built once, so that later look-ups find them ready.
  Cls_Diameter::GetDiameterList(false, factory);
}

bool CTQRNSolvoMainImpl::QueryClose() {
  if (!QuerySaveProject()) return false;
  CloseProject(false);
  return !modified_;
}
