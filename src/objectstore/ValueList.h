#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "objectstore/FieldInfo.h"

// The values of one record, one slot per field of its table. Numbers live in 64-bit cells
// (booleans as 0/1, integers sign-extended, doubles and dates as their bit pattern, currency as
// the value scaled by 10000); strings, blobs and GUIDs live in a side list and their cell holds
// the index into it. Access with the wrong type raises CTDbException 6.
class CTValueList {
 public:
  CTValueList() = default;
  // Every field's default.
  explicit CTValueList(const std::vector<CTFieldInfo*>& fields);

  int Count() const { return static_cast<int>(cells_.size()); }
  TFieldType Type(int index) const { return (*fields_)[static_cast<std::size_t>(index)]->Type(); }
  const std::vector<CTFieldInfo*>& Fields() const { return *fields_; }

  bool GetBool(int index) const { return Cell(index, kFtBoolean) != 0; }
  std::int32_t GetInt(int index) const {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(Cell(index, kFtInteger)));
  }
  double GetDouble(int index) const;  // double and date fields
  std::int64_t GetCurrency(int index) const {
    return static_cast<std::int64_t>(Cell(index, kFtCurrency));
  }
  const std::string& GetBytes(int index) const;  // string, blob and GUID fields

  void SetBool(int index, bool value) { CellRef(index, kFtBoolean) = value ? 1 : 0; }
  void SetInt(int index, std::int32_t value) {
    CellRef(index, kFtInteger) = static_cast<std::uint64_t>(static_cast<std::int64_t>(value));
  }
  void SetDouble(int index, double value);
  void SetCurrency(int index, std::int64_t scaled) {
    CellRef(index, kFtCurrency) = static_cast<std::uint64_t>(scaled);
  }
  void SetBytes(int index, std::string value);

  std::int32_t Id() const { return GetInt(0); }
  void SetId(std::int32_t id) { SetInt(0, id); }

  // Whether slot index holds the same value as in other (same table).
  bool SameValue(int index, const CTValueList& other) const;
  // Whether slot index holds the field's default.
  bool IsDefault(int index) const;
  // Copies the slots from first on; blob slots only with withBlobs.
  void CopyFrom(const CTValueList& other, int first, bool withBlobs);
  // Copies one slot of another list with the same field type.
  void CopySlot(int index, const CTValueList& other, int otherIndex);

 private:
  std::uint64_t Cell(int index, TFieldType type) const;
  std::uint64_t& CellRef(int index, TFieldType type);
  std::uint64_t Cell(int index) const { return cells_[static_cast<std::size_t>(index)]; }

  const std::vector<CTFieldInfo*>* fields_ = nullptr;
  std::vector<std::uint64_t> cells_;
  std::vector<std::string> bytes_;
};
