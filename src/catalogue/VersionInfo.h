#pragma once

#include <string>

#include "objectstore/DbObject.h"

// The catalogue's version record (the catalogue holds exactly one).
class Cls_DdbVersionInfo : public CTDbObject {
 public:
  static constexpr int kTableId = 101;
  enum Fields : int {
    kExpiryAction = 1,
    kCalidraVersion = 2,
    kChillerVersion = 3,
    kQRNVersion = 4,
    kDataRegion = 5,
    kDbDate = 6,
    kDbVersion = 7,
    kDataVersion = 8,
  };

  explicit Cls_DdbVersionInfo(int recordId, CTBaseFactory* factory = nullptr)
      : CTDbObject(kTableId, recordId, factory) {}
  int TableId() const override { return kTableId; }
  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");

  int ExpiryAction() { return GetInt(kExpiryAction); }
  // Data versions of the product ranges.
  const std::string& CalidraVersion() { return GetString(kCalidraVersion); }
  const std::string& ChillerVersion() { return GetString(kChillerVersion); }
  const std::string& QRNVersion() { return GetString(kQRNVersion); }
  int DataRegion() { return GetInt(kDataRegion); }
  // Release date of the catalogue (a date-time number).
  double DbDate() { return GetDate(kDbDate); }
  // Structure version of the catalogue, checked at start-up.
  const std::string& DbVersion() { return GetString(kDbVersion); }
  // Data release text.
  const std::string& DataVersion() { return GetString(kDataVersion); }
};

// The catalogue's version: the start-up check of its structure version and the data texts.
// Each reads the version record again; the catalogue must hold exactly one.
//
// Passes when the only version record's structure version equals required byte for byte. A
// different version shows message 5014 ("<database> <required> <> <stored>"); no record or
// several fail without a message.
bool CheckCatalogueVersion(const std::string& required, CTBaseFactory* factory = nullptr);
// The data release text without leading and trailing blanks; empty unless exactly one record.
std::string CatalogueDataVersion(CTBaseFactory* factory = nullptr);
// The data region code; 0 unless exactly one record.
int CatalogueDataRegion(CTBaseFactory* factory = nullptr);
