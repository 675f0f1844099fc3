#include "ProjectTestStore.h"

#include <stdexcept>

#include "design/ProjectClasses.h"
#include "i18n/BuiltinMessages.h"
#include "objectstore/TableInfo.h"
#include "platform/MemoryStream.h"

namespace {

constexpr int kU = CTTableInfo::kUniqueNames;
constexpr int kR = CTTableInfo::kNameRequired;
constexpr int kA = CTTableInfo::kAbstract;

// Catalogue tables that project references point at; concrete devices hang below the device
// table so that a device reference accepts them.
const std::vector<ProjectTestTable> kCatalogueStubTables = {
    {76, "TBL_BSBox", "BSBox", 162, kU | kR, 0},
    {80, "TBL_CentralController", "CentralController", 162, kU | kR, 0},
    {105, "TBL_HeaderJoint", "HeaderJoint", -1, kU | kR, 0},
    {109, "TBL_IndoorUnit", "IndoorUnit", 162, kU | kR, 0},
    {110, "TBL_IndOption", "IndOption", 163, kU | kR, 0},
    {119, "TBL_OutdoorUnit", "OutdoorUnit", 162, kU | kR, 0},
    {128, "TBL_Refrigerant", "Refrigerant", -1, kU | kR, 0},
    {144, "TBL_AEX", "AEX", 162, kU | kR, 0},
    {162, "Tbl_Device", "Device", -1, kA, 0},
    {163, "Tbl_DeviceOption", "DeviceOption", -1, kA, 0},
};

struct ProjectTestLink {
  int id;
  const char* name;
  const char* propertyName;
  int referenced;
  int referring;
  int field;
  int flags;
};

constexpr int kC = CTTableLink::kCascade;
constexpr int kK = CTTableLink::kChecked;
constexpr int kO = CTTableLink::kOneToOne;

// Every reference held by a project table.
const std::vector<ProjectTestLink> kProjectTestLinks = {
    {271, "basic controller model", "basicController", 80, 173, 14, 0},
    {272, "intelligent controller model", "intelligentController", 80, 173, 16, 0},
    {275, "centralized controller model", "", 80, 186, 3, kK},
    {298, "preferred controller type", "preferredController", 80, 176, 28, 0},
    {304, "hj model", "", 105, 217, 7, 0},
    {313, "option board", "optionBoard", 110, 226, 22, kK},
    {260, "refrig used", "", 128, 173, 12, 0},
    {254, "device model", "", 162, 174, 9, 0},
    {261, "option used", "", 163, 181, 1, 0},
    {253, "devices", "", 173, 174, 7, kC | kK},
    {273, "controllers", "", 173, 186, 1, kC | kK},
    {252, "connected devices", "", 174, 174, 5, kC},
    {258, "dev in piping", "", 174, 179, 7, kC | kK | kO},
    {262, "options", "", 174, 181, 3, kC | kK},
    {255, "piping diagram elements", "", 176, 178, 3, kC | kK},
    {256, "subnode", "", 178, 178, 5, kC},
    {274, "controlled by", "", 186, 176, 26, 0},
    {305, "hdr in piping", "", 220, 218, 9, kC | kK | kO},
};

const ProjectTestTable& ProjectTable(int id) {
  for (const ProjectTestTable& t : kProjectTestTables) {
    if (t.id == id) return t;
  }
  throw std::runtime_error("no project table " + std::to_string(id));
}

std::unique_ptr<CTTableInfo> MakeTable(const ProjectTestTable& t) {
  return std::make_unique<CTTableInfo>(t.id, t.flags, t.parentId, t.displayName, t.tableName,
                                       t.databaseIndex);
}

}  // namespace

const std::vector<ProjectTestTable> kProjectTestTables = {
    {173, "Tbl_QsProject", "QsProject", -1, 0, 1},
    {174, "Tbl_QsDevicePlacement", "QsDevicePlacement", -1, kA, 1},
    {175, "Tbl_QsIndPlacement", "QsIndPlacement", 174, kR, 1},
    {176, "Tbl_QsOutPlacement", "QsOutPlacement", 174, kU | kR, 1},
    {177, "Tbl_QsBSBPlacement", "QsBSBPlacement", 174, kR, 1},
    {178, "Tbl_QsPipingNode", "QsPipingNode", -1, kA, 1},
    {179, "Tbl_QsDevicePipingNode", "QsDevicePipingNode", 178, kU | kR, 1},
    {181, "Tbl_QsUsedOption", "QsUsedOption", -1, kU | kR, 1},
    {186, "Tbl_QsCenCoPlacement", "QsCenCoPlacement", -1, 0, 1},
    {217, "Tbl_QsHJPipingNode", "QsHJPipingNode", 178, kA, 1},
    {218, "Tbl_QsHeaderPipingNode", "QsHeaderPipingNode", 217, 0, 1},
    {219, "Tbl_QsJointPipingNode", "QsJointPipingNode", 217, 0, 1},
    {220, "Tbl_QsHeaderPlacement", "QsHeaderPlacement", 174, 0, 1},
    {226, "Tbl_QsHXB415Placement", "QsHXB415Placement", 175, 0, 1},
    {227, "Tbl_QsAEXPlacement", "QsAEXPlacement", 175, 0, 1},
    {228, "Tbl_QsAXDPlacement", "QsAXDPlacement", 175, 0, 1},
};

CTProjectTestFactory::CTProjectTestFactory() : CTBaseFactory("EDI", 100, 100) {
  RegisterDatabase("DesignTestCatalogue");
  RegisterDatabase("DesignTestProject");
  SetTableListSize(229);
  for (const ProjectTestTable& t : kCatalogueStubTables) {
    CTTableInfo* table = AddTable(MakeTable(t));
    CTDbObject::DefineFields(*table, "Fld_ID");
    if (!table->IsAbstract()) {
      RegisterClass(t.id, [id = t.id](int recordId, CTBaseFactory* factory) {
        return std::make_unique<CTCatalogueStub>(id, recordId, factory);
      });
    }
  }
  ForEachProjectClass(
      [this](int tableId, void (*define)(CTTableInfo&, const std::string&), TObjectCreator create) {
        CTTableInfo* table = AddTable(MakeTable(ProjectTable(tableId)));
        define(*table, "");
        if (create) RegisterClass(tableId, std::move(create));
      });
  for (const ProjectTestLink& l : kProjectTestLinks) {
    AddLink(l.referenced, std::make_unique<CTTableLink>(l.id, l.name, l.propertyName, l.referring,
                                                        l.field, l.flags));
  }
  FinishRegistration();
}

ProjectTestStore::ProjectTestStore()
    : settingsDir(std::make_unique<testsupport::TempDir>()),
      settings(std::make_unique<CTSettingsStore>(settingsDir->File("user.txt"),
                                                 settingsDir->File("machine.txt"))) {
  RegisterBuiltinMessages();
  CTSettingsStore::SetProcess(settings.get());
  CTMemDbEngine::EnsureDataSource("DesignTestCatalogue");
  CTMemDbEngine::EnsureDataSource("DesignTestProject");
  scopedUi = std::make_unique<CTScopedMessageUi>(ui);
  CTBaseFactory::ClearEngineClasses();
  CTMemDbEngine::RegisterClass();
  if (!factory.ConnectAll()) throw std::runtime_error("the test store did not connect");
}

ProjectTestStore::~ProjectTestStore() {
  factory.DisconnectAll();
  CTSettingsStore::SetProcess(nullptr);
}

CTMemDbEngine& ProjectTestStore::Project() const {
  return static_cast<CTMemDbEngine&>(*factory.Engine(1));
}

std::string ProjectTestStore::SaveText() const {
  CTMemoryStream stream;
  Project().SaveToStream(stream);
  return stream.Text();
}

bool ProjectTestStore::LoadText(const std::string& text) const {
  CTMemoryStream stream(text);
  return Project().LoadFromStream(stream);
}
