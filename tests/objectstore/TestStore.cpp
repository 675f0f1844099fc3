#include "TestStore.h"

#include <cstdio>
#include <stdexcept>

#include "i18n/BuiltinMessages.h"
#include "objectstore/TableInfo.h"
#include "platform/MemoryStream.h"
#include "support/TestSupport.h"

namespace teststore {

namespace {

void AddReference(CTTableInfo& table, int index, const std::string& name) {
  table.AddField(index, CTFieldInfo::Integer(name + "_CLS_REF", true, 0));
  table.AddField(index + 1, CTFieldInfo::Integer(name + "_OBJ_REF", true, 0));
}

}  // namespace

void CTTestRecord::GetName(int& charset, std::string& text) const {
  charset = 0;
  const int field = Table().NameFieldIndex();
  text = field >= 0 ? Values().GetBytes(field) : std::string();
}

void CTTestRecord::SetName(const std::string& text) {
  const int field = Table().NameFieldIndex();
  if (field >= 0) SetString(field, text);
}

CTTestFactory::CTTestFactory() : CTBaseFactory("EDI", 100, 100) {
  RegisterDatabase("TestCatalogue");
  RegisterDatabase("TestProject");
  SetTableListSize(21);
  const int ur = CTTableInfo::kUniqueNames | CTTableInfo::kNameRequired;

  CTTableInfo* family =
      AddTable(std::make_unique<CTTableInfo>(kFamily, ur, -1, "BSBox", "TBL_Family", 1));
  family->AddField(0, CTFieldInfo::Integer("FAM_ID", true, 0));
  family->AddField(kFamName, CTFieldInfo::String("FAM_Name", false, true, ""), true);
  family->AddField(kFamRank, CTFieldInfo::Integer("FAM_Rank", true, 3));

  CTTableInfo* device = AddTable(std::make_unique<CTTableInfo>(kDevice, ur | CTTableInfo::kAbstract,
                                                               -1, "Device", "TBL_Device", 1));
  device->AddField(0, CTFieldInfo::Integer("DEV_ID", true, 0));
  device->AddField(kDevName, CTFieldInfo::String("DEV_Name", false, true, ""), true);
  device->AddField(kDevPower, CTFieldInfo::Double("DEV_Power", true, 2.5));
  device->AddField(kDevNotes, CTFieldInfo::String("DEV_Notes", true, false, "none"));
  AddReference(*device, kDevFamily, "DEV_Family");
  AddReference(*device, kDevModel, "DEV_Model");

  for (int id : {kIndoor, kOutdoor}) {
    const bool indoor = id == kIndoor;
    CTTableInfo* t = AddTable(
        std::make_unique<CTTableInfo>(id, ur, kDevice, indoor ? "IndoorUnit" : "OutdoorUnit",
                                      indoor ? "TBL_Indoor" : "TBL_Outdoor", 1));
    // The parent's fields are inherited; the subclass adds its own from index 8 on.
    t->AddField(0, CTFieldInfo::Integer(indoor ? "IND_ID" : "OUT_ID", true, 0));
    if (indoor) {
      t->AddField(kIndCooling, CTFieldInfo::Boolean("IND_Cooling", true, true));
      t->AddField(kIndPhoto, CTFieldInfo::Blob("IND_Photo"));
    } else {
      t->AddField(kOutInstalled, CTFieldInfo::Date("OUT_Installed", true, 0));
      t->AddField(kOutPrice, CTFieldInfo::Currency("OUT_Price", true, 0));
    }
  }

  CTTableInfo* pipe = AddTable(std::make_unique<CTTableInfo>(kPipe, 0, -1, "Pipe", "TBL_Pipe", 1));
  pipe->AddField(0, CTFieldInfo::Integer("PIP_ID", true, 0));
  pipe->AddField(kPipLength, CTFieldInfo::Double("PIP_Length", true, 0));
  AddReference(*pipe, kPipFrom, "PIP_From");
  AddReference(*pipe, kPipOwner, "PIP_Owner");

  CTTableInfo* model =
      AddTable(std::make_unique<CTTableInfo>(kModel, ur, -1, "Model", "TBL_Model", 0));
  model->AddField(0, CTFieldInfo::Integer("MOD_ID", true, 0));
  model->AddField(kModCode, CTFieldInfo::String("MOD_Code", true, true, ""), true);

  AddLink(kFamily, std::make_unique<CTTableLink>(1, "Device_Family", "family", kDevice, kDevFamily,
                                                 CTTableLink::kChecked));
  AddLink(kDevice, std::make_unique<CTTableLink>(2, "Pipe_From", "from", kPipe, kPipFrom,
                                                 CTTableLink::kCascade));
  AddLink(kOutdoor, std::make_unique<CTTableLink>(3, "Pipe_Owner", "owner", kPipe, kPipOwner,
                                                  CTTableLink::kChecked | CTTableLink::kOneToOne));
  AddLink(kModel, std::make_unique<CTTableLink>(4, "Device_Model", "model", kDevice, kDevModel, 0));

  for (int id : {kFamily, kIndoor, kOutdoor, kPipe, kModel}) {
    RegisterClass(id, [id](int recordId, CTBaseFactory* f) {
      return std::make_unique<CTTestRecord>(id, recordId, f);
    });
  }
  FinishRegistration();
}

TestStore::TestStore(const std::string& catalogueText)
    : settingsDir(std::make_unique<testsupport::TempDir>()),
      settings(std::make_unique<CTSettingsStore>(settingsDir->File("user.txt"),
                                                 settingsDir->File("machine.txt"))) {
  RegisterBuiltinMessages();
  CTSettingsStore::SetProcess(settings.get());
  CTMemDbEngine::EnsureDataSource("TestCatalogue");
  CTMemDbEngine::EnsureDataSource("TestProject");
  scopedUi = std::make_unique<CTScopedMessageUi>(ui);
  CTBaseFactory::ClearEngineClasses();
  CTMemDbEngine::RegisterClass();
  if (!catalogueText.empty()) {
    static int counter = 0;
    catalogueFile =
        testsupport::TempDir().Path() + "-catalogue-" + std::to_string(++counter) + ".txt";
    testsupport::WriteFile(catalogueFile, catalogueText);
    factory.SetFileName(0, catalogueFile);
  }
  factory.SetReadOnly(0, true);
  factory.SetChangeCallback(1, [this](int, int table, int kind, const std::string*, int id) {
    changes.push_back(std::to_string(kind) + " " + std::to_string(table) + " " +
                      std::to_string(id));
  });
  if (!factory.ConnectAll()) throw std::runtime_error("test store did not connect");
  changes.clear();
}

TestStore::~TestStore() {
  factory.DisconnectAll();
  CTSettingsStore::SetProcess(nullptr);
  if (!catalogueFile.empty()) std::remove(catalogueFile.c_str());
}

CTMemDbEngine& TestStore::Project() const {
  return static_cast<CTMemDbEngine&>(*factory.Engine(1));
}
CTMemDbEngine& TestStore::Catalogue() const {
  return static_cast<CTMemDbEngine&>(*factory.Engine(0));
}

std::unique_ptr<CTDbObject> TestStore::Add(int tableId, const std::string& name) {
  auto object = factory.CreateObject(tableId, 0);
  if (!name.empty()) object->SetName(name);
  object->Insert();
  return object;
}

std::string TestStore::SaveText() const {
  CTMemoryStream stream;
  Project().SaveToStream(stream);
  return stream.Text();
}

}  // namespace teststore
