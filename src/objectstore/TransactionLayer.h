#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "objectstore/ObjectDict.h"
#include "objectstore/ValueList.h"

class CTTableInfo;
class CTTableLink;

// A reverse-reference entry: which record refers to a record, and through which reference.
struct CTDbRelation {
  CTTableLink* link;
  int referringTableId;
  int referringRecordId;
};

// One stored record in one layer.
class CTElemDbObject {
 public:
  enum StateBits { kInserted = 1, kModified = 2, kDeleted = 4 };

  CTElemDbObject(CTTableInfo* table, CTValueList values, int state)
      : table(table), values(std::move(values)), state(state) {}
  int Id() const { return values.Id(); }
  bool IsDeleted() const { return state & kDeleted; }

  CTTableInfo* table;
  CTValueList values;
  int state;
};

// The records of one table in one layer: a paged dictionary keyed by record id (page size 499)
// and the highest record id issued in the table.
class CTElemDbObjectMap : public CTObjectDict<CTElemDbObject> {
 public:
  static constexpr int kPageSize = 499;
  explicit CTElemDbObjectMap(CTTableInfo* table)
      : CTObjectDict<CTElemDbObject>(kPageSize, [](const CTElemDbObject& r) { return r.Id(); }),
        table_(table) {}
  CTTableInfo* Table() const { return table_; }
  int HighestId() const { return highestId_; }
  void SetHighestId(int id) { highestId_ = id; }

 private:
  CTTableInfo* table_;
  int highestId_ = 0;
};

// One layer of the engine's undo stack: the records changed by one transaction (copies, inserts
// and deletion marks) over the layer below; the bottom layer holds the committed state.
class CTTransactionLayer {
 public:
  // tables: every non-abstract table of the engine's database.
  CTTransactionLayer(const std::vector<CTTableInfo*>& tables,
                     std::unique_ptr<CTTransactionLayer> below);

  CTTransactionLayer* Below() const { return below_.get(); }
  std::unique_ptr<CTTransactionLayer> TakeBelow() { return std::move(below_); }
  void SetBelow(std::unique_ptr<CTTransactionLayer> below) { below_ = std::move(below); }

  int undoTextId = 0;
  int flags = 0;
  bool redoable = true;
  int subjectTableId = 0;
  int subjectRecordId = 0;

  // Whether this layer holds a dictionary for the table.
  bool Holds(int tableId) const;
  CTElemDbObjectMap* Map(int tableId) const;
  // The live version of a record as seen from this layer, or null.
  CTElemDbObject* Find(int tableId, int recordId) const;
  // The live records of a table as seen from this layer: the bottom layer's dictionary order,
  // newer records appended.
  void AllLive(int tableId, std::vector<CTElemDbObject*>& out) const;
  int Count(int tableId) const;
  int HighestId(int tableId) const;
  void SetHighestId(int tableId, int id);

  // A new record with the id from values (0: the next id); values are copied from field 1 on
  // without blobs and the id is written back. The caller checked that the id is free.
  CTElemDbObject* Insert(int tableId, CTValueList& values);
  // The record as a version of this layer (copied up from below when needed), or null.
  CTElemDbObject* GetForWriting(int tableId, int recordId);
  // Adds a record read from a file (the id is its own).
  CTElemDbObject* AddLoaded(int tableId, CTValueList values);

  // Folds every layer below into this one.
  void Flatten();
  // Removes deletion-marked records (all of them, or only those also inserted here); removed is
  // told of each first. Returns whether the layer still holds any record.
  bool Purge(bool all, const std::function<void(CTElemDbObject&)>& removed = {});
  // Every record this layer holds for the table (deletion marks included), in dictionary order.
  void Records(int tableId, std::vector<CTElemDbObject*>& out) const;
  // Every record this layer holds.
  void ForEachRecord(const std::function<void(CTElemDbObject&)>& visit) const;
  bool Empty() const;
  void ClearTable(int tableId);

 private:
  std::unique_ptr<CTTransactionLayer> below_;
  std::vector<std::unique_ptr<CTElemDbObjectMap>> maps_;  // by table id; null when not held
};
