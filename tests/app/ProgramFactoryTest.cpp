#include <gtest/gtest.h>

#include <memory>

#include "app/ProgramFactory.h"
#include "app/ProgramTables.h"
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
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

namespace {

// The program's factory, connected to the embedded catalogue and an empty project, with the
// settings and messages of the test.
class ProgramStore : public ::testing::Test {
 protected:
  ProgramStore() : settings(dir.File("user.txt"), dir.File("machine.txt")), scoped(ui) {
    RegisterBuiltinMessages();
    CTSettingsStore::SetProcess(&settings);
    RegisterProgramEngines();
    factory = std::make_unique<CTFactory>();
    defaultFactory = std::make_unique<CTScopedDefaultFactory>(*factory);
    factory->SetReadOnly(CTFactory::kCatalogue, true);
  }
  ~ProgramStore() override {
    defaultFactory.reset();
    factory.reset();
    CTSettingsStore::SetProcess(nullptr);
  }

  CTMemDbEngine& Project() {
    return static_cast<CTMemDbEngine&>(*factory->Engine(CTFactory::kProject));
  }
  std::unique_ptr<CTDbObject> Add(int table) {
    auto object = factory->CreateObject(table, 0);
    object->Insert();
    return object;
  }
  std::string SaveText() {
    factory->SetCompression(false, "");
    CTMemoryStream out;
    Project().SaveToStream(out);
    factory->SetCompression(true, std::string(kCompressedMagic));
    return out.Text();
  }

  testsupport::TempDir dir;
  CTSettingsStore settings;
  CTHeadlessMessageUi ui;
  CTScopedMessageUi scoped;
  std::unique_ptr<CTFactory> factory;
  std::unique_ptr<CTScopedDefaultFactory> defaultFactory;
};

}  // namespace

// Registration follows the registry itself: after the engine classes are cleared, registering
// again gives both engines back, in their order; registering twice adds nothing.
TEST_F(ProgramStore, EnginesRegisterAgainAfterTheRegistryIsCleared) {
  CTBaseFactory::ClearEngineClasses();
  RegisterProgramEngines();
  RegisterProgramEngines();
  ASSERT_TRUE(factory->ConnectAll());
  EXPECT_EQ(factory->Engine(CTFactory::kCatalogue)->GetKindText(), "Resource");
  EXPECT_EQ(dynamic_cast<CTResDbEngine*>(factory->Engine(CTFactory::kProject)), nullptr);
  EXPECT_TRUE(factory->Compression());  // the program's files are compressed
  EXPECT_EQ(factory->CompressionMagic(), "Q3T");
}

TEST_F(ProgramStore, TablesAndReferencesAsRegistered) {
  EXPECT_EQ(factory->Tables().size(), 229u);
  EXPECT_EQ(factory->GetDatabaseName(0), "Device_Database");
  EXPECT_EQ(factory->GetDatabaseName(1), "QRN_Solvo_Project");
  EXPECT_EQ(factory->HeaderText(), "EDI100");
  EXPECT_TRUE(factory->CheckHeader("EDI100"));
  EXPECT_FALSE(factory->CheckHeader("EDI101"));
  int defined = 0;
  for (const auto& table : factory->Tables()) defined += table ? 1 : 0;
  EXPECT_EQ(defined, static_cast<int>(ProgramTables().size()));
  for (const LTProgramTable& t : ProgramTables()) {
    const CTTableInfo* table = factory->TableById(t.id);
    ASSERT_NE(table, nullptr) << t.id;
    EXPECT_EQ(table->TableName(), t.tableName);
    EXPECT_EQ(table->DatabaseIndex(), t.database);
    EXPECT_EQ(table->Parent() ? table->Parent()->Id() : -1, t.parentId) << t.tableName;
    EXPECT_EQ(table->Field(0)->Type(), kFtInteger) << t.tableName;
  }
  EXPECT_EQ(factory->TableByName("tbl_bsbox")->Id(), 76);
  EXPECT_EQ(factory->CreateObject(162, 0), nullptr);  // abstract
  EXPECT_EQ(factory->CreateObject(75, 0), nullptr);   // unused id
  // Every reference sits on a pair of integer fields and is found on descendants of its table.
  for (const LTProgramLink& l : ProgramLinks()) {
    const CTTableInfo* referring = factory->TableById(l.referringTableId);
    ASSERT_LT(l.fieldIndex + 1, referring->FieldCount()) << l.name;
    EXPECT_EQ(referring->Field(l.fieldIndex)->Type(), kFtInteger) << l.name;
    EXPECT_EQ(referring->Field(l.fieldIndex + 1)->Type(), kFtInteger) << l.name;
  }
  bool found = false;
  for (const CTTableLink* l : factory->TableById(109)->Links())
    found |= l->Name() == "Device_Documentation";
  EXPECT_TRUE(found);
}

TEST_F(ProgramStore, ConnectsTheEmbeddedCatalogueAndAnEmptyProject) {
  ASSERT_TRUE(factory->ConnectAll());
  EXPECT_EQ(factory->Engine(0)->GetKindText(), "Resource");
  EXPECT_GT(factory->Engine(0)->RecordCount(101), 0);
  EXPECT_EQ(Project().RecordCount(173), 0);
  try {
    factory->ConnectAll();
    ADD_FAILURE();
  } catch (const LTBseFactExc& e) {
    EXPECT_STREQ(e.what(), "Database already connected");
  }
  EXPECT_FALSE(factory->SaveDatabase(1, true));  // no file name: no message either
  EXPECT_TRUE(ui.Shown().empty());
  factory->DisconnectAll();
  try {
    factory->ConnectDatabase(1);
    ADD_FAILURE();
  } catch (const LTBseFactExc& e) {
    EXPECT_STREQ(e.what(), "Database not connected");
  }
}

TEST_F(ProgramStore, ADatabaseNoEngineTakesIsReported) {
  CTMemDbEngine::DeleteDataSource("QRN_Solvo_Project", true);
  EXPECT_FALSE(factory->ConnectAll());
  ASSERT_FALSE(ui.Shown().empty());
  EXPECT_EQ(ui.Shown().back().text,
            testsupport::Ansi("'QRN_Solvo_Project' не является базой данных ODBC"));
  CTMemDbEngine::EnsureDataSource("QRN_Solvo_Project");
}

// One record of every concrete project table, with references between them; saved, loaded and
// saved again it gives the same bytes.
TEST_F(ProgramStore, EveryProjectTableRoundTrips) {
  ASSERT_TRUE(factory->ConnectAll());
  std::vector<std::unique_ptr<CTDbObject>> records;
  for (const LTProgramTable& t : ProgramTables()) {
    if (t.database != 1 || (t.flags & CTTableInfo::kAbstract)) continue;
    auto object = factory->CreateObject(t.id, 0);
    ASSERT_NE(object, nullptr) << t.tableName;
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
  factory->DisconnectDatabase(1);
  factory->ConnectDatabase(1);
  CTMemoryStream in(text);
  ASSERT_TRUE(Project().LoadFromStream(in));
  EXPECT_EQ(SaveText(), text);
}

TEST_F(ProgramStore, CascadesAcrossTheProjectTables) {
  ASSERT_TRUE(factory->ConnectAll());
  auto project = Add(173);
  auto system = factory->CreateObject(176, 0);
  system->SetReference(7, project.get());  // "devices": a placement's project
  system->Insert();
  auto indoor = Add(175);
  // "piping diagram elements" (field 3) and "dev in piping" (field 7) of a piping node.
  auto node = factory->CreateObject(179, 0);
  node->SetReference(3, system.get());
  node->SetReference(7, indoor.get());
  node->Insert();
  // "options" (field 3): a placement's used options and its piping node go with the placement.
  auto option = factory->CreateObject(181, 0);
  option->SetReference(3, indoor.get());
  option->Insert();
  indoor->Delete();
  EXPECT_FALSE(Project().RecordExists(181, option->RecordId()));
  EXPECT_FALSE(Project().RecordExists(179, node->RecordId()));
  auto node2 = factory->CreateObject(179, 0);
  node2->SetReference(3, system.get());
  node2->Insert();
  system->Delete();
  EXPECT_FALSE(Project().RecordExists(179, node2->RecordId()));
}

// The header and schema lines of an empty project database, reviewed by hand against the table
// definitions once; any change to a project table's fields shows up here.
TEST_F(ProgramStore, SchemaSectionOfAnEmptyProject) {
  ASSERT_TRUE(factory->ConnectAll());
  const std::string expected =
      testsupport::ReadFile(testsupport::DataPath("app/empty-project-schema.txt"));
  EXPECT_EQ(SaveText(), expected + "0\r\n");
}

// Files written by other layouts of the tables still load: names differing in case, fields in
// another order, unknown fields and tables.
TEST_F(ProgramStore, OtherLayoutsStillLoad) {
  ASSERT_TRUE(factory->ConnectAll());
  const std::string text =
      "EDI100\r\n5 13 TBL_QSPROJECT 173\r\n5 8 fld_name 5\r\n5 7 Unknown 4\r\n5 6 FLD_ID 2\r\n0\r\n"
      "5 11 Tbl_Future 300\r\n5 6 FUT_ID 2\r\n0\r\n0\r\n"
      "2 300 2 1\r\n2 1 \r\n"
      "2 173 2 1\r\n5 4 Main 4 1.5 2 9 \r\n0\r\n";
  CTMemoryStream in(text);
  ASSERT_TRUE(Project().LoadFromStream(in));
  auto project = factory->CreateObject(173, 9);
  EXPECT_EQ(project->Name(), "Main");
}
