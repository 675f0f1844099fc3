#pragma once

#include <memory>
#include <string>
#include <vector>

#include "objectstore/BaseFactory.h"

class CTTableInfo;

// One table as the layer that owns its class declares it: the table's identity and flags, the
// class's table-definition procedure and the creator of its objects (empty for an abstract
// table, which has no instances). The database the table lives in is chosen by whoever
// registers the list.
struct LTTableDefinition {
  int id;
  const char* tableName;
  const char* displayName;
  int parentId;  // -1: none
  int flags;     // CTTableInfo::Flags
  void (*define)(CTTableInfo&, const std::string&);
  TObjectCreator create;
};

// The definition of a table whose class T has instances (T::kTableId, T::DefineFields and a
// constructor from a record id and a factory), and of an abstract one, which has none.
template <class T>
LTTableDefinition ConcreteTable(const char* tableName, const char* displayName, int parentId,
                                int flags) {
  return {T::kTableId,
          tableName,
          displayName,
          parentId,
          flags,
          &T::DefineFields,
          [](int recordId, CTBaseFactory* factory) -> std::unique_ptr<CTDbObject> {
            return std::make_unique<T>(recordId, factory);
          }};
}

template <class T>
LTTableDefinition AbstractTable(const char* tableName, const char* displayName, int parentId,
                                int flags) {
  return {T::kTableId, tableName, displayName, parentId, flags, &T::DefineFields, nullptr};
}

// One reference between two tables, declared by the layer that owns the referring table.
struct LTLinkDefinition {
  int id;
  const char* name;
  const char* propertyName;
  int referencedTableId;  // the table the reference points at
  int referringTableId;   // the table holding the class/record-id field pair
  int fieldIndex;         // the class half in the referring table
  int flags;              // CTTableLink::Flags
};

// Registers table and link lists with a factory the one way the program does it: the tables in
// ascending id whatever list they came from, each table followed by the links that point at it
// in the order the link lists were added, then FinishRegistration. The lists must outlive
// Register.
class CTSchemaBuilder {
 public:
  explicit CTSchemaBuilder(CTBaseFactory& factory) : factory_(factory) {}

  // The tables of one database.
  void AddTables(int databaseIndex, const std::vector<LTTableDefinition>& tables);
  void AddLinks(const std::vector<LTLinkDefinition>& links);
  // Throws std::logic_error when a table id is given twice or a link names a table that was not
  // added; nothing is registered then.
  void Register();

 private:
  struct LTEntry {
    int databaseIndex;
    const LTTableDefinition* table;
  };
  CTBaseFactory& factory_;
  std::vector<LTEntry> tables_;
  std::vector<const LTLinkDefinition*> links_;
};
