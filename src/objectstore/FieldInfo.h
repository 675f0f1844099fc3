#pragma once

#include <cstdint>
#include <string>

#include "objectstore/FieldType.h"

class CTTableInfo;
class CTTableLink;

// The definition of one field of a table: name, type, default value and loading flags.
class CTFieldInfo {
 public:
  static CTFieldInfo Boolean(std::string name, bool eager, bool defaultValue);
  static CTFieldInfo Integer(std::string name, bool eager, std::int32_t defaultValue);
  static CTFieldInfo Double(std::string name, bool eager, double defaultValue);
  static CTFieldInfo String(std::string name, bool translate, bool eager, std::string defaultValue);
  static CTFieldInfo Date(std::string name, bool eager, double defaultValue);
  static CTFieldInfo Currency(std::string name, bool eager, std::int64_t scaledDefault);
  static CTFieldInfo Blob(std::string name);
  static CTFieldInfo Guid(std::string name, bool eager);

  const std::string& Name() const { return name_; }
  TFieldType Type() const { return type_; }
  bool Eager() const { return eager_; }
  bool Translate() const { return translate_; }

  // Defaults; asking for the default of another type raises CTDbException 6.
  bool DefaultBool() const;
  std::int32_t DefaultInt() const;
  double DefaultDouble() const;  // double and date fields
  std::int64_t DefaultCurrency() const;
  const std::string& DefaultBytes() const;  // string, blob and GUID fields
  // The default in the value cell form of CTValueList (see there).
  std::uint64_t DefaultCell() const { return cell_; }

  CTTableInfo* Table() const { return table_; }
  void SetTable(CTTableInfo* table) { table_ = table; }
  // The reference whose class half this field is, if any.
  CTTableLink* Link() const { return link_; }
  // A field belongs to at most one reference; a second raises CTDbException 5.
  void SetLink(CTTableLink* link);

 private:
  CTFieldInfo(std::string name, TFieldType type, bool eager)
      : name_(std::move(name)), type_(type), eager_(eager) {}

  std::string name_;
  TFieldType type_;
  bool eager_;
  bool translate_ = false;
  std::uint64_t cell_ = 0;  // numeric default
  std::string bytes_;       // string default
  CTTableInfo* table_ = nullptr;
  CTTableLink* link_ = nullptr;
};
