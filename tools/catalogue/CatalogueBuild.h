#pragma once

#include <vector>

#include "objectstore/ValueList.h"
#include "tools/catalogue/CatalogueSchema.h"
#include "tools/catalogue/SourcePlace.h"
#include "tools/catalogue/TableSource.h"

class CTTableInfo;

// A record as it will be written, with the row it came from.
struct LTCompiledRecord {
  CTValueList values;
  LTSourcePlace place;
};

// The records of one concrete table, in source order.
struct LTCompiledTable {
  const CTTableInfo* table = nullptr;
  std::vector<LTCompiledRecord> records;
};

// Turns the rows of all sources into records: a row with patterns in reference cells is repeated
// once per combination of matching records (the first such column varying slowest, the matches
// in their table's record order), ids left open are assigned (one above the highest id of the
// table so far), references by id or name are resolved against the records of all sources, and
// one-to-one references are checked to be unique. The result lists every concrete table of the
// schema, ascending by table id. Returns false when errors were added.
bool BuildCatalogue(const CTCatalogueSchema& schema, const std::vector<LTSourceRow>& rows,
                    std::vector<LTCompiledTable>& tables, CTCompileErrors& errors);
