#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "objectstore/FieldInfo.h"

class CTDbEngine;
class CTDbObject;
class CTTableInfo;

// A reference between two tables: the referring table holds the pair of integer fields
// <Name>_CLS_REF (at FieldIndex()) and <Name>_OBJ_REF (the next field).
class CTTableLink {
 public:
  enum Flags { kCascade = 1, kChecked = 2, kOneToOne = 4 };

  CTTableLink(int id, std::string name, std::string propertyName, int referringTableId,
              int fieldIndex, int flags)
      : id_(id),
        name_(std::move(name)),
        propertyName_(std::move(propertyName)),
        referringTableId_(referringTableId),
        fieldIndex_(fieldIndex),
        flags_(flags) {}

  int Id() const { return id_; }
  const std::string& Name() const { return name_; }
  const std::string& PropertyName() const { return propertyName_; }
  int ReferringTableId() const { return referringTableId_; }
  int FieldIndex() const { return fieldIndex_; }
  bool Cascade() const { return flags_ & kCascade; }
  bool Checked() const { return flags_ & kChecked; }
  bool OneToOne() const { return flags_ & kOneToOne; }

  // Set when the link is registered and linked by the factory.
  CTTableInfo* ReferencedTable() const { return referenced_; }
  CTTableInfo* ReferringTable() const { return referring_; }
  CTFieldInfo* TargetIdField() const { return targetIdField_; }
  CTFieldInfo* ReferringField() const { return referringField_; }
  void SetReferencedTable(CTTableInfo* table) { referenced_ = table; }
  void Resolve(CTTableInfo* referring, CTFieldInfo* targetIdField, CTFieldInfo* referringField) {
    referring_ = referring;
    targetIdField_ = targetIdField;
    referringField_ = referringField;
  }

 private:
  int id_;
  std::string name_;
  std::string propertyName_;
  int referringTableId_;
  int fieldIndex_;
  int flags_;
  CTTableInfo* referenced_ = nullptr;
  CTTableInfo* referring_ = nullptr;
  CTFieldInfo* targetIdField_ = nullptr;
  CTFieldInfo* referringField_ = nullptr;
};

// The definition of one table: its fields (field 0 is the record id), flags, the references that
// point at it, and the cache of objects instantiated by id.
class CTTableInfo {
 public:
  enum Flags { kUniqueNames = 1, kNameRequired = 2, kAbstract = 4 };

  CTTableInfo(int id, int flags, int parentId, std::string displayName, std::string tableName,
              int databaseIndex);
  ~CTTableInfo();
  CTTableInfo(const CTTableInfo&) = delete;
  CTTableInfo& operator=(const CTTableInfo&) = delete;

  int Id() const { return id_; }
  int ParentId() const { return parentId_; }
  CTTableInfo* Parent() const { return parent_; }
  int DatabaseIndex() const { return databaseIndex_; }
  const std::string& TableName() const { return tableName_; }
  // The display name, or the table name when there is none.
  const std::string& DisplayName() const {
    return displayName_.empty() ? tableName_ : displayName_;
  }
  bool IsAbstract() const { return flags_ & kAbstract; }
  bool NameRequired() const { return flags_ & kNameRequired; }
  bool UniqueNames() const { return flags_ & kUniqueNames; }

  CTDbEngine* Engine() const { return engine_; }
  void SetEngine(CTDbEngine* engine) { engine_ = engine; }

  // Fields, by index; field 0 is the id.
  const std::vector<CTFieldInfo*>& Fields() const { return fields_; }
  int FieldCount() const { return static_cast<int>(fields_.size()); }
  CTFieldInfo* Field(int index) const { return fields_.at(static_cast<std::size_t>(index)); }
  // The field whose name equals name without regard to case, or -1.
  int FieldIndexByName(const std::string& name) const;
  int NameFieldIndex() const { return nameFieldIndex_; }

  // Adds a field definition at index (the table owns it); with nameField it becomes the table's
  // name field.
  CTFieldInfo* AddField(int index, CTFieldInfo field, bool nameField = false);
  // Every field definition this table created (also those replaced by inherited ones).
  const std::vector<std::unique_ptr<CTFieldInfo>>& OwnedFields() const { return ownedFields_; }
  // Links the parent and takes over its fields 1..n-1 (the same definitions).
  void InheritFrom(CTTableInfo* parent);

  // True when this table is tableId or descends from it.
  bool DescendsFrom(int tableId) const;

  // References that point at this table or at one of its ancestors.
  const std::vector<CTTableLink*>& Links() const { return links_; }
  void AddLink(CTTableLink* link);

  // Objects instantiated by id through the cache (CTDbObject::CachedObject); they belong to the
  // table and are shared by every thread, so they are published fully loaded and never changed.
  // Safe from any thread.
  CTDbObject* FindCached(int recordId) const;
  // Publishes an instance unless one for the same record was published first; returns the
  // instance that is in the cache.
  CTDbObject* AddCached(std::unique_ptr<CTDbObject> object);
  void ClearObjectCache();
  // Tells the callback each time the cache is cleared (when the table's engine disconnects); the
  // callbacks of all users are kept.
  void AddCacheClearedCallback(std::function<void()> callback) {
    cacheCleared_.push_back(std::move(callback));
  }

 private:
  int id_;
  int flags_;
  int parentId_;
  CTTableInfo* parent_ = nullptr;
  int databaseIndex_;
  std::string displayName_;
  std::string tableName_;
  CTDbEngine* engine_ = nullptr;
  std::vector<CTFieldInfo*> fields_;
  std::vector<std::unique_ptr<CTFieldInfo>> ownedFields_;
  int nameFieldIndex_ = -1;
  std::vector<CTTableLink*> links_;
  mutable std::mutex cacheMutex_;
  std::unordered_map<int, std::unique_ptr<CTDbObject>> cache_;
  std::vector<std::function<void()>> cacheCleared_;
};

// Case-insensitive comparison of ASCII letters, as the store compares table and field names.
bool SameNameIgnoringCase(const std::string& a, const std::string& b);
