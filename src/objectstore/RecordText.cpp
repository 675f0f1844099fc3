#include "objectstore/RecordText.h"

#include "objectstore/Guid.h"
#include "objectstore/TableInfo.h"
#include "objectstore/TextWriter.h"
#include "objectstore/ValueList.h"

namespace {

void WriteValue(CTTextWriter& w, const CTValueList& values, int f) {
  const TFieldType type = values.Type(f);
  w.WriteInteger(type);
  w.WriteChar(' ');
  switch (type) {
    case kFtBoolean:
      w.WriteChar(values.GetBool(f) ? '1' : '0');
      break;
    case kFtInteger:
      w.WriteInteger(values.GetInt(f));
      break;
    case kFtDouble:
    case kFtDateTime:
      w.WriteFloat(values.GetDouble(f));
      break;
    case kFtCurrency:
      w.WriteFloat(static_cast<double>(values.GetCurrency(f)) / 10000.0);
      break;
    case kFtString:
    case kFtBlob:
      w.WriteEscapedString(values.GetBytes(f));
      break;
    case kFtGuid:
      w.WriteEscapedString(GuidTextFromBytes(values.GetBytes(f)));
      break;
  }
  w.WriteChar(' ');
}

}  // namespace

void WriteTableDeclaration(CTTextWriter& w, const CTTableInfo& table) {
  w.WriteBytes("5 ");
  w.WriteRawString(table.TableName());
  w.WriteChar(' ');
  w.WriteInteger(table.Id());
  w.WriteLineEnd();
  for (const CTFieldInfo* field : table.Fields()) {
    w.WriteBytes("5 ");
    w.WriteRawString(field->Name());
    w.WriteChar(' ');
    w.WriteInteger(field->Type());
    w.WriteLineEnd();
  }
  WriteSectionEnd(w);
}

void WriteRecordBlockHeader(CTTextWriter& w, int tableId, std::int64_t count) {
  w.WriteBytes("2 ");
  w.WriteInteger(tableId);
  w.WriteBytes(" 2 ");
  w.WriteInteger(count);
  w.WriteLineEnd();
}

void WriteRecordValues(CTTextWriter& w, const CTValueList& values) {
  for (int f = 0; f < values.Count(); ++f) WriteValue(w, values, f);
  w.WriteLineEnd();
}

void WriteSectionEnd(CTTextWriter& w) {
  w.WriteBytes("0");
  w.WriteLineEnd();
}
