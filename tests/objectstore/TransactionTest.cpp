#include <gtest/gtest.h>

#include "TestStore.h"
#include "objectstore/ObjectDict.h"

using namespace teststore;

namespace {

struct Item {
  int key;
};

}  // namespace

TEST(ObjectDict, IterationFollowsPagesAndSlots) {
  CTObjectDict<Item> dict(499, [](const Item& i) { return i.key; });
  for (int key : {500, 998, 1497}) dict.Add(std::make_unique<Item>(Item{key}));
  std::vector<Item*> all;
  dict.AllObjects(all);
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0]->key, 998);   // slot 0 of the first page
  EXPECT_EQ(all[1]->key, 500);   // slot 1
  EXPECT_EQ(all[2]->key, 1497);  // slot 0 was taken: second page
  EXPECT_EQ(dict.PageCount(), 2);
  // A freed place is reused by the next key of that slot, before later pages.
  dict.Remove(998);
  dict.Add(std::make_unique<Item>(Item{1996}));
  all.clear();
  dict.AllObjects(all);
  EXPECT_EQ(all[0]->key, 1996);
  EXPECT_EQ(dict.MaxKey(), 1996);
  EXPECT_EQ(dict.Find(1497)->key, 1497);
  EXPECT_EQ(dict.Find(998), nullptr);
  EXPECT_EQ(CTObjectDict<Item>(10, [](const Item& i) { return i.key; }).PageSize(), 31);
}

class Transactions : public ::testing::Test {
 protected:
  CTMemDbEngine& engine() { return store.Project(); }
  bool CanUndo() {
    int text = 0;
    return engine().CanUndo(text);
  }
  bool CanRedo() {
    int text = 0;
    return engine().CanRedo(text);
  }
  std::unique_ptr<CTDbObject> AddInTransaction(const std::string& name, int flags = 0) {
    engine().BeginTransaction(1, flags, 0, 0, true);
    auto object = store.Add(kFamily, name);
    engine().EndTransaction();
    return object;
  }
  void UpdateInTransaction(CTDbObject& object, int rank, int flags = 0) {
    engine().BeginTransaction(2, flags, object.RecordId(), kFamily, true);
    object.SetInt(kFamRank, rank);
    object.Post();
    engine().EndTransaction();
  }
  int Rank(int id) { return store.factory.CreateObject(kFamily, id)->GetInt(kFamRank); }

  TestStore store;
};

TEST_F(Transactions, UndoAndRedoOfAnInsert) {
  auto a = AddInTransaction("A");
  EXPECT_TRUE(CanUndo());
  EXPECT_EQ(engine().Undo(), 0);
  EXPECT_EQ(engine().RecordCount(kFamily), 0);
  EXPECT_TRUE(CanRedo());
  engine().Redo();
  EXPECT_EQ(engine().RecordCount(kFamily), 1);
}

TEST_F(Transactions, InsertAndDeleteInOneTransactionLeaveNoStep) {
  AddInTransaction("A");
  engine().BeginTransaction(1, 0, 0, 0, true);
  auto b = store.Add(kFamily, "B");
  b->Delete();
  engine().EndTransaction();
  EXPECT_EQ(engine().UndoDepth(), 1);  // only the step that inserted A
  engine().Undo();
  EXPECT_FALSE(CanUndo());
}

TEST_F(Transactions, ConsecutiveEditsOfOneRecordMerge) {
  auto a = AddInTransaction("A");
  UpdateInTransaction(*a, 4);
  UpdateInTransaction(*a, 5);
  EXPECT_EQ(engine().UndoDepth(), 2);  // insert, and one merged edit
  auto b = AddInTransaction("B");
  UpdateInTransaction(*a, 6);
  EXPECT_EQ(engine().UndoDepth(), 4);  // the insert between the edits split them
  engine().Undo();
  EXPECT_EQ(Rank(a->RecordId()), 5);
  engine().Undo();
  engine().Undo();
  EXPECT_EQ(Rank(a->RecordId()), 3);  // both merged edits undone at once
}

TEST_F(Transactions, AtMostFiveUndoSteps) {
  for (int i = 0; i < 6; ++i) AddInTransaction("N" + std::to_string(i));
  int undone = 0;
  while (CanUndo()) {
    engine().Undo();
    ++undone;
  }
  EXPECT_EQ(undone, 5);
  EXPECT_EQ(engine().RecordCount(kFamily), 1);
}

TEST_F(Transactions, UndoOfADeleteRestoresReverseReferences) {
  auto family = store.Add(kFamily, "F");
  auto indoor = store.factory.CreateObject(kIndoor, 0);
  indoor->SetReference(kDevFamily, family.get());
  indoor->Insert();
  engine().BeginTransaction(3, 0, 0, 0, true);
  indoor->Delete();
  engine().EndTransaction();
  EXPECT_TRUE(family->RelatedObjects(kIndoor, kDevFamily).empty());
  engine().Undo();
  EXPECT_EQ(family->RelatedObjects(kIndoor, kDevFamily).size(), 1u);
  engine().Redo();
  EXPECT_TRUE(family->RelatedObjects(kIndoor, kDevFamily).empty());
}

TEST_F(Transactions, AChangeOutsideATransactionCommitsEverything) {
  AddInTransaction("A");
  AddInTransaction("B");
  engine().Undo();
  EXPECT_TRUE(CanRedo());
  store.Add(kFamily, "C");
  EXPECT_FALSE(CanUndo());
  EXPECT_FALSE(CanRedo());
  EXPECT_EQ(engine().RecordCount(kFamily), 2);
}

TEST_F(Transactions, SavingMergesTheLayers) {
  AddInTransaction("A");
  store.SaveText();
  EXPECT_FALSE(CanUndo());
  EXPECT_EQ(engine().RecordCount(kFamily), 1);
}

#include "objectstore/ListSort.h"

TEST(ListSort, OrdersByThePredicateWithTheDescribedPasses) {
  std::vector<int> values = {5, 3, 9, 1, 5, 0, 7};
  ListSort(values, [](int later, int earlier) { return later < earlier; });
  EXPECT_EQ(values, (std::vector<int>{0, 1, 3, 5, 5, 7, 9}));
  // Equal keys end where the passes leave them, which is not always their original order: here
  // the gap-2 pass carries e ahead of d.
  std::vector<std::pair<int, char>> pairs = {{1, 'a'}, {1, 'b'}, {2, 'c'}, {1, 'd'}, {1, 'e'}};
  ListSort(pairs,
           [](const auto& later, const auto& earlier) { return later.first < earlier.first; });
  std::string order;
  for (const auto& p : pairs) order.push_back(p.second);
  EXPECT_EQ(order, "abedc");
}
