#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "objectstore/BaseFactory.h"
#include "objectstore/DbIoResult.h"
#include "platform/Stream.h"

class CTDbObject;
class CTDbViews;
class CTQueryFilter;
class CTTableInfo;
class CTTranslator;

// Capability bits of an engine; their names appear in CTDbException 7 and 8.
enum TDbCapability {
  kCapSelectByExample = 0,
  kCapSelectLikeExample = 1,
  kCapRemoveByExample = 2,
  kCapInheritance = 3,
  kCapUndo = 4,
  kCapRedo = 5,
  kCapSort = 6,
  kCapLiveData = 7,
  // Set by the memory engine, not by the resource engine; it has no name (its exception text is
  // the one of an unknown capability).
  kCapUnnamedBit8 = 8,
  kCapInsertWithId = 9,
};
// The capability set of the given bits.
constexpr std::uint16_t CapabilitySet(std::initializer_list<TDbCapability> bits) {
  std::uint16_t set = 0;
  for (TDbCapability bit : bits) set = static_cast<std::uint16_t>(set | 1u << bit);
  return set;
}
std::string CapabilityName(int bit);

// Change kinds passed to the change callback.
enum TDbChangeKind { kChangeUpdate = 3, kChangeInsert = 11, kChangeDelete = 23 };

using CTDbObjectList = std::vector<std::unique_ptr<CTDbObject>>;

// An engine holds the records of the tables of one database and carries out every store
// operation that the persistent objects forward to it. The caller holds the store lock (shared
// for reads, exclusive for changes); the reading operations change nothing, so any number of
// threads may run them at once. The engine also keeps the views derived from its records
// (CTDbViews), dropped when it disconnects.
class CTDbEngine {
 public:
  CTDbEngine(CTBaseFactory& factory, std::string databaseName, std::string fileName, bool readOnly);
  virtual ~CTDbEngine();
  CTDbEngine(const CTDbEngine&) = delete;
  CTDbEngine& operator=(const CTDbEngine&) = delete;

  CTBaseFactory& Factory() const { return factory_; }
  const std::string& DatabaseName() const { return databaseName_; }
  const std::string& FileName() const { return fileName_; }
  bool ReadOnly() const { return readOnly_; }
  std::uint16_t Capabilities() const { return capabilities_; }
  bool Has(int capability) const { return (capabilities_ >> capability) & 1; }
  void SetChangeCallback(TDbChangeCallback callback) { callback_ = std::move(callback); }
  void SetGlossary(CTTranslator* glossary) { glossary_ = glossary; }
  CTTranslator* Glossary() const { return glossary_; }
  CTDbViews& Views() const { return *views_; }

  virtual bool RequiresLogin() { return false; }
  // Loads the database; a failure says whether the bytes could not be read or are no database.
  virtual LTDbIoResult Connect(const std::string& user, const std::string& password,
                               bool showErrors) = 0;
  virtual bool VerifyTable(CTTableInfo& table, bool showErrors);
  virtual std::string GetKindText() = 0;
  // Writes the database; a failing stream raises CTStreamError (nothing is reported as saved).
  virtual void SaveToStream(CTStream& stream);
  virtual bool RecordExists(int tableId, int recordId) = 0;
  virtual bool ReadBlob(const CTDbObject& object, int field, CTStream& stream) = 0;
  virtual void WriteBlob(CTDbObject& object, int field, CTStream& stream) = 0;
  virtual void BeginTransaction(int undoTextId, int flags, int subjectRecordId, int subjectTableId,
                                bool redoable) = 0;
  virtual void EndTransaction() = 0;
  virtual bool CanUndo(int& undoTextId) = 0;
  virtual bool CanRedo(int& undoTextId) = 0;
  virtual int Undo() = 0;
  virtual int Redo() = 0;
  virtual void ExportTable(CTStream& stream, int tableId) = 0;
  // Drops the views and the object caches of the engine's tables, under the exclusive lock; no
  // other thread may still use a record of this database.
  virtual void Disconnect();
  virtual void LoadAllFields(CTDbObject& object) = 0;
  virtual void LoadEagerFields(CTDbObject& object) = 0;
  virtual void Insert(CTDbObject& object) = 0;
  virtual void InsertWithId(CTDbObject& object) = 0;
  virtual void Delete(CTDbObject& object) = 0;
  virtual void Update(CTDbObject& object) = 0;
  virtual void SetReference(CTDbObject& object, int field, int tableId, int recordId) = 0;
  virtual bool IsUnique(const CTDbObject& object, int field, bool ignoreCase,
                        const std::string& text) = 0;
  virtual CTDbObjectList AllRecords(int tableId) = 0;
  virtual int RecordCount(int tableId) = 0;
  virtual void DeleteAll(int tableId) = 0;
  virtual std::unique_ptr<CTDbObject> GetReferencedObject(const CTDbObject& object, int field) = 0;
  virtual CTDbObjectList RelatedRecords(const CTDbObject& object, int referringTableId,
                                        bool& unsorted, bool firstOnly, const CTQueryFilter* filter,
                                        const std::vector<std::string>& sortFields, int field) = 0;
  virtual std::unique_ptr<CTDbObject> RelatedRecord(const CTDbObject& object, int referringTableId,
                                                    const CTQueryFilter* filter, int field);
  virtual CTDbObjectList SelectByExample(const CTDbObject& example, bool& unsorted) = 0;
  virtual CTDbObjectList SelectLikeExample(const CTDbObject& example, bool& unsorted);
  virtual void RemoveByExample(const CTDbObject& example) = 0;

 protected:
  void SetCapabilities(std::uint16_t capabilities) { capabilities_ = capabilities; }
  void SetFileName(std::string fileName) { fileName_ = std::move(fileName); }
  // Calls the change callback; exceptions it raises are swallowed.
  void Notify(int changed, int tableId, int kind, const std::string* text, int recordId);
  // Raises CTDbException 11 for a change on a read-only engine.
  void CheckWritable(const CTTableInfo& table) const;

 private:
  CTBaseFactory& factory_;
  std::string databaseName_;
  std::string fileName_;
  bool readOnly_;
  std::uint16_t capabilities_ = 0;
  TDbChangeCallback callback_;
  CTTranslator* glossary_ = nullptr;
  std::unique_ptr<CTDbViews> views_;
};
