#include "i18n/Units.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/CodePage.h"
#include "platform/SettingsKey.h"

namespace {

// One unit of the program's table, its name in UTF-8; a null name ends the dimension's units.
struct LTUnitRow {
  const char* name = nullptr;
  long double factor = 1.0L;
  int decimals = 0;
  long double offset = 0.0L;
};

struct LTDimensionRow {
  const char* caption;
  LTUnitRow units[3];
};

// The names are the program's own texts, kept exactly as they are shown.
// clang-format off
const LTDimensionRow kDimensions[] = {
    {"Нет...",            {{"Нет...", 1.0L, 1}}},
    {"Поток воздуха",     {{"л/с", 1.0L, 1}, {"миль/ч", 1.0L / 3.6L, 0}, {"миль/с", 1000.0L, 1}}},
    {"Ток",               {{"A", 1.0L, 1}}},
    {"Интенсивность",     {{"кг/ л", 1.0L, 3}, {"кг/м", 0.001L, 3}}},
    {"Энергия",           {{" кДж", 1.0L, 1}, {"кВт/ч", 3600.0L, 1}, {"ккал", 4.1868L, 0}}},
    {"Энтальпия",         {{" кДж/кг", 1.0L, 1}, {"ккал/ кг", 4.1868L, 1}}},
    {"Теплопередача",     {{"Вт/мл", 1.0L, 1}, {"ккал/ ч мл", 4.1868L / 3.6L, 1}}},
    {"Длина",             {{"м", 1.0L, 3}}},
    {"Средняя длина",     {{"см", 1.0L, 1}}},
    {"Короткая Длина",    {{"мм", 1.0L, 0}, {"дюйм", 25.4L, 1}}},
    {"Масса",             {{"кг", 1.0L, 3}, {"lbs", 0.45359237L, 3}}},
    {"Небольшая масса",   {{"g", 1.0L, 0}}},
    {"Потребл. мощность", {{"кВт", 1.0L, 1}, {"ккал/ ч", 4.1868L / 3600.0L, 0}}},
    {"Давление",          {{"Па", 1.0L, 1}, {"мБар", 100.0L, 3}, {"мм вод. ст.", 9.80665L, 3}}},
    {"Скорость вращения", {{"Число оборотов в мин.", 1.0L, 0}}},
    {"Шум",               {{"по сух. терм.", 1.0L, 0}}},
    {"Скорость",          {{"м/с", 1.0L, 0}, {"км/ч", 1.0L / 3.6L, 3}}},
    {"Поверхность",       {{"мл", 1.0L, 3}}},
    {"Температура",       {{"°C", 1.0L, 1}, {"°F", 5.0L / 9.0L, 1, 32.0L}}},
    {"Напряжение",        {{"В", 1.0L, 0}}},
    {"Обьем",             {{"миля", 1.0L, 3}}},
    {"Appl1",             {{"", 1.0L, 1}}},
    {"Appl2",             {{"", 1.0L, 1}}},
    {"Appl3",             {{"", 1.0L, 1}}},
};
// clang-format on
static_assert(std::size(kDimensions) == kUnitDimensionCount);

bool InRange(int index, std::size_t count) {
  return index >= 0 && static_cast<std::size_t>(index) < count;
}

}  // namespace

std::vector<CTUnitData> CTUnitData::DefaultTable() {
  std::vector<CTUnitData> table;
  table.reserve(kUnitDimensionCount);
  for (const LTDimensionRow& row : kDimensions) {
    std::vector<CTDimData> units;
    for (const LTUnitRow& unit : row.units)
      if (unit.name != nullptr)
        units.push_back({Cp1251FromUtf8(unit.name), unit.offset, unit.factor, unit.decimals});
    table.push_back(CTUnitData(Cp1251FromUtf8(row.caption), std::move(units)));
  }
  return table;
}

std::vector<CTUnitData>& CTUnitData::Table() {
  static std::vector<CTUnitData> table = DefaultTable();
  return table;
}

void CTUnitData::ResetUnits() {
  Table() = DefaultTable();
}

CTUnitData* CTUnitData::Find(U_RepUnit dimension) {
  std::vector<CTUnitData>& table = Table();
  return InRange(dimension, table.size()) ? &table[static_cast<std::size_t>(dimension)] : nullptr;
}

const CTUnitData& CTUnitData::Dimension(U_RepUnit dimension) {
  const CTUnitData* data = Find(dimension);
  return data != nullptr ? *data : Table().front();
}

const CTDimData& CTUnitData::UnitOrBase(int unit) const {
  return units_[InRange(unit, units_.size()) ? static_cast<std::size_t>(unit) : 0];
}

LTUnitChoice CTUnitData::UnitChoice(U_RepUnit dimension) {
  const CTUnitData& data = Dimension(dimension);
  LTUnitChoice choice{data.caption_, {}, data.current_};
  for (const CTDimData& unit : data.units_) choice.items.push_back(unit.name);
  return choice;
}

int CTUnitData::UnitCount(U_RepUnit dimension) {
  return static_cast<int>(Dimension(dimension).units_.size());
}

std::string CTUnitData::UnitName(U_RepUnit dimension, int unit) {
  return Dimension(dimension).UnitOrBase(unit).name;
}

void CTUnitData::SetUnitName(U_RepUnit dimension, int unit, std::string name) {
  CTUnitData* data = Find(dimension);
  if (data != nullptr && InRange(unit, data->units_.size()))
    data->units_[static_cast<std::size_t>(unit)].name = std::move(name);
}

std::string CTUnitData::BaseUnitName(U_RepUnit dimension) {
  return UnitName(dimension, 0);
}

std::string CTUnitData::CurrentUnitName(U_RepUnit dimension) {
  const CTUnitData& data = Dimension(dimension);
  return data.UnitOrBase(data.current_).name;
}

int CTUnitData::CurrentUnit(U_RepUnit dimension) {
  return Dimension(dimension).current_;
}

void CTUnitData::SetCurrentUnit(U_RepUnit dimension, int unit) {
  CTUnitData* data = Find(dimension);
  if (data == nullptr || !InRange(unit, data->units_.size())) return;
  const int oldUnit = data->current_;
  const std::string oldName = data->UnitOrBase(oldUnit).name;
  const std::string newName = data->UnitOrBase(unit).name;
  data->current_ = unit;
  // A listener may add or remove listeners, itself included, while it is told: the others are
  // told from a copy of the list, each only while it is still registered.
  const auto listeners = data->listeners_;
  for (const auto& [listener, callback] : listeners) {
    const auto& now = data->listeners_;
    const bool registered = std::any_of(now.begin(), now.end(),
                                        [&](const auto& entry) { return entry.first == listener; });
    if (registered) callback(oldUnit, oldName, newName, unit);
  }
}

int CTUnitData::AddUnit(U_RepUnit dimension, std::string name, long double offset,
                        long double factor, int decimals) {
  CTUnitData* data = Find(dimension);
  // A zero factor would turn every value shown in the unit into an infinity.
  if (data == nullptr || factor == 0.0L || !std::isfinite(factor) || !std::isfinite(offset))
    return -1;
  data->units_.push_back({std::move(name), offset, factor, decimals});
  return static_cast<int>(data->units_.size()) - 1;
}

int CTUnitData::Decimals(U_RepUnit dimension, int unit) {
  return Dimension(dimension).UnitOrBase(unit).decimals;
}

void CTUnitData::SetDecimals(U_RepUnit dimension, int unit, int decimals) {
  CTUnitData* data = Find(dimension);
  if (data != nullptr && InRange(unit, data->units_.size()))
    data->units_[static_cast<std::size_t>(unit)].decimals = decimals;
}

double CTUnitData::Convert(U_RepUnit dimension, int from, int to, double value) {
  const CTUnitData& data = Dimension(dimension);
  if (!InRange(from, data.units_.size())) from = 0;
  if (!InRange(to, data.units_.size())) to = 0;
  if (from == to) return value;
  long double result = value;
  if (from != 0) result = data.UnitOrBase(from).ToBase(result);
  if (to != 0) result = data.UnitOrBase(to).FromBase(result);
  return static_cast<double>(result);
}

std::string CTUnitData::FormatValue(U_RepUnit dimension, int width, double value) {
  const CTUnitData& data = Dimension(dimension);
  return FormatNumber(width, data.UnitOrBase(data.current_).decimals,
                      Convert(dimension, 0, data.current_, value));
}

bool CTUnitData::AddListener(U_RepUnit dimension, const void* listener, TUnitListener callback) {
  CTUnitData* data = Find(dimension);
  if (data == nullptr || !callback) return false;
  for (const auto& entry : data->listeners_)
    if (entry.first == listener) return false;
  data->listeners_.emplace_back(listener, std::move(callback));
  return true;
}

void CTUnitData::RemoveListener(U_RepUnit dimension, const void* listener) {
  CTUnitData* data = Find(dimension);
  if (data == nullptr) return;
  std::erase_if(data->listeners_, [&](const auto& entry) { return entry.first == listener; });
}

namespace {

std::string UnitsValueName(int dimension) {
  return "Units" + std::to_string(dimension);
}

}  // namespace

bool CTUnitData::SaveCurrentUnits(CTSettingsKey& key) {
  std::vector<std::pair<std::string, LTSettingsValue>> values;
  for (int dimension = 1; dimension < kUnitDimensionCount; ++dimension)
    values.emplace_back(UnitsValueName(dimension),
                        LTSettingsValue::Integer(CurrentUnit(static_cast<U_RepUnit>(dimension))));
  return key.WriteValues(values);
}

void CTUnitData::LoadCurrentUnits(const CTSettingsKey& key) {
  for (int dimension = 1; dimension < kUnitDimensionCount; ++dimension) {
    const int unit = key.ReadInteger(UnitsValueName(dimension)).value_or(0);
    SetCurrentUnit(static_cast<U_RepUnit>(dimension), unit);  // ignores a unit out of range
  }
}
