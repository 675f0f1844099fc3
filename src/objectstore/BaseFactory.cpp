#include "objectstore/BaseFactory.h"

#include <algorithm>

#include "i18n/MessageCatalog.h"
#include "objectstore/DbEngine.h"
#include "objectstore/DbException.h"
#include "objectstore/DbObject.h"
#include "objectstore/StoreLock.h"
#include "objectstore/StreamIO.h"
#include "platform/LockedFile.h"
#include "platform/MemoryStream.h"
#include "platform/SafeFileWriter.h"

namespace {

constexpr int kMsgCannotCreate = -3;
constexpr int kMsgNotADatabase = 5007;

CTBaseFactory* g_defaultFactory = nullptr;
bool g_showMessages = true;

struct LTRegisteredEngine {
  std::string name;
  TEngineConnect connect;
};

std::vector<LTRegisteredEngine>& EngineClasses() {
  static std::vector<LTRegisteredEngine> classes;
  return classes;
}

}  // namespace

CTBaseFactory::CTBaseFactory(std::string signatureWord, int minVersion, int currentVersion)
    : word_(std::move(signatureWord)), minVersion_(minVersion), currentVersion_(currentVersion) {}

CTBaseFactory::~CTBaseFactory() {
  DisconnectAll();
  if (g_defaultFactory == this) g_defaultFactory = nullptr;
}

CTBaseFactory* CTBaseFactory::Default() {
  return g_defaultFactory;
}
void CTBaseFactory::SetDefault(CTBaseFactory* factory) {
  g_defaultFactory = factory;
}
CTBaseFactory* CTBaseFactory::OrDefault(CTBaseFactory* factory) {
  CTBaseFactory* f = factory ? factory : g_defaultFactory;
  if (!f) throw CTDbException(CTDbException::kStructure);
  return f;
}

bool CTBaseFactory::RegisterEngineClass(const std::string& name, TEngineConnect connect) {
  if (IsEngineClassRegistered(name)) return false;
  EngineClasses().push_back(LTRegisteredEngine{name, std::move(connect)});
  return true;
}
bool CTBaseFactory::IsEngineClassRegistered(const std::string& name) {
  const auto& classes = EngineClasses();
  return std::any_of(classes.begin(), classes.end(),
                     [&](const LTRegisteredEngine& c) { return c.name == name; });
}
void CTBaseFactory::ClearEngineClasses() {
  EngineClasses().clear();
}
bool CTBaseFactory::ShowMessages() {
  return g_showMessages;
}
void CTBaseFactory::SetShowMessages(bool show) {
  g_showMessages = show;
}

// -- Databases ------------------------------------------------------------------------------------

int CTBaseFactory::RegisterDatabase(const std::string& name) {
  LTDbInfo info;
  info.name = name;
  databases_.push_back(std::move(info));
  engines_.emplace_back();
  return static_cast<int>(databases_.size()) - 1;
}

bool CTBaseFactory::SetFileName(int index, const std::string& fileName) {
  LTDbInfo& db = databases_.at(static_cast<std::size_t>(index));
  db.fileName = fileName;
  db.noFile = fileName.empty();
  return db.noFile;
}

void CTBaseFactory::SetReadOnly(int index, bool readOnly) {
  databases_.at(static_cast<std::size_t>(index)).readOnly = readOnly;
}

void CTBaseFactory::SetGlossary(int index, CTTranslator* glossary) {
  databases_.at(static_cast<std::size_t>(index)).glossary = glossary;
  if (CTDbEngine* engine = Engine(index)) engine->SetGlossary(glossary);
}

void CTBaseFactory::SetChangeCallback(int index, TDbChangeCallback callback) {
  databases_.at(static_cast<std::size_t>(index)).changeCallback = std::move(callback);
}

void CTBaseFactory::SetChangeCallback(int index, void (*function)(void*, int, int), void* data) {
  SetChangeCallback(index, [function, data](int changed, int tableId, int, const std::string*,
                                            int) { function(data, changed, tableId); });
}

void CTBaseFactory::SetCompression(bool on, std::string magic) {
  compression_ = on;
  compressionMagic_ = std::move(magic);
}

// -- Tables ---------------------------------------------------------------------------------------

void CTBaseFactory::SetTableListSize(int size) {
  tables_.resize(static_cast<std::size_t>(size));
  creators_.resize(static_cast<std::size_t>(size));
}

CTTableInfo* CTBaseFactory::AddTable(std::unique_ptr<CTTableInfo> table) {
  const auto id = static_cast<std::size_t>(table->Id());
  if (tables_.size() <= id) SetTableListSize(static_cast<int>(id) + 1);
  tables_[id] = std::move(table);
  return tables_[id].get();
}

CTTableLink* CTBaseFactory::AddLink(int referencedTableId, std::unique_ptr<CTTableLink> link) {
  CTTableInfo* table = TableById(referencedTableId);
  if (!table) throw CTDbException(CTDbException::kStructure);
  link->SetReferencedTable(table);
  table->AddLink(link.get());
  links_.push_back(std::move(link));
  return links_.back().get();
}

void CTBaseFactory::RegisterClass(int tableId, TObjectCreator creator) {
  const auto id = static_cast<std::size_t>(tableId);
  if (creators_.size() <= id) SetTableListSize(static_cast<int>(id) + 1);
  creators_[id] = std::move(creator);
}

void CTBaseFactory::FinishRegistration() {
  // 1. Every field definition.
  fields_.clear();
  for (const auto& table : tables_) {
    if (!table) continue;
    for (const auto& field : table->OwnedFields()) fields_.push_back(field.get());
  }
  // 2. Inheritance: a table is resolved once its parent is.
  std::vector<CTTableInfo*> waiting;
  std::vector<bool> resolved(tables_.size(), false);
  for (const auto& table : tables_) {
    if (!table) continue;
    if (table->ParentId() < 0) {
      resolved[static_cast<std::size_t>(table->Id())] = true;
    } else {
      waiting.push_back(table.get());
    }
  }
  while (!waiting.empty()) {
    std::vector<CTTableInfo*> next;
    for (CTTableInfo* table : waiting) {
      CTTableInfo* parent = TableById(table->ParentId());
      if (!parent) throw CTDbException(CTDbException::kStructure);
      if (resolved[static_cast<std::size_t>(parent->Id())]) {
        table->InheritFrom(parent);
        resolved[static_cast<std::size_t>(table->Id())] = true;
      } else {
        next.push_back(table);
      }
    }
    if (next.size() == waiting.size()) throw CTDbException(CTDbException::kStructure);  // a cycle
    waiting = std::move(next);
  }
  // 3. References: their fields on the referring tables.
  for (const auto& link : links_) {
    CTTableInfo* referring = TableById(link->ReferringTableId());
    CTTableInfo* referenced = link->ReferencedTable();
    if (!referring || link->FieldIndex() <= 0 ||
        link->FieldIndex() + 1 >= referring->FieldCount()) {
      throw CTDbException(CTDbException::kStructure);
    }
    CTFieldInfo* field = referring->Field(link->FieldIndex());
    link->Resolve(referring, referenced->Field(0), field);
    field->SetLink(link.get());
  }
  // 4. Descendants can be referred to through their ancestors' references.
  for (const auto& table : tables_) {
    if (!table) continue;
    for (const auto& link : links_) {
      if (link->ReferencedTable() != table.get() &&
          table->DescendsFrom(link->ReferencedTable()->Id())) {
        table->AddLink(link.get());
      }
    }
  }
}

CTTableInfo* CTBaseFactory::TableById(int id) const {
  if (id < 0 || static_cast<std::size_t>(id) >= tables_.size()) return nullptr;
  return tables_[static_cast<std::size_t>(id)].get();
}

CTTableInfo* CTBaseFactory::TableByName(const std::string& name) const {
  for (const auto& table : tables_) {
    if (table && SameNameIgnoringCase(table->TableName(), name)) return table.get();
  }
  return nullptr;
}

std::string CTBaseFactory::HeaderText() const {
  return word_ + std::to_string(currentVersion_);
}

bool CTBaseFactory::CheckHeader(const std::string& text) const {
  CTMemoryStream stream(text);
  CTStreamIO io(stream);
  return io.ReadHeader(word_, minVersion_, currentVersion_);
}

// -- Connections ----------------------------------------------------------------------------------

bool CTBaseFactory::ConnectOne(int index) {
  auto& classes = EngineClasses();
  if (classes.empty()) throw CTDbException(CTDbException::kNoEngineClasses);
  LTDbInfo& db = databases_[static_cast<std::size_t>(index)];
  std::unique_ptr<CTDbEngine> engine;
  for (auto& engineClass : classes) {
    std::string fileName = db.fileName;
    if (engineClass.connect(*this, db.name, engine, !db.noFile, false, index, db.readOnly,
                            fileName) &&
        engine) {
      break;
    }
    engine.reset();
  }
  if (!engine) {
    if (g_showMessages) TBaseMsg::ShowError(kMsgNotADatabase, CTMsgList{db.name});
    return false;
  }
  engine->SetChangeCallback(db.changeCallback);
  engine->SetGlossary(db.glossary);
  engines_[static_cast<std::size_t>(index)] = std::move(engine);
  if (db.changeCallback) {
    try {
      db.changeCallback(0, 0, 0, nullptr, 0);
    } catch (...) {
    }
  }
  return true;
}

void CTBaseFactory::PointTablesAtEngines() {
  for (const auto& table : tables_) {
    if (!table) continue;
    const int db = table->DatabaseIndex();
    table->SetEngine(db >= 0 && db < DatabaseCount() ? engines_[static_cast<std::size_t>(db)].get()
                                                     : nullptr);
  }
}

LTDbIoResult CTBaseFactory::TryConnectAll(const std::string& user, const std::string& password) {
  if (connected_) throw LTBseFactExc("Database already connected");
  DisconnectAll();
  for (int i = 0; i < DatabaseCount(); ++i) {
    if (!ConnectOne(i)) {
      DisconnectAll();
      return LTDbIoResult::Failure(LTDbIoResult::kNoEngine, GetDatabaseName(i), i);
    }
  }
  PointTablesAtEngines();
  connected_ = true;
  LTDbIoResult result;
  {
    CTExclusiveStoreLock lock;
    for (int i = 0; i < DatabaseCount() && result; ++i) {
      result = engines_[static_cast<std::size_t>(i)]->Connect(user, password, g_showMessages);
      if (!result) result.database = i;
    }
  }
  for (const auto& table : tables_) {
    if (!result) break;
    if (table && table->Engine() && !table->Engine()->VerifyTable(*table, g_showMessages)) {
      result = LTDbIoResult::Failure(LTDbIoResult::kInvalid, "table " + table->TableName(),
                                     table->DatabaseIndex());
    }
  }
  if (!result) DisconnectAll();
  return result;
}

void CTBaseFactory::DisconnectAll() {
  // No other thread may be inside a store operation while the engines go.
  CTExclusiveStoreLock lock;
  for (auto& engine : engines_) {
    if (engine) engine->Disconnect();
  }
  for (const auto& table : tables_) {
    if (table) table->SetEngine(nullptr);
  }
  for (auto& engine : engines_) engine.reset();
  connected_ = false;
}

void CTBaseFactory::ConnectDatabase(int index) {
  if (!connected_) throw LTBseFactExc("Database not connected");
  if (Engine(index)) throw LTBseFactExc("Database already connected");
  ConnectOne(index);
  PointTablesAtEngines();
}

void CTBaseFactory::DisconnectDatabase(int index) {
  CTDbEngine* engine = Engine(index);
  if (!engine) return;
  CTExclusiveStoreLock lock;
  engine->Disconnect();
  for (const auto& table : tables_) {
    if (table && table->Engine() == engine) table->SetEngine(nullptr);
  }
  engines_[static_cast<std::size_t>(index)].reset();
}

bool CTBaseFactory::IsDatabaseConnected(int index) const {
  return Engine(index) != nullptr;
}

CTDbEngine* CTBaseFactory::Engine(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= engines_.size()) return nullptr;
  return engines_[static_cast<std::size_t>(index)].get();
}

std::vector<CTDbEngine*> CTBaseFactory::ConnectedEngines() const {
  std::vector<CTDbEngine*> result;
  for (const auto& engine : engines_) result.push_back(engine.get());
  return result;
}

LTDbIoResult CTBaseFactory::TrySaveDatabase(int index, bool showErrors) {
  CTDbEngine* engine = Engine(index);
  if (!engine || index >= DatabaseCount() || Database(index).noFile) {
    return LTDbIoResult::Failure(LTDbIoResult::kNoFile, std::string(), index);
  }
  const std::string& path = Database(index).fileName;
  const auto fail = [&](std::string reason) {
    if (showErrors) TBaseMsg::ShowError(kMsgCannotCreate, CTMsgList{path});
    return LTDbIoResult::Failure(LTDbIoResult::kIoError, std::move(reason), index);
  };
  // Another instance reading or writing this file is waited for; the previous file stays whole
  // until the new one is complete.
  std::string reason;
  auto lock = CTLockedFile::LockForReplacing(path, &reason);
  if (!lock) return fail(reason);
  CTSafeFileWriter writer(path);
  if (!writer.IsOpen()) return fail(writer.ErrorText());
  try {
    CTExclusiveStoreLock storeLock;
    engine->SaveToStream(*writer.Stream());
  } catch (const std::exception& e) {
    return fail(e.what());
  }
  if (!writer.Commit()) return fail(writer.ErrorText());
  return LTDbIoResult::Ok();
}

// -- Objects --------------------------------------------------------------------------------------

std::unique_ptr<CTDbObject> CTBaseFactory::CreateObject(int tableId, int recordId) {
  const CTTableInfo* table = TableById(tableId);
  if (!table || table->IsAbstract()) return nullptr;
  const auto& creator = creators_[static_cast<std::size_t>(tableId)];
  if (!creator) return nullptr;
  return creator(recordId, this);
}

std::unique_ptr<CTDbObject> CTBaseFactory::InstantiateIfExists(int tableId, int recordId) {
  if (recordId < 1) return nullptr;
  const CTTableInfo* table = TableById(tableId);
  if (!table || !table->Engine()) return nullptr;
  // One hold for the test and the load, so that no writer deletes the record in between.
  CTSharedStoreLock lock;
  if (!table->Engine()->RecordExists(tableId, recordId)) return nullptr;
  return CreateObject(tableId, recordId);
}
