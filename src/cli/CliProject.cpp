// Opening, creating and saving the project of the design commands. Loading and saving a project
// file happen here and nowhere else in the command line.

#include "cli/CliProject.h"

#include <ostream>

#include "app/ProgramGlossary.h"
#include "catalogue/VersionInfo.h"
#include "i18n/BuiltinMessages.h"
#include "i18n/MessageCatalog.h"
#include "platform/CodePage.h"
#include "platform/SettingsStore.h"

namespace {

// "Проект выполнен с помощью другой версии программы QRN Solvo".
constexpr int kMsgOtherProgramVersion = 3;

}  // namespace

CTCliProject::CTCliProject(std::ostream& err) : err_(err), ui_(err), scopedUi_(ui_) {
  RegisterBuiltinMessages();
  RegisterProgramEngines();
}

CTCliProject::~CTCliProject() {
  project_.reset();
  if (connected_) factory_.DisconnectAll();
}

bool CTCliProject::Connect(const std::string& path) {
  // The project connects through the memory engine, which needs its data-source entry.
  if (!EnsureProjectDataSource()) {
    CTSettingsStore& settings = CTSettingsStore::Process();
    CliFail(err_, kMsgCannotCreate, settings.FilePath(CTSettingsHive::CurrentUser),
            settings.ErrorText(CTSettingsHive::CurrentUser));
    return false;
  }
  factory_.SetReadOnly(CTFactory::kCatalogue, true);
  if (LoadProgramGlossary(glossary_)) factory_.SetGlossary(CTFactory::kCatalogue, &glossary_);
  factory_.SetFileName(CTFactory::kProject, path);
  connected_ = factory_.ConnectAll();
  if (!connected_) factory_.DisconnectAll();
  return connected_;
}

bool CTCliProject::Create() {
  if (!Connect("")) return false;
  project_ = std::make_unique<Cls_QsProject>(0, &factory_);
  project_->InitDefaults();
  project_->SetOstrelDefinedVersion(CatalogueDataVersion(&factory_));
  project_->Insert();
  return true;
}

bool CTCliProject::Open(const std::string& path) {
  if (!Connect(path)) return false;
  std::unique_ptr<CTDbObject> record =
      CTDbObject::SingleObject(Cls_QsProject::kTableId, false, &factory_);
  auto* project = dynamic_cast<Cls_QsProject*>(record.get());
  if (!project) {
    CliFail(err_, kMsgInvalidStructure, path, "no project in it");
    return false;
  }
  record.release();
  project_.reset(project);
  if (!Cls_QsProject::IsFormatVersionAccepted(project_->GetDbVersion())) {
    CliReport(err_,
              Utf8FromCp1251(TBaseMsg::GetText(kMsgOtherProgramVersion, CTMsgList{})) + ": " + path,
              kCliFailed);
    project_.reset();
    return false;
  }
  return true;
}

bool CTCliProject::SaveAs(const std::string& path) {
  project_->SetToolVersion(kProgramVersion);
  project_->Post();
  factory_.SetFileName(CTFactory::kProject, path);
  const LTDbIoResult saved = factory_.TrySaveDatabase(CTFactory::kProject, false);
  if (!saved) CliFail(err_, kMsgCannotCreate, path, saved.reason);
  return saved.IsOk();
}
