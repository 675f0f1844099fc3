#include <gtest/gtest.h>

#include "FailingStream.h"
#include "TestStore.h"
#include "objectstore/DbException.h"
#include "objectstore/QueryFilter.h"
#include "objectstore/TableInfo.h"
#include "platform/MemoryStream.h"

using namespace teststore;

namespace {

std::string ErrorText(const std::function<void()>& action) {
  try {
    action();
  } catch (const CTDbException& e) {
    return e.what();
  }
  return "";
}

std::unique_ptr<CTDbObject> NewPipe(TestStore& s, CTDbObject* from, CTDbObject* owner = nullptr) {
  auto pipe = s.factory.CreateObject(kPipe, 0);
  if (from) pipe->SetReference(kPipFrom, from);
  if (owner) pipe->SetReference(kPipOwner, owner);
  pipe->Insert();
  return pipe;
}

}  // namespace

TEST(MemEngine, Capabilities) {
  TestStore store;
  EXPECT_EQ(store.Project().Capabilities(),
            CapabilitySet({kCapSelectByExample, kCapRemoveByExample, kCapInheritance, kCapUndo,
                           kCapRedo, kCapUnnamedBit8, kCapInsertWithId}));
  EXPECT_FALSE(store.Project().Has(kCapSort));  // related records are sorted by the caller
  EXPECT_EQ(CapabilityName(kCapUnnamedBit8), "*** Unknown CTDbEngine capability ***");
  EXPECT_EQ(CapabilityName(kCapInsertWithId), "Insert with ID");
}

TEST(MemEngine, InsertKeepsPresetIdsAndRefusesUsedOnes) {
  TestStore store;
  for (int i = 0; i < 12; ++i) store.Add(kFamily, "F" + std::to_string(i));
  auto preset = store.factory.CreateObject(kFamily, 0);
  preset->SetName("P");
  preset->Values().SetId(500);
  preset->Insert();
  EXPECT_EQ(preset->RecordId(), 500);
  EXPECT_EQ(store.Add(kFamily, "next")->RecordId(), 501);
  auto again = store.factory.CreateObject(kFamily, 0);
  again->Values().SetId(500);
  EXPECT_EQ(ErrorText([&] { again->Insert(); }), "CTDbException: ID 500 is already used");
  EXPECT_EQ(again->State(), CTDbObject::kNew);
}

TEST(MemEngine, CheckedAndOneToOneReferences) {
  TestStore store;
  auto family = store.Add(kFamily, "F");
  auto indoor = store.factory.CreateObject(kIndoor, 0);
  indoor->SetName("I");
  indoor->Values().SetInt(kDevFamily, kFamily);
  indoor->Values().SetInt(kDevFamily + 1, 77);  // no such family
  EXPECT_EQ(ErrorText([&] { indoor->Insert(); }),
            "CTDbException: Related record required in table TBL_Family");
  EXPECT_EQ(store.Project().RecordCount(kIndoor), 0);
  indoor->SetReference(kDevFamily, family.get());
  indoor->Insert();

  auto outdoor = store.Add(kOutdoor, "O");
  auto pipe1 = NewPipe(store, nullptr, outdoor.get());
  auto pipe2 = store.factory.CreateObject(kPipe, 0);
  pipe2->SetReference(kPipOwner, outdoor.get());
  EXPECT_EQ(ErrorText([&] { pipe2->Insert(); }),
            "CTDbException: 1-to-1 relation with table TBL_Outdoor");
  pipe1->Post();  // the holder itself may keep its one-to-one reference

  // An update that breaks a checked reference is refused and leaves the record unchanged.
  indoor->Values().SetInt(kDevFamily + 1, 99);
  EXPECT_NE(ErrorText([&] { indoor->Post(); }), "");
  auto reread = store.factory.CreateObject(kIndoor, indoor->RecordId());
  int t, id;
  reread->GetReference(kDevFamily, t, id);
  EXPECT_EQ(id, family->RecordId());
}

TEST(MemEngine, CascadingDeleteTakesEachRecordOnceWithOneCallback) {
  TestStore store;
  auto indoor = store.Add(kIndoor, "I");
  auto pipeA = NewPipe(store, indoor.get());
  auto pipeB = NewPipe(store, indoor.get());
  auto other = NewPipe(store, nullptr);
  store.changes.clear();
  indoor->Delete();
  EXPECT_EQ(store.changes, (std::vector<std::string>{"23 12 1", "23 14 1", "23 14 2"}));
  EXPECT_FALSE(store.Project().RecordExists(kPipe, pipeA->RecordId()));
  EXPECT_FALSE(store.Project().RecordExists(kPipe, pipeB->RecordId()));
  EXPECT_TRUE(store.Project().RecordExists(kPipe, other->RecordId()));
}

TEST(MemEngine, DeleteAllResetsTheIssuedIds) {
  TestStore store;
  store.Add(kFamily, "A");
  store.Add(kFamily, "B");
  store.Project().DeleteAll(kFamily);
  EXPECT_EQ(store.Project().RecordCount(kFamily), 0);
  EXPECT_EQ(store.Add(kFamily, "C")->RecordId(), 1);
}

TEST(MemEngine, ReadOnlyEngineRefusesChangesFirst) {
  TestStore store;
  auto model = store.factory.CreateObject(kModel, 0);
  model->SetName("M");
  EXPECT_EQ(ErrorText([&] { model->Insert(); }),
            "CTDbException: Database table 'TBL_Model' is read-only");
  EXPECT_EQ(store.Catalogue().RecordCount(kModel), 0);
}

TEST(MemEngine, ReferencedObjectsAndBlobs) {
  TestStore store;
  auto family = store.Add(kFamily, "F");
  auto indoor = store.factory.CreateObject(kIndoor, 0);
  indoor->SetReference(kDevFamily, family.get());
  indoor->Insert();
  EXPECT_EQ(indoor->GetReferencedObject(kDevFamily)->Name(), "F");
  EXPECT_EQ(indoor->GetReferencedObject(kDevModel), nullptr);
  EXPECT_EQ(ErrorText([&] { indoor->GetReferencedObject(kDevPower); }),
            "CTDbException: Error in database structure ");

  CTMemoryStream photo(std::string("\x89PNG\0\x01", 6));
  store.Project().WriteBlob(*indoor, kIndPhoto, photo);
  CTMemoryStream back;
  EXPECT_TRUE(indoor->GetBlob(kIndPhoto, back));
  EXPECT_EQ(back.Text(), std::string("\x89PNG\0\x01", 6));
  indoor->SetDouble(kDevPower, 1);
  indoor->Post();  // an update never touches blobs
  CTMemoryStream again;
  EXPECT_TRUE(indoor->GetBlob(kIndPhoto, again));
  EXPECT_EQ(again.Text().size(), 6u);
}

// A source that fails while it is read stores nothing: the blob keeps its bytes, the record is not
// marked changed and nobody is told of a change.
TEST(MemEngine, BlobWhoseSourceFailsIsRefusedAndKeepsTheOldBytes) {
  std::string saved;
  {
    TestStore original;
    auto indoor = original.Add(kIndoor, "I");
    CTMemoryStream photo(std::string("old picture"));
    original.Project().WriteBlob(*indoor, kIndPhoto, photo);
    saved = original.SaveText();
  }
  TestStore store;  // the record as loaded from a file: unchanged since
  CTMemoryStream file(saved);
  ASSERT_TRUE(store.Project().LoadFromStream(file));
  auto indoor = store.factory.CreateObject(kIndoor, 1);
  const CTElemDbObject* record = store.Project().FindRecord(kIndoor, 1);
  ASSERT_EQ(record->state, 0);
  store.changes.clear();

  CTFailingStream failing(std::string(5000, 'x'), 4096);
  EXPECT_THROW(store.Project().WriteBlob(*indoor, kIndPhoto, failing), CTStreamError);
  record = store.Project().FindRecord(kIndoor, 1);
  EXPECT_EQ(record->values.GetBytes(kIndPhoto), "old picture");
  EXPECT_EQ(record->state, 0);
  EXPECT_TRUE(store.changes.empty());
}

TEST(MemEngine, ExampleQueriesAndUniqueness) {
  TestStore store;
  for (const char* name : {"a", "b", "c"}) {
    auto family = store.factory.CreateObject(kFamily, 0);
    family->SetName(name);
    family->SetInt(kFamRank, name[0] == 'b' ? 3 : 7);
    family->Insert();
  }
  auto example = store.factory.CreateObject(kFamily, 0);
  example->SetInt(kFamRank, 7);
  bool unsorted = false;
  EXPECT_EQ(store.Project().SelectByExample(*example, unsorted).size(), 2u);
  EXPECT_TRUE(unsorted);
  // Fields left at their default (rank 3) do not take part.
  auto defaults = store.factory.CreateObject(kFamily, 0);
  EXPECT_EQ(store.Project().SelectByExample(*defaults, unsorted).size(), 3u);
  EXPECT_FALSE(store.Project().IsUnique(*example, kFamName, false, "b"));
  EXPECT_TRUE(store.Project().IsUnique(*example, kFamName, false, "B"));
  EXPECT_FALSE(store.Project().IsUnique(*example, kFamName, true, "B"));
  store.Project().RemoveByExample(*example);
  EXPECT_EQ(store.Project().RecordCount(kFamily), 1);
}

TEST(MemEngine, RelatedRecordsAcrossDatabases) {
  const std::string catalogue =
      "EDI100\r\n5 9 TBL_Model 20\r\n5 6 MOD_ID 2\r\n5 8 MOD_Code 5\r\n0\r\n0\r\n"
      "2 20 2 2\r\n2 1 5 3 M-1 \r\n2 2 5 3 M-2 \r\n0\r\n";
  TestStore store(catalogue);
  ASSERT_EQ(store.Catalogue().RecordCount(kModel), 2);
  auto model = store.factory.CreateObject(kModel, 2);
  for (int i = 0; i < 3; ++i) {
    auto indoor = store.factory.CreateObject(i == 2 ? kOutdoor : kIndoor, 0);
    indoor->SetName("D" + std::to_string(i));
    indoor->SetReference(kDevModel, model.get());
    indoor->Insert();
  }
  EXPECT_EQ(model->RelatedObjects(kIndoor, kDevModel).size(), 2u);
  EXPECT_EQ(model->RelatedObjects(kDevice, kDevModel).size(), 3u);
  const CTTableInfo* device = store.factory.TableById(kDevice);
  CTQFValueComparison nameIs(device, CTQFValueComparison::kEqual, "D1", device->Field(kDevName));
  auto filtered = model->RelatedObjects(kDevice, kDevModel, &nameIs);
  ASSERT_EQ(filtered.size(), 1u);
  EXPECT_EQ(filtered[0]->Name(), "D1");
}

TEST(MemEngine, ExportWritesOneElementPerRecord) {
  TestStore store;
  auto family = store.factory.CreateObject(kFamily, 0);
  family->SetName("A&\"b\xC0");
  family->Insert();
  CTMemoryStream out;
  store.Project().ExportTable(out, kFamily);
  EXPECT_EQ(out.Text(),
            "\t<TBL_Family\r\n\t\tFAM_ID=\"1\"\r\n\t\tFAM_Name=\"A&#038;&#034;b&#192;\"\r\n"
            "\t\tFAM_Rank=\"3\"/>\r\n");
}
