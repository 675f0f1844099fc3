#include "objectstore/MemDbEngine.h"

#include <algorithm>
#include <unordered_set>

#include "i18n/MessageCatalog.h"
#include "objectstore/DbException.h"
#include "objectstore/DbObject.h"
#include "objectstore/QueryFilter.h"
#include "objectstore/TableInfo.h"
#include "platform/MemoryStream.h"
#include "platform/SettingsStore.h"

namespace {

constexpr int kMsgTextFile = 5025;
constexpr int kMaxUndoSteps = 5;

}  // namespace

CTMemDbEngine::CTMemDbEngine(CTBaseFactory& factory, std::string databaseName, std::string fileName,
                             bool readOnly, int databaseIndex)
    : CTDbEngine(factory, std::move(databaseName), std::move(fileName), readOnly),
      databaseIndex_(databaseIndex) {
  SetCapabilities(kCapabilities);
  for (const auto& table : factory.Tables()) {
    if (table && !table->IsAbstract() && table->DatabaseIndex() == databaseIndex) {
      tables_.push_back(table.get());
    }
  }
  top_ = std::make_unique<CTTransactionLayer>(tables_, nullptr);
}

CTMemDbEngine::~CTMemDbEngine() = default;

void CTMemDbEngine::RegisterClass() {
  CTBaseFactory::RegisterEngineClass(
      "CTMemDbEngine",
      [](CTBaseFactory& factory, const std::string& database, std::unique_ptr<CTDbEngine>& engine,
         bool hasFile, bool, int databaseIndex, bool readOnly, std::string& fileName) {
        if (!AcceptDataSource(database, hasFile ? fileName : std::string())) return false;
        engine = std::make_unique<CTMemDbEngine>(
            factory, database, hasFile ? fileName : std::string(), readOnly, databaseIndex);
        return true;
      });
}

namespace {

constexpr char kDataSourceRoot[] = "Software\\ODBC\\ODBC.INI\\";
constexpr char kDriverFile[] = "odbcjt32.dll";

// Whether a driver value names the engine's driver file (a bare name or a path ending in it).
bool NamesDriverFile(const std::string& driver) {
  const auto slash = driver.find_last_of("\\/");
  const std::string file = slash == std::string::npos ? driver : driver.substr(slash + 1);
  return SameNameIgnoringCase(file, kDriverFile);
}

}  // namespace

bool CTMemDbEngine::EnsureDataSource(const std::string& database) {
  CTSettingsStore& settings = CTSettingsStore::Process();
  const std::string key = kDataSourceRoot + database;
  if (settings.ValueExists(CTSettingsHive::CurrentUser, key, "Driver")) return true;
  return settings.WriteValue(CTSettingsHive::CurrentUser, key, "Driver",
                             LTSettingsValue::String(kDriverFile));
}

void CTMemDbEngine::DeleteDataSource(const std::string& database, bool machineToo) {
  CTSettingsStore& settings = CTSettingsStore::Process();
  const std::string key = kDataSourceRoot + database;
  settings.DeleteKey(CTSettingsHive::CurrentUser, key);
  if (machineToo) settings.DeleteKey(CTSettingsHive::LocalMachine, key);
}

bool CTMemDbEngine::AcceptDataSource(const std::string& database, const std::string& fileName) {
  CTSettingsStore& settings = CTSettingsStore::Process();
  const std::string key = kDataSourceRoot + database;
  for (CTSettingsHive hive : {CTSettingsHive::CurrentUser, CTSettingsHive::LocalMachine}) {
    if (!settings.KeyExists(hive, key)) continue;
    const auto driver = settings.ReadValue(hive, key, "Driver");
    const auto text = driver ? driver->AsString() : std::nullopt;
    if (!text || !NamesDriverFile(*text)) return false;
    if (!fileName.empty()) {
      const auto dbq = settings.ReadValue(hive, key, "DBQ");
      const auto current = dbq ? dbq->AsString() : std::nullopt;
      if (!current || !SameNameIgnoringCase(*current, fileName)) {
        settings.WriteValue(hive, key, "DBQ", LTSettingsValue::String(fileName));
      }
    }
    return true;
  }
  return false;
}

std::string CTMemDbEngine::GetKindText() {
  return TBaseMsg::GetText(kMsgTextFile, {});
}

bool CTMemDbEngine::HoldsTable(int tableId) const {
  return top_->Holds(tableId);
}

const CTElemDbObject* CTMemDbEngine::FindRecord(int tableId, int recordId) const {
  return top_->Find(tableId, recordId);
}

int CTMemDbEngine::UndoDepth() const {
  int depth = 0;
  for (const CTTransactionLayer* l = top_.get(); l->Below(); l = l->Below()) ++depth;
  return depth;
}

void CTMemDbEngine::CommitIfNoTransaction() {
  if (depth_ > 0) return;
  top_->Flatten();
  redo_.reset();
}

void CTMemDbEngine::ClearSubject() {
  top_->subjectRecordId = 0;
}

CTTableInfo& CTMemDbEngine::TableOf(const CTDbObject& object) const {
  return object.Table();
}

CTElemDbObject& CTMemDbEngine::StoredRecord(int tableId, int recordId) const {
  CTElemDbObject* record = top_->Find(tableId, recordId);
  if (!record) throw CTDbException(CTDbException::kRecordNotFound);
  return *record;
}

std::unique_ptr<CTDbObject> CTMemDbEngine::Instantiate(int tableId, int recordId) {
  return Factory().CreateObject(tableId, recordId);
}

bool CTMemDbEngine::RecordExists(int tableId, int recordId) {
  return top_->Find(tableId, recordId) != nullptr;
}

// -- References ---------------------------------------------------------------------------------

void CTMemDbEngine::ValidateReference(const CTTableLink& link, int tableId, int recordId,
                                      int referringTableId, int selfId) const {
  if (!link.Checked()) return;
  if (tableId >= 0 && !HoldsTable(tableId)) return;  // another database, or no reference
  const CTTableInfo* target = link.ReferencedTable();
  const std::string targetName = target ? target->TableName() : std::string();
  if (!top_->Find(tableId, recordId))
    throw CTDbException(CTDbException::kRelatedRequired, targetName);
  if (!link.OneToOne()) return;
  const auto it = relations_.find(KeyOf(tableId, recordId));
  if (it == relations_.end()) return;
  for (const CTDbRelation& r : it->second) {
    if (r.link == &link &&
        !(r.referringTableId == referringTableId && r.referringRecordId == selfId) &&
        top_->Find(r.referringTableId, r.referringRecordId)) {
      throw CTDbException(CTDbException::kOneToOne, targetName);
    }
  }
}

void CTMemDbEngine::ValidateReferences(const CTTableInfo& table, const CTValueList& values,
                                       int selfId) const {
  for (int f = 1; f + 1 < values.Count(); ++f) {
    const CTTableLink* link = table.Field(f)->Link();
    if (!link) continue;
    ValidateReference(*link, values.GetInt(f), values.GetInt(f + 1), table.Id(), selfId);
  }
}

void CTMemDbEngine::AddReverseEntry(const CTTableLink& link, int targetTableId, int targetRecordId,
                                    int referringTableId, int referringRecordId) {
  if (targetTableId < 0 || targetRecordId <= 0) return;
  if (!top_->Find(targetTableId, targetRecordId)) return;
  relations_[KeyOf(targetTableId, targetRecordId)].push_back(
      CTDbRelation{const_cast<CTTableLink*>(&link), referringTableId, referringRecordId});
}

void CTMemDbEngine::RemoveReverseEntry(const CTTableLink& link, int targetTableId,
                                       int targetRecordId, int referringTableId,
                                       int referringRecordId) {
  const auto it = relations_.find(KeyOf(targetTableId, targetRecordId));
  if (it == relations_.end()) return;
  auto& entries = it->second;
  const auto match = std::find_if(entries.begin(), entries.end(), [&](const CTDbRelation& r) {
    return r.link == &link && r.referringTableId == referringTableId &&
           r.referringRecordId == referringRecordId;
  });
  if (match != entries.end()) entries.erase(match);
  if (entries.empty()) relations_.erase(it);
}

void CTMemDbEngine::AddReverseEntries(const CTTableInfo& table, const CTValueList& values) {
  for (int f = 1; f + 1 < values.Count(); ++f) {
    if (const CTTableLink* link = table.Field(f)->Link()) {
      AddReverseEntry(*link, values.GetInt(f), values.GetInt(f + 1), table.Id(), values.Id());
    }
  }
}

void CTMemDbEngine::RemoveReverseEntries(const CTTableInfo& table, const CTValueList& values) {
  for (int f = 1; f + 1 < values.Count(); ++f) {
    if (const CTTableLink* link = table.Field(f)->Link()) {
      RemoveReverseEntry(*link, values.GetInt(f), values.GetInt(f + 1), table.Id(), values.Id());
    }
  }
}

void CTMemDbEngine::RebuildReverseIndex() {
  relations_.clear();
  for (CTTableInfo* table : tables_) {
    std::vector<CTElemDbObject*> live;
    top_->AllLive(table->Id(), live);
    for (CTElemDbObject* r : live) AddReverseEntries(*table, r->values);
  }
}

// -- Loading values into objects ------------------------------------------------------------------

void CTMemDbEngine::LoadAllFields(CTDbObject& object) {
  const CTElemDbObject& record = StoredRecord(object.Table().Id(), object.RecordId());
  object.Values().CopyFrom(record.values, 1, false);
}

void CTMemDbEngine::LoadEagerFields(CTDbObject& object) {
  const CTElemDbObject& record = StoredRecord(object.Table().Id(), object.RecordId());
  CTValueList& values = object.Values();
  const auto& fields = object.Table().Fields();
  for (int f = 1; f < values.Count(); ++f) {
    if (fields[static_cast<std::size_t>(f)]->Eager() &&
        fields[static_cast<std::size_t>(f)]->Type() != kFtBlob) {
      values.CopySlot(f, record.values, f);
    }
  }
}

// -- Changes --------------------------------------------------------------------------------------

void CTMemDbEngine::Insert(CTDbObject& object) {
  CTTableInfo& table = TableOf(object);
  CheckWritable(table);
  CommitIfNoTransaction();
  CTValueList& values = object.Values();
  const int id = values.Id();
  if (id != 0 && top_->Find(table.Id(), id)) {
    throw CTDbException(CTDbException::kIdUsed, std::to_string(id));
  }
  ValidateReferences(table, values, id);
  CTElemDbObject* record = top_->Insert(table.Id(), values);
  AddReverseEntries(table, record->values);
  ClearSubject();
  const std::string text = object.Name();
  Notify(1, table.Id(), kChangeInsert, &text, record->Id());
}

void CTMemDbEngine::InsertWithId(CTDbObject& object) {
  Insert(object);
}

void CTMemDbEngine::Update(CTDbObject& object) {
  CTTableInfo& table = TableOf(object);
  CheckWritable(table);
  CommitIfNoTransaction();
  const int id = object.RecordId();
  StoredRecord(table.Id(), id);
  const CTValueList& values = object.Values();
  ValidateReferences(table, values, id);
  CTElemDbObject* record = top_->GetForWriting(table.Id(), id);
  RemoveReverseEntries(table, record->values);
  record->values.CopyFrom(values, 1, false);
  record->state |= CTElemDbObject::kModified;
  AddReverseEntries(table, record->values);
  if (top_->subjectTableId != table.Id() || top_->subjectRecordId != id) ClearSubject();
  const std::string text = object.Name();
  Notify(1, table.Id(), kChangeUpdate, &text, id);
}

void CTMemDbEngine::SetReference(CTDbObject& object, int field, int tableId, int recordId) {
  CTTableInfo& table = TableOf(object);
  CheckWritable(table);
  const CTTableLink* link =
      field > 0 && field < table.FieldCount() ? table.Field(field)->Link() : nullptr;
  if (!link) throw CTDbException(CTDbException::kStructure);
  CommitIfNoTransaction();
  const int id = object.RecordId();
  StoredRecord(table.Id(), id);
  ValidateReference(*link, tableId, recordId, table.Id(), id);
  CTElemDbObject* record = top_->GetForWriting(table.Id(), id);
  RemoveReverseEntry(*link, record->values.GetInt(field), record->values.GetInt(field + 1),
                     table.Id(), id);
  record->values.SetInt(field, tableId);
  record->values.SetInt(field + 1, recordId);
  record->state |= CTElemDbObject::kModified;
  AddReverseEntry(*link, tableId, recordId, table.Id(), id);
  ClearSubject();
  const std::string text = object.Name();
  Notify(1, table.Id(), kChangeUpdate, &text, id);
}

bool CTMemDbEngine::ReadBlob(const CTDbObject& object, int field, CTStream& stream) {
  const CTElemDbObject& record = StoredRecord(object.Table().Id(), object.RecordId());
  const std::string& bytes = record.values.GetBytes(field);
  if (bytes.empty()) return false;
  stream.WriteAll(bytes);
  return true;
}

void CTMemDbEngine::WriteBlob(CTDbObject& object, int field, CTStream& stream) {
  CTTableInfo& table = TableOf(object);
  CheckWritable(table);
  const int id = object.RecordId();
  StoredRecord(table.Id(), id);
  // The whole source is read before anything changes: a stream error propagates and leaves the
  // record (and the undo history) as it was, rather than storing a blob that lost its bytes.
  stream.Seek(0, CTStream::Origin::Begin);
  CTMemoryStream copy;
  CopyStream(stream, copy);
  std::string bytes = copy.Text();
  CommitIfNoTransaction();
  CTElemDbObject* record = top_->GetForWriting(table.Id(), id);
  record->values.SetBytes(field, std::move(bytes));
  record->state |= CTElemDbObject::kModified;
  ClearSubject();
  const std::string text = object.Name();
  Notify(1, table.Id(), kChangeUpdate, &text, id);
}

void CTMemDbEngine::DeleteCascading(std::vector<std::pair<int, int>> start) {
  // Collect the records and, through cascading references, every record that refers to one of
  // them; each once.
  std::vector<std::pair<int, int>> collected;
  std::unordered_set<RelationKey> seen;
  for (const auto& [t, id] : start) {
    if (top_->Find(t, id) && seen.insert(KeyOf(t, id)).second) collected.emplace_back(t, id);
  }
  for (std::size_t i = 0; i < collected.size(); ++i) {
    const auto it = relations_.find(KeyOf(collected[i].first, collected[i].second));
    if (it == relations_.end()) continue;
    for (const CTDbRelation& r : it->second) {
      if (!r.link->Cascade()) continue;
      if (!top_->Find(r.referringTableId, r.referringRecordId)) continue;
      if (seen.insert(KeyOf(r.referringTableId, r.referringRecordId)).second) {
        collected.emplace_back(r.referringTableId, r.referringRecordId);
      }
    }
  }
  for (const auto& [t, id] : collected) {
    CTElemDbObject* record = top_->GetForWriting(t, id);
    if (!record) continue;
    Notify(1, t, kChangeDelete, nullptr, id);
    RemoveReverseEntries(*record->table, record->values);
    record->state |= CTElemDbObject::kDeleted;
  }
}

void CTMemDbEngine::Delete(CTDbObject& object) {
  CTTableInfo& table = TableOf(object);
  CheckWritable(table);
  CommitIfNoTransaction();
  if (!top_->Find(table.Id(), object.RecordId())) return;
  DeleteCascading({{table.Id(), object.RecordId()}});
  ClearSubject();
}

void CTMemDbEngine::DeleteAll(int tableId) {
  CTTableInfo* table = Factory().TableById(tableId);
  if (!table || !HoldsTable(tableId)) return;
  CheckWritable(*table);
  CommitIfNoTransaction();
  std::vector<CTElemDbObject*> live;
  top_->AllLive(tableId, live);
  std::vector<std::pair<int, int>> start;
  for (CTElemDbObject* r : live) start.emplace_back(tableId, r->Id());
  DeleteCascading(std::move(start));
  ClearSubject();
  top_->Purge(true, [&](CTElemDbObject& r) { relations_.erase(KeyOf(r.table->Id(), r.Id())); });
  top_->SetHighestId(tableId, top_->Map(tableId)->MaxKey());
}

void CTMemDbEngine::RemoveByExample(const CTDbObject& example) {
  CheckWritable(example.Table());
  CommitIfNoTransaction();
  std::vector<std::pair<int, int>> start;
  for (CTTableInfo* table : tables_) {
    if (!table->DescendsFrom(example.Table().Id())) continue;
    std::vector<CTElemDbObject*> live;
    top_->AllLive(table->Id(), live);
    for (CTElemDbObject* r : live) {
      if (MatchesExample(example.Values(), r->values)) start.emplace_back(table->Id(), r->Id());
    }
  }
  DeleteCascading(std::move(start));
  ClearSubject();
}

// -- Queries --------------------------------------------------------------------------------------

bool CTMemDbEngine::IsUnique(const CTDbObject& object, int field, bool ignoreCase,
                             const std::string& text) {
  const int tableId = object.Table().Id();
  if (!HoldsTable(tableId)) return true;
  std::vector<CTElemDbObject*> live;
  top_->AllLive(tableId, live);
  for (CTElemDbObject* r : live) {
    if (r->Id() == object.RecordId()) continue;
    const std::string& value = r->values.GetBytes(field);
    if (ignoreCase ? SameNameIgnoringCase(value, text) : value == text) return false;
  }
  return true;
}

CTDbObjectList CTMemDbEngine::AllRecords(int tableId) {
  CTDbObjectList result;
  if (!HoldsTable(tableId)) return result;
  std::vector<CTElemDbObject*> live;
  top_->AllLive(tableId, live);
  result.reserve(live.size());
  for (CTElemDbObject* r : live) {
    if (auto object = Instantiate(tableId, r->Id())) result.push_back(std::move(object));
  }
  return result;
}

int CTMemDbEngine::RecordCount(int tableId) {
  return top_->Count(tableId);
}

std::unique_ptr<CTDbObject> CTMemDbEngine::GetReferencedObject(const CTDbObject& object,
                                                               int field) {
  const CTElemDbObject& record = StoredRecord(object.Table().Id(), object.RecordId());
  const CTTableLink* link = field > 0 && field < object.Table().FieldCount()
                                ? object.Table().Field(field)->Link()
                                : nullptr;
  if (!link) throw CTDbException(CTDbException::kStructure);
  const int tableId = record.values.GetInt(field);
  const int recordId = record.values.GetInt(field + 1);
  if (recordId < 1) return nullptr;
  auto target = Factory().InstantiateIfExists(tableId, recordId);
  if (!target && link->Checked()) throw CTDbException(CTDbException::kRecordNotFound);
  return target;
}

CTDbObjectList CTMemDbEngine::RelatedRecords(const CTDbObject& object, int referringTableId,
                                             bool& unsorted, bool firstOnly,
                                             const CTQueryFilter* filter,
                                             const std::vector<std::string>&, int field) {
  unsorted = true;
  CTDbObjectList result;
  const CTTableInfo& table = object.Table();
  const CTTableInfo* asked = Factory().TableById(referringTableId);
  if (!asked) return result;
  if (HoldsTable(table.Id())) {
    const CTTableLink* link = nullptr;
    for (const CTTableLink* l : table.Links()) {
      if (l->FieldIndex() == field && asked->DescendsFrom(l->ReferringTableId())) {
        link = l;
        break;
      }
    }
    if (!link) throw CTDbException(CTDbException::kStructure);
    StoredRecord(table.Id(), object.RecordId());
    const auto it = relations_.find(KeyOf(table.Id(), object.RecordId()));
    if (it == relations_.end()) return result;
    // A query only reads: readers run side by side under the shared lock. Every change keeps
    // the entries exact, so an entry whose referrer is not live is merely passed over.
    for (const CTDbRelation& r : it->second) {
      if (r.link != link) continue;
      const CTElemDbObject* referring = top_->Find(r.referringTableId, r.referringRecordId);
      if (!referring) continue;
      const CTTableInfo* rt = Factory().TableById(r.referringTableId);
      if (!rt || !rt->DescendsFrom(referringTableId)) continue;
      if (filter && !filter->Accepts(referring->values)) continue;
      if (auto o = Instantiate(r.referringTableId, r.referringRecordId))
        result.push_back(std::move(o));
      if (firstOnly && !result.empty()) break;
    }
    return result;
  }
  // A record of another database: scan the referring tables for the pair.
  for (CTTableInfo* t : tables_) {
    if (!t->DescendsFrom(referringTableId) || field + 1 >= t->FieldCount()) continue;
    std::vector<CTElemDbObject*> live;
    top_->AllLive(t->Id(), live);
    for (CTElemDbObject* r : live) {
      if (r->values.Type(field) != kFtInteger || r->values.GetInt(field) != table.Id() ||
          r->values.GetInt(field + 1) != object.RecordId()) {
        continue;
      }
      if (filter && !filter->Accepts(r->values)) continue;
      if (auto o = Instantiate(t->Id(), r->Id())) result.push_back(std::move(o));
      if (firstOnly && !result.empty()) return result;
    }
  }
  return result;
}

bool CTMemDbEngine::MatchesExample(const CTValueList& example, const CTValueList& values) const {
  const int count = std::min(example.Count(), values.Count());
  for (int f = 1; f < count; ++f) {
    const TFieldType type = example.Type(f);
    if (type == kFtBlob || type == kFtGuid) continue;
    if (example.IsDefault(f)) continue;
    if (!example.SameValue(f, values)) return false;
  }
  return true;
}

CTDbObjectList CTMemDbEngine::SelectByExample(const CTDbObject& example, bool& unsorted) {
  unsorted = true;
  CTDbObjectList result;
  for (CTTableInfo* table : tables_) {
    if (!table->DescendsFrom(example.Table().Id())) continue;
    std::vector<CTElemDbObject*> live;
    top_->AllLive(table->Id(), live);
    for (CTElemDbObject* r : live) {
      if (!MatchesExample(example.Values(), r->values)) continue;
      if (auto o = Instantiate(table->Id(), r->Id())) result.push_back(std::move(o));
    }
  }
  return result;
}

// -- Transactions ---------------------------------------------------------------------------------

void CTMemDbEngine::BeginTransaction(int undoTextId, int flags, int subjectRecordId,
                                     int subjectTableId, bool redoable) {
  if (depth_ > 0) {
    top_->flags |= flags;
    ++depth_;
    return;
  }
  const bool mergeWithTop = subjectRecordId != 0 && top_->Below() &&
                            top_->subjectTableId == subjectTableId &&
                            top_->subjectRecordId == subjectRecordId && top_->flags == flags;
  if (!mergeWithTop) {
    auto layer = std::make_unique<CTTransactionLayer>(tables_, std::move(top_));
    layer->undoTextId = undoTextId;
    layer->flags = flags;
    layer->redoable = redoable;
    layer->subjectTableId = subjectTableId;
    layer->subjectRecordId = subjectRecordId;
    top_ = std::move(layer);
    // At most five undo steps: the sixth layer from the top is folded into the ones below it.
    CTTransactionLayer* l = top_.get();
    for (int i = 0; i < kMaxUndoSteps && l; ++i) l = l->Below();
    if (l && l->Below()) l->Flatten();
  }
  ++depth_;
  redo_.reset();
}

void CTMemDbEngine::EndTransaction() {
  if (depth_ == 0) return;
  if (--depth_ > 0) return;
  const bool holdsRecords = top_->Purge(
      false, [&](CTElemDbObject& r) { relations_.erase(KeyOf(r.table->Id(), r.Id())); });
  if (!holdsRecords && top_->Below()) top_ = top_->TakeBelow();
}

bool CTMemDbEngine::CanUndo(int& undoTextId) {
  if (ReadOnly() || depth_ > 0 || !top_->Below()) return false;
  undoTextId = top_->undoTextId;
  return true;
}

bool CTMemDbEngine::CanRedo(int& undoTextId) {
  if (ReadOnly() || depth_ > 0 || !redo_) return false;
  undoTextId = redo_->undoTextId;
  return true;
}

int CTMemDbEngine::Undo() {
  if (ReadOnly() || depth_ > 0 || !top_->Below()) return 0;
  top_->Purge(false, [&](CTElemDbObject& r) { relations_.erase(KeyOf(r.table->Id(), r.Id())); });
  std::vector<CTElemDbObject*> records;
  top_->ForEachRecord([&](CTElemDbObject& r) { records.push_back(&r); });
  auto layer = std::move(top_);
  top_ = layer->TakeBelow();
  for (CTElemDbObject* r : records) {
    if (!r->IsDeleted()) RemoveReverseEntries(*r->table, r->values);
    if (const CTElemDbObject* below = top_->Find(r->table->Id(), r->Id())) {
      AddReverseEntries(*below->table, below->values);
    }
  }
  const int flags = layer->flags;
  if (layer->redoable) {
    layer->SetBelow(std::move(redo_));
    redo_ = std::move(layer);
  } else {
    redo_.reset();
  }
  return flags;
}

int CTMemDbEngine::Redo() {
  if (ReadOnly() || depth_ > 0 || !redo_) return 0;
  auto layer = std::move(redo_);
  redo_ = layer->TakeBelow();
  std::vector<CTElemDbObject*> records;
  layer->ForEachRecord([&](CTElemDbObject& r) { records.push_back(&r); });
  for (CTElemDbObject* r : records) {
    if (const CTElemDbObject* below = top_->Find(r->table->Id(), r->Id())) {
      RemoveReverseEntries(*below->table, below->values);
    }
  }
  layer->SetBelow(std::move(top_));
  top_ = std::move(layer);
  for (CTElemDbObject* r : records) {
    if (!r->IsDeleted()) AddReverseEntries(*r->table, r->values);
  }
  return top_->flags;
}
