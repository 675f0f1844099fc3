#pragma once

#include <string>

#include "objectstore/RecordRef.h"

class CTDbObject;
class CTTableInfo;

// The record-id field name of every project table.
inline constexpr const char kProjectIdFieldName[] = "Fld_ID";

// The id-field name a table-definition procedure passes on: the one asked for, or "Fld_ID".
inline std::string ProjectIdFieldName(const std::string& requested) {
  return requested.empty() ? std::string(kProjectIdFieldName) : requested;
}
