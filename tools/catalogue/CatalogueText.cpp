#include "tools/catalogue/CatalogueText.h"

#include "objectstore/RecordText.h"
#include "objectstore/TableInfo.h"
#include "objectstore/TextWriter.h"

void WriteCatalogueText(const std::string& signatureWord, int version,
                        const std::vector<LTCompiledTable>& tables, CTStream& out) {
  CTTextWriter w(out);
  w.WriteHeader(signatureWord, version);
  for (const LTCompiledTable& compiled : tables) WriteTableDeclaration(w, *compiled.table);
  WriteSectionEnd(w);
  for (const LTCompiledTable& compiled : tables) {
    if (compiled.records.empty()) continue;
    WriteRecordBlockHeader(w, compiled.table->Id(),
                           static_cast<std::int64_t>(compiled.records.size()));
    for (const LTCompiledRecord& record : compiled.records) WriteRecordValues(w, record.values);
  }
  WriteSectionEnd(w);
  w.Flush();
}
