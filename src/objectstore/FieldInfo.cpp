#include "objectstore/FieldInfo.h"

#include <bit>

#include "objectstore/DbException.h"

CTFieldInfo CTFieldInfo::Boolean(std::string name, bool eager, bool defaultValue) {
  CTFieldInfo f(std::move(name), kFtBoolean, eager);
  f.cell_ = defaultValue ? 1 : 0;
  return f;
}

CTFieldInfo CTFieldInfo::Integer(std::string name, bool eager, std::int32_t defaultValue) {
  CTFieldInfo f(std::move(name), kFtInteger, eager);
  f.cell_ = static_cast<std::uint64_t>(static_cast<std::int64_t>(defaultValue));
  return f;
}

CTFieldInfo CTFieldInfo::Double(std::string name, bool eager, double defaultValue) {
  CTFieldInfo f(std::move(name), kFtDouble, eager);
  f.cell_ = std::bit_cast<std::uint64_t>(defaultValue);
  return f;
}

CTFieldInfo CTFieldInfo::String(std::string name, bool translate, bool eager,
                                std::string defaultValue) {
  CTFieldInfo f(std::move(name), kFtString, eager);
  f.translate_ = translate;
  f.bytes_ = std::move(defaultValue);
  return f;
}

CTFieldInfo CTFieldInfo::Date(std::string name, bool eager, double defaultValue) {
  CTFieldInfo f(std::move(name), kFtDateTime, eager);
  f.cell_ = std::bit_cast<std::uint64_t>(defaultValue);
  return f;
}

CTFieldInfo CTFieldInfo::Currency(std::string name, bool eager, std::int64_t scaledDefault) {
  CTFieldInfo f(std::move(name), kFtCurrency, eager);
  f.cell_ = static_cast<std::uint64_t>(scaledDefault);
  return f;
}

CTFieldInfo CTFieldInfo::Blob(std::string name) {
  return CTFieldInfo(std::move(name), kFtBlob, false);
}

CTFieldInfo CTFieldInfo::Guid(std::string name, bool eager) {
  CTFieldInfo f(std::move(name), kFtGuid, eager);
  f.bytes_.assign(16, '\0');
  return f;
}

bool CTFieldInfo::DefaultBool() const {
  if (type_ != kFtBoolean) throw CTDbException(CTDbException::kTypeConversion);
  return cell_ != 0;
}

std::int32_t CTFieldInfo::DefaultInt() const {
  if (type_ != kFtInteger) throw CTDbException(CTDbException::kTypeConversion);
  return static_cast<std::int32_t>(static_cast<std::int64_t>(cell_));
}

double CTFieldInfo::DefaultDouble() const {
  if (type_ != kFtDouble && type_ != kFtDateTime)
    throw CTDbException(CTDbException::kTypeConversion);
  return std::bit_cast<double>(cell_);
}

std::int64_t CTFieldInfo::DefaultCurrency() const {
  if (type_ != kFtCurrency) throw CTDbException(CTDbException::kTypeConversion);
  return static_cast<std::int64_t>(cell_);
}

const std::string& CTFieldInfo::DefaultBytes() const {
  if (!IsBytesType(type_)) throw CTDbException(CTDbException::kTypeConversion);
  return bytes_;
}

void CTFieldInfo::SetLink(CTTableLink* link) {
  if (link_ != nullptr && link_ != link) throw CTDbException(CTDbException::kStructure);
  link_ = link;
}
