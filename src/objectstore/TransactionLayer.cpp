#include "objectstore/TransactionLayer.h"

#include <algorithm>
#include <unordered_map>

#include "objectstore/FieldInfo.h"
#include "objectstore/TableInfo.h"

CTTransactionLayer::CTTransactionLayer(const std::vector<CTTableInfo*>& tables,
                                       std::unique_ptr<CTTransactionLayer> below)
    : below_(std::move(below)) {
  for (CTTableInfo* table : tables) {
    const auto id = static_cast<std::size_t>(table->Id());
    if (maps_.size() <= id) maps_.resize(id + 1);
    maps_[id] = std::make_unique<CTElemDbObjectMap>(table);
    if (below_) maps_[id]->SetHighestId(below_->HighestId(table->Id()));
  }
}

bool CTTransactionLayer::Holds(int tableId) const {
  return Map(tableId) != nullptr;
}

CTElemDbObjectMap* CTTransactionLayer::Map(int tableId) const {
  if (tableId < 0 || static_cast<std::size_t>(tableId) >= maps_.size()) return nullptr;
  return maps_[static_cast<std::size_t>(tableId)].get();
}

CTElemDbObject* CTTransactionLayer::Find(int tableId, int recordId) const {
  for (const CTTransactionLayer* layer = this; layer; layer = layer->below_.get()) {
    const CTElemDbObjectMap* map = layer->Map(tableId);
    if (!map) return nullptr;
    if (CTElemDbObject* record = map->Find(recordId)) return record->IsDeleted() ? nullptr : record;
  }
  return nullptr;
}

void CTTransactionLayer::AllLive(int tableId, std::vector<CTElemDbObject*>& out) const {
  const CTElemDbObjectMap* map = Map(tableId);
  if (!map) return;
  if (!below_) {
    map->ForEach([&](CTElemDbObject& r) {
      if (!r.IsDeleted()) out.push_back(&r);
    });
    return;
  }
  const std::size_t start = out.size();
  below_->AllLive(tableId, out);
  std::unordered_map<int, std::size_t> position;
  for (std::size_t i = start; i < out.size(); ++i) position[out[i]->Id()] = i;
  bool removedAny = false;
  map->ForEach([&](CTElemDbObject& r) {
    const auto it = position.find(r.Id());
    if (it != position.end()) {
      out[it->second] = r.IsDeleted() ? nullptr : &r;
      removedAny |= r.IsDeleted();
    } else if (!r.IsDeleted()) {
      out.push_back(&r);
    }
  });
  if (removedAny)
    out.erase(std::remove(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), nullptr),
              out.end());
}

int CTTransactionLayer::Count(int tableId) const {
  if (!below_) {
    const CTElemDbObjectMap* map = Map(tableId);
    if (!map) return 0;
    int count = 0;
    map->ForEach([&](CTElemDbObject& r) { count += r.IsDeleted() ? 0 : 1; });
    return count;
  }
  std::vector<CTElemDbObject*> live;
  AllLive(tableId, live);
  return static_cast<int>(live.size());
}

int CTTransactionLayer::HighestId(int tableId) const {
  const CTElemDbObjectMap* map = Map(tableId);
  return map ? map->HighestId() : 0;
}

void CTTransactionLayer::SetHighestId(int tableId, int id) {
  if (CTElemDbObjectMap* map = Map(tableId)) map->SetHighestId(id);
}

CTElemDbObject* CTTransactionLayer::Insert(int tableId, CTValueList& values) {
  CTElemDbObjectMap* map = Map(tableId);
  int id = values.Id();
  if (id == 0) {
    id = map->HighestId() + 1;
  }
  if (id > map->HighestId()) map->SetHighestId(id);
  values.SetId(id);
  CTValueList stored(map->Table()->Fields());
  stored.SetId(id);
  stored.CopyFrom(values, 1, false);
  // A deletion mark of the same id in this layer gives way to the new record.
  int state = CTElemDbObject::kInserted;
  if (map->Find(id)) {
    map->Remove(id);
    if (below_ && below_->Find(tableId, id)) state = CTElemDbObject::kModified;
  }
  return map->Add(std::make_unique<CTElemDbObject>(map->Table(), std::move(stored), state));
}

CTElemDbObject* CTTransactionLayer::AddLoaded(int tableId, CTValueList values) {
  CTElemDbObjectMap* map = Map(tableId);
  return map->Add(std::make_unique<CTElemDbObject>(map->Table(), std::move(values), 0));
}

CTElemDbObject* CTTransactionLayer::GetForWriting(int tableId, int recordId) {
  CTElemDbObjectMap* map = Map(tableId);
  if (!map) return nullptr;
  if (CTElemDbObject* record = map->Find(recordId)) return record->IsDeleted() ? nullptr : record;
  if (!below_) return nullptr;
  CTElemDbObject* visible = below_->Find(tableId, recordId);
  if (!visible) return nullptr;
  return map->Add(std::make_unique<CTElemDbObject>(visible->table, visible->values,
                                                   visible->state & ~CTElemDbObject::kInserted));
}

void CTTransactionLayer::Flatten() {
  if (!below_) return;
  below_->Flatten();
  for (std::size_t id = 0; id < maps_.size(); ++id) {
    CTElemDbObjectMap* mine = maps_[id].get();
    CTElemDbObjectMap* theirs = below_->Map(static_cast<int>(id));
    if (!mine || !theirs) continue;
    std::vector<CTElemDbObject*> order;
    theirs->AllObjects(order);
    for (CTElemDbObject* r : order) {
      if (!mine->Find(r->Id())) mine->Add(theirs->Take(r->Id()));
    }
  }
  below_.reset();
}

bool CTTransactionLayer::Purge(bool all, const std::function<void(CTElemDbObject&)>& removed) {
  bool any = false;
  for (auto& map : maps_) {
    if (!map) continue;
    std::vector<CTElemDbObject*> records;
    map->AllObjects(records);
    for (CTElemDbObject* r : records) {
      const bool drop = r->IsDeleted() && (all || (r->state & CTElemDbObject::kInserted));
      if (drop) {
        if (removed) removed(*r);
        map->Remove(r->Id());
      } else {
        any = true;
      }
    }
  }
  return any;
}

void CTTransactionLayer::Records(int tableId, std::vector<CTElemDbObject*>& out) const {
  if (const CTElemDbObjectMap* map = Map(tableId)) map->AllObjects(out);
}

void CTTransactionLayer::ForEachRecord(const std::function<void(CTElemDbObject&)>& visit) const {
  for (const auto& map : maps_) {
    if (map) map->ForEach(visit);
  }
}

bool CTTransactionLayer::Empty() const {
  for (const auto& map : maps_) {
    if (map && map->Count() > 0) return false;
  }
  return true;
}

void CTTransactionLayer::ClearTable(int tableId) {
  if (CTElemDbObjectMap* map = Map(tableId)) map->Clear();
}
