#include "PerformanceTables.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "CurveFit.h"
#include "PerformanceModel.h"
#include "physics/PerformanceCurve.h"

namespace {

const char* KindName(int kind) {
  switch (kind) {
    case kCurveCoolingCapacity:
      return "cooling capacity";
    case kCurveCoolingPower:
      return "cooling power input";
    case kCurveHeatingCapacity:
      return "heating capacity";
    default:
      return "heating power input";
  }
}

// Rounds to the given number of decimals; the result is the double nearest to that decimal.
double Round(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::round(value * scale) / scale;
}

// Rows of every model: the model is named once per model by a @set of the reference, whose
// column comes last and is left out of the rows (a missing trailing cell takes the default).
class CTTableText {
 public:
  explicit CTTableText(std::string& out) : out_(out) {}

  void Section(const char* table, std::initializer_list<const char*> columns,
               const char* reference) {
    out_ += "\n@table\t";
    out_ += table;
    out_ += "\n@columns";
    for (const char* column : columns) {
      out_ += '\t';
      out_ += column;
    }
    out_ += '\t';
    out_ += reference;
    out_ += '\n';
    reference_ = reference;
  }
  void Model(const std::string& name) {
    out_ += "@set\t";
    out_ += reference_;
    out_ += "\tTBL_OutdoorUnit:";
    out_ += name;
    out_ += '\n';
  }
  void Row(std::initializer_list<std::string> cells) {
    bool first = true;
    for (const std::string& cell : cells) {
      if (!first) out_ += '\t';
      out_ += cell;
      first = false;
    }
    out_ += '\n';
  }

 private:
  std::string& out_;
  const char* reference_ = "";
};

void WriteCombinations(CTTableText& text, const std::vector<CTPerformanceModel>& models,
                       LTPerformanceSummary& summary) {
  text.Section("TBL_OutCombination",
               {"OCT_Combination", "OCT_CapIndex", "OCT_CUnitSize", "OCT_HUnitSize"},
               "OCT_OutdoorUnit");
  for (const CTPerformanceModel& m : models) {
    const LTSeriesConstants& s = m.Series();
    text.Model(m.Model().name);
    for (const double r : m.Ratios()) {
      const double cooling =
          static_cast<double>(m.CoolingCapacity(r, s.coolRatingOutdoor, m.CoolingRatingWetBulb()));
      const double heating =
          m.HasHeating()
              ? static_cast<double>(m.HeatingCapacity(r, s.heatRatingOutdoor, s.heatRatingIndoor))
              : 0.0;
      text.Row({FormatNumber(r), FormatNumber(m.Model().index * r / 100.0),
                FormatNumber(Round(cooling, 2)), FormatNumber(Round(heating, 2))});
      ++summary.combinationRows;
    }
  }
}

void WriteCurves(CTTableText& text, const std::vector<CTPerformanceModel>& models,
                 LTPerformanceSummary& summary) {
  text.Section("TBL_OutCapacity",
               {"POL_Type", "POL_Select2", "POL_Select1", "POL_A0", "POL_A1", "POL_A2", "POL_A3",
                "POL_A4", "POL_A5", "POL_A6", "POL_A7"},
               "POL_OutdoorUnit");
  for (const CTPerformanceModel& m : models) {
    const LTSeriesConstants& s = m.Series();
    text.Model(m.Model().name);
    for (const double r : m.Ratios()) {
      for (const int kind :
           {kCurveCoolingCapacity, kCurveCoolingPower, kCurveHeatingCapacity, kCurveHeatingPower}) {
        const bool cooling = kind == kCurveCoolingCapacity || kind == kCurveCoolingPower;
        if (!cooling && !m.HasHeating()) continue;
        const double lo = cooling ? s.coolIndoorLow : s.heatIndoorLow;
        const double hi = cooling ? s.coolIndoorHigh : s.heatIndoorHigh;
        for (const double to : cooling ? s.coolOutdoorTemps : s.heatOutdoorTemps) {
          const LTCurveFit fit = FitCurve(m.Curve(kind, r, to), lo, hi);
          const std::string where = std::string(KindName(kind)) + " curve at " + FormatNumber(r) +
                                    " %, outdoor " + FormatNumber(to);
          if (!fit.written.valid || !fit.stored.valid)
            throw CTPerformanceError(m.Model().file, m.Model().line,
                                     where + ": the model gives no finite positive value");
          if (!fit.Accepted()) {
            const LTCurveDeviation& d =
                fit.written.worst >= fit.stored.worst ? fit.written : fit.stored;
            throw CTPerformanceError(m.Model().file, m.Model().line,
                                     where + ": the fitted curve deviates by " +
                                         FormatNumber(Round(d.worst * 100.0, 4)) + " % at " +
                                         FormatNumber(Round(d.at, 2)) + " (at most 0.1 % allowed)");
          }
          text.Row({FormatNumber(kind), FormatNumber(r), FormatNumber(to),
                    FormatCoefficient(fit.a[0]), FormatCoefficient(fit.a[1]),
                    FormatCoefficient(fit.a[2]), FormatCoefficient(fit.a[3]),
                    FormatCoefficient(fit.a[4]), FormatCoefficient(fit.a[5]),
                    FormatCoefficient(fit.a[6]), FormatCoefficient(fit.a[7])});
          ++summary.curves;
          ++summary.curvesOfDegree[fit.degree];
          summary.worstDeviation =
              std::max({summary.worstDeviation, fit.written.worst, fit.stored.worst});
        }
      }
    }
  }
}

void WriteVariations(CTTableText& text, const std::vector<CTPerformanceModel>& models,
                     LTPerformanceSummary& summary) {
  text.Section("TBL_CapVariation", {"CVT_Type", "CVT_Length", "CVT_Corr"}, "CVT_OutdoorUnit");
  for (const CTPerformanceModel& m : models) {
    text.Model(m.Model().name);
    for (const int type : {kVariationCooling, kVariationHeating}) {
      const bool cooling = type == kVariationCooling;
      if (!cooling && !m.HasHeating()) continue;
      for (const double length : m.Series().pipingLengths) {
        text.Row({FormatNumber(type), FormatNumber(length),
                  FormatNumber(m.PipingFactor(cooling, length))});
        ++summary.variationRows;
      }
    }
  }
}

void WriteDefrost(CTTableText& text, const std::vector<CTPerformanceModel>& models,
                  LTPerformanceSummary& summary) {
  text.Section("TBL_FreezeUp", {"FRE_Temp", "FRE_Corr"}, "FRE_OutdoorUnit");
  for (const CTPerformanceModel& m : models) {
    if (!m.HasHeating()) continue;
    text.Model(m.Model().name);
    const LTSeriesConstants& s = m.Series();
    for (std::size_t i = 0; i < s.defrostTemps.size(); ++i) {
      text.Row({FormatNumber(s.defrostTemps[i]), FormatNumber(s.defrostFactors[i])});
      ++summary.defrostRows;
    }
  }
}

}  // namespace

std::string FormatCoefficient(double value) {
  if (value == 0.0) return "0";
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
  return std::string(buffer, result.ptr);
}

std::string FormatNumber(double value) {
  if (value == 0.0) return "0";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string GeneratePerformanceTables(const LTPerformanceInput& input,
                                      const std::vector<std::string>& sources,
                                      LTPerformanceSummary* summary) {
  CheckPerformanceInput(input);
  std::vector<CTPerformanceModel> models;
  models.reserve(input.models.size());
  for (const LTModelRating& m : input.models) models.emplace_back(*input.FindSeries(m.series), m);
  // The input decides how many curves there are; refuse a count no catalogue needs before
  // spending the time on it.
  std::size_t curves = 0;
  for (const CTPerformanceModel& m : models) {
    const LTSeriesConstants& s = m.Series();
    curves += 2 * m.Ratios().size() *
              (s.coolOutdoorTemps.size() + (m.HasHeating() ? s.heatOutdoorTemps.size() : 0));
    if (curves > kMaxPerformanceCurves)
      throw CTPerformanceError(
          m.Model().file, m.Model().line,
          "the tables would hold more than " + std::to_string(kMaxPerformanceCurves) + " curves");
  }

  std::string out =
      "# Performance tables of the outdoor models: combination rows, capacity and power-input\n"
      "# curves, piping and defrost factors. Generated by qrn-performance from:";
  for (const std::string& source : sources) out += " " + source;
  out += "\n# Do not edit: change the inputs and regenerate.\n";

  LTPerformanceSummary local;
  CTTableText text(out);
  WriteCombinations(text, models, local);
  WriteCurves(text, models, local);
  WriteVariations(text, models, local);
  WriteDefrost(text, models, local);
  if (summary) *summary = local;
  return out;
}
