#pragma once

#include <vector>

// The program's tables and references as the factory registers them.
struct LTProgramTable {
  int id;
  const char* tableName;
  const char* displayName;
  int parentId;  // -1: none
  int database;  // 0 the catalogue, 1 the project
  int flags;     // CTTableInfo::Flags
};

struct LTProgramLink {
  int id;
  const char* name;
  const char* propertyName;
  int referencedTableId;  // the table the reference points at
  int referringTableId;   // the table holding the class/record-id field pair
  int fieldIndex;         // the class half in the referring table
  int flags;              // CTTableLink::Flags
};

// In ascending table id.
const std::vector<LTProgramTable>& ProgramTables();
// Grouped by referenced table, in ascending id; the order they are registered in.
const std::vector<LTProgramLink>& ProgramLinks();
