#include "objectstore/DbEngine.h"

#include "objectstore/DbException.h"
#include "objectstore/DbObject.h"
#include "objectstore/DbViews.h"
#include "objectstore/StoreLock.h"
#include "objectstore/TableInfo.h"

std::string CapabilityName(int bit) {
  switch (bit) {
    case kCapSelectByExample:
      return "Select by example";
    case kCapSelectLikeExample:
      return "Select like example";
    case kCapRemoveByExample:
      return "Remove by example";
    case kCapInheritance:
      return "Inheritance";
    case kCapUndo:
      return "Undo";
    case kCapRedo:
      return "Redo";
    case kCapSort:
      return "Sort";
    case kCapLiveData:
      return "Live data";
    case kCapInsertWithId:
      return "Insert with ID";
    default:
      return "*** Unknown CTDbEngine capability ***";
  }
}

CTDbEngine::CTDbEngine(CTBaseFactory& factory, std::string databaseName, std::string fileName,
                       bool readOnly)
    : factory_(factory),
      databaseName_(std::move(databaseName)),
      fileName_(std::move(fileName)),
      readOnly_(readOnly),
      views_(std::make_unique<CTDbViews>()) {}

CTDbEngine::~CTDbEngine() = default;

bool CTDbEngine::VerifyTable(CTTableInfo&, bool) {
  return true;
}

void CTDbEngine::SaveToStream(CTStream&) {
  throw CTDbException(CTDbException::kHasCapability, CapabilityName(kCapLiveData));
}

void CTDbEngine::Disconnect() {
  CTExclusiveStoreLock lock;
  // The views refer to cached instances; they go first.
  views_->Clear();
  for (const auto& table : factory_.Tables()) {
    if (table && table->Engine() == this) table->ClearObjectCache();
  }
}

std::unique_ptr<CTDbObject> CTDbEngine::RelatedRecord(const CTDbObject& object,
                                                      int referringTableId,
                                                      const CTQueryFilter* filter, int field) {
  bool unsorted = false;
  CTDbObjectList list = RelatedRecords(object, referringTableId, unsorted, true, filter, {}, field);
  if (list.size() != 1) return nullptr;
  return std::move(list.front());
}

CTDbObjectList CTDbEngine::SelectLikeExample(const CTDbObject&, bool&) {
  throw CTDbException(CTDbException::kLacksCapability, CapabilityName(kCapSelectLikeExample));
}

void CTDbEngine::Notify(int changed, int tableId, int kind, const std::string* text, int recordId) {
  if (!callback_) return;
  try {
    callback_(changed, tableId, kind, text, recordId);
  } catch (...) {
    // A failing listener must not undo or break a change that has happened.
  }
}

void CTDbEngine::CheckWritable(const CTTableInfo& table) const {
  if (readOnly_) throw CTDbException(CTDbException::kReadOnly, table.TableName());
}
