// The project life cycle of the application core: new, open, save, close, the identity fields
// and the award.

#include <cstdio>
#include <filesystem>

#include "app/ProgramFactory.h"
#include "app/QRNSolvoMain.h"
#include "catalogue/VersionInfo.h"
#include "design/Preferences.h"
#include "i18n/MessageCatalog.h"
#include "i18n/TextTrim.h"
#include "objectstore/DbEngine.h"
#include "platform/CodePage.h"

namespace {

constexpr int kMsgOtherProgramVersion = 3;
constexpr int kMsgSaveChanges = -5;
constexpr int kMsgValueRequired = 5012;

int IdentityField(TQsControl control) {
  switch (control) {
    case TQsControl::kProjectName:
      return Cls_QsProject::kName;
    case TQsControl::kProjectReference:
      return Cls_QsProject::kProjectReference;
    case TQsControl::kClientName:
      return Cls_QsProject::kClientName;
    case TQsControl::kClientAddress:
      break;
  }
  return Cls_QsProject::kClientAddress;
}

}  // namespace

LTFileDialog CTQRNSolvoMainImpl::OpenDialog() {
  return {Cp1251FromUtf8("Открыть Проект"),
          {{Cp1251FromUtf8("Проектный файл (*.qrn)"), "*.qrn"},
           {Cp1251FromUtf8("все файлы (*.*)"), "*.*"}},
          "qrn"};
}

LTFileDialog CTQRNSolvoMainImpl::SaveDialog() {
  LTFileDialog dialog = OpenDialog();
  dialog.title = Cp1251FromUtf8("Сохранить Проект");
  return dialog;
}

bool CTQRNSolvoMainImpl::ReconnectProject(const std::string& fileName) {
  CTFactory& factory = *factory_;
  if (factory.IsDatabaseConnected(CTFactory::kProject)) {
    factory.DisconnectDatabase(CTFactory::kProject);
  }
  factory.SetFileName(CTFactory::kProject, fileName);
  factory.ConnectDatabase(CTFactory::kProject);
  CTDbEngine* engine = factory.Engine(CTFactory::kProject);
  if (!engine) return false;
  // Reading the file (none: an empty database); the engine shows why a file cannot be read.
  if (!engine->Connect("", "", CTBaseFactory::ShowMessages())) return false;
  for (const auto& table : factory.Tables()) {
    if (table && table->Engine() == engine && !engine->VerifyTable(*table, true)) return false;
  }
  return true;
}

void CTQRNSolvoMainImpl::DropProject() {
  project_.reset();
}

bool CTQRNSolvoMainImpl::LoadProject(const std::string& fileName, bool isNew) {
  DropProject();
  const bool askedForFile = !isNew;
  if (!ReconnectProject(isNew ? std::string() : fileName)) {
    // A file that cannot be read gives a new project.
    ReconnectProject("");
    isNew = true;
  }
  if (isNew) {
    Cls_QsProject created(0, factory_.get());
    created.InitDefaults();
    created.SetOstrelDefinedVersion(CatalogueDataVersion(factory_.get()));
    created.Insert();
  }
  const CTDbObjectList stored =
      CTDbObject::AllObjects(Cls_QsProject::kTableId, false, factory_.get());
  if (!stored.empty()) {
    project_ = std::make_unique<Cls_QsProject>(stored.front()->RecordId(), factory_.get());
  }
  if (!isNew) {
    const bool accepted = project_ && Cls_QsProject::IsFormatVersionAccepted(
                                          project_->GetDbVersion(), Cls_QsProject::kFormatVersion);
    if (!accepted) {
      modified_ = false;
      TBaseMsg::ShowError(kMsgOtherProgramVersion);
      CloseProject(true);
      return false;
    }
    project_->StoreAsDefaults();
  }
  project_->BuildSeriesLists(outdoorUnits_);
  frontEnd_->ActivateTab(TQsTab::kIndoor);
  project_->RecalculateAll(outdoorUnits_);
  frontEnd_->RefillTab(TQsTab::kOutdoor);
  frontEnd_->RefillTab(TQsTab::kIndoor);
  frontEnd_->ShowAward(AwardText());
  RefreshTabStates();
  modified_ = false;
  openedAt_ = std::time(nullptr);
  return !(askedForFile && isNew);
}

bool CTQRNSolvoMainImpl::QuerySaveProject() {
  if (!project_ || !modified_) {
    modified_ = false;
    return true;
  }
  switch (TBaseMsg::Ask(kMsgSaveChanges, kBtnYes | kBtnNo | kBtnCancel)) {
    case kAnsYes:
      SaveProjectAs();
      return !modified_;
    case kAnsNo:
      modified_ = false;
      return true;
    default:
      return false;
  }
}

void CTQRNSolvoMainImpl::CloseProject(bool reopen) {
  if (!QuerySaveProject()) return;
  DropProject();
  frontEnd_->ClearProjectViews();
  if (reopen) LoadProject("", true);
}

void CTQRNSolvoMainImpl::NewProject() {
  if (!QuerySaveProject()) return;
  CloseProject(true);
}

void CTQRNSolvoMainImpl::OpenProject() {
  if (!QuerySaveProject()) return;
  const std::string chosen = frontEnd_->ChooseOpenFile(OpenDialog());
  if (chosen.empty()) return;
  modified_ = false;
  CloseProject(false);
  LoadProject(chosen, false);
}

void CTQRNSolvoMainImpl::SaveProjectAs() {
  if (!project_) return;
  // The name, the reference and the client's name must be filled in, in this order.
  struct LTRequired {
    TQsControl control;
    int field;
    const char* caption;  // UTF-8
  };
  const LTRequired required[] = {
      {TQsControl::kProjectName, Cls_QsProject::kName, "Название проекта"},
      {TQsControl::kProjectReference, Cls_QsProject::kProjectReference, "Контакт"},
      {TQsControl::kClientName, Cls_QsProject::kClientName, "Имя клиента"},
  };
  for (const LTRequired& r : required) {
    if (!TrimText(project_->GetString(r.field)).empty()) continue;
    frontEnd_->ActivateTab(TQsTab::kIndoor);
    frontEnd_->FocusControl(r.control);
    TBaseMsg::ShowError(kMsgValueRequired, {Cp1251FromUtf8(r.caption)});
    return;
  }
  std::string chosen = frontEnd_->ChooseSaveFile(SaveDialog(), MakeDefaultFileName() + ".qrn");
  if (chosen.empty()) return;
  if (std::filesystem::path(chosen).extension().empty()) chosen += ".qrn";
  SaveProjectTo(chosen);
}

bool CTQRNSolvoMainImpl::SaveProjectTo(const std::string& fileName) {
  if (!project_) return false;
  project_->SetToolVersion(ProgramVersionText());
  project_->Post();
  factory_->SetFileName(CTFactory::kProject, fileName);
  // The store writes a new file beside the old one and replaces it only once it is complete; a
  // failure shows message -3 with the file name and leaves the project modified.
  if (!factory_->SaveDatabase(CTFactory::kProject, true)) {
    modified_ = true;
    return false;
  }
  modified_ = false;
  return true;
}

std::string CTQRNSolvoMainImpl::DefaultFileName(const std::string& projectName, std::time_t when) {
  std::string name;
  for (const char c : projectName) {
    const auto byte = static_cast<unsigned char>(c);
    const bool printable = byte >= 32 && byte <= 126;
    const bool reserved = std::string_view("\"*/:;<>?\\|").find(c) != std::string_view::npos;
    name += printable && !reserved ? c : '_';
  }
  std::tm local{};
  localtime_r(&when, &local);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%02d%02d%04d_%02d%02d", local.tm_mday, local.tm_mon + 1,
                local.tm_year + 1900, local.tm_hour, local.tm_min);
  return name + "_" + stamp;
}

std::string CTQRNSolvoMainImpl::MakeDefaultFileName() const {
  return DefaultFileName(project_ ? project_->Name() : std::string(), openedAt_);
}

int CTQRNSolvoMainImpl::IdentityChecksum(const std::string& name, const std::string& reference,
                                         const std::string& client, const std::string& address) {
  int sum = 0;
  for (const std::string* text : {&name, &reference, &client, &address}) {
    for (const char c : TrimText(*text)) sum += static_cast<unsigned char>(c);
  }
  return sum == 0 ? 1 : sum;
}

void CTQRNSolvoMainImpl::EditProjectIdentity(TQsControl control, const std::string& text) {
  if (!project_) return;
  project_->SetIdentificationText(IdentityField(control), text);
  const std::string award = project_->GetAwardString();
  if (award.size() < 2) return;
  const int held = static_cast<unsigned char>(award[0]) << 8 | static_cast<unsigned char>(award[1]);
  const int checksum = IdentityChecksum(project_->Name(), project_->GetProjectReference(),
                                        project_->GetClientName(), project_->GetClientAddress());
  if ((checksum & 0xFFFF) == held) return;
  project_->SetAwardString("");
  project_->Post();
  frontEnd_->ShowAward({});
}

std::string CTQRNSolvoMainImpl::AwardText() {
  if (!project_) return {};
  const std::string award = project_->GetAwardString();
  return award.size() > 2 ? award.substr(2) : std::string();
}

void CTQRNSolvoMainImpl::RecalculateProject() {
  if (!project_) return;
  project_->RecalculateAll(outdoorUnits_);
  RefreshTabStates();
}

std::array<int, kTabCount> CTQRNSolvoMainImpl::RefreshTabStates() {
  std::array<int, kTabCount> images;
  images.fill(kTabImageUnavailable);
  images[static_cast<int>(TQsTab::kIndoor)] = kTabImageAvailable;
  if (project_) images = ComputeTabImages(*project_);
  frontEnd_->SetTabImages(images);
  return images;
}

bool CTQRNSolvoMainImpl::CanEnterTab(TQsTab tab) {
  if (!project_) return tab == TQsTab::kIndoor;
  return IsTabAvailable(ComputeTabImages(*project_), tab);
}
