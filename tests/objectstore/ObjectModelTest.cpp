#include <gtest/gtest.h>

#include <cmath>

#include "TestStore.h"
#include "i18n/Translator.h"
#include "objectstore/DbException.h"
#include "objectstore/TableInfo.h"
#include "platform/MemoryStream.h"
#include "support/TestSupport.h"

using namespace teststore;

namespace {

int ExceptionNumber(const std::function<void()>& action) {
  try {
    action();
  } catch (const CTDbException& e) {
    return e.Number();
  }
  return -1;
}

struct FormWithCaption : CTFormCaptions {
  bool LabelCaption(const std::string& name, std::string& caption) const override {
    if (name != "Lbl_Name") return false;
    caption = testsupport::Ansi("Имя блока");
    return true;
  }
  bool ControlHint(const std::string&, std::string&) const override { return false; }
};

}  // namespace

TEST(DbException, TextsByNumber) {
  EXPECT_STREQ(CTDbException(0).what(), "CTDbException: Record not found");
  EXPECT_STREQ(CTDbException(3, "TBL_BSBox").what(),
               "CTDbException: Related record required in table TBL_BSBox");
  EXPECT_STREQ(CTDbException(5).what(), "CTDbException: Error in database structure ");
  EXPECT_STREQ(CTDbException(7, "Live data").what(),
               "CTDbException: Database has the capability 'Live data'");
  EXPECT_STREQ(CTDbException(10).what(), "CTDbException: There are no registed CTDbEngine classes");
  EXPECT_STREQ(CTDbException(12, "500").what(), "CTDbException: ID 500 is already used");
  EXPECT_STREQ(CTDbException(42).what(), "CTDbException: Unknown exception code 42");
}

TEST(FieldDefinitions, DefaultsAndTypeChecks) {
  const CTFieldInfo power = CTFieldInfo::Double("P", true, 2.5);
  EXPECT_EQ(power.DefaultDouble(), 2.5);
  EXPECT_EQ(ExceptionNumber([&] { power.DefaultInt(); }), CTDbException::kTypeConversion);
  TestStore store;
  auto indoor = store.factory.CreateObject(kIndoor, 0);
  EXPECT_EQ(indoor->State(), CTDbObject::kNew);
  EXPECT_EQ(indoor->GetDouble(kDevPower), 2.5);
  EXPECT_EQ(indoor->GetString(kDevNotes), "none");
  EXPECT_TRUE(indoor->GetBool(kIndCooling));
  EXPECT_EQ(ExceptionNumber([&] { indoor->GetInt(kDevPower); }), CTDbException::kTypeConversion);
}

TEST(FactoryRegistration, InheritanceAndLinksOnDescendants) {
  TestStore store;
  const CTTableInfo* indoor = store.factory.TableById(kIndoor);
  const CTTableInfo* device = store.factory.TableById(kDevice);
  ASSERT_EQ(indoor->FieldCount(), 10);
  EXPECT_EQ(indoor->Field(kDevName), device->Field(kDevName));  // the same definition
  EXPECT_EQ(indoor->Field(0)->Name(), "IND_ID");
  EXPECT_EQ(indoor->NameFieldIndex(), kDevName);
  EXPECT_EQ(store.factory.TableByName("tbl_indoor"), indoor);
  // A link registered on the device table is found on its subtable too.
  bool found = false;
  for (const CTTableLink* l : indoor->Links()) found |= l->Name() == "Pipe_From";
  EXPECT_TRUE(found);
  EXPECT_EQ(store.factory.CreateObject(kDevice, 0), nullptr);  // abstract
  EXPECT_EQ(store.factory.CreateObject(15, 0), nullptr);       // unused
}

TEST(DbObject, LifecycleErrors) {
  TestStore store;
  auto family = store.factory.CreateObject(kFamily, 0);
  EXPECT_EQ(ExceptionNumber([&] { family->Delete(); }), CTDbException::kNotStored);
  family->SetName("F1");
  family->Insert();
  EXPECT_EQ(family->State(), CTDbObject::kStored);
  EXPECT_GT(family->RecordId(), 0);
  EXPECT_EQ(ExceptionNumber([&] { family->Insert(); }), CTDbException::kAlreadyInserted);
  family->Delete();
  EXPECT_EQ(family->State(), CTDbObject::kDeleted);
  family->Delete();  // twice is silent
  EXPECT_EQ(ExceptionNumber([&] { family->Post(); }), CTDbException::kNotStored);

  auto unstored = store.factory.CreateObject(kFamily, 0);
  auto indoor = store.factory.CreateObject(kIndoor, 0);
  EXPECT_EQ(ExceptionNumber([&] { indoor->SetReference(kDevFamily, unstored.get()); }),
            CTDbException::kNotStored);
  indoor->SetReference(kDevFamily, nullptr);
  int t = -1, id = -1;
  indoor->GetReference(kDevFamily, t, id);
  EXPECT_EQ(t, 0);
  EXPECT_EQ(id, 0);
}

// InsertKeepingId stores the object as Insert does, with the id it holds.
TEST(DbObject, InsertKeepingIdStoresTheObjectLikeInsert) {
  TestStore store;
  auto family = store.factory.CreateObject(kFamily, 0);
  family->SetName("F");
  family->Values().SetId(40);
  family->InsertKeepingId();
  EXPECT_EQ(family->State(), CTDbObject::kStored);
  EXPECT_EQ(family->RecordId(), 40);
  family->SetInt(kFamRank, 9);
  family->Post();  // a stored object posts
  EXPECT_EQ(store.factory.CreateObject(kFamily, 40)->GetInt(kFamRank), 9);
  EXPECT_EQ(ExceptionNumber([&] { family->InsertKeepingId(); }), CTDbException::kAlreadyInserted);
  // A handle on a record that another handle deleted is still a stored object: it is refused too
  // rather than bringing the record back.
  auto other = store.factory.CreateObject(kFamily, 40);
  family->Delete();
  EXPECT_EQ(ExceptionNumber([&] { other->InsertKeepingId(); }), CTDbException::kAlreadyInserted);
  EXPECT_EQ(store.Project().RecordCount(kFamily), 0);
}

TEST(DbObject, PartialObjectLoadsLazyFieldsOnce) {
  TestStore store;
  auto indoor = store.Add(kIndoor, "A");
  indoor->SetString(kDevNotes, "lazy text");
  indoor->SetDouble(kDevPower, 7.1);
  indoor->Post();

  auto byId = store.factory.CreateObject(kIndoor, indoor->RecordId());
  EXPECT_EQ(byId->State(), CTDbObject::kPartial);
  EXPECT_EQ(byId->GetDouble(kDevPower), 7.1);  // eager: no load
  EXPECT_EQ(byId->State(), CTDbObject::kPartial);
  EXPECT_EQ(byId->GetString(kDevNotes), "lazy text");
  EXPECT_EQ(byId->State(), CTDbObject::kStored);
  // A change in the store after the load is not seen until Reload: the second read stays local.
  indoor->SetString(kDevNotes, "changed");
  indoor->Post();
  EXPECT_EQ(byId->GetString(kDevNotes), "lazy text");
  byId->Reload();
  EXPECT_EQ(byId->GetString(kDevNotes), "changed");
}

TEST(DbObject, DefaultNamesSkipTakenOnes) {
  TestStore store;
  store.Add(kFamily, "BSB13");
  store.Add(kFamily, "BSB_13");
  auto record13 = store.factory.CreateObject(kFamily, 0);
  record13->Values().SetId(13);
  std::string name;
  record13->MakeDefaultName(name);
  EXPECT_EQ(name, "BSB__13");
  // An object's own name does not count against it.
  auto first = store.factory.CreateObject(kFamily, 1);
  first->SetName("BSB1");
  first->Post();
  first->MakeDefaultName(name);
  EXPECT_EQ(name, "BSB1");
}

TEST(DbObject, NameValidationMessages) {
  TestStore store;
  store.Add(kFamily, "abc");
  auto other = store.factory.CreateObject(kFamily, 0);
  FormWithCaption form;
  EXPECT_TRUE(other->ValidateName("ABC", &form));  // names compare case-sensitively
  EXPECT_FALSE(other->ValidateName("abc", &form));
  EXPECT_FALSE(other->ValidateName("", nullptr));
  ASSERT_EQ(store.ui.Shown().size(), 2u);
  EXPECT_EQ(store.ui.Shown()[0].text,
            testsupport::Ansi("Значение для 'Имя блока' должно быть уникальным"));
  EXPECT_EQ(store.ui.Shown()[1].text, testsupport::Ansi("Требуемое значение для 'Name'."));
}

TEST(DbObject, RelatedObjectsSortedByFields) {
  TestStore store;
  auto family = store.Add(kFamily, "F");
  for (const char* name : {"c", "a", "b"}) {
    auto indoor = store.factory.CreateObject(kIndoor, 0);
    indoor->SetName(name);
    indoor->SetReference(kDevFamily, family.get());
    indoor->Insert();
  }
  auto unsorted = family->RelatedObjects(kIndoor, kDevFamily);
  ASSERT_EQ(unsorted.size(), 3u);
  EXPECT_EQ(unsorted[0]->Name(), "c");  // the order the references were made
  auto sorted = family->RelatedObjects(kDevice, kDevFamily, nullptr, {"DEV_Name"});
  ASSERT_EQ(sorted.size(), 3u);
  EXPECT_EQ(sorted[0]->Name() + sorted[1]->Name() + sorted[2]->Name(), "abc");
  EXPECT_EQ(family->RelatedObject(kIndoor, kDevFamily)->Name(), "c");
}

TEST(DbObject, SortingByAFloatFieldPutsNaNFirst) {
  // A NaN must neither break the partition walk nor land in the middle of the order.
  TestStore store;
  CTDbObjectList list;
  const double nan = std::nan("");
  for (double power : {3.0, nan, 1.0, nan, 2.0, 0.5, nan}) {
    auto indoor = store.factory.CreateObject(kIndoor, 0);
    indoor->SetDouble(kDevPower, power);
    list.push_back(std::move(indoor));
  }
  CTDbObject::SortObjects(list, {"DEV_Power"});
  std::vector<double> sorted;
  for (const auto& object : list) sorted.push_back(object->GetDouble(kDevPower));
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(std::isnan(sorted[i]));
  EXPECT_EQ(std::vector<double>(sorted.begin() + 3, sorted.end()),
            (std::vector<double>{0.5, 1.0, 2.0, 3.0}));
}

// A list may mix tables that hold a field of the same name at different indexes (descendants of
// one table with fields of their own): each object's field is found in its own table.
TEST(DbObject, SortingAListThatMixesTablesFindsEachFieldInItsOwnTable) {
  CTBaseFactory factory("EDI", 100, 100);
  factory.RegisterDatabase("Sorting");
  CTTableInfo* a = factory.AddTable(std::make_unique<CTTableInfo>(1, 0, -1, "A", "TBL_A", 0));
  a->AddField(0, CTFieldInfo::Integer("A_ID", true, 0));
  a->AddField(1, CTFieldInfo::Integer("Rank", true, 0));
  CTTableInfo* b = factory.AddTable(std::make_unique<CTTableInfo>(2, 0, -1, "B", "TBL_B", 0));
  b->AddField(0, CTFieldInfo::Integer("B_ID", true, 0));
  b->AddField(1, CTFieldInfo::String("Note", false, true, "zz"));
  b->AddField(2, CTFieldInfo::Integer("Rank", true, 0));
  factory.FinishRegistration();
  CTDbObjectList list;
  for (auto [table, rank] : {std::pair{1, 4}, {2, 1}, {1, 3}, {2, 5}, {2, 2}}) {
    auto object = std::make_unique<CTTestRecord>(table, 0, &factory);
    object->SetInt(table == 1 ? 1 : 2, rank);
    list.push_back(std::move(object));
  }
  CTDbObject::SortObjects(list, {"Rank"});
  std::vector<int> ranks;
  for (const auto& object : list) ranks.push_back(object->GetInt(object->TableId() == 1 ? 1 : 2));
  EXPECT_EQ(ranks, (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST(DbObject, CopyValuesSkipsReferencesAndBlobs) {
  TestStore store;
  auto family = store.Add(kFamily, "F");
  auto a = store.factory.CreateObject(kIndoor, 0);
  a->SetName("A");
  a->SetDouble(kDevPower, 9);
  a->SetReference(kDevFamily, family.get());
  auto b = store.factory.CreateObject(kIndoor, 0);
  b->CopyValuesFrom(*a, 1, false);
  EXPECT_EQ(b->Name(), "A");
  EXPECT_EQ(b->GetDouble(kDevPower), 9);
  int t, id;
  b->GetReference(kDevFamily, t, id);
  EXPECT_EQ(id, 0);
  b->CopyValuesFrom(*a, 1, true);
  b->GetReference(kDevFamily, t, id);
  EXPECT_EQ(id, family->RecordId());
  // Different tables whose shared fields differ in type copy nothing.
  auto outdoor = store.factory.CreateObject(kOutdoor, 0);
  outdoor->CopyValuesFrom(*a, 1, false);
  EXPECT_EQ(outdoor->Name(), "");
}

TEST(DbObject, ClassLevelQueriesAndCache) {
  TestStore store;
  store.Add(kIndoor, "I");
  store.Add(kOutdoor, "O");
  EXPECT_EQ(CTDbObject::AllObjects(kDevice, true, &store.factory).size(), 2u);
  EXPECT_EQ(CTDbObject::AllObjects(kIndoor, false, &store.factory).size(), 1u);
  EXPECT_EQ(CTDbObject::SingleObject(kIndoor, false, &store.factory)->Name(), "I");
  EXPECT_EQ(ExceptionNumber([&] { CTDbObject::SingleObject(kFamily, true, &store.factory); }),
            CTDbException::kRecordNotFound);
  CTDbObject* cached = CTDbObject::CachedObject(kIndoor, 1, &store.factory);
  ASSERT_NE(cached, nullptr);
  EXPECT_EQ(CTDbObject::CachedObject(kIndoor, 1, &store.factory), cached);
  EXPECT_EQ(CTDbObject::CachedObject(kIndoor, 99, &store.factory), nullptr);
}

// The default factory is installed for a scope and restored when it ends, also by an exception.
TEST(FactoryDefault, ScopedDefaultIsRestoredWhenItsScopeEnds) {
  TestStore outer, inner;
  CTBaseFactory* const before = CTBaseFactory::Default();
  {
    CTScopedDefaultFactory scoped(outer.factory);
    EXPECT_EQ(CTBaseFactory::OrDefault(nullptr), &outer.factory);
    try {
      CTScopedDefaultFactory nested(inner.factory);
      EXPECT_EQ(CTBaseFactory::Default(), &inner.factory);
      throw std::runtime_error("leaves the scope");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(CTBaseFactory::Default(), &outer.factory);
    EXPECT_EQ(CTDbObject::AllObjects(kFamily, false).size(), 0u);  // no factory given: the default
    EXPECT_EQ(CTBaseFactory::OrDefault(&inner.factory), &inner.factory);
  }
  EXPECT_EQ(CTBaseFactory::Default(), before);
  if (!before) {
    EXPECT_EQ(ExceptionNumber([] { CTBaseFactory::OrDefault(nullptr); }),
              CTDbException::kStructure);
  }
}

// Engine classes are registered by name: again is a no-op, and clearing forgets the names too,
// so that registering after a clear works.
TEST(EngineClasses, RegisteredOnceByNameAndAgainAfterClearing) {
  TestStore store;  // registers the memory engine
  EXPECT_TRUE(CTBaseFactory::IsEngineClassRegistered("CTMemDbEngine"));
  const auto refuseAll = [](CTBaseFactory&, const std::string&, std::unique_ptr<CTDbEngine>&, bool,
                            bool, int, bool, std::string&) { return false; };
  EXPECT_FALSE(CTBaseFactory::RegisterEngineClass("CTMemDbEngine", refuseAll));
  CTMemDbEngine::RegisterClass();  // no second copy
  store.factory.DisconnectAll();
  EXPECT_TRUE(store.factory.ConnectAll());  // the first registration still serves

  store.factory.DisconnectAll();
  CTBaseFactory::ClearEngineClasses();
  EXPECT_FALSE(CTBaseFactory::IsEngineClassRegistered("CTMemDbEngine"));
  EXPECT_EQ(ExceptionNumber([&] { store.factory.ConnectAll(); }), CTDbException::kNoEngineClasses);
  CTMemDbEngine::RegisterClass();
  EXPECT_TRUE(store.factory.ConnectAll());
}

TEST(DbObject, TranslatedStringsGoThroughTheGlossary) {
  struct Glossary : CTTranslator {
    bool Translate(const std::string& text, std::string& out, int& charset) const override {
      if (text != "ceiling") return false;
      out = "\xEF\xEE\xF2\xEE\xEB\xEE\xEA";
      charset = 204;
      return true;
    }
  } glossary;
  TestStore store;
  store.factory.SetGlossary(1, &glossary);
  auto indoor = store.factory.CreateObject(kIndoor, 0);
  int charset = -1;
  indoor->SetString(kDevNotes, "ceiling");  // a translated field
  EXPECT_EQ(indoor->GetTranslatedString(kDevNotes, charset), "\xEF\xEE\xF2\xEE\xEB\xEE\xEA");
  EXPECT_EQ(charset, 204);
  indoor->SetString(kDevNotes, "wall");
  EXPECT_EQ(indoor->GetTranslatedString(kDevNotes, charset), "wall");
  EXPECT_EQ(charset, 0);
  indoor->SetName("ceiling");  // not a translated field
  EXPECT_EQ(indoor->GetTranslatedString(kDevName, charset), "ceiling");
}
