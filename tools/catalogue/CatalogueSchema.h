#pragma once

#include <map>
#include <string>
#include <vector>

#include "objectstore/FieldType.h"

class CTBaseFactory;
class CTTableInfo;

// One column of a table source: a field of the table, or a reference (the pair of fields
// <Name>_CLS_REF and <Name>_OBJ_REF written as one column <Name>).
struct LTSourceColumn {
  std::string name;
  int field = 0;  // the field index; for a reference its class half
  TFieldType type = kFtInteger;
  bool reference = false;
  // The table a reference points at (it or a table below it); null when any catalogue table may
  // be named.
  const CTTableInfo* target = nullptr;
};

// The catalogue tables as the table sources see them, taken from a factory's definitions of one
// database: the tables by name and, per concrete table, its columns in field order.
class CTCatalogueSchema {
 public:
  CTCatalogueSchema(const CTBaseFactory& factory, int databaseIndex);

  // The table of that exact name in this database (abstract ones included), or null.
  const CTTableInfo* FindTable(const std::string& name) const;
  // The table whose name differs only in case, for hints in messages; null when there is none.
  const CTTableInfo* FindTableIgnoringCase(const std::string& name) const;
  // The concrete tables, ascending by table id.
  const std::vector<const CTTableInfo*>& ConcreteTables() const { return concrete_; }

  // The columns of a concrete table; column 0 is the record id.
  const std::vector<LTSourceColumn>& Columns(const CTTableInfo& table) const;
  // The column of that exact name, or -1.
  int ColumnIndex(const CTTableInfo& table, const std::string& name) const;
  // A column whose name differs only in case, or that names one half of a reference; -1 when
  // there is none.
  int SimilarColumnIndex(const CTTableInfo& table, const std::string& name) const;

  // The field a reference's key names a record by: the family code of TBL_IndFamily, the name
  // field of other tables; -1 when records of the table can be named by id only.
  static int KeyField(const CTTableInfo& table);

 private:
  std::vector<const CTTableInfo*> tables_;
  std::vector<const CTTableInfo*> concrete_;
  std::map<int, std::vector<LTSourceColumn>> columns_;
};
