#include "i18n/DimValue.h"

#include <algorithm>

#include "i18n/NumberText.h"

CTDimValue::~CTDimValue() {
  if (listening_) CTUnitData::RemoveListener(dimension_, this);
}

void CTDimValue::SetUnitId(U_RepUnit dimension) {
  if (listening_) CTUnitData::RemoveListener(dimension_, this);
  dimension_ = dimension;
  listening_ = CTUnitData::AddListener(
      dimension_, this,
      [this](int, const std::string&, const std::string&, int newUnit) { SetDimId(newUnit); });
  SetDimId(CTUnitData::CurrentUnit(dimension_));
}

void CTDimValue::SetDimId(int unit) {
  unit_ = unit;
  Show();
}

std::string CTDimValue::UnitName() const {
  if (dimension_ == U_None && !listening_) return "Unit";
  return CTUnitData::UnitName(dimension_, unit_);
}

void CTDimValue::SetValue(double base) {
  value_ = base;
  if (onChange) onChange();
  Show();
}

double CTDimValue::Value() const {
  return CTUnitData::Convert(dimension_, unit_, 0, ParseValue(text_));
}

void CTDimValue::Show() {
  displayed_ = CTUnitData::Convert(dimension_, 0, unit_, value_);
  text_ = CTUnitData::FormatNumber(0, CTUnitData::Decimals(dimension_, unit_), displayed_);
  // Shown numbers are right-aligned to a width; the edit box holds the number alone.
  const std::size_t first = text_.find_first_not_of(' ');
  text_ = first == std::string::npos ? std::string() : text_.substr(first);
  if (onDisplay) onDisplay();
}

void CTDimValue::Type(const std::string& typed, int& caret) {
  const std::string filtered = FilterTyping(typed);
  // The caret keeps its place, counted from the end where the filter dropped characters before
  // it (only blanks are dropped).
  const int dropped = static_cast<int>(typed.size()) - static_cast<int>(filtered.size());
  if (dropped > 0) caret = std::max(0, caret - dropped);
  caret = std::min(caret, static_cast<int>(filtered.size()));
  text_ = filtered;
  modified_ = true;
}

void CTDimValue::Leave() {
  displayed_ = ParseValue(text_);
  SetValue(CTUnitData::Convert(dimension_, unit_, 0, displayed_));
}
