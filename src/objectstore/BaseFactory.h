#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

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

  // The process-wide default factory used by objects created without one.
  static CTBaseFactory* Default();
  static void SetDefault(CTBaseFactory* factory);

  // Engine classes, asked in registration order when a database is connected.
  static void RegisterEngineClass(TEngineConnect connect);
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

  // Connections.
  bool ConnectAll(const std::string& user = "", const std::string& password = "");
  void DisconnectAll();
  void ConnectDatabase(int index);
  void DisconnectDatabase(int index);
  bool IsDatabaseConnected(int index) const;
  bool IsConnected() const { return connected_; }
  CTDbEngine* Engine(int index) const;
  // The engines of the connected databases (entries are null for unconnected ones).
  std::vector<CTDbEngine*> ConnectedEngines() const;
  bool SaveDatabase(int index, bool showErrors);

  // Objects.
  virtual std::unique_ptr<CTDbObject> CreateObject(int tableId, int recordId);
  std::unique_ptr<CTDbObject> InstantiateIfExists(int tableId, int recordId);

 private:
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
};
