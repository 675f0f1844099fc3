#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "FailingStream.h"
#include "TestStore.h"
#include "objectstore/DbException.h"
#include "platform/MemoryStream.h"
#include "support/TestSupport.h"

using namespace teststore;

namespace {

LTDbIoResult Load(TestStore& store, const std::string& bytes) {
  CTMemoryStream stream(bytes);
  return store.Project().Load(stream);
}

// Switches the store's compressed file form on ("Q3T") or off.
void SetCompressed(TestStore& store, bool on) {
  store.factory.SetCompression(on, on ? "Q3T" : "");
}

// A project with every field type, references, odd strings and ids beyond one page.
void Populate(TestStore& store) {
  auto family = store.Add(kFamily, testsupport::Ansi("Семейство \"1\""));
  auto indoor = store.factory.CreateObject(kIndoor, 0);
  indoor->SetName("line\r\nbreak\\tab\t");
  indoor->SetDouble(kDevPower, 0.0000590039559146638);
  indoor->SetString(kDevNotes, "");
  indoor->SetBool(kIndCooling, false);
  indoor->SetReference(kDevFamily, family.get());
  indoor->Insert();
  CTMemoryStream photo(std::string("\0\x01\xFF\\", 4));
  store.Project().WriteBlob(*indoor, kIndPhoto, photo);
  auto outdoor = store.factory.CreateObject(kOutdoor, 0);
  outdoor->SetName("O");
  outdoor->SetDate(kOutInstalled, 46000.75);
  outdoor->SetCurrency(kOutPrice, 1234567);  // 123.4567
  outdoor->Values().SetId(1497);
  outdoor->Insert();
  auto second = store.factory.CreateObject(kOutdoor, 0);
  second->SetName("P");
  second->Values().SetId(500);
  second->Insert();
  auto pipe = store.factory.CreateObject(kPipe, 0);
  pipe->SetDouble(kPipLength, 12.5);
  pipe->SetReference(kPipFrom, indoor.get());
  pipe->SetReference(kPipOwner, outdoor.get());
  pipe->Insert();
}

const char kSchemaHead[] = "EDI100\r\n5 10 TBL_Family 10\r\n5 6 FAM_ID 2\r\n5 8 FAM_Name 5\r\n";

}  // namespace

TEST(TextFormat, SavedDatabaseLoadsBackIdentically) {
  TestStore original;
  Populate(original);
  const std::string text = original.SaveText();
  TestStore copy;
  ASSERT_TRUE(Load(copy, text));
  EXPECT_EQ(copy.SaveText(), text);
  auto indoor = copy.factory.CreateObject(kIndoor, 1);
  EXPECT_EQ(indoor->Name(), "line\r\nbreak\\tab\t");
  EXPECT_EQ(indoor->GetDouble(kDevPower), 0.0000590039559146638);
  CTMemoryStream photo;
  EXPECT_TRUE(indoor->GetBlob(kIndPhoto, photo));
  EXPECT_EQ(photo.Text(), std::string("\0\x01\xFF\\", 4));
  auto outdoor = copy.factory.CreateObject(kOutdoor, 1497);
  EXPECT_EQ(outdoor->GetCurrency(kOutPrice), 1234567);
  // Reverse references were rebuilt from the file.
  EXPECT_EQ(outdoor->RelatedObjects(kPipe, kPipOwner).size(), 1u);
  EXPECT_EQ(indoor->RelatedObjects(kPipe, kPipFrom).size(), 1u);
  // The next automatic id follows the highest loaded one.
  EXPECT_EQ(copy.Add(kOutdoor, "Q")->RecordId(), 1498);
}

TEST(TextFormat, WrittenForm) {
  TestStore store;
  Populate(store);
  const std::string text = store.SaveText();
  EXPECT_EQ(text.substr(0, sizeof kSchemaHead - 1), kSchemaHead);
  EXPECT_NE(text.find("5 10 TBL_Indoor 12\r\n5 6 IND_ID 2\r\n5 8 DEV_Name 5\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("2 12 2 1\r\n2 1 5 24 line\\0D\\0Abreak\\5Ctab\\09 4 5.90039559146638E-5 "
                      "5 0  2 10 2 1 2 0 2 0 0 0 8 10 \\00\\01\xFF\\5C \r\n"),
            std::string::npos)
      << text;
  // Record 1497 holds slot 0 of the first page and comes before record 500 (slot 1).
  EXPECT_LT(text.find("2 1497 5 1 O"), text.find("2 500 5 1 P"));
  EXPECT_NE(text.find(" 7 46000.75 6 123.4567 \r\n"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 3), "0\r\n");
}

TEST(TextFormat, CompressedFormRoundTripsAndPlainStillLoads) {
  TestStore original;
  Populate(original);
  const std::string plain = original.SaveText();
  SetCompressed(original, true);
  CTMemoryStream packed;
  original.Project().SaveToStream(packed);
  EXPECT_EQ(packed.Text().substr(0, 3), "Q3T");
  TestStore fromPacked, fromPlain, withoutCompression;
  SetCompressed(fromPacked, true);
  SetCompressed(fromPlain, true);
  EXPECT_TRUE(Load(fromPacked, packed.Text()));
  EXPECT_TRUE(Load(fromPlain, plain));
  // The setting belongs to the factory: one that has it off reads the packed file as text.
  EXPECT_EQ(Load(withoutCompression, packed.Text()).status, LTDbIoResult::kInvalid);
  SetCompressed(fromPacked, false);
  SetCompressed(fromPlain, false);
  EXPECT_EQ(fromPacked.SaveText(), plain);
  EXPECT_EQ(fromPlain.SaveText(), plain);
}

TEST(TextFormat, SchemaMapsByNameAndConvertsTypes) {
  TestStore store;
  // tbl_family by case only; an unknown field; FAM_Rank missing (keeps its default 3); an unknown
  // table whose three record lines are skipped; FAM_ID delivered as a float.
  const std::string text =
      "EDI100\r\n5 10 tbl_family 10\r\n5 6 fam_id 4\r\n5 8 FAM_Name 5\r\n5 5 Extra 5\r\n0\r\n"
      "5 9 TBL_Other 99\r\n5 6 OTH_ID 2\r\n0\r\n0\r\n"
      "2 99 2 3\r\n2 1 \r\n2 2 \r\n2 3 \r\n"
      "2 10 2 3\r\n4 3 5 1 a 5 1 x \r\n4 9 5 1 b 5 0  \r\n4 700.4 5 1 c 5 0  \r\n0\r\n";
  ASSERT_TRUE(Load(store, text));
  EXPECT_EQ(store.Project().RecordCount(kFamily), 3);
  auto c = store.factory.CreateObject(kFamily, 700);
  EXPECT_EQ(c->Name(), "c");
  EXPECT_EQ(c->GetInt(kFamRank), 3);
  EXPECT_EQ(store.Add(kFamily, "d")->RecordId(), 701);
}

TEST(TextFormat, MalformedFilesFail) {
  const std::string good = std::string(kSchemaHead) + "0\r\n0\r\n2 10 2 1\r\n2 1 5 1 a \r\n0\r\n";
  ASSERT_TRUE([&] {
    TestStore store;
    return Load(store, good);
  }());
  struct Case {
    const char* why;
    std::string text;
  };
  const std::string head = kSchemaHead;
  const Case cases[] = {
      {"empty", ""},
      {"newer version", "EDI101\r\n0\r\n0\r\n"},
      {"wrong word", "XYZ100\r\n0\r\n0\r\n"},
      {"schema tag", "EDI100\r\n7 10 TBL_Family 10\r\n0\r\n0\r\n"},
      {"negative table id", "EDI100\r\n5 10 TBL_Family -1\r\n0\r\n0\r\n"},
      {"table declared twice", head + "0\r\n" + head.substr(8) + "0\r\n0\r\n0\r\n"},
      {"field tag", "EDI100\r\n5 10 TBL_Family 10\r\n4 6 FAM_ID 2\r\n0\r\n0\r\n0\r\n"},
      {"invalid type code", "EDI100\r\n5 10 TBL_Other 99\r\n5 6 OTH_ID 3\r\n0\r\n0\r\n0\r\n"},
      {"string into integer", "EDI100\r\n5 10 TBL_Family 10\r\n5 6 FAM_ID 5\r\n0\r\n0\r\n0\r\n"},
      {"name cut short", "EDI100\r\n5 99 TBL_Family"},
      {"huge name length", "EDI100\r\n5 2000000000 TBL_Family 10\r\n"},
      {"block tag", head + "0\r\n0\r\n3 10 2 1\r\n2 1 5 1 a \r\n0\r\n"},
      {"undeclared table id", head + "0\r\n0\r\n2 11 2 1\r\n2 1 5 1 a \r\n0\r\n"},
      {"count tag", head + "0\r\n0\r\n2 10 3 1\r\n2 1 5 1 a \r\n0\r\n"},
      {"negative count", head + "0\r\n0\r\n2 10 2 -1\r\n0\r\n"},
      {"duplicate id", head + "0\r\n0\r\n2 10 2 2\r\n2 1 5 1 a \r\n2 1 5 1 b \r\n0\r\n"},
      {"zero id", head + "0\r\n0\r\n2 10 2 1\r\n2 0 5 1 a \r\n0\r\n"},
      {"boolean code into integer", head + "0\r\n0\r\n2 10 2 1\r\n0 1 5 1 a \r\n0\r\n"},
      {"value type code", head + "0\r\n0\r\n2 10 2 1\r\n2 1 3 1 a \r\n0\r\n"},
      {"string cut short", head + "0\r\n0\r\n2 10 2 1\r\n2 1 5 50 a \r\n0\r\n"},
      {"huge record count", head + "0\r\n0\r\n2 10 2 2000000000\r\n2 1 5 1 a \r\n0\r\n"},
      {"unknown block cut short",
       head + "0\r\n5 9 TBL_Other 99\r\n0\r\n0\r\n2 99 2 5\r\n1\r\n2\r\n"},
      {"float too big for an id", head + "0\r\n0\r\n2 10 2 1\r\n4 1E20 5 1 a \r\n0\r\n"},
      {"no closing zero", head + "0\r\n0\r\n2 10 2 1\r\n2 1 5 1 a \r\n"},
      {"checked reference to nothing",
       "EDI100\r\n5 14 TBL_Indoor 12\r\n5 6 IND_ID 2\r\n5 17 DEV_Family_CLS_REF 2\r\n"
       "5 17 DEV_Family_OBJ_REF 2\r\n0\r\n0\r\n2 12 2 1\r\n2 1 2 10 2 5 \r\n0\r\n"},
      {"one-to-one reference twice",
       "EDI100\r\n5 11 TBL_Outdoor 13\r\n5 6 OUT_ID 2\r\n0\r\n5 8 TBL_Pipe 14\r\n5 6 PIP_ID 2\r\n"
       "5 16 PIP_Owner_CLS_REF 2\r\n5 16 PIP_Owner_OBJ_REF 2\r\n0\r\n0\r\n2 13 2 1\r\n2 1 \r\n"
       "2 14 2 2\r\n2 1 2 13 2 1 \r\n2 2 2 13 2 1 \r\n0\r\n"},
  };
  for (const auto& c : cases) {
    TestStore store;
    const LTDbIoResult result = Load(store, c.text);
    EXPECT_EQ(result.status, LTDbIoResult::kInvalid) << c.why;
    EXPECT_FALSE(result.reason.empty()) << c.why;
  }
}

// A file cut short anywhere never loads as a smaller database: it fails, or (when only the line
// end after the closing 0 is missing) loads whole.
TEST(TextFormat, TruncatedFilesNeverLoadPartially) {
  TestStore original;
  Populate(original);
  const std::string plain = original.SaveText();
  SetCompressed(original, true);
  CTMemoryStream packedStream;
  original.Project().SaveToStream(packedStream);
  const std::string packed = packedStream.Text();
  for (const std::string* file : {&plain, &packed}) {
    for (std::size_t cut = 0; cut < file->size(); ++cut) {
      TestStore store;
      SetCompressed(store, true);
      if (Load(store, file->substr(0, cut))) {
        SetCompressed(store, false);
        EXPECT_EQ(store.SaveText(), plain) << "cut at " << cut;
      }
    }
  }
}

// A device that fails while the file is read is a read error, not a damaged file: the two are told
// apart for plain and compressed files alike.
TEST(TextFormat, ReadErrorsAreToldFromInvalidContent) {
  TestStore original;
  Populate(original);
  const std::string plain = original.SaveText();
  SetCompressed(original, true);
  CTMemoryStream packed;
  original.Project().SaveToStream(packed);
  for (const std::string& file : {plain, packed.Text()}) {
    SCOPED_TRACE(file.substr(0, 3));
    TestStore store;
    SetCompressed(store, true);
    CTFailingStream failing(file, file.size() / 2);
    const LTDbIoResult result = store.Project().Load(failing);
    EXPECT_EQ(result.status, LTDbIoResult::kIoError);
    EXPECT_EQ(result.reason, "read error: device failed");
    EXPECT_EQ(Load(store, file.substr(0, file.size() / 2)).status, LTDbIoResult::kInvalid);
  }
}

TEST(TextFormat, GarbageNeverCrashes) {
  TestStore original;
  Populate(original);
  const std::string plain = original.SaveText();
  for (std::uint64_t seed = 1; seed <= 200; ++seed) {
    std::string damaged = plain;
    const std::string noise = testsupport::RandomBytes(4, seed);
    for (int k = 0; k < 4; ++k) {
      damaged[static_cast<std::size_t>(
          static_cast<unsigned char>(noise[static_cast<std::size_t>(k)]) * 7919u %
          damaged.size())] = noise[static_cast<std::size_t>(k)];
    }
    TestStore store;
    Load(store, damaged);  // any result, but no crash, hang or huge allocation
  }
}

TEST(MemEngineConnect, FilesAndMessages) {
  testsupport::TempDir dir;
  {
    TestStore store;
    Populate(store);
    store.factory.SetFileName(1, dir.File("p.qrn"));
    ASSERT_TRUE(store.factory.SaveDatabase(1, true));
  }
  TestStore store;
  store.factory.DisconnectDatabase(1);
  store.factory.SetFileName(1, dir.File("p.qrn"));
  store.factory.ConnectDatabase(1);
  ASSERT_TRUE(store.Project().Connect("", "", true));
  EXPECT_EQ(store.Project().RecordCount(kOutdoor), 2);

  testsupport::WriteFile(dir.File("bad.qrn"), "EDI100\r\n7");
  store.factory.DisconnectDatabase(1);
  store.factory.SetFileName(1, dir.File("bad.qrn"));
  store.factory.ConnectDatabase(1);
  EXPECT_FALSE(store.Project().Connect("", "", true));
  ASSERT_FALSE(store.ui.Shown().empty());
  EXPECT_EQ(
      store.ui.Shown().back().text,
      testsupport::Ansi("Недействительная структура базы данных в '" + dir.File("bad.qrn") + "'."));
}

// ConnectAll tells which database failed and why: no engine took it, its file cannot be read, or
// the file is no database.
TEST(MemEngineConnect, ConnectAllTellsWhichDatabaseFailedAndWhy) {
  testsupport::TempDir dir;
  TestStore store;
  store.factory.DisconnectAll();
  testsupport::WriteFile(dir.File("notes.qrn"), "not a project file");
  struct Case {
    std::string file;
    LTDbIoResult::Status status;
    std::string reason;
    std::string message;
  };
  const Case cases[] = {
      {dir.File("notes.qrn"), LTDbIoResult::kInvalid, "invalid header line",
       "Недействительная структура базы данных в '" + dir.File("notes.qrn") + "'."},
      {dir.File("missing.qrn"), LTDbIoResult::kIoError, "No such file or directory",
       "Невозможно открыть файл " + dir.File("missing.qrn")},
      {dir.Path(), LTDbIoResult::kIoError, "Is a directory",
       "Невозможно открыть файл " + dir.Path()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    store.factory.SetFileName(1, c.file);
    const LTDbIoResult result = store.factory.TryConnectAll();
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.reason, c.reason);
    EXPECT_EQ(result.database, 1);
    EXPECT_FALSE(store.factory.IsConnected());
    ASSERT_FALSE(store.ui.Shown().empty());
    EXPECT_EQ(store.ui.Shown().back().text, testsupport::Ansi(c.message));
  }
  CTMemDbEngine::DeleteDataSource("TestProject", true);
  const LTDbIoResult result = store.factory.TryConnectAll();
  EXPECT_EQ(result.status, LTDbIoResult::kNoEngine);
  EXPECT_EQ(result.database, 1);
}

TEST(MemEngineConnect, AFileBeingWrittenIsWaitedForThenReported) {
  testsupport::TempDir dir;
  const std::string path = dir.File("busy.qrn");
  testsupport::WriteFile(path, "EDI100\r\n0\r\n0\r\n");
  const int writer = ::open(path.c_str(), O_RDONLY);
  ASSERT_EQ(::flock(writer, LOCK_EX), 0);  // as a save by another instance holds it
  TestStore store;
  store.factory.DisconnectDatabase(1);
  store.factory.SetFileName(1, path);
  store.factory.ConnectDatabase(1);
  EXPECT_FALSE(store.Project().Connect("", "", true));
  ASSERT_FALSE(store.ui.Shown().empty());
  EXPECT_EQ(store.ui.Shown().back().text, testsupport::Ansi("Невозможно открыть файл " + path));
  ::close(writer);
  EXPECT_TRUE(store.Project().Connect("", "", true));
}

TEST(MemEngineConnect, DataSourceEntryDecidesAndRecordsTheFile) {
  TestStore store;
  CTSettingsStore& settings = *store.settings;
  const std::string key = "Software\\ODBC\\ODBC.INI\\TestProject";
  store.factory.DisconnectDatabase(1);
  store.factory.SetFileName(1, "/tmp/some project.qrn");
  store.factory.ConnectDatabase(1);
  ASSERT_TRUE(store.factory.IsDatabaseConnected(1));
  EXPECT_EQ(settings.ReadValue(CTSettingsHive::CurrentUser, key, "DBQ")->AsString(),
            "/tmp/some project.qrn");

  // Another driver, or no entry at all: the memory engine declines and message 5007 is shown.
  for (bool removeEntry : {false, true}) {
    store.factory.DisconnectDatabase(1);
    if (removeEntry) {
      CTMemDbEngine::DeleteDataSource("TestProject", true);
    } else {
      settings.WriteValue(CTSettingsHive::CurrentUser, key, "Driver",
                          LTSettingsValue::String("other.dll"));
    }
    store.factory.ConnectDatabase(1);
    EXPECT_FALSE(store.factory.IsDatabaseConnected(1));
    EXPECT_EQ(store.ui.Shown().back().text,
              testsupport::Ansi("'TestProject' не является базой данных ODBC"));
  }
  EXPECT_TRUE(CTMemDbEngine::EnsureDataSource("TestProject"));
  store.factory.ConnectDatabase(1);
  EXPECT_TRUE(store.factory.IsDatabaseConnected(1));
}

// A save never reports success when its bytes did not all arrive.
TEST(MemEngineConnect, SaveFailuresSurfaceWithTheirReason) {
  testsupport::TempDir dir;
  TestStore store;
  Populate(store);
  for (bool compressed : {false, true}) {
    SCOPED_TRACE(compressed);
    SetCompressed(store, compressed);
    CTFailingStream target("", 20);
    EXPECT_THROW(store.Project().SaveToStream(target), CTStreamError);
  }
  const std::string path = dir.File("no folder/p.qrn");
  store.factory.SetFileName(1, path);
  const LTDbIoResult result = store.factory.TrySaveDatabase(1, true);
  EXPECT_EQ(result.status, LTDbIoResult::kIoError);
  EXPECT_EQ(result.reason, "No such file or directory");
  EXPECT_EQ(store.ui.Shown().back().text, testsupport::Ansi("Невозможно создать файл " + path));
  store.factory.SetFileName(1, "");
  EXPECT_EQ(store.factory.TrySaveDatabase(1, true).status, LTDbIoResult::kNoFile);
}

TEST(MemEngineConnect, ASaveWaitsForReadersAndKeepsTheOldFile) {
  testsupport::TempDir dir;
  const std::string path = dir.File("shared.qrn");
  testsupport::WriteFile(path, "old contents");
  TestStore store;
  Populate(store);
  store.factory.SetFileName(1, path);
  const int reader = ::open(path.c_str(), O_RDONLY);
  ASSERT_EQ(::flock(reader, LOCK_SH), 0);  // another instance is loading it
  EXPECT_FALSE(store.factory.SaveDatabase(1, true));
  EXPECT_EQ(store.ui.Shown().back().text, testsupport::Ansi("Невозможно создать файл " + path));
  EXPECT_EQ(testsupport::ReadFile(path), "old contents");
  ::close(reader);
  EXPECT_TRUE(store.factory.SaveDatabase(1, true));
  EXPECT_EQ(testsupport::ReadFile(path).substr(0, 6), "EDI100");
}
