#include "tools/catalogue/CatalogueText.h"

#include "objectstore/Guid.h"
#include "objectstore/TableInfo.h"
#include "objectstore/TextWriter.h"

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

void WriteCatalogueText(const std::string& signatureWord, int version,
                        const std::vector<LTCompiledTable>& tables, CTStream& out) {
  CTTextWriter w(out);
  w.WriteHeader(signatureWord, version);
  for (const LTCompiledTable& compiled : tables) {
    const CTTableInfo& table = *compiled.table;
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
    w.WriteBytes("0");
    w.WriteLineEnd();
  }
  w.WriteBytes("0");
  w.WriteLineEnd();
  for (const LTCompiledTable& compiled : tables) {
    if (compiled.records.empty()) continue;
    w.WriteBytes("2 ");
    w.WriteInteger(compiled.table->Id());
    w.WriteBytes(" 2 ");
    w.WriteInteger(static_cast<std::int64_t>(compiled.records.size()));
    w.WriteLineEnd();
    for (const LTCompiledRecord& record : compiled.records) {
      for (int f = 0; f < record.values.Count(); ++f) WriteValue(w, record.values, f);
      w.WriteLineEnd();
    }
  }
  w.WriteBytes("0");
  w.WriteLineEnd();
  w.Flush();
}
