#include "PerformanceInput.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>

#include "platform/FileStream.h"

namespace {

// Longest list of values a series key may hold; curve temperatures, lengths and defrost rows are
// a dozen each.
constexpr std::size_t kMaxListValues = 64;
// Longest model or series name.
constexpr std::size_t kMaxNameLength = 64;

using LTField = double LTSeriesConstants::*;
using LTListField = std::vector<double> LTSeriesConstants::*;

// A key of a series block holding one to three numbers, each within [lo, hi].
struct LTScalarKey {
  const char* key;
  std::array<LTField, 3> fields;
  int count;
  double lo, hi;
  bool heating;  // required exactly when the series heats
};

// A key holding a list of numbers, each within [lo, hi].
struct LTListKey {
  const char* key;
  LTListField field;
  double lo, hi;
  bool heating;
};

using S = LTSeriesConstants;

const LTScalarKey kScalarKeys[] = {
    {"CoolingRating",
     {&S::coolRatingDryBulb, &S::coolRatingHumidity, &S::coolRatingOutdoor},
     3,
     -60,
     100,
     false},
    {"HeatingRating", {&S::heatRatingIndoor, &S::heatRatingOutdoor, nullptr}, 2, -60, 80, true},
    {"CoolingIndoorRange", {&S::coolIndoorLow, &S::coolIndoorHigh, nullptr}, 2, -20, 60, false},
    {"HeatingIndoorRange", {&S::heatIndoorLow, &S::heatIndoorHigh, nullptr}, 2, -20, 60, true},
    {"CombinationRows", {&S::minRatio, &S::ratioStep, nullptr}, 2, 1, 100, false},
    {"LoadSharpness", {&S::loadSharpness}, 1, 1, 50, false},
    {"CompressorReserve", {&S::compressorReserve}, 1, 1.001, 2, false},
    {"CoolingIndoorSlope", {&S::coolIndoorSlope}, 1, 0, 0.2, false},
    {"CoolingCompressorSlope", {&S::coolCompressorSlope}, 1, 0, 0.2, false},
    {"CoolingOutdoorSlope", {&S::coolOutdoorSlope}, 1, 0, 0.1, false},
    {"CoolingOutdoorSpan", {&S::coolOutdoorSpan}, 1, 1, 200, false},
    {"HeatingIndoorSlope", {&S::heatIndoorSlope}, 1, 0, 0.2, true},
    {"HeatingCompressorSlope", {&S::heatCompressorSlope}, 1, 0, 0.2, true},
    {"HeatingOutdoorSlope", {&S::heatOutdoorSlope}, 1, 0, 0.1, true},
    {"HeatingOutdoorSpan", {&S::heatOutdoorSpan}, 1, 1, 200, true},
    {"CoolingEvaporatorApproach", {&S::coolEvaporatorApproach}, 1, 0, 40, false},
    {"CoolingCondenserApproach", {&S::coolCondenserApproach}, 1, 0, 40, false},
    {"MinCondensing", {&S::minCondensing}, 1, -20, 60, false},
    {"CondensingSmoothing", {&S::condensingSmoothing}, 1, 0.1, 20, false},
    {"HeatingCondenserApproach", {&S::heatCondenserApproach}, 1, 0, 60, true},
    {"HeatingEvaporatorApproach", {&S::heatEvaporatorApproach}, 1, 0, 40, true},
    {"LiftOffset", {&S::liftOffset}, 1, 1, 100, false},
    {"LiftExponent", {&S::liftExponent}, 1, 0.5, 3, false},
    {"AuxiliaryFraction", {&S::auxiliaryFraction}, 1, 0, 0.5, false},
    {"PipingCoolingAtMax", {&S::pipingCoolingAtMax}, 1, 0.5, 1, false},
    {"PipingHeatingAtMax", {&S::pipingHeatingAtMax}, 1, 0.5, 1, true},
    {"PipingExponent", {&S::pipingExponent}, 1, 0.1, 5, false},
};

const LTListKey kListKeys[] = {
    {"CoolingOutdoorTemps", &S::coolOutdoorTemps, -60, 80, false},
    {"HeatingOutdoorTemps", &S::heatOutdoorTemps, -60, 80, true},
    {"PipingLengths", &S::pipingLengths, 0, 1000, false},
    {"DefrostTemps", &S::defrostTemps, -60, 80, true},
    {"DefrostFactors", &S::defrostFactors, 0.5, 1, true},
};

// Columns of the model rows.
enum LTColumn : int {
  kColModel,
  kColSeries,
  kColModules,
  kColCoolingCapacity,
  kColCoolingPower,
  kColHeatingCapacity,
  kColHeatingPower,
  kColIndex,
  kColMaxRatio,
  kColumnCount
};

struct LTColumnName {
  const char* name;
  bool required;
};

const LTColumnName kColumns[kColumnCount] = {
    {"Model", true},           {"Series", true},       {"Modules", false},
    {"CoolingCapacity", true}, {"CoolingPower", true}, {"HeatingCapacity", false},
    {"HeatingPower", false},   {"Index", true},        {"MaxRatio", true},
};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> cells;
  for (;;) {
    const auto tab = line.find('\t');
    cells.push_back(Trim(line.substr(0, tab)));
    if (tab == std::string_view::npos) break;
    line.remove_prefix(tab + 1);
  }
  return cells;
}

// Tokens separated by runs of tabs and blanks.
std::vector<std::string_view> SplitWords(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

std::string Quoted(std::string_view s) {
  return "'" + std::string(s) + "'";
}

[[noreturn]] void FailAtModel(const LTModelRating& m, const std::string& message) {
  throw CTPerformanceError(m.file, m.line, message);
}

class CTReader {
 public:
  CTReader(const std::string& file, LTPerformanceInput& input) : file_(file), input_(input) {}

  void Read(std::string_view text);

 private:
  [[noreturn]] void Fail(const std::string& message) const { Fail(line_, message); }
  [[noreturn]] void Fail(int line, const std::string& message) const {
    throw CTPerformanceError(file_, line, message);
  }

  double Number(std::string_view cell, std::string_view what) const;
  void CheckName(std::string_view name, std::string_view what) const;

  void Directive(std::string_view line);
  void SeriesLine(std::string_view line);
  void FinishSeries();
  void ValidateSeries(const LTSeriesConstants& s);
  void Columns(const std::vector<std::string_view>& cells);
  void ModelRow(std::string_view line);

  const std::string& file_;
  LTPerformanceInput& input_;
  int line_ = 0;

  // The series block being read, with the line of every key it gave.
  std::optional<LTSeriesConstants> series_;
  std::map<std::string, int, std::less<>> seriesKeys_;

  // The columns of the model rows: index of each column, -1 when absent.
  bool haveColumns_ = false;
  std::array<int, kColumnCount> columnAt_{};
  std::size_t columnCount_ = 0;
};

double CTReader::Number(std::string_view cell, std::string_view what) const {
  double value = 0.0;
  const char* first = cell.data();
  const char* last = first + cell.size();
  const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
  if (cell.empty() || error != std::errc() || end != last || !std::isfinite(value))
    Fail("bad number " + Quoted(cell) + " for " + std::string(what));
  return value;
}

void CTReader::CheckName(std::string_view name, std::string_view what) const {
  if (name.empty()) Fail("empty " + std::string(what));
  if (name.size() > kMaxNameLength) Fail(std::string(what) + " longer than 64 characters");
  for (const char c : name) {
    // Printable ASCII; no glob characters, which a reference to the name would expand.
    if (c < 0x20 || c > 0x7e || c == '*' || c == '?')
      Fail("invalid character in " + std::string(what) + " " + Quoted(name));
  }
}

void CTReader::Read(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::size_t pos = 0;
  while (pos < text.size()) {
    ++line_;
    const std::size_t newline = std::min(text.find('\n', pos), text.size());
    std::string_view line = text.substr(pos, newline - pos);
    pos = newline + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.find('\0') != std::string_view::npos) Fail("NUL character in the line");
    if (Trim(line).empty() || line.front() == '#') continue;
    if (line.front() == '@') {
      Directive(line);
    } else if (series_) {
      SeriesLine(line);
    } else if (haveColumns_) {
      ModelRow(line);
    } else {
      Fail("row before any @series or @columns line");
    }
  }
  FinishSeries();
}

void CTReader::Directive(std::string_view line) {
  const auto cells = SplitTabs(line);
  const std::string_view name = cells.front();
  if (name == "@series") {
    FinishSeries();
    haveColumns_ = false;
    if (cells.size() != 2) Fail("@series takes one name");
    CheckName(cells[1], "series name");
    if (input_.FindSeries(cells[1])) Fail("series " + Quoted(cells[1]) + " defined twice");
    series_.emplace();
    series_->name = std::string(cells[1]);
    series_->file = file_;
    series_->line = line_;
    seriesKeys_.clear();
    return;
  }
  if (name == "@columns") {
    FinishSeries();
    Columns(cells);
    return;
  }
  Fail("unknown directive " + Quoted(name));
}

void CTReader::SeriesLine(std::string_view line) {
  const auto words = SplitWords(line);
  const std::string_view key = words.front();
  const std::vector<std::string_view> values(words.begin() + 1, words.end());
  if (seriesKeys_.count(key)) Fail("key " + Quoted(key) + " given twice");
  LTSeriesConstants& s = *series_;
  for (const LTScalarKey& k : kScalarKeys) {
    if (key != k.key) continue;
    if (values.size() != static_cast<std::size_t>(k.count))
      Fail(std::string(k.key) + " takes " + std::to_string(k.count) +
           (k.count == 1 ? " value" : " values"));
    for (int i = 0; i < k.count; ++i) {
      const double v = Number(values[i], k.key);
      if (v < k.lo || v > k.hi)
        Fail(std::string(k.key) + " value " + Quoted(values[i]) + " outside its plausible range");
      s.*(k.fields[i]) = v;
    }
    seriesKeys_.emplace(std::string(key), line_);
    return;
  }
  for (const LTListKey& k : kListKeys) {
    if (key != k.key) continue;
    if (values.empty()) Fail(std::string(k.key) + " without values");
    if (values.size() > kMaxListValues) Fail(std::string(k.key) + " with more than 64 values");
    std::vector<double>& list = s.*(k.field);
    for (const std::string_view text : values) {
      const double v = Number(text, k.key);
      if (v < k.lo || v > k.hi)
        Fail(std::string(k.key) + " value " + Quoted(text) + " outside its plausible range");
      list.push_back(v);
    }
    seriesKeys_.emplace(std::string(key), line_);
    return;
  }
  Fail("unknown series key " + Quoted(key));
}

bool StrictlyAscending(const std::vector<double>& v) {
  return std::adjacent_find(v.begin(), v.end(), std::greater_equal<double>()) == v.end();
}

void CTReader::FinishSeries() {
  if (!series_) return;
  LTSeriesConstants& s = *series_;
  const bool heats = seriesKeys_.count("HeatingOutdoorTemps") != 0;
  const auto check = [&](const char* key, bool heating) {
    const auto at = seriesKeys_.find(key);
    if (at == seriesKeys_.end()) {
      if (!heating || heats) Fail(s.line, "series " + Quoted(s.name) + " lacks key " + key);
    } else if (heating && !heats) {
      Fail(at->second, std::string(key) + " in a series without HeatingOutdoorTemps");
    }
  };
  for (const LTScalarKey& k : kScalarKeys) check(k.key, k.heating);
  for (const LTListKey& k : kListKeys) check(k.key, k.heating);
  ValidateSeries(s);
  input_.Add(std::move(s));
  series_.reset();
}

void CTReader::ValidateSeries(const LTSeriesConstants& s) {
  const auto fail = [&](const char* key, const std::string& message) {
    const auto at = seriesKeys_.find(key);
    Fail(at != seriesKeys_.end() ? at->second : s.line, message);
  };
  if (!(s.coolRatingHumidity > 0.0 && s.coolRatingHumidity <= 100.0))
    fail("CoolingRating", "CoolingRating relative humidity must lie in (0, 100]");
  if (!(s.coolIndoorLow < s.coolIndoorHigh))
    fail("CoolingIndoorRange", "CoolingIndoorRange must ascend");
  if (!StrictlyAscending(s.coolOutdoorTemps))
    fail("CoolingOutdoorTemps", "CoolingOutdoorTemps must ascend strictly");
  if (std::find(s.coolOutdoorTemps.begin(), s.coolOutdoorTemps.end(), s.coolRatingOutdoor) ==
      s.coolOutdoorTemps.end())
    fail("CoolingOutdoorTemps", "CoolingOutdoorTemps must hold the rating outdoor temperature");
  if (std::fmod(100.0 - s.minRatio, s.ratioStep) != 0.0)
    fail("CombinationRows", "CombinationRows must have a row at 100 %");
  if (!StrictlyAscending(s.pipingLengths) || s.pipingLengths.front() != 0.0 ||
      s.pipingLengths.size() < 2)
    fail("PipingLengths", "PipingLengths must start at 0 and ascend strictly");
  if (!s.HasHeating()) return;
  if (!(s.heatIndoorLow < s.heatIndoorHigh))
    fail("HeatingIndoorRange", "HeatingIndoorRange must ascend");
  if (!StrictlyAscending(s.heatOutdoorTemps))
    fail("HeatingOutdoorTemps", "HeatingOutdoorTemps must ascend strictly");
  if (std::find(s.heatOutdoorTemps.begin(), s.heatOutdoorTemps.end(), s.heatRatingOutdoor) ==
      s.heatOutdoorTemps.end())
    fail("HeatingOutdoorTemps", "HeatingOutdoorTemps must hold the rating outdoor temperature");
  if (!StrictlyAscending(s.defrostTemps)) fail("DefrostTemps", "DefrostTemps must ascend strictly");
  if (s.defrostFactors.size() != s.defrostTemps.size())
    fail("DefrostFactors", "DefrostFactors must give one factor per defrost temperature");
}

void CTReader::Columns(const std::vector<std::string_view>& cells) {
  columnAt_.fill(-1);
  columnCount_ = cells.size() - 1;
  for (std::size_t i = 1; i < cells.size(); ++i) {
    int found = -1;
    for (int c = 0; c < kColumnCount; ++c) {
      if (cells[i] == kColumns[c].name) found = c;
    }
    if (found < 0) Fail("unknown column " + Quoted(cells[i]));
    if (columnAt_[found] >= 0) Fail("column " + Quoted(cells[i]) + " given twice");
    columnAt_[found] = static_cast<int>(i - 1);
  }
  for (int c = 0; c < kColumnCount; ++c) {
    if (kColumns[c].required && columnAt_[c] < 0)
      Fail(std::string("missing column ") + kColumns[c].name);
  }
  haveColumns_ = true;
}

void CTReader::ModelRow(std::string_view line) {
  const auto cells = SplitTabs(line);
  if (cells.size() > columnCount_) Fail("more cells than columns");
  const auto cell = [&](int column) -> std::string_view {
    const int at = columnAt_[column];
    return at >= 0 && static_cast<std::size_t>(at) < cells.size() ? cells[at] : std::string_view();
  };
  LTModelRating m;
  m.file = file_;
  m.line = line_;
  CheckName(cell(kColModel), "model name");
  m.name = std::string(cell(kColModel));
  if (input_.FindModel(m.name)) Fail("model " + Quoted(m.name) + " listed twice");
  CheckName(cell(kColSeries), "series name");
  m.series = std::string(cell(kColSeries));
  if (const std::string_view modules = cell(kColModules); !modules.empty()) {
    std::string_view rest = modules;
    for (;;) {
      const auto plus = rest.find('+');
      const std::string_view module = Trim(rest.substr(0, plus));
      CheckName(module, "module name");
      m.modules.emplace_back(module);
      if (plus == std::string_view::npos) break;
      rest.remove_prefix(plus + 1);
    }
    if (m.modules.size() < 2) Fail("a multi-module unit has at least two modules");
    if (m.modules.size() > 8) Fail("more than 8 modules");
  }
  const auto positive = [&](int column, double max) {
    const double v = Number(cell(column), kColumns[column].name);
    if (!(v > 0.0 && v <= max))
      Fail(std::string(kColumns[column].name) + " " + Quoted(cell(column)) +
           " outside its plausible range");
    return v;
  };
  m.coolingCapacity = positive(kColCoolingCapacity, 2000.0);
  m.coolingPower = positive(kColCoolingPower, 2000.0);
  if (!cell(kColHeatingCapacity).empty() || !cell(kColHeatingPower).empty()) {
    m.heatingCapacity = positive(kColHeatingCapacity, 2000.0);
    m.heatingPower = positive(kColHeatingPower, 2000.0);
    m.hasHeating = true;
  }
  m.index = positive(kColIndex, 100000.0);
  m.maxRatio = positive(kColMaxRatio, 200.0);
  if (m.coolingPower > m.coolingCapacity || (m.hasHeating && m.heatingPower > m.heatingCapacity))
    Fail("power input above the capacity (an efficiency below 1)");
  input_.Add(std::move(m));
}

}  // namespace

CTPerformanceError::CTPerformanceError(const std::string& file, int line,
                                       const std::string& message)
    : std::runtime_error(file + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " +
                         message) {}

void LTPerformanceInput::Add(LTSeriesConstants s) {
  seriesIndex_.emplace(s.name, series.size());
  series.push_back(std::move(s));
}

void LTPerformanceInput::Add(LTModelRating m) {
  modelIndex_.emplace(m.name, models.size());
  models.push_back(std::move(m));
}

const LTSeriesConstants* LTPerformanceInput::FindSeries(std::string_view name) const {
  const auto at = seriesIndex_.find(name);
  return at == seriesIndex_.end() ? nullptr : &series[at->second];
}

const LTModelRating* LTPerformanceInput::FindModel(std::string_view name) const {
  const auto at = modelIndex_.find(name);
  return at == modelIndex_.end() ? nullptr : &models[at->second];
}

void ReadPerformanceText(const std::string& file, std::string_view text,
                         LTPerformanceInput& input) {
  CTReader reader(file, input);
  reader.Read(text);
}

void ReadPerformanceFile(const std::string& path, LTPerformanceInput& input) {
  std::string error;
  auto stream = CTFileStream::Open(path, CTFileStream::Mode::Read, &error);
  if (!stream) throw CTPerformanceError(path, 0, "cannot open: " + error);
  std::string text;
  try {
    if (!ReadRest(*stream, text, kMaxPerformanceInputSize))
      throw CTPerformanceError(path, 0, "file larger than 16 MiB");
  } catch (const CTStreamError& e) {
    throw CTPerformanceError(path, 0, e.what());
  }
  ReadPerformanceText(path, text, input);
}

void CheckPerformanceInput(const LTPerformanceInput& input) {
  for (const LTModelRating& m : input.models) {
    const auto fail = [&](const std::string& message) { FailAtModel(m, message); };
    const LTSeriesConstants* s = input.FindSeries(m.series);
    if (!s) FailAtModel(m, "unknown series " + Quoted(m.series));
    if (s->HasHeating() && !m.hasHeating)
      fail("series " + Quoted(s->name) + " heats: HeatingCapacity and HeatingPower are needed");
    if (!s->HasHeating() && m.hasHeating)
      fail("series " + Quoted(s->name) + " is cooling only: no heating values");
    if (m.maxRatio < 100.0 || std::fmod(m.maxRatio - s->minRatio, s->ratioStep) != 0.0)
      fail("MaxRatio must be a combination row of the series at or above 100 %");
    if (m.modules.empty()) continue;
    double coolingCapacity = 0.0, coolingPower = 0.0, heatingCapacity = 0.0, heatingPower = 0.0;
    double index = 0.0;
    for (const std::string& name : m.modules) {
      const LTModelRating* module = input.FindModel(name);
      if (!module || module->series != m.series || !module->modules.empty())
        fail("module " + Quoted(name) + " is no single module of series " + Quoted(m.series));
      coolingCapacity += module->coolingCapacity;
      coolingPower += module->coolingPower;
      heatingCapacity += module->heatingCapacity;
      heatingPower += module->heatingPower;
      index += module->index;
    }
    // Rated values are given to 0.01 kW, so a sum must agree to half of that.
    const auto differs = [](double a, double b) { return std::fabs(a - b) > 0.00501; };
    if (differs(coolingCapacity, m.coolingCapacity) || differs(coolingPower, m.coolingPower) ||
        differs(heatingCapacity, m.heatingCapacity) || differs(heatingPower, m.heatingPower))
      fail("rated values differ from the sums of the modules");
    if (std::fabs(index - m.index) > 1e-9) fail("Index differs from the sum of the modules");
  }
}
