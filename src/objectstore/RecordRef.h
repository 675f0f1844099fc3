#pragma once

#include <string>

class CTDbObject;
class CTTableInfo;

// A reference as a record stores it: the table id of the referenced record (its concrete table)
// and its record id. A record id of 0 means no reference, even where the table half is set.
struct LTRecordRef {
  int tableId = 0;
  int recordId = 0;
  bool IsSet() const { return recordId > 0; }
  bool operator==(const LTRecordRef&) const = default;
};

// Adds a reference to a table definition: the integer fields <stem>_CLS_REF at index and
// <stem>_OBJ_REF at index + 1, both eager with the default 0 (no reference).
void AddReferenceFields(CTTableInfo& table, int index, const std::string& stem);

// The reference stored at field (the table half) and field + 1 (the record half).
LTRecordRef ReadReference(CTDbObject& object, int field);
