#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/catalogue/CatalogueSchema.h"
#include "tools/catalogue/SourcePlace.h"

class CTTableInfo;

// A reference as a cell writes it, TABLE:KEY: the concrete table of the record and its id, its
// name, or a pattern on names.
struct LTReferenceKey {
  const CTTableInfo* table = nullptr;
  std::string key;      // code-page bytes
  std::int32_t id = 0;  // above 0 when the key is a record id
  bool glob = false;    // the key holds "*" or "?"
};

// The value a row gives one column, converted to the field's type.
struct LTCellValue {
  bool given = false;  // false: the field keeps its schema default (or, for a reference, none)
  LTSourcePlace place;
  bool boolean = false;
  std::int32_t integer = 0;
  double number = 0.0;  // doubles and dates
  std::string bytes;    // strings (code page) and blobs
  LTReferenceKey reference;
};

// One row of a table source with its section's defaults applied: a value per column of its table.
struct LTSourceRow {
  const CTTableInfo* table = nullptr;
  LTSourcePlace place;
  std::vector<LTCellValue> cells;
};

// Reads one table source (UTF-8 text, LF or CRLF lines): "#" comments, "@table NAME",
// "@set FIELD<TAB>VALUE", "@unset FIELD", "@columns F1<TAB>F2..." and rows of TAB-separated cells.
// Appends its rows in order; every problem is added to errors and its line is left out.
void ReadTableSource(const CTCatalogueSchema& schema, const std::string& path,
                     std::string_view bytes, std::vector<LTSourceRow>& rows,
                     CTCompileErrors& errors);

// Converts the text of one cell for a column; false with the reason in problem. An empty text
// gives a value that is not given.
bool ConvertCell(const CTCatalogueSchema& schema, const LTSourceColumn& column,
                 std::string_view text, const LTSourcePlace& place, LTCellValue& value,
                 std::string& problem);
