#include "objectstore/RecordRef.h"

#include "objectstore/DbObject.h"
#include "objectstore/TableInfo.h"

void AddReferenceFields(CTTableInfo& table, int index, const std::string& stem) {
  table.AddField(index, CTFieldInfo::Integer(stem + "_CLS_REF", true, 0));
  table.AddField(index + 1, CTFieldInfo::Integer(stem + "_OBJ_REF", true, 0));
}

LTRecordRef ReadReference(CTDbObject& object, int field) {
  LTRecordRef ref;
  object.GetReference(field, ref.tableId, ref.recordId);
  return ref;
}
