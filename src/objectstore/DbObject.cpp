#include "objectstore/DbObject.h"

#include <algorithm>
#include <cmath>

#include "i18n/MessageCatalog.h"
#include "i18n/Translator.h"
#include "objectstore/BaseFactory.h"
#include "objectstore/DbEngine.h"
#include "objectstore/DbException.h"
#include "objectstore/FloatText.h"
#include "objectstore/StoreLock.h"
#include "objectstore/TableInfo.h"
#include "platform/MemoryStream.h"

namespace {

constexpr int kMsgOutOfRange = 5011;
constexpr int kMsgValueRequired = 5012;
constexpr int kMsgNotUnique = 5013;

}  // namespace

CTDbObject::CTDbObject(int tableId, int recordId, CTBaseFactory* factory)
    : factory_(CTBaseFactory::OrDefault(factory)) {
  table_ = factory_->TableById(tableId);
  if (!table_) throw CTDbException(CTDbException::kStructure);
  if (table_->IsAbstract()) throw CTDbException(CTDbException::kAbstractTable, table_->TableName());
  values_ = CTValueList(table_->Fields());
  if (recordId > 0) {
    values_.SetId(recordId);
    CTSharedStoreLock lock;
    Engine().LoadEagerFields(*this);
    state_ = kPartial;
  }
}

CTDbObject::~CTDbObject() = default;

CTDbEngine& CTDbObject::Engine() const {
  CTDbEngine* engine = table_->Engine();
  if (!engine) throw CTDbException(CTDbException::kNotStored);
  return *engine;
}

bool CTDbObject::IsStored() const {
  return RecordId() > 0 && (state_ == kStored || state_ == kPartial);
}

void CTDbObject::RequireStored() const {
  if (state_ != kStored && state_ != kPartial) throw CTDbException(CTDbException::kNotStored);
}

void CTDbObject::EnsureLoaded() {
  if (state_ == kPartial) Reload();
}

void CTDbObject::EnsureLoaded(int field) {
  if (state_ == kPartial && field > 0 && field < table_->FieldCount() &&
      !table_->Field(field)->Eager()) {
    Reload();
  }
}

// -- Overridable behaviour ----------------------------------------------------------------------

void CTDbObject::GetName(int& charset, std::string& text) const {
  charset = 0;
  text.clear();
}

void CTDbObject::SetName(const std::string&) {}

bool CTDbObject::ValidateName(const std::string& text, const CTFormCaptions* form) {
  if (table_->NameFieldIndex() < 0) return true;
  if (!text.empty() && table_->UniqueNames() && !NameIsUnique(text)) {
    ShowValueNotUnique(form, "Name");
    return false;
  }
  if (text.empty() && table_->NameRequired()) {
    ShowValueRequired(form, "Name");
    return false;
  }
  return true;
}

bool CTDbObject::NameIsUnique(const std::string& text) {
  const int field = table_->NameFieldIndex();
  CTSharedStoreLock lock;
  for (CTDbEngine* engine : factory_->ConnectedEngines()) {
    if (engine && !engine->IsUnique(*this, field, false, text)) return false;
  }
  return true;
}

void CTDbObject::GetDisplayText(int& charset, std::string& text) const {
  GetName(charset, text);
}

void CTDbObject::GetTypeName(int& charset, std::string& text) const {
  charset = 0;
  text = table_->DisplayName();
}

void CTDbObject::GetFullName(std::string& text) const {
  text = TypeName() + " " + Name();
}

void CTDbObject::GetDescriptionText(std::string& text) const {
  int charset = 0;
  GetDescription(charset, text);
}

void CTDbObject::GetDescription(int& charset, std::string& text) const {
  charset = 0;
  text.clear();
}

void CTDbObject::SetDescription(const std::string&) {}
void CTDbObject::SetDeleted(bool) {}

void CTDbObject::Post() {
  if (state_ != kStored && state_ != kPartial) throw CTDbException(CTDbException::kNotStored);
  EnsureLoaded();
  CTExclusiveStoreLock lock;
  Engine().Update(*this);
}

void CTDbObject::Reload() {
  RequireStored();
  CTSharedStoreLock lock;
  Engine().LoadAllFields(*this);
  state_ = kStored;
}

void CTDbObject::Delete() {
  if (state_ == kDeleted) return;
  if (state_ != kStored && state_ != kPartial) throw CTDbException(CTDbException::kNotStored);
  CTExclusiveStoreLock lock;
  Engine().Delete(*this);
  state_ = kDeleted;
}

void CTDbObject::Insert() {
  if (state_ == kStored || state_ == kPartial) throw CTDbException(CTDbException::kAlreadyInserted);
  CTExclusiveStoreLock lock;
  Engine().Insert(*this);
  state_ = kStored;
}

void CTDbObject::InsertKeepingId() {
  if (state_ == kStored || state_ == kPartial) throw CTDbException(CTDbException::kAlreadyInserted);
  CTExclusiveStoreLock lock;
  Engine().InsertWithId(*this);
  state_ = kStored;
}

void CTDbObject::MakeDefaultName(std::string& text) {
  text.clear();
  if (table_->NameFieldIndex() < 0) return;
  std::string prefix;
  GetNamePrefix(prefix);
  const std::string id = std::to_string(RecordId());
  text = prefix + id;
  while (!NameIsUnique(text)) {
    prefix += "_";
    text = prefix + id;
  }
}

bool CTDbObject::Edit(CTDbEditContext*, bool) {
  return false;
}

void CTDbObject::GetNamePrefix(std::string& text) const {
  text = TypeName().substr(0, 3);
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
}

std::string CTDbObject::Name() const {
  int charset = 0;
  std::string text;
  GetName(charset, text);
  return text;
}

std::string CTDbObject::TypeName() const {
  int charset = 0;
  std::string text;
  GetTypeName(charset, text);
  return text;
}

// -- Field access -------------------------------------------------------------------------------

bool CTDbObject::GetBool(int field) {
  EnsureLoaded(field);
  return values_.GetBool(field);
}

std::int32_t CTDbObject::GetInt(int field) {
  EnsureLoaded(field);
  return values_.GetInt(field);
}

double CTDbObject::GetDouble(int field) {
  EnsureLoaded(field);
  return values_.GetDouble(field);
}

std::int64_t CTDbObject::GetCurrency(int field) {
  EnsureLoaded(field);
  return values_.GetCurrency(field);
}

const std::string& CTDbObject::GetString(int field) {
  EnsureLoaded(field);
  return values_.GetBytes(field);
}

std::string CTDbObject::GetTranslatedString(int field, int& charset) {
  EnsureLoaded(field);
  return HeldTranslatedString(field, charset);
}

std::string CTDbObject::HeldTranslatedString(int field, int& charset) const {
  charset = 0;
  const std::string& value = values_.GetBytes(field);
  if (value.empty() || !table_->Field(field)->Translate()) return value;
  const CTTranslator* glossary = table_->Engine() ? table_->Engine()->Glossary() : nullptr;
  std::string translation;
  int translatedCharset = 0;
  if (glossary && glossary->Translate(value, translation, translatedCharset)) {
    charset = translatedCharset;
    return translation;
  }
  return value;
}

void CTDbObject::GetReference(int field, int& tableId, int& recordId) {
  EnsureLoaded(field);
  tableId = values_.GetInt(field);
  recordId = values_.GetInt(field + 1);
}

void CTDbObject::SetBool(int field, bool value) {
  EnsureLoaded();
  values_.SetBool(field, value);
}

void CTDbObject::SetInt(int field, std::int32_t value) {
  EnsureLoaded();
  values_.SetInt(field, value);
}

void CTDbObject::SetDouble(int field, double value) {
  EnsureLoaded();
  values_.SetDouble(field, value);
}

void CTDbObject::SetCurrency(int field, std::int64_t scaled) {
  EnsureLoaded();
  values_.SetCurrency(field, scaled);
}

void CTDbObject::SetString(int field, const std::string& value) {
  EnsureLoaded();
  values_.SetBytes(field, value);
}

bool CTDbObject::GetBlob(int field, CTMemoryStream& stream) {
  RequireStored();
  CTSharedStoreLock lock;
  return Engine().ReadBlob(*this, field, stream);
}

void CTDbObject::SetReference(int field, const CTDbObject* target) {
  int tableId = 0;
  int recordId = 0;
  if (target) {
    if (target->state_ != kStored && target->state_ != kPartial) {
      throw CTDbException(CTDbException::kNotStored);
    }
    tableId = target->table_->Id();
    recordId = target->RecordId();
  }
  values_.SetInt(field, tableId);
  values_.SetInt(field + 1, recordId);
  if (state_ == kStored || state_ == kPartial) {
    CTExclusiveStoreLock lock;
    Engine().SetReference(*this, field, tableId, recordId);
  }
}

std::unique_ptr<CTDbObject> CTDbObject::GetReferencedObject(int field) {
  RequireStored();
  CTSharedStoreLock lock;
  return Engine().GetReferencedObject(*this, field);
}

CTDbObjectList CTDbObject::RelatedObjects(int referringTableId, int field,
                                          const CTQueryFilter* filter,
                                          const std::vector<std::string>& sortFields) {
  RequireStored();
  CTDbObjectList result;
  bool needsSort = false;
  CTSharedStoreLock lock;
  for (CTDbEngine* engine : factory_->ConnectedEngines()) {
    if (!engine) continue;
    bool unsorted = false;
    CTDbObjectList part =
        engine->RelatedRecords(*this, referringTableId, unsorted, false, filter, sortFields, field);
    if (unsorted || !engine->Has(kCapSort)) needsSort = true;
    for (auto& object : part) result.push_back(std::move(object));
  }
  if (needsSort && !sortFields.empty()) SortObjects(result, sortFields);
  return result;
}

std::unique_ptr<CTDbObject> CTDbObject::RelatedObject(int referringTableId, int field,
                                                      const CTQueryFilter* filter) {
  RequireStored();
  CTSharedStoreLock lock;
  for (CTDbEngine* engine : factory_->ConnectedEngines()) {
    if (!engine) continue;
    if (auto object = engine->RelatedRecord(*this, referringTableId, filter, field)) return object;
  }
  return nullptr;
}

void CTDbObject::CopyValuesFrom(CTDbObject& other, int first, bool withReferences) {
  other.EnsureLoaded();
  EnsureLoaded();
  const int count = std::min(values_.Count(), other.values_.Count());
  if (table_ != other.table_) {
    for (int i = 0; i < count; ++i) {
      if (values_.Type(i) != other.values_.Type(i)) return;
    }
  }
  for (int i = std::max(first, 0); i < count; ++i) {
    const CTFieldInfo* f = table_->Field(i);
    if (f->Type() == kFtBlob) continue;
    if (!withReferences) {
      if (f->Link()) {
        ++i;  // skip the record-id half too
        continue;
      }
    }
    values_.CopySlot(i, other.values_, i);
  }
}

// -- Class-level operations ---------------------------------------------------------------------

CTDbObjectList CTDbObject::AllObjects(int tableId, bool includeSubtables, CTBaseFactory* factory) {
  CTBaseFactory* f = CTBaseFactory::OrDefault(factory);
  CTDbObjectList result;
  CTSharedStoreLock lock;
  for (const auto& table : f->Tables()) {
    if (!table || table->IsAbstract() || !table->Engine()) continue;
    const bool wanted = includeSubtables ? table->DescendsFrom(tableId) : table->Id() == tableId;
    if (!wanted) continue;
    for (auto& object : table->Engine()->AllRecords(table->Id()))
      result.push_back(std::move(object));
  }
  return result;
}

std::unique_ptr<CTDbObject> CTDbObject::SingleObject(int tableId, bool raise,
                                                     CTBaseFactory* factory) {
  CTDbObjectList all = AllObjects(tableId, false, factory);
  if (all.size() == 1) return std::move(all.front());
  if (raise) throw CTDbException(CTDbException::kRecordNotFound);
  return nullptr;
}

CTDbObject* CTDbObject::CachedObject(int tableId, int recordId, CTBaseFactory* factory) {
  CTBaseFactory* f = CTBaseFactory::OrDefault(factory);
  CTTableInfo* table = f->TableById(tableId);
  if (!table) return nullptr;
  if (CTDbObject* cached = table->FindCached(recordId)) return cached;
  // Threads share the cached instance, so it is loaded completely before it is published: a
  // lazy load on first access would write into it while others read it. Two threads that miss
  // at once both instantiate; the first to publish wins.
  std::unique_ptr<CTDbObject> object;
  {
    CTSharedStoreLock lock;
    object = f->InstantiateIfExists(tableId, recordId);
    if (!object) return nullptr;
    object->EnsureLoaded();
  }
  return table->AddCached(std::move(object));
}

std::string CTDbObject::FieldCaption(const CTFormCaptions* form, const std::string& fieldWord) {
  std::string caption;
  if (form && form->LabelCaption("Lbl_" + fieldWord, caption)) return caption;
  if (form && form->ControlHint("Txt_" + fieldWord, caption)) return caption;
  return fieldWord;
}

void CTDbObject::ShowValueRequired(const CTFormCaptions* form, const std::string& fieldWord) {
  TBaseMsg::ShowError(kMsgValueRequired, CTMsgList{FieldCaption(form, fieldWord)});
}

void CTDbObject::ShowValueNotUnique(const CTFormCaptions* form, const std::string& fieldWord) {
  TBaseMsg::ShowError(kMsgNotUnique, CTMsgList{FieldCaption(form, fieldWord)});
}

void CTDbObject::ShowValueOutOfRange(const std::string& name, double limit, bool belowMinimum) {
  TBaseMsg::ShowError(kMsgOutOfRange,
                      CTMsgList{name + (belowMinimum ? " < " : " > ") + FormatStoreFloat(limit)});
}

void CTDbObject::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  table.AddField(0, CTFieldInfo::Integer(idFieldName, true, 0));
}

namespace {

// The field index of each sort field in one table (-1 where the table has no such field), found
// once per table of the list: tables of one list may differ (descendants of a common table), and
// so may the index of a field name among them.
class LTSortFields {
 public:
  explicit LTSortFields(const std::vector<std::string>& names) : names_(names) {}
  const std::vector<int>& Of(const CTTableInfo& table) {
    for (const auto& [t, indexes] : tables_) {
      if (t == &table) return indexes;
    }
    std::vector<int> indexes;
    for (const auto& name : names_) indexes.push_back(table.FieldIndexByName(name));
    tables_.emplace_back(&table, std::move(indexes));
    return tables_.back().second;
  }
  std::size_t Count() const { return names_.size(); }

 private:
  const std::vector<std::string>& names_;
  std::vector<std::pair<const CTTableInfo*, std::vector<int>>> tables_;
};

// Compares two objects by the named fields; the first field whose values differ decides. A field
// that one of the two lacks, or holds with another type, is skipped.
int CompareByFields(CTDbObject& a, CTDbObject& b, LTSortFields& fields) {
  const std::vector<int>& fa = fields.Of(a.Table());
  const std::vector<int>& fb = fields.Of(b.Table());
  for (std::size_t k = 0; k < fields.Count(); ++k) {
    const int x = fa[k], y = fb[k];
    if (x < 0 || y < 0) continue;
    const TFieldType type = a.Table().Field(x)->Type();
    if (b.Table().Field(y)->Type() != type) continue;
    switch (type) {
      case kFtBoolean: {
        const bool u = a.GetBool(x), v = b.GetBool(y);
        if (u != v) return u ? 1 : -1;
        break;
      }
      case kFtInteger: {
        const auto u = a.GetInt(x), v = b.GetInt(y);
        if (u != v) return u < v ? -1 : 1;
        break;
      }
      case kFtDouble: {
        // NaN sorts first, so that the order stays total and the partition walk bounded.
        const double u = a.GetDouble(x), v = b.GetDouble(y);
        const bool uNan = std::isnan(u), vNan = std::isnan(v);
        if (uNan || vNan) {
          if (uNan != vNan) return uNan ? -1 : 1;
          break;
        }
        if (u != v) return u < v ? -1 : 1;
        break;
      }
      case kFtString: {
        const int c = a.GetString(x).compare(b.GetString(y));
        if (c != 0) return c < 0 ? -1 : 1;
        break;
      }
      default:
        break;
    }
  }
  return 0;
}

// Quicksort with the middle element as pivot.
void QuickSort(CTDbObjectList& list, int l, int r, LTSortFields& fields) {
  int i;
  do {
    i = l;
    int j = r;
    CTDbObject* pivot = list[static_cast<std::size_t>((l + r) >> 1)].get();
    do {
      while (CompareByFields(*list[static_cast<std::size_t>(i)], *pivot, fields) < 0) ++i;
      while (CompareByFields(*list[static_cast<std::size_t>(j)], *pivot, fields) > 0) --j;
      if (i <= j) {
        std::swap(list[static_cast<std::size_t>(i)], list[static_cast<std::size_t>(j)]);
        ++i;
        --j;
      }
    } while (i <= j);
    if (l < j) QuickSort(list, l, j, fields);
    l = i;
  } while (i < r);
}

}  // namespace

void CTDbObject::SortObjects(CTDbObjectList& objects, const std::vector<std::string>& fieldNames) {
  if (objects.size() < 2 || fieldNames.empty()) return;
  LTSortFields fields(fieldNames);
  const bool anyField = std::any_of(objects.begin(), objects.end(), [&](const auto& object) {
    const std::vector<int>& indexes = fields.Of(object->Table());
    return std::any_of(indexes.begin(), indexes.end(), [](int f) { return f >= 0; });
  });
  if (!anyField) return;
  QuickSort(objects, 0, static_cast<int>(objects.size()) - 1, fields);
}
