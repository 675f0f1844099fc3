#include "catalogue/CatalogueFields.h"

#include "objectstore/DbObject.h"
#include "objectstore/TableInfo.h"

void AddBoolField(CTTableInfo& table, int index, const char* name, bool defaultValue) {
  table.AddField(index, CTFieldInfo::Boolean(name, true, defaultValue));
}

void AddIntField(CTTableInfo& table, int index, const char* name, int defaultValue) {
  table.AddField(index, CTFieldInfo::Integer(name, true, defaultValue));
}

void AddDoubleField(CTTableInfo& table, int index, const char* name, double defaultValue) {
  table.AddField(index, CTFieldInfo::Double(name, true, defaultValue));
}

void AddDateField(CTTableInfo& table, int index, const char* name) {
  table.AddField(index, CTFieldInfo::Date(name, true, 0.0));
}

void AddStringField(CTTableInfo& table, int index, const char* name) {
  table.AddField(index, CTFieldInfo::String(name, false, true, ""));
}

void AddTranslatedField(CTTableInfo& table, int index, const char* name) {
  table.AddField(index, CTFieldInfo::String(name, true, true, ""));
}

void AddNameField(CTTableInfo& table, int index, const char* name, bool translated) {
  table.AddField(index, CTFieldInfo::String(name, translated, true, ""), true);
}

void AddBlobField(CTTableInfo& table, int index, const char* name) {
  table.AddField(index, CTFieldInfo::Blob(name));
}

std::string ReadText(const CTDbObject& object, int field, int* charset) {
  int translatedCharset = 0;
  std::string text = object.HeldTranslatedString(field, translatedCharset);
  if (charset) *charset = translatedCharset;
  return text;
}
