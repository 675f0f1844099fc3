#include "tools/catalogue/CatalogueSchema.h"

#include <algorithm>
#include <stdexcept>

#include "objectstore/BaseFactory.h"
#include "objectstore/TableInfo.h"

namespace {

constexpr char kClassSuffix[] = "_CLS_REF";
constexpr char kRecordSuffix[] = "_OBJ_REF";

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() > suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string Stem(const std::string& text, std::size_t suffixLength) {
  return text.substr(0, text.size() - suffixLength);
}

std::vector<LTSourceColumn> ColumnsOf(const CTTableInfo& table) {
  std::vector<LTSourceColumn> columns;
  const int count = table.FieldCount();
  for (int f = 0; f < count; ++f) {
    const CTFieldInfo* field = table.Field(f);
    LTSourceColumn column;
    column.field = f;
    column.type = field->Type();
    const std::string& name = field->Name();
    const bool pair =
        f + 1 < count && EndsWith(name, kClassSuffix) &&
        table.Field(f + 1)->Name() == Stem(name, sizeof kClassSuffix - 1) + kRecordSuffix;
    if (pair) {
      column.name = Stem(name, sizeof kClassSuffix - 1);
      column.reference = true;
      if (const CTTableLink* link = field->Link()) column.target = link->ReferencedTable();
      ++f;
    } else {
      column.name = name;
    }
    columns.push_back(std::move(column));
  }
  return columns;
}

}  // namespace

CTCatalogueSchema::CTCatalogueSchema(const CTBaseFactory& factory, int databaseIndex) {
  for (const auto& table : factory.Tables()) {
    if (!table || table->DatabaseIndex() != databaseIndex) continue;
    tables_.push_back(table.get());
    if (table->IsAbstract()) continue;
    concrete_.push_back(table.get());
    columns_[table->Id()] = ColumnsOf(*table);
  }
  std::sort(concrete_.begin(), concrete_.end(),
            [](const CTTableInfo* a, const CTTableInfo* b) { return a->Id() < b->Id(); });
}

const CTTableInfo* CTCatalogueSchema::FindTable(const std::string& name) const {
  for (const CTTableInfo* table : tables_) {
    if (table->TableName() == name) return table;
  }
  return nullptr;
}

const CTTableInfo* CTCatalogueSchema::FindTableIgnoringCase(const std::string& name) const {
  for (const CTTableInfo* table : tables_) {
    if (SameNameIgnoringCase(table->TableName(), name)) return table;
  }
  return nullptr;
}

const std::vector<LTSourceColumn>& CTCatalogueSchema::Columns(const CTTableInfo& table) const {
  const auto it = columns_.find(table.Id());
  if (it == columns_.end()) throw std::logic_error("no columns for table " + table.TableName());
  return it->second;
}

int CTCatalogueSchema::ColumnIndex(const CTTableInfo& table, const std::string& name) const {
  const std::vector<LTSourceColumn>& columns = Columns(table);
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (columns[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

int CTCatalogueSchema::SimilarColumnIndex(const CTTableInfo& table, const std::string& name) const {
  std::string wanted = name;
  if (EndsWith(wanted, kClassSuffix)) wanted = Stem(wanted, sizeof kClassSuffix - 1);
  if (EndsWith(wanted, kRecordSuffix)) wanted = Stem(wanted, sizeof kRecordSuffix - 1);
  const std::vector<LTSourceColumn>& columns = Columns(table);
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (SameNameIgnoringCase(columns[i].name, wanted)) return static_cast<int>(i);
  }
  return -1;
}

int CTCatalogueSchema::KeyField(const CTTableInfo& table) {
  if (table.TableName() == "TBL_IndFamily") return table.FieldIndexByName("IFA_Short");
  return table.NameFieldIndex();
}
