#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "objectstore/ValueList.h"

class CTBaseFactory;
class CTDbEngine;
class CTMemoryStream;
class CTQueryFilter;
class CTTableInfo;
class CTDbObject;

using CTDbObjectList = std::vector<std::unique_ptr<CTDbObject>>;

// How a dialog lets the store find the caption of a field on its form: the caption of a label
// (for example "Lbl_Name") or the hint of an input control (for example "Txt_Name").
class CTFormCaptions {
 public:
  virtual ~CTFormCaptions() = default;
  virtual bool LabelCaption(const std::string& labelName, std::string& caption) const = 0;
  virtual bool ControlHint(const std::string& controlName, std::string& hint) const = 0;
};

// What an object's editor needs from its caller (owner window, project); defined by the front end.
class CTDbEditContext;

// A live handle on one record of one table. It holds the record's values and forwards every
// read, write and query to the engine that holds the table. Several handles may stand for one
// record; each reflects the store as of its last load.
class CTDbObject {
 public:
  enum State { kNew = 0, kStored = 1, kDeleted = 2, kPartial = 5 };

  // recordId <= 0: a new record with every default; otherwise the stored record's eager fields
  // are loaded and the object is partial. Without a factory the default factory is used.
  CTDbObject(int tableId, int recordId, CTBaseFactory* factory = nullptr);
  virtual ~CTDbObject();
  CTDbObject(const CTDbObject&) = delete;
  CTDbObject& operator=(const CTDbObject&) = delete;

  // -- Overridable behaviour ------------------------------------------------------------------
  virtual void GetName(int& charset, std::string& text) const;
  virtual void SetName(const std::string& text);
  // Name rules: unique among the table's records (case-sensitive) and present when required;
  // a refusal shows its message with the caption of the form's name field.
  virtual bool ValidateName(const std::string& text, const CTFormCaptions* form);
  virtual void GetDisplayText(int& charset, std::string& text) const;
  virtual void GetTypeName(int& charset, std::string& text) const;
  virtual void GetFullName(std::string& text) const;
  virtual void GetDescriptionText(std::string& text) const;
  virtual void GetDescription(int& charset, std::string& text) const;
  virtual void SetDescription(const std::string& text);
  virtual bool HasDescription() const { return true; }
  virtual bool IsDeleted() const { return false; }
  virtual void SetDeleted(bool deleted);
  virtual int TableId() const = 0;
  virtual void Post();
  virtual void Reload();
  virtual void Delete();
  virtual void Insert();
  // As Insert, through the engine's insert-with-id operation: the record id the object holds is
  // kept (CTDbException 12 when it is taken). An already stored object is refused like Insert.
  virtual void InsertKeepingId();
  virtual void MakeDefaultName(std::string& text);
  virtual bool Edit(CTDbEditContext* context, bool readOnly);
  virtual void GetNamePrefix(std::string& text) const;

  // Convenience forms of the name operations.
  std::string Name() const;
  std::string TypeName() const;

  // -- Field access by index ------------------------------------------------------------------
  // Reading a lazily loaded field of a partial object first loads the whole record.
  bool GetBool(int field);
  std::int32_t GetInt(int field);
  double GetDouble(int field);
  double GetDate(int field) { return GetDouble(field); }
  std::int64_t GetCurrency(int field);
  const std::string& GetString(int field);
  // The string, replaced by its glossary translation when the field is translated; charset is
  // the translation's character set (0 when nothing was translated).
  std::string GetTranslatedString(int field, int& charset);
  // The same for the value this object holds, without loading anything: for objects whose
  // fields are all loaded with the record, read through a const handle.
  std::string HeldTranslatedString(int field, int& charset) const;
  void GetReference(int field, int& tableId, int& recordId);

  // Setting changes only this object until Post (a partial object is loaded first).
  void SetBool(int field, bool value);
  void SetInt(int field, std::int32_t value);
  void SetDouble(int field, double value);
  void SetDate(int field, double value) { SetDouble(field, value); }
  void SetCurrency(int field, std::int64_t scaled);
  void SetString(int field, const std::string& value);
  void SetRawInt(int field, std::int32_t value) { SetInt(field, value); }

  // The stored bytes of a blob field; returns whether any were written.
  bool GetBlob(int field, CTMemoryStream& stream);
  // Points the reference at field to target (stored) or to nothing; a stored object stores the
  // change at once.
  void SetReference(int field, const CTDbObject* target);
  std::unique_ptr<CTDbObject> GetReferencedObject(int field);
  // Records of the referring table (or its subtables) whose reference at field points here,
  // from every connected engine, filtered and sorted by the named fields when asked.
  CTDbObjectList RelatedObjects(int referringTableId, int field,
                                const CTQueryFilter* filter = nullptr,
                                const std::vector<std::string>& sortFields = {});
  std::unique_ptr<CTDbObject> RelatedObject(int referringTableId, int field,
                                            const CTQueryFilter* filter = nullptr);
  // Copies values of another object from field first on (blobs never; references only with
  // withReferences). Between different tables nothing is copied unless every field index both
  // have holds the same type.
  void CopyValuesFrom(CTDbObject& other, int first, bool withReferences);

  int RecordId() const { return values_.Id(); }
  int State() const { return state_; }
  // Whether the object stands for a record in the store (stored, or partly loaded from it), so
  // that the store may be asked about it (its blobs, references and related records).
  bool IsStored() const;
  CTTableInfo& Table() const { return *table_; }
  CTBaseFactory& Factory() const { return *factory_; }

  // -- For engines ------------------------------------------------------------------------------
  CTValueList& Values() { return values_; }
  const CTValueList& Values() const { return values_; }
  void SetState(int state) { state_ = state; }

  // -- Class-level operations -----------------------------------------------------------------
  static CTDbObjectList AllObjects(int tableId, bool includeSubtables,
                                   CTBaseFactory* factory = nullptr);
  // The only record of a table; nullptr (or CTDbException 0 with raise) unless there is exactly
  // one.
  static std::unique_ptr<CTDbObject> SingleObject(int tableId, bool raise,
                                                  CTBaseFactory* factory = nullptr);
  // The table's cached instance for the record, instantiated, loaded and cached when the record
  // exists. Safe from any thread; the instance is shared, so callers only read it, and it is
  // freed when the table's database disconnects.
  static CTDbObject* CachedObject(int tableId, int recordId, CTBaseFactory* factory = nullptr);

  // Messages of the value checks of objects and dialogs, shown as errors.
  static std::string FieldCaption(const CTFormCaptions* form, const std::string& fieldWord);
  static void ShowValueRequired(const CTFormCaptions* form, const std::string& fieldWord);
  static void ShowValueNotUnique(const CTFormCaptions* form, const std::string& fieldWord);
  static void ShowValueOutOfRange(const std::string& name, double limit, bool belowMinimum);

  // The table-definition procedure of the base: field 0, the integer record id. Every persistent
  // class has one of its own (same signature) that defaults the id-field name, lets its parent
  // class add fields 0..n-1 and then adds its own fields from index n on.
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName);

  // Sorts by the named fields: the first field whose values differ decides. Each object's field
  // is looked up by name in its own table (a list may mix tables); a field that one of two
  // objects lacks is skipped for that pair.
  static void SortObjects(CTDbObjectList& objects, const std::vector<std::string>& fieldNames);

 protected:
  // Whether the name is unique among the other records of the table in every connected engine.
  bool NameIsUnique(const std::string& text);

 private:
  void EnsureLoaded(int field);
  void EnsureLoaded();
  void RequireStored() const;
  CTDbEngine& Engine() const;

  int state_ = kNew;
  CTTableInfo* table_;
  CTBaseFactory* factory_;
  CTValueList values_;
};
