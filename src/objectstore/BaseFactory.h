#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "objectstore/DbIoResult.h"
#include "objectstore/TableInfo.h"

class CTDbEngine;
class CTDbObject;
class CTTranslator;

// Notification of a database change: (database changed 0/1, table id, change kind, object text
// or null, record id).
using TDbChangeCallback =
    std::function<void(int changed, int tableId, int kind, const std::string* text, int recordId)>;

// One database known to the factory.
struct LTDbInfo {
  std::string name;
  std::string fileName;
  bool noFile = true;
  bool readOnly = false;
  TDbChangeCallback changeCallback;
  CTTranslator* glossary = nullptr;
};

class CTBaseFactory;

// The connect callback of an engine class: returns true when it created an engine for the
// database (database name, out engine, has-file flag, a flag that is always false, database
// index, read-only flag, in/out file name).
using TEngineConnect = std::function<bool(
    CTBaseFactory& factory, const std::string& database, std::unique_ptr<CTDbEngine>& engine,
    bool hasFile, bool alwaysFalse, int databaseIndex, bool readOnly, std::string& fileName)>;

// Creates the object of a table's class for a record id (<= 0: a new record).
using TObjectCreator = std::function<std::unique_ptr<CTDbObject>(int recordId, CTBaseFactory*)>;

// The registry of the object store: every table, field and reference definition, the databases
// and, while connected, one engine per database; it instantiates persistent objects by table id.
class CTBaseFactory {
 public:
  CTBaseFactory(std::string signatureWord, int minVersion, int currentVersion);
  virtual ~CTBaseFactory();
  CTBaseFactory(const CTBaseFactory&) = delete;
  CTBaseFactory& operator=(const CTBaseFactory&) = delete;

  // The process-wide default factory used by objects created without one (null when none is
  // installed); CTScopedDefaultFactory installs one.
  static CTBaseFactory* Default();
  // The given factory, or the default one when null. Never null: without either it raises
  // CTDbException 5.
  static CTBaseFactory* OrDefault(CTBaseFactory* factory);

  // Engine classes, asked in registration order when a database is connected. Each is registered
  // under a name; registering a name that is already registered changes nothing and returns
  // false. Clearing forgets the classes and their names.
  static bool RegisterEngineClass(const std::string& name, TEngineConnect connect);
  static bool IsEngineClassRegistered(const std::string& name);
  static void ClearEngineClasses();
  // Whether connection problems are shown as messages (on by default).
  static bool ShowMessages();
  static void SetShowMessages(bool show);

  // Databases.
  int RegisterDatabase(const std::string& name);
  int DatabaseCount() const { return static_cast<int>(databases_.size()); }
  const LTDbInfo& Database(int index) const {
    return databases_.at(static_cast<std::size_t>(index));
  }
  bool SetFileName(int index, const std::string& fileName);  // returns the no-file flag
  const std::string& GetDatabaseName(int index) const { return Database(index).name; }
  void SetReadOnly(int index, bool readOnly);
  void SetGlossary(int index, CTTranslator* glossary);
  void SetChangeCallback(int index, TDbChangeCallback callback);
  // The plain-function form: called with (data, changed, table id).
  void SetChangeCallback(int index, void (*function)(void* data, int changed, int tableId),
                         void* data);

  // The compressed file form of the databases its memory engines load and save: with it on, a
  // file is written as the magic followed by the LZSS stream, and a file that begins with the
  // magic is expanded when read. Off (plain text only) until set.
  void SetCompression(bool on, std::string magic);
  bool Compression() const { return compression_; }
  const std::string& CompressionMagic() const { return compressionMagic_; }

  // Tables, references and classes.
  void SetTableListSize(int size);
  CTTableInfo* AddTable(std::unique_ptr<CTTableInfo> table);
  // Registers a reference on its referenced table.
  CTTableLink* AddLink(int referencedTableId, std::unique_ptr<CTTableLink> link);
  void RegisterClass(int tableId, TObjectCreator creator);
  // Fields collected, inheritance resolved, references linked to their fields and descendants.
  void FinishRegistration();

  CTTableInfo* TableById(int id) const;
  CTTableInfo* TableByName(const std::string& name) const;  // without regard to case
  const std::vector<std::unique_ptr<CTTableInfo>>& Tables() const { return tables_; }
  const std::vector<std::unique_ptr<CTTableLink>>& Links() const { return links_; }

  // Header line of the text files: word + current version ("EDI100").
  std::string HeaderText() const;
  bool CheckHeader(const std::string& text) const;
  const std::string& SignatureWord() const { return word_; }
  int MinVersion() const { return minVersion_; }
  int CurrentVersion() const { return currentVersion_; }

  // Connections. TryConnectAll tells which database failed and why; ConnectAll only whether all
  // connected.
  LTDbIoResult TryConnectAll(const std::string& user = "", const std::string& password = "");
  bool ConnectAll(const std::string& user = "", const std::string& password = "") {
    return TryConnectAll(user, password).IsOk();
  }
  void DisconnectAll();
  void ConnectDatabase(int index);
  void DisconnectDatabase(int index);
  bool IsDatabaseConnected(int index) const;
  bool IsConnected() const { return connected_; }
  CTDbEngine* Engine(int index) const;
  // The engines of the connected databases (entries are null for unconnected ones).
  std::vector<CTDbEngine*> ConnectedEngines() const;
  // Saves a database to its file; the previous file stays whole until the new one is complete.
  // A failure (kNoFile without a file name or engine, kIoError with the reason otherwise) shows
  // message -3 when errors are to be shown, except for kNoFile.
  LTDbIoResult TrySaveDatabase(int index, bool showErrors);
  bool SaveDatabase(int index, bool showErrors) {
    return TrySaveDatabase(index, showErrors).IsOk();
  }

  // Objects.
  virtual std::unique_ptr<CTDbObject> CreateObject(int tableId, int recordId);
  std::unique_ptr<CTDbObject> InstantiateIfExists(int tableId, int recordId);

 private:
  friend class CTScopedDefaultFactory;
  static void SetDefault(CTBaseFactory* factory);

  bool ConnectOne(int index);
  void PointTablesAtEngines();

  std::string word_;
  int minVersion_;
  int currentVersion_;
  std::vector<std::unique_ptr<CTTableInfo>> tables_;
  std::vector<std::unique_ptr<CTTableLink>> links_;
  std::vector<CTFieldInfo*> fields_;
  std::vector<TObjectCreator> creators_;
  std::vector<LTDbInfo> databases_;
  std::vector<std::unique_ptr<CTDbEngine>> engines_;
  bool connected_ = false;
  bool compression_ = false;
  std::string compressionMagic_;
};

// Makes a factory the process-wide default for the lifetime of the object, then restores the
// previous default (also when an exception unwinds the scope).
class CTScopedDefaultFactory {
 public:
  explicit CTScopedDefaultFactory(CTBaseFactory& factory) : previous_(CTBaseFactory::Default()) {
    CTBaseFactory::SetDefault(&factory);
  }
  ~CTScopedDefaultFactory() { CTBaseFactory::SetDefault(previous_); }
  CTScopedDefaultFactory(const CTScopedDefaultFactory&) = delete;
  CTScopedDefaultFactory& operator=(const CTScopedDefaultFactory&) = delete;

 private:
  CTBaseFactory* previous_;
};
