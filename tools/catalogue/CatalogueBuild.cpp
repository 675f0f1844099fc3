#include "tools/catalogue/CatalogueBuild.h"

#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <unordered_map>

#include "objectstore/TableInfo.h"
#include "platform/CodePage.h"
#include "tools/catalogue/CellValues.h"

namespace {

// The most records one row may stand for.
constexpr long kMaxRecordsPerRow = 1000000;

std::string PlaceText(const LTSourcePlace& place) {
  return place.file + ":" + std::to_string(place.line);
}

std::string ReferenceText(const LTReferenceKey& reference) {
  return reference.table->TableName() + ":" + Utf8FromCp1251(reference.key);
}

// A reference by id or name waiting until every table has its records.
struct LTPendingReference {
  int tableId;
  std::size_t record;
  const LTSourceColumn* column;
  const LTCellValue* cell;
};

class CTCatalogueBuilder {
 public:
  CTCatalogueBuilder(const CTCatalogueSchema& schema, CTCompileErrors& errors)
      : schema_(schema), errors_(errors) {}

  void Run(const std::vector<LTSourceRow>& rows, std::vector<LTCompiledTable>& tables);

 private:
  struct LTTableState {
    const CTTableInfo* table = nullptr;
    std::vector<const LTSourceRow*> rows;
    std::vector<LTCompiledRecord> records;
    std::map<std::int32_t, std::size_t> byId;
    std::unordered_map<std::string, std::vector<std::size_t>> byKey;
    std::int32_t highestId = 0;
    enum { kWaiting, kBuilding, kBuilt } state = kWaiting;
  };

  // Builds a table after the tables its patterns search (a circle of patterns is an error).
  void Build(LTTableState& state, const LTSourcePlace& asker);
  void Expand(LTTableState& state, const LTSourceRow& row);
  void AddRecord(LTTableState& state, const LTSourceRow& row,
                 const std::vector<std::size_t>& choice,
                 const std::vector<std::pair<std::size_t, std::vector<std::size_t>>>& patterns);
  void IndexKeys(LTTableState& state);
  void Resolve(const LTPendingReference& pending);
  void CheckOneToOne();
  LTTableState& State(const CTTableInfo& table) { return states_.at(table.Id()); }
  const std::string& KeyOf(const LTTableState& state, std::size_t record) const;

  const CTCatalogueSchema& schema_;
  CTCompileErrors& errors_;
  std::map<int, LTTableState> states_;
  std::vector<LTPendingReference> pending_;
};

const std::string& CTCatalogueBuilder::KeyOf(const LTTableState& state, std::size_t record) const {
  const int field = CTCatalogueSchema::KeyField(*state.table);
  return state.records[record].values.GetBytes(field);
}

void CTCatalogueBuilder::Run(const std::vector<LTSourceRow>& rows,
                             std::vector<LTCompiledTable>& tables) {
  for (const CTTableInfo* table : schema_.ConcreteTables()) states_[table->Id()].table = table;
  for (const LTSourceRow& row : rows) State(*row.table).rows.push_back(&row);
  for (auto& [id, state] : states_) Build(state, LTSourcePlace());
  for (const LTPendingReference& pending : pending_) Resolve(pending);
  CheckOneToOne();
  tables.clear();
  for (auto& [id, state] : states_) {
    tables.push_back(LTCompiledTable{state.table, std::move(state.records)});
  }
}

void CTCatalogueBuilder::Build(LTTableState& state, const LTSourcePlace& asker) {
  if (state.state == LTTableState::kBuilt) return;
  if (state.state == LTTableState::kBuilding) {
    errors_.Add(asker, "patterns on " + state.table->TableName() +
                           " names lead back to the table that uses them");
    return;
  }
  state.state = LTTableState::kBuilding;
  // The tables searched by patterns come first, so that their records are all known.
  for (const LTSourceRow* row : state.rows) {
    for (const LTCellValue& cell : row->cells) {
      if (cell.given && cell.reference.glob) {
        Build(State(*cell.reference.table), cell.place);
      }
    }
  }
  for (const LTSourceRow* row : state.rows) Expand(state, *row);
  IndexKeys(state);
  state.state = LTTableState::kBuilt;
}

void CTCatalogueBuilder::IndexKeys(LTTableState& state) {
  if (CTCatalogueSchema::KeyField(*state.table) < 0) return;
  for (std::size_t r = 0; r < state.records.size(); ++r) {
    state.byKey[KeyOf(state, r)].push_back(r);
  }
}

void CTCatalogueBuilder::Expand(LTTableState& state, const LTSourceRow& row) {
  const std::vector<LTSourceColumn>& columns = schema_.Columns(*state.table);
  // Per pattern column, the matching records of its table in their order.
  std::vector<std::pair<std::size_t, std::vector<std::size_t>>> patterns;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const LTCellValue& cell = row.cells[c];
    if (!cell.given || !cell.reference.glob) continue;
    const LTTableState& target = State(*cell.reference.table);
    if (target.state != LTTableState::kBuilt) return;  // reported as a circle
    std::vector<std::size_t> matches;
    for (std::size_t r = 0; r < target.records.size(); ++r) {
      if (GlobMatches(cell.reference.key, KeyOf(target, r))) matches.push_back(r);
    }
    if (matches.empty()) {
      errors_.Add(cell.place,
                  columns[c].name + ": " + ReferenceText(cell.reference) + " matches no record");
      return;
    }
    patterns.emplace_back(c, std::move(matches));
  }
  // A runaway cross product is refused before anything is made of it.
  double combinations = 1.0;
  for (const auto& pattern : patterns) combinations *= static_cast<double>(pattern.second.size());
  if (combinations > kMaxRecordsPerRow) {
    errors_.Add(row.place, "the patterns of this row would make " +
                               std::to_string(static_cast<long long>(combinations)) +
                               " records; at most " + std::to_string(kMaxRecordsPerRow) +
                               " are allowed");
    return;
  }
  // Every combination, the last pattern column varying fastest.
  std::vector<std::size_t> choice(patterns.size(), 0);
  for (;;) {
    AddRecord(state, row, choice, patterns);
    std::size_t k = patterns.size();
    while (k > 0 && ++choice[k - 1] == patterns[k - 1].second.size()) choice[--k] = 0;
    if (k == 0) return;
  }
}

void CTCatalogueBuilder::AddRecord(
    LTTableState& state, const LTSourceRow& row, const std::vector<std::size_t>& choice,
    const std::vector<std::pair<std::size_t, std::vector<std::size_t>>>& patterns) {
  const std::vector<LTSourceColumn>& columns = schema_.Columns(*state.table);
  LTCompiledRecord record{CTValueList(state.table->Fields()), row.place};
  CTValueList& values = record.values;
  std::size_t next = 0;
  for (std::size_t c = 1; c < columns.size(); ++c) {
    const LTSourceColumn& column = columns[c];
    const LTCellValue& cell = row.cells[c];
    if (!cell.given) continue;
    const int f = column.field;
    if (column.reference) {
      if (next < patterns.size() && patterns[next].first == c) {
        const LTTableState& target = State(*cell.reference.table);
        const std::size_t match = patterns[next].second[choice[next]];
        values.SetInt(f, target.table->Id());
        values.SetInt(f + 1, target.records[match].values.Id());
        ++next;
      } else {
        pending_.push_back({state.table->Id(), state.records.size(), &column, &cell});
      }
      continue;
    }
    switch (column.type) {
      case kFtBoolean:
        values.SetBool(f, cell.boolean);
        break;
      case kFtInteger:
        values.SetInt(f, cell.integer);
        break;
      case kFtDouble:
      case kFtDateTime:
        values.SetDouble(f, cell.number);
        break;
      default:
        values.SetBytes(f, cell.bytes);
        break;
    }
  }
  std::int32_t id = 0;
  if (row.cells[0].given) {
    id = row.cells[0].integer;
  } else if (state.highestId == std::numeric_limits<std::int32_t>::max()) {
    errors_.Add(row.place, "no id is left above " + std::to_string(state.highestId) + " in " +
                               state.table->TableName());
    return;
  } else {
    id = state.highestId + 1;
  }
  const auto [it, fresh] = state.byId.emplace(id, state.records.size());
  if (!fresh) {
    errors_.Add(row.place, "duplicate id " + std::to_string(id) + " in " +
                               state.table->TableName() + " (first used at " +
                               PlaceText(state.records[it->second].place) + ")");
    // The references this row queued belong to a record that is not kept.
    while (!pending_.empty() && pending_.back().tableId == state.table->Id() &&
           pending_.back().record == state.records.size()) {
      pending_.pop_back();
    }
    return;
  }
  if (id > state.highestId) state.highestId = id;
  values.SetId(id);
  state.records.push_back(std::move(record));
}

void CTCatalogueBuilder::Resolve(const LTPendingReference& pending) {
  const LTReferenceKey& reference = pending.cell->reference;
  const LTTableState& target = State(*reference.table);
  std::int32_t id = 0;
  const std::string what = pending.column->name + ": ";
  if (reference.id > 0) {
    if (!target.byId.count(reference.id)) {
      errors_.Add(pending.cell->place, what + "no record " + ReferenceText(reference));
      return;
    }
    id = reference.id;
  } else {
    const auto it = target.byKey.find(reference.key);
    if (it == target.byKey.end()) {
      errors_.Add(pending.cell->place, what + "no record " + ReferenceText(reference));
      return;
    }
    if (it->second.size() > 1) {
      std::string where;
      for (std::size_t r : it->second) {
        where += (where.empty() ? "" : ", ") + PlaceText(target.records[r].place);
      }
      errors_.Add(pending.cell->place, what + ReferenceText(reference) + " names " +
                                           std::to_string(it->second.size()) + " records (" +
                                           where + ")");
      return;
    }
    id = target.records[it->second.front()].values.Id();
  }
  CTValueList& values = states_.at(pending.tableId).records[pending.record].values;
  values.SetInt(pending.column->field, reference.table->Id());
  values.SetInt(pending.column->field + 1, id);
}

void CTCatalogueBuilder::CheckOneToOne() {
  // (link, table id, record id) of each one-to-one target, with the record that took it.
  std::map<std::tuple<const CTTableLink*, int, int>, const LTCompiledRecord*> taken;
  for (auto& [tableId, state] : states_) {
    const std::vector<LTSourceColumn>& columns = schema_.Columns(*state.table);
    for (const LTCompiledRecord& record : state.records) {
      for (const LTSourceColumn& column : columns) {
        if (!column.reference) continue;
        const CTTableLink* link = state.table->Field(column.field)->Link();
        if (!link || !link->OneToOne()) continue;
        const int targetTable = record.values.GetInt(column.field);
        const int targetId = record.values.GetInt(column.field + 1);
        if (targetId <= 0) continue;
        const auto [it, fresh] =
            taken.emplace(std::make_tuple(link, targetTable, targetId), &record);
        if (fresh) continue;
        const CTTableInfo* target = states_.at(targetTable).table;
        errors_.Add(record.place, column.name + ": " + target->TableName() + ":" +
                                      std::to_string(targetId) + " is already referred to by " +
                                      PlaceText(it->second->place) + " and may have only one");
      }
    }
  }
}

}  // namespace

bool BuildCatalogue(const CTCatalogueSchema& schema, const std::vector<LTSourceRow>& rows,
                    std::vector<LTCompiledTable>& tables, CTCompileErrors& errors) {
  const std::size_t before = errors.Lines().size();
  CTCatalogueBuilder builder(schema, errors);
  builder.Run(rows, tables);
  return errors.Lines().size() == before;
}
