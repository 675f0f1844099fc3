#include "tools/catalogue/TableSource.h"

#include <map>
#include <optional>

#include "objectstore/TableInfo.h"
#include "tools/catalogue/CellValues.h"

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

// Words separated by blanks (TAB or space).
std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    const std::size_t start = i;
    while (i < text.size() && !IsBlank(text[i])) ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

bool ConvertReference(const CTCatalogueSchema& schema, const LTSourceColumn& column,
                      std::string_view text, LTReferenceKey& reference, std::string& problem) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon == 0 || colon + 1 == text.size()) {
    problem = "bad reference '" + std::string(text) + "' (write TABLE:ID or TABLE:NAME)";
    return false;
  }
  const std::string tableName(text.substr(0, colon));
  const CTTableInfo* table = schema.FindTable(tableName);
  if (!table) {
    problem = "unknown table " + tableName + " in reference";
    if (const CTTableInfo* similar = schema.FindTableIgnoringCase(tableName))
      problem += " (did you mean " + similar->TableName() + "?)";
    return false;
  }
  if (table->IsAbstract()) {
    problem = table->TableName() + " is abstract; name the table the record is in";
    return false;
  }
  if (column.target && !table->DescendsFrom(column.target->Id())) {
    problem = "refers to " + column.target->TableName() + ", not to " + table->TableName();
    return false;
  }
  const std::string_view key = text.substr(colon + 1);
  reference.table = table;
  reference.glob = IsGlobPattern(key);
  bool digits = !reference.glob;
  for (char c : key) digits = digits && c >= '0' && c <= '9';
  if (digits) {
    const auto id = CellInteger(key, problem);
    if (!id) return false;
    if (*id <= 0) {
      problem = "record id " + std::string(key) + " is not positive";
      return false;
    }
    reference.id = *id;
    reference.key = std::string(key);
    return true;
  }
  if (CTCatalogueSchema::KeyField(*table) < 0) {
    problem = table->TableName() + " records have no name; refer to them by id";
    return false;
  }
  const auto bytes = CellCodePageText(key, problem);
  if (!bytes) return false;
  reference.key = *bytes;
  return true;
}

// The reader of one source file; keeps the section state between lines.
class CTTableSourceReader {
 public:
  CTTableSourceReader(const CTCatalogueSchema& schema, const std::string& path,
                      std::vector<LTSourceRow>& rows, CTCompileErrors& errors)
      : schema_(schema), path_(path), rows_(rows), errors_(errors) {}

  void Read(std::string_view bytes);

 private:
  void Line(std::string_view text);
  void Directive(std::string_view text);
  void TableDirective(std::string_view argument);
  void SetDirective(std::string_view argument);
  void UnsetDirective(std::string_view argument);
  void ColumnsDirective(std::string_view argument);
  void Row(std::string_view text);
  // The column of a field name in the current table; -1 after reporting an unknown name.
  int Column(std::string_view name);
  bool NeedTable(std::string_view directive);
  void Error(const std::string& message) { errors_.Add(place_, message); }

  const CTCatalogueSchema& schema_;
  const std::string& path_;
  std::vector<LTSourceRow>& rows_;
  CTCompileErrors& errors_;
  LTSourcePlace place_;
  const CTTableInfo* table_ = nullptr;
  bool haveColumns_ = false;
  std::vector<int> columns_;
  std::map<int, LTCellValue> defaults_;
};

void CTTableSourceReader::Read(std::string_view bytes) {
  place_.file = path_;
  // A byte-order mark in front of the text is not part of the first line.
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  int number = 0;
  for (std::string_view line : Split(bytes, '\n')) {
    place_.line = ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    Line(line);
  }
}

void CTTableSourceReader::Line(std::string_view text) {
  if (Trimmed(text).empty()) return;
  if (text.front() == '#') return;
  if (text.front() == '@') {
    Directive(text);
    return;
  }
  Row(text);
}

void CTTableSourceReader::Directive(std::string_view text) {
  std::size_t end = 0;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  const std::string_view word = text.substr(0, end);
  const std::string_view argument = text.substr(end < text.size() ? end + 1 : end);
  if (word == "@table") {
    TableDirective(argument);
  } else if (word == "@set") {
    SetDirective(argument);
  } else if (word == "@unset") {
    UnsetDirective(argument);
  } else if (word == "@columns") {
    ColumnsDirective(argument);
  } else {
    Error("unknown directive " + std::string(word));
  }
}

bool CTTableSourceReader::NeedTable(std::string_view directive) {
  if (table_) return true;
  Error(std::string(directive) + " before any @table");
  return false;
}

void CTTableSourceReader::TableDirective(std::string_view argument) {
  // Whatever follows, the previous section ends here.
  table_ = nullptr;
  haveColumns_ = false;
  columns_.clear();
  defaults_.clear();
  const std::string name(Trimmed(argument));
  if (name.empty()) {
    Error("@table needs a table name");
    return;
  }
  const CTTableInfo* table = schema_.FindTable(name);
  if (!table) {
    std::string message = "unknown table " + name;
    if (const CTTableInfo* similar = schema_.FindTableIgnoringCase(name))
      message += " (did you mean " + similar->TableName() + "?)";
    Error(message);
    return;
  }
  if (table->IsAbstract()) {
    Error(name + " is abstract and holds no records; use one of the tables below it");
    return;
  }
  table_ = table;
}

int CTTableSourceReader::Column(std::string_view name) {
  const std::string field(name);
  const int column = schema_.ColumnIndex(*table_, field);
  if (column >= 0) return column;
  std::string message = "unknown field " + field + " in " + table_->TableName();
  const int similar = schema_.SimilarColumnIndex(*table_, field);
  if (similar >= 0) {
    message +=
        " (did you mean " + schema_.Columns(*table_)[static_cast<std::size_t>(similar)].name + "?)";
  }
  Error(message);
  return -1;
}

void CTTableSourceReader::SetDirective(std::string_view argument) {
  if (!NeedTable("@set")) return;
  // FIELD, a TAB and the value; a value written after a space is accepted too.
  argument = argument.substr(std::min(argument.size(), argument.find_first_not_of(" \t")));
  std::size_t split = argument.find('\t');
  if (split == std::string_view::npos) split = argument.find(' ');
  const std::string_view field = argument.substr(0, split);
  const std::string_view text =
      split == std::string_view::npos ? std::string_view() : argument.substr(split + 1);
  if (field.empty()) {
    Error("@set needs a field and a value");
    return;
  }
  const int column = Column(field);
  if (column < 0) return;
  if (column == 0) {
    Error("@set of the record id " + std::string(field) + " would give every row the same id");
    return;
  }
  LTCellValue value;
  std::string problem;
  const auto& info = schema_.Columns(*table_)[static_cast<std::size_t>(column)];
  if (!ConvertCell(schema_, info, text, place_, value, problem)) {
    Error(info.name + ": " + problem);
    return;
  }
  if (value.given) {
    defaults_[column] = std::move(value);
  } else {
    defaults_.erase(column);
  }
}

void CTTableSourceReader::UnsetDirective(std::string_view argument) {
  if (!NeedTable("@unset")) return;
  const std::string_view field = Trimmed(argument);
  if (field.empty()) {
    Error("@unset needs a field");
    return;
  }
  const int column = Column(field);
  if (column >= 0) defaults_.erase(column);
}

void CTTableSourceReader::ColumnsDirective(std::string_view argument) {
  if (!NeedTable("@columns")) return;
  haveColumns_ = false;
  columns_.clear();
  std::vector<int> columns;
  bool ok = true;
  for (std::string_view name : Words(argument)) {
    const int column = Column(name);
    if (column < 0) {
      ok = false;
      continue;
    }
    for (int seen : columns) {
      if (seen == column) {
        Error("field " + std::string(name) + " named twice in @columns");
        ok = false;
      }
    }
    columns.push_back(column);
  }
  if (columns.empty() && ok) {
    Error("@columns needs at least one field");
    return;
  }
  if (!ok) return;
  columns_ = std::move(columns);
  haveColumns_ = true;
}

void CTTableSourceReader::Row(std::string_view text) {
  if (!table_) {
    Error("row before any @table");
    return;
  }
  if (!haveColumns_) {
    Error("row before @columns in this section");
    return;
  }
  const std::vector<std::string_view> cells = Split(text, '\t');
  if (cells.size() > columns_.size()) {
    Error("row has " + std::to_string(cells.size()) + " cells but @columns names " +
          std::to_string(columns_.size()) + (columns_.size() == 1 ? " field" : " fields"));
    return;
  }
  const std::vector<LTSourceColumn>& columns = schema_.Columns(*table_);
  LTSourceRow row;
  row.table = table_;
  row.place = place_;
  row.cells.resize(columns.size());
  for (const auto& [column, value] : defaults_) row.cells[static_cast<std::size_t>(column)] = value;
  bool ok = true;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (cells[i].empty()) continue;
    const auto column = static_cast<std::size_t>(columns_[i]);
    std::string problem;
    LTCellValue value;
    if (!ConvertCell(schema_, columns[column], cells[i], place_, value, problem)) {
      Error(columns[column].name + ": " + problem);
      ok = false;
      continue;
    }
    row.cells[column] = std::move(value);
  }
  if (ok) rows_.push_back(std::move(row));
}

}  // namespace

bool ConvertCell(const CTCatalogueSchema& schema, const LTSourceColumn& column,
                 std::string_view text, const LTSourcePlace& place, LTCellValue& value,
                 std::string& problem) {
  value = LTCellValue();
  value.place = place;
  if (text.empty()) return true;
  value.given = true;
  if (column.reference) return ConvertReference(schema, column, text, value.reference, problem);
  switch (column.type) {
    case kFtBoolean: {
      const auto v = CellBoolean(text, problem);
      if (!v) return false;
      value.boolean = *v;
      return true;
    }
    case kFtInteger: {
      const auto v = CellInteger(text, problem);
      if (!v) return false;
      if (column.field == 0 && *v <= 0) {
        problem = "record id " + std::string(text) + " is not positive";
        return false;
      }
      value.integer = *v;
      return true;
    }
    case kFtDouble: {
      const auto v = CellDouble(text, problem);
      if (!v) return false;
      value.number = *v;
      return true;
    }
    case kFtDateTime: {
      const auto v = CellDate(text, problem);
      if (!v) return false;
      value.number = *v;
      return true;
    }
    case kFtString: {
      auto v = CellCodePageText(text, problem);
      if (!v) return false;
      value.bytes = std::move(*v);
      return true;
    }
    case kFtBlob: {
      auto v = CellBlob(text, place.file, problem);
      if (!v) return false;
      value.bytes = std::move(*v);
      return true;
    }
    case kFtCurrency:
    case kFtGuid:
      break;
  }
  problem = "fields of type " + std::to_string(static_cast<int>(column.type)) +
            " cannot be written in table sources";
  return false;
}

void ReadTableSource(const CTCatalogueSchema& schema, const std::string& path,
                     std::string_view bytes, std::vector<LTSourceRow>& rows,
                     CTCompileErrors& errors) {
  CTTableSourceReader reader(schema, path, rows, errors);
  reader.Read(bytes);
}
