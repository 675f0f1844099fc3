#include "objectstore/TableDefinitions.h"

#include <algorithm>
#include <memory>
#include <set>
#include <stdexcept>

#include "objectstore/TableInfo.h"

void CTSchemaBuilder::AddTables(int databaseIndex, const std::vector<LTTableDefinition>& tables) {
  for (const LTTableDefinition& table : tables) tables_.push_back({databaseIndex, &table});
}

void CTSchemaBuilder::AddLinks(const std::vector<LTLinkDefinition>& links) {
  for (const LTLinkDefinition& link : links) links_.push_back(&link);
}

void CTSchemaBuilder::Register() {
  std::vector<LTEntry> tables = tables_;
  std::stable_sort(tables.begin(), tables.end(),
                   [](const LTEntry& a, const LTEntry& b) { return a.table->id < b.table->id; });
  std::set<int> ids;
  for (const LTEntry& entry : tables) {
    if (!ids.insert(entry.table->id).second)
      throw std::logic_error(std::string("table registered twice: ") + entry.table->tableName);
  }
  for (const LTLinkDefinition* link : links_) {
    if (!ids.count(link->referencedTableId) || !ids.count(link->referringTableId))
      throw std::logic_error(std::string("link to a table that is not registered: ") + link->name);
  }
  for (const LTEntry& entry : tables) {
    const LTTableDefinition& t = *entry.table;
    CTTableInfo* table = factory_.AddTable(std::make_unique<CTTableInfo>(
        t.id, t.flags, t.parentId, t.displayName, t.tableName, entry.databaseIndex));
    t.define(*table, "");
    if (t.create) factory_.RegisterClass(t.id, t.create);
    for (const LTLinkDefinition* l : links_) {
      if (l->referencedTableId != t.id) continue;
      factory_.AddLink(
          t.id, std::make_unique<CTTableLink>(l->id, l->name, l->propertyName, l->referringTableId,
                                              l->fieldIndex, l->flags));
    }
  }
  factory_.FinishRegistration();
}
