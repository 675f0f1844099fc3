#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "objectstore/DbEngine.h"
#include "objectstore/TransactionLayer.h"

class CTStreamIO;
class CTTextWriter;

// The in-memory engine: holds a database in undo layers, loads it from a file in the text object
// format when it connects and saves it to a stream on request.
class CTMemDbEngine : public CTDbEngine {
 public:
  CTMemDbEngine(CTBaseFactory& factory, std::string databaseName, std::string fileName,
                bool readOnly, int databaseIndex);
  ~CTMemDbEngine() override;

  // No Sort among them: the callers sort related records themselves.
  static constexpr std::uint16_t kCapabilities =
      CapabilitySet({kCapSelectByExample, kCapRemoveByExample, kCapInheritance, kCapUndo, kCapRedo,
                     kCapUnnamedBit8, kCapInsertWithId});
  static_assert(kCapabilities == 829);

  // Registers this engine class with the factory (once; again is a no-op). It takes a database when
  // the user's (or the machine's) settings hold its data-source entry
  // "Software\ODBC\ODBC.INI\<name>" with the value "Driver" naming odbcjt32.dll; the entry's "DBQ"
  // is kept equal to the file name.
  static void RegisterClass();
  // Creates the per-user data-source entry of a database when it is missing.
  static bool EnsureDataSource(const std::string& database);
  static void DeleteDataSource(const std::string& database, bool machineToo);
  // Whether the database has a data-source entry of this engine; updates its DBQ to fileName
  // (when given).
  static bool AcceptDataSource(const std::string& database, const std::string& fileName);

  int DatabaseIndex() const { return databaseIndex_; }

  // Loads the file; without a file name the database starts empty. Shows message -2 (the file
  // cannot be opened or read) or 5004 (it is no database) when errors are to be shown.
  LTDbIoResult Connect(const std::string& user, const std::string& password,
                       bool showErrors) override;
  std::string GetKindText() override;
  // Writes the text object format, compressed when the factory says so.
  void SaveToStream(CTStream& stream) override;
  // Loads the text object format (plain or compressed, as the factory's compression setting
  // allows) into the current layer; never raises. A stream error gives kIoError, content that is
  // no database of this factory kInvalid.
  LTDbIoResult Load(CTStream& stream);
  bool LoadFromStream(CTStream& stream);  // Load, for callers that only need success

  bool RecordExists(int tableId, int recordId) override;
  bool ReadBlob(const CTDbObject& object, int field, CTStream& stream) override;
  // Replaces the stored bytes by the stream's whole content. A stream error propagates and
  // leaves the record as it was.
  void WriteBlob(CTDbObject& object, int field, CTStream& stream) override;
  void BeginTransaction(int undoTextId, int flags, int subjectRecordId, int subjectTableId,
                        bool redoable) override;
  void EndTransaction() override;
  bool CanUndo(int& undoTextId) override;
  bool CanRedo(int& undoTextId) override;
  int Undo() override;
  int Redo() override;
  void ExportTable(CTStream& stream, int tableId) override;
  void LoadAllFields(CTDbObject& object) override;
  void LoadEagerFields(CTDbObject& object) override;
  void Insert(CTDbObject& object) override;
  void InsertWithId(CTDbObject& object) override;
  void Delete(CTDbObject& object) override;
  void Update(CTDbObject& object) override;
  void SetReference(CTDbObject& object, int field, int tableId, int recordId) override;
  bool IsUnique(const CTDbObject& object, int field, bool ignoreCase,
                const std::string& text) override;
  CTDbObjectList AllRecords(int tableId) override;
  int RecordCount(int tableId) override;
  void DeleteAll(int tableId) override;
  std::unique_ptr<CTDbObject> GetReferencedObject(const CTDbObject& object, int field) override;
  CTDbObjectList RelatedRecords(const CTDbObject& object, int referringTableId, bool& unsorted,
                                bool firstOnly, const CTQueryFilter* filter,
                                const std::vector<std::string>& sortFields, int field) override;
  CTDbObjectList SelectByExample(const CTDbObject& example, bool& unsorted) override;
  void RemoveByExample(const CTDbObject& example) override;

  // The live record, for tests and the resource engine.
  const CTElemDbObject* FindRecord(int tableId, int recordId) const;
  int UndoDepth() const;

 protected:
  // The tables this engine holds: every non-abstract table of its database.
  const std::vector<CTTableInfo*>& HeldTables() const { return tables_; }
  bool HoldsTable(int tableId) const;

 private:
  friend class CTMemDbLoader;

  using RelationKey = std::uint64_t;
  static RelationKey KeyOf(int tableId, int recordId) {
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(tableId)) << 32 |
           static_cast<std::uint32_t>(recordId);
  }

  void CommitIfNoTransaction();
  CTTableInfo& TableOf(const CTDbObject& object) const;
  CTElemDbObject& StoredRecord(int tableId, int recordId) const;
  // Checked references must resolve and one-to-one references must be free (the record itself
  // may hold them already).
  void ValidateReferences(const CTTableInfo& table, const CTValueList& values, int selfId) const;
  void ValidateReference(const CTTableLink& link, int tableId, int recordId, int referringTableId,
                         int selfId) const;
  void AddReverseEntries(const CTTableInfo& table, const CTValueList& values);
  void RemoveReverseEntries(const CTTableInfo& table, const CTValueList& values);
  void AddReverseEntry(const CTTableLink& link, int targetTableId, int targetRecordId,
                       int referringTableId, int referringRecordId);
  void RemoveReverseEntry(const CTTableLink& link, int targetTableId, int targetRecordId,
                          int referringTableId, int referringRecordId);
  // Deletes the records and, through cascading references, those that refer to them.
  void DeleteCascading(std::vector<std::pair<int, int>> start);
  void RebuildReverseIndex();
  void ClearSubject();
  bool MatchesExample(const CTValueList& example, const CTValueList& values) const;
  std::unique_ptr<CTDbObject> Instantiate(int tableId, int recordId);

  void WriteText(CTTextWriter& writer);

  int databaseIndex_;
  std::vector<CTTableInfo*> tables_;
  std::unique_ptr<CTTransactionLayer> top_;
  std::unique_ptr<CTTransactionLayer> redo_;  // linked through their "below" links
  int depth_ = 0;
  // Who refers to each record: (table id, record id) -> entries, in the order they were added.
  std::unordered_map<RelationKey, std::vector<CTDbRelation>> relations_;
};
