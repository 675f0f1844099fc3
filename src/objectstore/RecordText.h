#pragma once

#include <cstdint>

class CTTableInfo;
class CTTextWriter;
class CTValueList;

// The pieces of the text object form that every writer of store files shares.

// A table's declaration: its name and id, one line per field (name and type), then "0".
void WriteTableDeclaration(CTTextWriter& w, const CTTableInfo& table);
// The line that opens a table's record block: the table id and the number of records.
void WriteRecordBlockHeader(CTTextWriter& w, int tableId, std::int64_t count);
// One record: every value as its type tag and token, then the line end.
void WriteRecordValues(CTTextWriter& w, const CTValueList& values);
// The "0" line that ends the declarations and the records.
void WriteSectionEnd(CTTextWriter& w);
