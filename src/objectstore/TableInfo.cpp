#include "objectstore/TableInfo.h"

#include <algorithm>

#include "objectstore/DbObject.h"

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

CTTableInfo::CTTableInfo(int id, int flags, int parentId, std::string displayName,
                         std::string tableName, int databaseIndex)
    : id_(id),
      flags_(flags),
      parentId_(parentId),
      databaseIndex_(databaseIndex),
      displayName_(std::move(displayName)),
      tableName_(std::move(tableName)) {}

CTTableInfo::~CTTableInfo() = default;

int CTTableInfo::FieldIndexByName(const std::string& name) const {
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    if (fields_[i] && SameNameIgnoringCase(fields_[i]->Name(), name)) return static_cast<int>(i);
  }
  return -1;
}

CTFieldInfo* CTTableInfo::AddField(int index, CTFieldInfo field, bool nameField) {
  ownedFields_.push_back(std::make_unique<CTFieldInfo>(std::move(field)));
  CTFieldInfo* f = ownedFields_.back().get();
  f->SetTable(this);
  if (fields_.size() <= static_cast<std::size_t>(index))
    fields_.resize(static_cast<std::size_t>(index) + 1);
  fields_[static_cast<std::size_t>(index)] = f;
  if (nameField) nameFieldIndex_ = index;
  return f;
}

void CTTableInfo::InheritFrom(CTTableInfo* parent) {
  parent_ = parent;
  if (fields_.size() < parent->fields_.size()) fields_.resize(parent->fields_.size());
  for (std::size_t i = 1; i < parent->fields_.size(); ++i) fields_[i] = parent->fields_[i];
  if (nameFieldIndex_ < 0) nameFieldIndex_ = parent->nameFieldIndex_;
}

bool CTTableInfo::DescendsFrom(int tableId) const {
  for (const CTTableInfo* t = this; t; t = t->parent_) {
    if (t->id_ == tableId) return true;
  }
  return false;
}

void CTTableInfo::AddLink(CTTableLink* link) {
  if (std::find(links_.begin(), links_.end(), link) == links_.end()) links_.push_back(link);
}

CTDbObject* CTTableInfo::FindCached(int recordId) const {
  std::lock_guard lock(cacheMutex_);
  const auto it = cache_.find(recordId);
  return it == cache_.end() ? nullptr : it->second.get();
}

CTDbObject* CTTableInfo::AddCached(std::unique_ptr<CTDbObject> object) {
  std::unique_ptr<CTDbObject> late;  // freed outside the mutex
  std::lock_guard lock(cacheMutex_);
  auto& slot = cache_[object->RecordId()];
  if (slot) {
    late = std::move(object);
  } else {
    slot = std::move(object);
  }
  return slot.get();
}

void CTTableInfo::ClearObjectCache() {
  std::unordered_map<int, std::unique_ptr<CTDbObject>> dropped;
  {
    std::lock_guard lock(cacheMutex_);
    dropped.swap(cache_);
  }
  dropped.clear();
  for (const auto& callback : cacheCleared_) callback();
}
