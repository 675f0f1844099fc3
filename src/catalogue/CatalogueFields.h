#pragma once

#include <string>

#include "objectstore/RecordRef.h"

class CTDbObject;
class CTTableInfo;

// Field definitions of the catalogue tables. Every catalogue field is loaded with its record
// (the whole catalogue is held in memory), so all of them are eager; blobs have no such choice.
void AddBoolField(CTTableInfo& table, int index, const char* name, bool defaultValue = false);
void AddIntField(CTTableInfo& table, int index, const char* name, int defaultValue = 0);
void AddDoubleField(CTTableInfo& table, int index, const char* name, double defaultValue = 0.0);
void AddDateField(CTTableInfo& table, int index, const char* name);
void AddStringField(CTTableInfo& table, int index, const char* name);
// A string read through the catalogue's translation glossary.
void AddTranslatedField(CTTableInfo& table, int index, const char* name);
// The string field that the record's name operations read and write.
void AddNameField(CTTableInfo& table, int index, const char* name, bool translated = false);
void AddBlobField(CTTableInfo& table, int index, const char* name);

// The id-field name handed to a table-definition procedure, or the class's own when none was.
inline std::string IdFieldName(const std::string& given, const char* own) {
  return given.empty() ? std::string(own) : given;
}

// The text of a string field, replaced by its glossary translation when the field is translated;
// charset, when asked for, receives the translation's character set (0 when untranslated).
// Usable on a const record: catalogue fields are eager, so reading never reloads the record.
std::string ReadText(const CTDbObject& object, int field, int* charset = nullptr);
