#include "objectstore/ValueList.h"

#include <algorithm>
#include <bit>

#include "objectstore/DbException.h"

CTValueList::CTValueList(const std::vector<CTFieldInfo*>& fields) : fields_(&fields) {
  cells_.resize(fields.size());
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const CTFieldInfo* f = fields[i];
    if (IsBytesType(f->Type())) {
      cells_[i] = bytes_.size();
      bytes_.push_back(f->Type() == kFtBlob ? std::string() : f->DefaultBytes());
    } else {
      cells_[i] = f->DefaultCell();
    }
  }
}

std::uint64_t CTValueList::Cell(int index, TFieldType type) const {
  if (index < 0 || index >= Count() || Type(index) != type) {
    throw CTDbException(CTDbException::kTypeConversion);
  }
  return cells_[static_cast<std::size_t>(index)];
}

std::uint64_t& CTValueList::CellRef(int index, TFieldType type) {
  if (index < 0 || index >= Count() || Type(index) != type) {
    throw CTDbException(CTDbException::kTypeConversion);
  }
  return cells_[static_cast<std::size_t>(index)];
}

double CTValueList::GetDouble(int index) const {
  if (index < 0 || index >= Count() || (Type(index) != kFtDouble && Type(index) != kFtDateTime)) {
    throw CTDbException(CTDbException::kTypeConversion);
  }
  return std::bit_cast<double>(cells_[static_cast<std::size_t>(index)]);
}

void CTValueList::SetDouble(int index, double value) {
  if (index < 0 || index >= Count() || (Type(index) != kFtDouble && Type(index) != kFtDateTime)) {
    throw CTDbException(CTDbException::kTypeConversion);
  }
  cells_[static_cast<std::size_t>(index)] = std::bit_cast<std::uint64_t>(value);
}

const std::string& CTValueList::GetBytes(int index) const {
  if (index < 0 || index >= Count() || !IsBytesType(Type(index))) {
    throw CTDbException(CTDbException::kTypeConversion);
  }
  return bytes_[cells_[static_cast<std::size_t>(index)]];
}

void CTValueList::SetBytes(int index, std::string value) {
  if (index < 0 || index >= Count() || !IsBytesType(Type(index))) {
    throw CTDbException(CTDbException::kTypeConversion);
  }
  if (Type(index) == kFtGuid) value.resize(16, '\0');
  bytes_[cells_[static_cast<std::size_t>(index)]] = std::move(value);
}

bool CTValueList::SameValue(int index, const CTValueList& other) const {
  if (IsBytesType(Type(index))) return GetBytes(index) == other.GetBytes(index);
  return Cell(index) == other.Cell(index);
}

bool CTValueList::IsDefault(int index) const {
  const CTFieldInfo* f = (*fields_)[static_cast<std::size_t>(index)];
  if (f->Type() == kFtBlob) return GetBytes(index).empty();
  if (IsBytesType(f->Type())) return GetBytes(index) == f->DefaultBytes();
  return Cell(index) == f->DefaultCell();
}

void CTValueList::CopySlot(int index, const CTValueList& other, int otherIndex) {
  if (IsBytesType(Type(index))) {
    bytes_[cells_[static_cast<std::size_t>(index)]] = other.GetBytes(otherIndex);
  } else {
    cells_[static_cast<std::size_t>(index)] = other.Cell(otherIndex);
  }
}

void CTValueList::CopyFrom(const CTValueList& other, int first, bool withBlobs) {
  const int count = std::min(Count(), other.Count());
  for (int i = first; i < count; ++i) {
    if (!withBlobs && Type(i) == kFtBlob) continue;
    CopySlot(i, other, i);
  }
}
