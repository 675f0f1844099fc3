#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "PerformanceInput.h"
#include "ShippedPerformance.h"
#include "physics/MoistAir.h"
#include "physics/PerformanceCurve.h"
#include "support/TestSupport.h"

// The tables the build generated from the shipped inputs (the file the catalogue is compiled
// from), read back with a minimal reader of the table source format and checked for what the
// catalogue and the capacity model rely on.

namespace {

std::string InputFiles() {
  // In the order the build passes them (file names sorted).
  return performancetest::SourcePath("outdoor-performance.tsv") + " " +
         performancetest::SourcePath("performance-series.tsv");
}

int Generate(const std::string& out, std::string* output) {
  return testsupport::RunCommand(std::string(QRN_PERFORMANCE_PATH) + " " + out + " " + InputFiles(),
                                 output);
}

// One section of a table source file: its table, its columns and its rows, each row with one
// cell per column (missing trailing cells filled from the @set defaults).
struct LTSection {
  std::string table;
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> setFields;  // every field given a default by @set
  int Column(std::string_view name) const {
    const auto at = std::find(columns.begin(), columns.end(), name);
    return at == columns.end() ? -1 : static_cast<int>(at - columns.begin());
  }
};

std::vector<std::string> SplitTabs(std::string_view line) {
  std::vector<std::string> cells;
  for (;;) {
    const auto tab = line.find('\t');
    cells.emplace_back(line.substr(0, tab));
    if (tab == std::string_view::npos) return cells;
    line.remove_prefix(tab + 1);
  }
}

// Reads the table source format so far as a generated file uses it; a fault fails the test.
std::vector<LTSection> ReadSections(std::string_view text) {
  std::vector<LTSection> sections;
  std::map<std::string, std::string> defaults;
  int lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    const auto newline = text.find('\n');
    EXPECT_NE(newline, std::string_view::npos) << "last line without LF";
    const std::string_view line = text.substr(0, newline);
    text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    EXPECT_EQ(line.find('\r'), std::string_view::npos) << lineNumber;
    if (line.empty() || line.front() == '#') continue;
    const std::vector<std::string> cells = SplitTabs(line);
    if (cells[0] == "@table") {
      EXPECT_EQ(cells.size(), 2u) << lineNumber;
      sections.push_back({cells.at(1), {}, {}, {}});
      defaults.clear();
      continue;
    }
    if (sections.empty()) {
      ADD_FAILURE() << "line " << lineNumber << " before any @table";
      return sections;
    }
    LTSection& section = sections.back();
    if (cells[0] == "@columns") {
      section.columns.assign(cells.begin() + 1, cells.end());
    } else if (cells[0] == "@set") {
      EXPECT_EQ(cells.size(), 3u) << lineNumber;
      defaults[cells.at(1)] = cells.at(2);
      section.setFields.push_back(cells.at(1));
    } else {
      EXPECT_LE(cells.size(), section.columns.size()) << lineNumber;
      std::vector<std::string> row(section.columns.size());
      for (std::size_t i = 0; i < row.size(); ++i) {
        if (i < cells.size() && !cells[i].empty()) {
          row[i] = cells[i];
        } else if (const auto d = defaults.find(section.columns[i]); d != defaults.end()) {
          row[i] = d->second;
        }
      }
      section.rows.push_back(std::move(row));
    }
  }
  return sections;
}

double Number(const std::string& cell) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
  EXPECT_TRUE(error == std::errc() && end == cell.data() + cell.size() && !cell.empty())
      << "not a number: '" << cell << "'";
  return value;
}

// Significant digits of a number's text.
int SignificantDigits(std::string_view cell) {
  const auto exponent = cell.find_first_of("eE");
  std::string_view mantissa = cell.substr(0, exponent);
  std::string digits;
  for (const char c : mantissa) {
    if (c >= '0' && c <= '9') digits += c;
  }
  const auto first = digits.find_first_not_of('0');
  return first == std::string::npos ? 0 : static_cast<int>(digits.size() - first);
}

struct LTCurve {
  double outdoor = 0.0;
  double a[8] = {};
  double Value(double x) const { return EvaluateCurve(a, x); }
};

// The generated tables of one model.
struct LTModelTables {
  std::vector<double> ratios;
  std::vector<double> indexes;
  std::vector<double> coolingSizes;
  std::vector<double> heatingSizes;
  // curves[kind][ratio], ascending outdoor temperature as generated.
  std::map<int, std::map<double, std::vector<LTCurve>>> curves;
  std::map<int, std::vector<std::pair<double, double>>> variations;  // kind -> (length, factor)
  std::vector<std::pair<double, double>> defrost;                    // (temperature, factor)
};

std::string ModelOfReference(const std::string& reference) {
  const std::string prefix = "TBL_OutdoorUnit:";
  EXPECT_EQ(reference.substr(0, prefix.size()), prefix);
  return reference.substr(prefix.size());
}

class GeneratedTables : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    text_ = testsupport::ReadFile(QRN_GENERATED_PERFORMANCE);
    sections_ = ReadSections(text_);
    input_ = performancetest::ShippedInput();
    Collect();
  }
  static const LTSection* Section(std::string_view table) {
    for (const LTSection& s : sections_) {
      if (s.table == table) return &s;
    }
    return nullptr;
  }

  static void Collect() {
    if (const LTSection* s = Section("TBL_OutCombination")) {
      const int unit = s->Column("OCT_OutdoorUnit"), ratio = s->Column("OCT_Combination"),
                index = s->Column("OCT_CapIndex"), cool = s->Column("OCT_CUnitSize"),
                heat = s->Column("OCT_HUnitSize");
      for (const auto& row : s->rows) {
        LTModelTables& m = models_[ModelOfReference(row[unit])];
        m.ratios.push_back(Number(row[ratio]));
        m.indexes.push_back(Number(row[index]));
        m.coolingSizes.push_back(Number(row[cool]));
        m.heatingSizes.push_back(Number(row[heat]));
      }
    }
    if (const LTSection* s = Section("TBL_OutCapacity")) {
      const int unit = s->Column("POL_OutdoorUnit"), type = s->Column("POL_Type"),
                ratio = s->Column("POL_Select2"), outdoor = s->Column("POL_Select1");
      int coefficient[8];
      for (int i = 0; i < 8; ++i) coefficient[i] = s->Column("POL_A" + std::to_string(i));
      for (const auto& row : s->rows) {
        LTCurve curve;
        curve.outdoor = Number(row[outdoor]);
        for (int i = 0; i < 8; ++i) curve.a[i] = Number(row[coefficient[i]]);
        models_[ModelOfReference(row[unit])]
            .curves[static_cast<int>(Number(row[type]))][Number(row[ratio])]
            .push_back(curve);
      }
    }
    if (const LTSection* s = Section("TBL_CapVariation")) {
      const int unit = s->Column("CVT_OutdoorUnit"), type = s->Column("CVT_Type"),
                length = s->Column("CVT_Length"), corr = s->Column("CVT_Corr");
      for (const auto& row : s->rows)
        models_[ModelOfReference(row[unit])]
            .variations[static_cast<int>(Number(row[type]))]
            .emplace_back(Number(row[length]), Number(row[corr]));
    }
    if (const LTSection* s = Section("TBL_FreezeUp")) {
      const int unit = s->Column("FRE_OutdoorUnit"), temp = s->Column("FRE_Temp"),
                corr = s->Column("FRE_Corr");
      for (const auto& row : s->rows)
        models_[ModelOfReference(row[unit])].defrost.emplace_back(Number(row[temp]),
                                                                  Number(row[corr]));
    }
  }

  static inline std::string text_;
  static inline std::vector<LTSection> sections_;
  static inline LTPerformanceInput input_;
  static inline std::map<std::string, LTModelTables> models_;
};

// The outdoor models of the range, as the catalogue names them.
std::vector<std::string> RangeModels() {
  std::vector<std::string> names;
  const auto add = [&](const char* prefix, int from, int to) {
    for (int hp = from; hp <= to; hp += 2) {
      char name[16];
      std::snprintf(name, sizeof name, "%s%02d", prefix, hp);
      names.push_back(name);
    }
  };
  add("QOH-", 8, 54);
  add("QOR-", 8, 54);
  add("QOC-", 8, 20);
  names.insert(names.end(), {"QOM-04", "QOM-05", "QOM-06"});
  return names;
}

}  // namespace

TEST_F(GeneratedTables, AreInTheTableSourceFormat) {
  EXPECT_LT(text_.size(), 3u * 1000 * 1000);
  ASSERT_EQ(sections_.size(), 4u);
  const char* order[] = {"TBL_OutCombination", "TBL_OutCapacity", "TBL_CapVariation",
                         "TBL_FreezeUp"};
  const char* references[] = {"OCT_OutdoorUnit", "POL_OutdoorUnit", "CVT_OutdoorUnit",
                              "FRE_OutdoorUnit"};
  for (int i = 0; i < 4; ++i) {
    const LTSection& s = sections_[i];
    EXPECT_EQ(s.table, order[i]);
    // The model is named by a @set of the reference, the last column, left out of the rows.
    ASSERT_FALSE(s.columns.empty());
    EXPECT_EQ(s.columns.back(), references[i]);
    for (const std::string& field : s.setFields) EXPECT_EQ(field, references[i]);
    for (const auto& row : s.rows) {
      for (std::size_t c = 0; c + 1 < row.size(); ++c) Number(row[c]);
    }
  }
  // Coefficients carry up to 17 significant digits (the double exactly, trailing zeros
  // dropped); zeros are written as 0.
  const LTSection& curves = sections_[1];
  for (const std::string& column : curves.columns) {
    if (column.rfind("POL_A", 0) != 0) continue;
    const int c = curves.Column(column);
    for (const auto& row : curves.rows) {
      const int digits = SignificantDigits(row[c]);
      EXPECT_TRUE(row[c] == "0" || (digits >= 1 && digits <= 17)) << row[c];
    }
  }
}

TEST_F(GeneratedTables, CoverEveryModelOfTheRange) {
  const std::vector<std::string> names = RangeModels();
  std::set<std::string> generated;
  for (const auto& [name, tables] : models_) generated.insert(name);
  EXPECT_EQ(generated, std::set<std::string>(names.begin(), names.end()));
  std::size_t curves = 0;
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const LTModelTables& m = models_[name];
    const LTModelRating* rating = input_.FindModel(name);
    ASSERT_NE(rating, nullptr);
    const LTSeriesConstants& s = *input_.FindSeries(rating->series);
    // Rows every 10 % from 50 % to 200 % (single heat-pump modules) or 130 %.
    const bool high = name.rfind("QOH", 0) == 0 && rating->modules.empty();
    std::vector<double> ratios;
    for (double r = 50; r <= (high ? 200 : 130); r += 10) ratios.push_back(r);
    EXPECT_EQ(m.ratios, ratios);
    const bool heats = name.rfind("QOC", 0) != 0;
    for (const int kind :
         {kCurveCoolingCapacity, kCurveCoolingPower, kCurveHeatingCapacity, kCurveHeatingPower}) {
      const bool cooling = kind == kCurveCoolingCapacity || kind == kCurveCoolingPower;
      if (!cooling && !heats) {
        EXPECT_EQ(m.curves.count(kind), 0u);
        continue;
      }
      const std::vector<double>& temps = cooling ? s.coolOutdoorTemps : s.heatOutdoorTemps;
      ASSERT_EQ(m.curves.at(kind).size(), ratios.size());
      for (const auto& [ratio, family] : m.curves.at(kind)) {
        std::vector<double> outdoor;
        for (const LTCurve& c : family) outdoor.push_back(c.outdoor);
        EXPECT_EQ(outdoor, temps);
        curves += family.size();
      }
    }
    EXPECT_EQ(m.defrost.empty(), !heats);
    EXPECT_EQ(m.variations.count(kVariationHeating), heats ? 1u : 0u);
  }
  EXPECT_EQ(curves, sections_[1].rows.size());
}

TEST_F(GeneratedTables, ReproduceTheRatedValuesAtTheRatingPoints) {
  // The program's own wet bulb of the cooling rating (27 °C dry bulb, 50 %).
  const double wetBulb = TAir().WetBulbTemperature(27, 50);
  const auto at = [](const std::vector<LTCurve>& family, double outdoor, double x) {
    for (const LTCurve& c : family) {
      if (c.outdoor == outdoor) return c.Value(x);
    }
    ADD_FAILURE() << "no curve at " << outdoor;
    return 0.0;
  };
  for (const LTModelRating& rating : input_.models) {
    SCOPED_TRACE(rating.name);
    const LTModelTables& m = models_[rating.name];
    const auto& curves = m.curves;
    EXPECT_NEAR(at(curves.at(5).at(100), 35, wetBulb), rating.coolingCapacity,
                0.005 * rating.coolingCapacity);
    EXPECT_NEAR(at(curves.at(6).at(100), 35, wetBulb), rating.coolingPower,
                0.005 * rating.coolingPower);
    const auto row = std::find(m.ratios.begin(), m.ratios.end(), 100.0) - m.ratios.begin();
    EXPECT_NEAR(m.coolingSizes.at(row), rating.coolingCapacity, 0.0051);
    if (!rating.hasHeating) continue;
    EXPECT_NEAR(at(curves.at(2).at(100), 7, 20), rating.heatingCapacity,
                0.005 * rating.heatingCapacity);
    EXPECT_NEAR(at(curves.at(4).at(100), 7, 20), rating.heatingPower, 0.005 * rating.heatingPower);
    EXPECT_NEAR(m.heatingSizes.at(row), rating.heatingCapacity, 0.0051);
  }
}

TEST_F(GeneratedTables, CapacitiesMoveTheWayThePhysicsDoes) {
  // Cooling capacity rises with the indoor wet bulb and falls with the outdoor temperature;
  // heating capacity rises with the outdoor temperature and falls with the indoor temperature.
  // Every value is positive over the whole range of the curves, and an efficiency stays
  // between 1 and 12.
  for (const LTModelRating& rating : input_.models) {
    SCOPED_TRACE(rating.name);
    const LTSeriesConstants& s = *input_.FindSeries(rating.series);
    const LTModelTables& m = models_[rating.name];
    for (const int kind : {kCurveCoolingCapacity, kCurveHeatingCapacity}) {
      if (!m.curves.count(kind)) continue;
      const bool cooling = kind == kCurveCoolingCapacity;
      const double lo = cooling ? s.coolIndoorLow : s.heatIndoorLow;
      const double hi = cooling ? s.coolIndoorHigh : s.heatIndoorHigh;
      for (const auto& [ratio, family] : m.curves.at(kind)) {
        const std::vector<LTCurve>& power = m.curves.at(cooling ? 6 : 4).at(ratio);
        for (int i = 0; lo + i * 0.1 <= hi + 1e-9; ++i) {
          const double x = lo + i * 0.1;
          for (std::size_t k = 0; k < family.size(); ++k) {
            const double y = family[k].Value(x);
            const double efficiency = y / power[k].Value(x);
            ASSERT_TRUE(efficiency > 1.0 && efficiency < 12.0)
                << ratio << " % " << family[k].outdoor << " at " << x << ": " << efficiency;
            if (i > 0) {
              const double before = family[k].Value(x - 0.1);
              ASSERT_TRUE(cooling ? y > before : y < before)
                  << ratio << " % " << family[k].outdoor << " at " << x;
            }
            if (k > 0) {
              const double colder = family[k - 1].Value(x);
              ASSERT_TRUE(cooling ? y < colder : y > colder)
                  << ratio << " % " << family[k].outdoor << " at " << x;
            }
          }
        }
      }
    }
  }
}

TEST_F(GeneratedTables, CombinationRowsGrowWithTheRatioAndFlattenAboveIt) {
  for (const LTModelRating& rating : input_.models) {
    SCOPED_TRACE(rating.name);
    const LTModelTables& m = models_[rating.name];
    for (std::size_t i = 0; i < m.ratios.size(); ++i) {
      EXPECT_DOUBLE_EQ(m.indexes[i], rating.index * m.ratios[i] / 100.0);
      if (i > 0) {
        EXPECT_GT(m.coolingSizes[i], m.coolingSizes[i - 1]);
      }
    }
    const auto size = [&](double ratio) {
      const auto at = std::find(m.ratios.begin(), m.ratios.end(), ratio) - m.ratios.begin();
      return m.coolingSizes.at(at) / rating.coolingCapacity;
    };
    EXPECT_NEAR(size(50), 0.5, 0.05);    // about proportional below 100 %
    EXPECT_NEAR(size(130), 1.09, 0.04);  // flattening above
    if (m.ratios.back() == 200) {
      EXPECT_LT(size(200) - size(150), 0.02);
    }
  }
}

TEST_F(GeneratedTables, PipingAndDefrostFactorsFallAsTheyShould) {
  for (const LTModelRating& rating : input_.models) {
    SCOPED_TRACE(rating.name);
    const LTModelTables& m = models_[rating.name];
    for (const auto& [kind, rows] : m.variations) {
      ASSERT_GE(rows.size(), 2u);
      EXPECT_EQ(rows.front(), std::make_pair(0.0, 1.0));
      for (std::size_t i = 1; i < rows.size(); ++i) {
        EXPECT_GT(rows[i].first, rows[i - 1].first);
        EXPECT_LT(rows[i].second, rows[i - 1].second);
      }
      EXPECT_GE(rows.back().first, 165);
      EXPECT_LE(rows.back().first, 190);
      EXPECT_NEAR(rows.back().second, kind == kVariationCooling ? 0.82 : 0.90, 0.02);
    }
    if (m.defrost.empty()) continue;
    const std::vector<double> temps = {-7, -5, -3, 0, 3, 5, 7};
    ASSERT_EQ(m.defrost.size(), temps.size());
    for (std::size_t i = 0; i < temps.size(); ++i) EXPECT_EQ(m.defrost[i].first, temps[i]);
    const auto lowest = std::min_element(m.defrost.begin(), m.defrost.end(),
                                         [](auto a, auto b) { return a.second < b.second; });
    EXPECT_GE(lowest->first, -3);
    EXPECT_LE(lowest->first, 0);
    EXPECT_NEAR(lowest->second, 0.865, 0.02);
    EXPECT_EQ(m.defrost.back().second, 1.0);
  }
}

// The generator run again on the same inputs writes the same bytes as the build's run, and says
// nothing.
TEST_F(GeneratedTables, AreTheSameBytesEveryTime) {
  testsupport::TempDir dir;
  std::string output;
  ASSERT_EQ(Generate(dir.File("again.tsv"), &output), 0) << output;
  EXPECT_EQ(output, "");
  EXPECT_TRUE(testsupport::ReadFile(dir.File("again.tsv")) == text_);
}
