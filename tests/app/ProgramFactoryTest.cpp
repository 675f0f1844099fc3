#include <gtest/gtest.h>

#include <memory>

#include "ProgramEnvironment.h"
#include "app/ProgramFactory.h"
#include "catalogue/OutdoorUnits.h"
#include "i18n/BuiltinMessages.h"
#include "i18n/HeadlessMessageUi.h"
#include "objectstore/DbEngine.h"
#include "objectstore/DbException.h"
#include "objectstore/DbObject.h"
#include "objectstore/MemDbEngine.h"
#include "objectstore/ResDbEngine.h"
#include "objectstore/TableInfo.h"
#include "platform/CompressedWrapper.h"
#include "platform/MemoryStream.h"
#include "platform/Resources.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

namespace {

// The shared program factory (the embedded catalogue connected once) with an empty project.
class ProgramStore : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(programtest::Connected());
    programtest::ResetProject();
  }

  CTFactory& Factory() { return programtest::Factory(); }
  CTMemDbEngine& Project() {
    return static_cast<CTMemDbEngine&>(*Factory().Engine(CTFactory::kProject));
  }
  std::unique_ptr<CTDbObject> Add(int table) {
    auto object = Factory().CreateObject(table, 0);
    object->Insert();
    return object;
  }
  std::string SaveText() {
    Factory().SetCompression(false, "");
    CTMemoryStream out;
    Project().SaveToStream(out);
    Factory().SetCompression(true, std::string(kCompressedMagic));
    return out.Text();
  }

  CTHeadlessMessageUi ui;
  CTScopedMessageUi scoped{ui};
};

}  // namespace

// Registration follows the registry itself: after the engine classes are cleared, registering
// again gives the engines back, in their order; registering twice adds nothing.
TEST(ProgramFactory, EnginesRegisterAgainAfterTheRegistryIsCleared) {
  CTBaseFactory::ClearEngineClasses();
  RegisterProgramEngines();
  RegisterProgramEngines();
  CTFactory factory;
  factory.SetReadOnly(CTFactory::kCatalogue, true);
  ASSERT_TRUE(factory.ConnectAll());
  EXPECT_EQ(factory.Engine(CTFactory::kCatalogue)->GetKindText(), "Resource");
  EXPECT_EQ(dynamic_cast<CTResDbEngine*>(factory.Engine(CTFactory::kProject)), nullptr);
  EXPECT_TRUE(factory.Compression());  // the program's files are compressed
  EXPECT_EQ(factory.CompressionMagic(), "Q3T");
  factory.DisconnectAll();
}

TEST(ProgramFactory, DatabasesHeaderAndTableLookUps) {
  CTFactory factory;
  EXPECT_EQ(factory.Tables().size(), 229u);
  EXPECT_EQ(factory.GetDatabaseName(CTFactory::kCatalogue), "Device_Database");
  EXPECT_EQ(factory.GetDatabaseName(CTFactory::kProject), "QRN_Solvo_Project");
  EXPECT_EQ(factory.HeaderText(), "EDI100");
  EXPECT_TRUE(factory.CheckHeader("EDI100"));
  EXPECT_FALSE(factory.CheckHeader("EDI101"));
  EXPECT_EQ(factory.TableByName("tbl_bsbox")->Id(), 76);
  EXPECT_EQ(factory.CreateObject(162, 0), nullptr);  // abstract
  EXPECT_EQ(factory.CreateObject(75, 0), nullptr);   // unused id
  // A reference registered on the device table is found on the indoor unit table below it.
  bool found = false;
  for (const CTTableLink* l : factory.TableById(109)->Links())
    found |= l->Name() == "Device_Documentation";
  EXPECT_TRUE(found);
  // A factory that never connected has nothing to reconnect.
  try {
    factory.ConnectDatabase(CTFactory::kProject);
    ADD_FAILURE();
  } catch (const LTBseFactExc& e) {
    EXPECT_STREQ(e.what(), "Database not connected");
  }
}

TEST_F(ProgramStore, ConnectsTheEmbeddedCatalogueAndAnEmptyProject) {
  EXPECT_EQ(Factory().Engine(CTFactory::kCatalogue)->GetKindText(), "Resource");
  EXPECT_GT(Factory().Engine(CTFactory::kCatalogue)->RecordCount(101), 0);
  EXPECT_EQ(Project().RecordCount(173), 0);
  try {
    Factory().ConnectAll();
    ADD_FAILURE();
  } catch (const LTBseFactExc& e) {
    EXPECT_STREQ(e.what(), "Database already connected");
  }
  EXPECT_TRUE(Factory().IsConnected());
  EXPECT_FALSE(Factory().SaveDatabase(CTFactory::kProject, true));  // no file name, no message
  EXPECT_TRUE(ui.Shown().empty());
}

TEST_F(ProgramStore, ADatabaseNoEngineTakesIsReported) {
  CTFactory factory;
  CTMemDbEngine::DeleteDataSource("QRN_Solvo_Project", true);
  EXPECT_FALSE(factory.ConnectAll());
  CTMemDbEngine::EnsureDataSource("QRN_Solvo_Project");
  ASSERT_FALSE(ui.Shown().empty());
  EXPECT_EQ(ui.Shown().back().text,
            testsupport::Ansi("'QRN_Solvo_Project' не является базой данных ODBC"));
}

// One record of every concrete project table, with references between them; saved, loaded and
// saved again it gives the same bytes.
TEST_F(ProgramStore, EveryProjectTableRoundTrips) {
  std::vector<std::unique_ptr<CTDbObject>> records;
  for (const auto& t : Factory().Tables()) {
    if (!t || t->DatabaseIndex() != CTFactory::kProject || t->IsAbstract()) continue;
    auto object = Factory().CreateObject(t->Id(), 0);
    ASSERT_NE(object, nullptr) << t->TableName();
    const CTTableInfo& table = object->Table();
    for (int f = 1; f < table.FieldCount(); ++f) {
      const CTFieldInfo* field = table.Field(f);
      if (field->Link()) {
        ++f;  // references stay empty: checked ones need targets
        continue;
      }
      switch (field->Type()) {
        case kFtBoolean:
          object->SetBool(f, !field->DefaultBool());
          break;
        case kFtInteger:
          object->SetInt(f, 7 + f);
          break;
        case kFtDouble:
          object->SetDouble(f, 0.5 + f);
          break;
        case kFtDateTime:
          object->SetDouble(f, 46000.25);
          break;
        case kFtString:
          object->SetString(f, "v" + std::to_string(f) + "\r\n\\");
          break;
        default:
          break;
      }
    }
    object->Insert();
    records.push_back(std::move(object));
  }
  const std::string text = SaveText();
  records.clear();
  programtest::ResetProject();
  CTMemoryStream in(text);
  ASSERT_TRUE(Project().LoadFromStream(in));
  EXPECT_EQ(SaveText(), text);
}

TEST_F(ProgramStore, CascadesAcrossTheProjectTables) {
  auto project = Add(173);
  auto system = Factory().CreateObject(176, 0);
  system->SetReference(7, project.get());  // "devices": a placement's project
  system->Insert();
  auto indoor = Add(175);
  // "piping diagram elements" (field 3) and "dev in piping" (field 7) of a piping node.
  auto node = Factory().CreateObject(179, 0);
  node->SetReference(3, system.get());
  node->SetReference(7, indoor.get());
  node->Insert();
  // "options" (field 3): a placement's used options and its piping node go with the placement.
  auto option = Factory().CreateObject(181, 0);
  option->SetReference(3, indoor.get());
  option->Insert();
  indoor->Delete();
  EXPECT_FALSE(Project().RecordExists(181, option->RecordId()));
  EXPECT_FALSE(Project().RecordExists(179, node->RecordId()));
  auto node2 = Factory().CreateObject(179, 0);
  node2->SetReference(3, system.get());
  node2->Insert();
  system->Delete();
  EXPECT_FALSE(Project().RecordExists(179, node2->RecordId()));
}

// The header and schema lines of an empty project database, reviewed by hand against the table
// definitions once; any change to a project table's fields shows up here.
TEST_F(ProgramStore, SchemaSectionOfAnEmptyProject) {
  const std::string expected =
      testsupport::ReadFile(testsupport::DataPath("app/empty-project-schema.txt"));
  EXPECT_EQ(SaveText(), expected + "0\r\n");
}

// Files written by other layouts of the tables still load: names differing in case, fields in
// another order, unknown fields and tables.
TEST_F(ProgramStore, OtherLayoutsStillLoad) {
  const std::string text =
      "EDI100\r\n5 13 TBL_QSPROJECT 173\r\n5 8 fld_name 5\r\n5 7 Unknown 4\r\n5 6 FLD_ID 2\r\n0\r\n"
      "5 11 Tbl_Future 300\r\n5 6 FUT_ID 2\r\n0\r\n0\r\n"
      "2 300 2 1\r\n2 1 \r\n"
      "2 173 2 1\r\n5 4 Main 4 1.5 2 9 \r\n0\r\n";
  CTMemoryStream in(text);
  ASSERT_TRUE(Project().LoadFromStream(in));
  auto project = Factory().CreateObject(173, 9);
  EXPECT_EQ(project->Name(), "Main");
}

// A factory given its catalogue's bytes and a scratch project connects without touching the
// embedded resource or the settings; a factory without them still needs the project's entry.
TEST(ProgramFactorySources, GivenCatalogueAndScratchProjectLeaveResourceAndSettingsAlone) {
  testsupport::TempDir dir;
  CTSettingsStore settings(dir.File("user.txt"), dir.File("machine.txt"));
  CTScopedProcessSettings scopedSettings(settings);
  RegisterBuiltinMessages();
  CTHeadlessMessageUi ui;
  CTScopedMessageUi scoped(ui);
  RegisterProgramEngines();
  const auto embedded = CTResources::Find("DEVICE_DATABASE");
  ASSERT_TRUE(embedded);
  {
    CTFactory factory;
    CTScopedDefaultFactory scopedDefault(factory);
    factory.SetReadOnly(CTFactory::kCatalogue, true);
    factory.SetCatalogueBytes(testsupport::ReadFile(testsupport::CatalogueFixture("capacity")));
    factory.SetScratchProject(true);
    ASSERT_TRUE(factory.ConnectAll());
    std::vector<std::string> names;
    for (const auto& unit : CTDbObject::AllObjects(Cls_OutdoorUnit::kTableId, false, &factory)) {
      names.push_back(unit->Name());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"QOT-10", "QOT-20"}));
    EXPECT_TRUE(factory.Engine(CTFactory::kCatalogue)->ReadOnly());
    EXPECT_EQ(factory.Engine(CTFactory::kProject)->RecordCount(173), 0);
    factory.DisconnectAll();
  }
  const auto after = CTResources::Find("DEVICE_DATABASE");
  ASSERT_TRUE(after);
  EXPECT_EQ(after->data(), embedded->data());
  EXPECT_EQ(after->size(), embedded->size());
  EXPECT_FALSE(testsupport::FileExists(dir.File("user.txt")));
  EXPECT_FALSE(testsupport::FileExists(dir.File("user.txt.lock")));

  CTFactory plain;
  CTScopedDefaultFactory scopedDefault(plain);
  EXPECT_FALSE(plain.ConnectAll());  // no data-source entry for the project
  EXPECT_TRUE(EnsureProjectDataSource());
  EXPECT_TRUE(testsupport::FileExists(dir.File("user.txt")));
  ASSERT_TRUE(plain.ConnectAll());
  EXPECT_GT(plain.Engine(CTFactory::kCatalogue)->RecordCount(Cls_OutdoorUnit::kTableId), 2);
  plain.DisconnectAll();
}
