#include <gtest/gtest.h>

#include <dirent.h>

#include <string>

#include "PerformanceInput.h"
#include "PerformanceTables.h"
#include "support/TestSupport.h"

namespace {

// A small heat-pump series and three models of it, the last made of the other two.
const std::string kSeries =
    "# test series\n"
    "@series\tQOT\n"
    "CoolingRating\t27\t50\t35\n"
    "HeatingRating\t20\t7\n"
    "CoolingIndoorRange\t12\t24\n"
    "HeatingIndoorRange\t10\t27\n"
    "CoolingOutdoorTemps\t-5 20 35 46\n"
    "HeatingOutdoorTemps\t-20\t7\t15.5\n"
    "CombinationRows\t50\t10\n"
    "LoadSharpness\t8\n"
    "CompressorReserve\t1.12\n"
    "CoolingIndoorSlope\t0.035\n"
    "CoolingCompressorSlope\t0.022\n"
    "CoolingOutdoorSlope\t0.012\n"
    "CoolingOutdoorSpan\t20\n"
    "HeatingIndoorSlope\t0.008\n"
    "HeatingCompressorSlope\t0.002\n"
    "HeatingOutdoorSlope\t0.0216\n"
    "HeatingOutdoorSpan\t30\n"
    "CoolingEvaporatorApproach\t12\n"
    "CoolingCondenserApproach\t10\n"
    "MinCondensing\t25\n"
    "CondensingSmoothing\t3\n"
    "HeatingCondenserApproach\t25\n"
    "HeatingEvaporatorApproach\t9\n"
    "LiftOffset\t10\n"
    "LiftExponent\t1.5\n"
    "AuxiliaryFraction\t0.05\n"
    "PipingLengths\t0 20 100 165\n"
    "PipingCoolingAtMax\t0.82\n"
    "PipingHeatingAtMax\t0.90\n"
    "PipingExponent\t1.15\n"
    "DefrostTemps\t-7 0 7\n"
    "DefrostFactors\t0.94 0.86 1.0\n";

const std::string kModels =
    "# test models\r\n"
    "@columns\tModel\tSeries\tModules\tCoolingCapacity\tCoolingPower\tHeatingCapacity\t"
    "HeatingPower\tIndex\tMaxRatio\r\n"
    "QOT-08\tQOT\t\t22.4\t5.60\t25.0\t5.81\t200\t200\r\n"
    "QOT-10\tQOT\t\t28.0\t7.27\t31.5\t7.54\t250\t130\r\n"
    "QOT-18\tQOT\tQOT-08+QOT-10\t50.4\t12.87\t56.5\t13.35\t450\t130\r\n";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// 1-based number of the line of text holding needle.
int LineOf(const std::string& text, const std::string& needle) {
  const auto at = text.find(needle);
  EXPECT_NE(at, std::string::npos) << needle;
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + at, '\n'));
}

// The error reading and checking the two texts gives, or "" when they are accepted.
std::string ErrorOf(const std::string& series, const std::string& models) {
  try {
    LTPerformanceInput input;
    ReadPerformanceText("series.tsv", series, input);
    ReadPerformanceText("models.tsv", models, input);
    CheckPerformanceInput(input);
  } catch (const CTPerformanceError& e) {
    return e.what();
  }
  return "";
}

std::string Performance(const std::string& args, std::string* output) {
  const int status =
      testsupport::RunCommand(std::string(QRN_PERFORMANCE_PATH) + " " + args, output);
  return std::to_string(status);
}

}  // namespace

TEST(PerformanceInput, ReadsSeriesAndModels) {
  LTPerformanceInput input;
  ReadPerformanceText("series.tsv", kSeries, input);
  ReadPerformanceText("models.tsv", kModels, input);
  CheckPerformanceInput(input);
  ASSERT_EQ(input.series.size(), 1u);
  EXPECT_EQ(input.series[0].coolOutdoorTemps, (std::vector<double>{-5, 20, 35, 46}));
  EXPECT_EQ(input.series[0].heatOutdoorTemps, (std::vector<double>{-20, 7, 15.5}));
  EXPECT_DOUBLE_EQ(input.series[0].coolRatingHumidity, 50);
  ASSERT_EQ(input.models.size(), 3u);
  const LTModelRating& unit = input.models[2];
  EXPECT_EQ(unit.name, "QOT-18");
  EXPECT_EQ(unit.modules, (std::vector<std::string>{"QOT-08", "QOT-10"}));
  EXPECT_DOUBLE_EQ(unit.heatingPower, 13.35);
  EXPECT_EQ(unit.line, 5);
  EXPECT_TRUE(unit.hasHeating);
}

TEST(PerformanceInput, FaultsNameTheFileAndLine) {
  struct Case {
    bool inSeries;  // the change is to the series text, else to the models text
    std::string from, to;
    std::string lineOf;  // text on the line the error names, after the change
    std::string message;
  } cases[] = {
      {false, "22.4\t5.60", "22,4\t5.60", "QOT-08", "bad number '22,4' for CoolingCapacity"},
      {false, "22.4\t5.60", "nan\t5.60", "QOT-08", "bad number 'nan' for CoolingCapacity"},
      {false, "22.4\t5.60", "1e999\t5.60", "QOT-08", "bad number '1e999' for CoolingCapacity"},
      {false, "22.4\t5.60", "\t5.60", "QOT-08", "bad number '' for CoolingCapacity"},
      {false, "\t200\t200", "\t200\t2OO", "QOT-08", "bad number '2OO' for MaxRatio"},
      {false, "QOT-08\tQOT\t", "QOT-08\tQOX\t", "QOT-08", "unknown series 'QOX'"},
      {false, "\tCoolingPower", "", "@columns", "missing column CoolingPower"},
      {false, "\tIndex", "\tIndx", "@columns", "unknown column 'Indx'"},
      {false, "7.54\t250\t130", "7.54\t250\t130\t1", "QOT-10", "more cells than columns"},
      {false, "25.0\t5.81", "\t", "QOT-08",
       "series 'QOT' heats: HeatingCapacity and HeatingPower are needed"},
      {false, "50.4\t12.87", "50.5\t12.87", "QOT-18",
       "rated values differ from the sums of the modules"},
      {false, "QOT-08+QOT-10", "QOT-08+QOT-12", "QOT-18",
       "module 'QOT-12' is no single module of series 'QOT'"},
      {false, "QOT-10\tQOT", "QOT-08\tQOT", "28.0", "model 'QOT-08' listed twice"},
      {false, "QOT-10\tQOT", "QOT-*\tQOT", "QOT-*", "invalid character in model name 'QOT-*'"},
      {false, "250\t130", "250\t135", "QOT-10",
       "MaxRatio must be a combination row of the series at or above 100 %"},
      {false, "7.27", "70.27", "QOT-10", "power input above the capacity (an efficiency below 1)"},
      {true, "LiftOffset", "LiftOfset", "LiftOfset", "unknown series key 'LiftOfset'"},
      {true, "LiftExponent\t1.5\n", "", "@series", "series 'QOT' lacks key LiftExponent"},
      {true, "-5 20 35 46", "-5 35 20 46", "CoolingOutdoorTemps",
       "CoolingOutdoorTemps must ascend strictly"},
      {true, "-5 20 35 46", "-5 20 30 46", "CoolingOutdoorTemps",
       "CoolingOutdoorTemps must hold the rating outdoor temperature"},
      {true, "LoadSharpness\t8", "LoadSharpness\t8 9", "LoadSharpness",
       "LoadSharpness takes 1 value"},
      {true, "CompressorReserve\t1.12", "CompressorReserve\t3", "CompressorReserve",
       "CompressorReserve value '3' outside its plausible range"},
      {true, "0.94 0.86 1.0", "0.94 0.86", "DefrostFactors",
       "DefrostFactors must give one factor per defrost temperature"},
      {true, "DefrostTemps", "DefrostTemps\t1\n@bogus\nX", "@bogus", "unknown directive '@bogus'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    const std::string series = c.inSeries ? Replaced(kSeries, c.from, c.to) : kSeries;
    const std::string models = c.inSeries ? kModels : Replaced(kModels, c.from, c.to);
    const std::string file = c.inSeries ? "series.tsv" : "models.tsv";
    const int line = LineOf(c.inSeries ? series : models, c.lineOf);
    EXPECT_EQ(ErrorOf(series, models), file + ":" + std::to_string(line) + ": " + c.message);
  }
}

TEST(PerformanceInput, CoolingOnlySeriesTakeNoHeating) {
  // Without heating temperatures the heating keys are refused, and so are heating values.
  std::string series = Replaced(kSeries, "HeatingOutdoorTemps\t-20\t7\t15.5\n", "");
  EXPECT_EQ(ErrorOf(series, kModels),
            "series.tsv:" + std::to_string(LineOf(series, "HeatingRating")) +
                ": HeatingRating in a series without HeatingOutdoorTemps");
  for (const char* key :
       {"HeatingRating", "HeatingIndoorRange", "HeatingIndoorSlope", "HeatingCompressorSlope",
        "HeatingOutdoorSlope", "HeatingOutdoorSpan", "HeatingCondenserApproach",
        "HeatingEvaporatorApproach", "PipingHeatingAtMax", "DefrostTemps", "DefrostFactors"}) {
    const auto at = series.find(std::string(key) + "\t");
    ASSERT_NE(at, std::string::npos) << key;
    series.erase(at, series.find('\n', at) + 1 - at);
  }
  EXPECT_EQ(ErrorOf(series, kModels),
            "models.tsv:3: series 'QOT' is cooling only: no heating values");
  const std::string models =
      "@columns\tModel\tSeries\tCoolingCapacity\tCoolingPower\tIndex\tMaxRatio\n"
      "QOT-08\tQOT\t22.4\t5.60\t200\t130\n";
  EXPECT_EQ(ErrorOf(series, models), "");
}

TEST(PerformanceInput, AModelNoCurveCanFollowIsRefusedAtItsRow) {
  // A part-load knee so sharp that no degree-7 polynomial follows it within 0.1 %.
  std::string series = Replaced(kSeries, "LoadSharpness\t8", "LoadSharpness\t50");
  series = Replaced(series, "CompressorReserve\t1.12", "CompressorReserve\t1.001");
  series = Replaced(series, "CoolingIndoorSlope\t0.035", "CoolingIndoorSlope\t0.2");
  LTPerformanceInput input;
  ReadPerformanceText("series.tsv", series, input);
  ReadPerformanceText("models.tsv", kModels, input);
  try {
    GeneratePerformanceTables(input, {"series.tsv", "models.tsv"});
    ADD_FAILURE() << "no error";
  } catch (const CTPerformanceError& e) {
    const std::string message = e.what();
    EXPECT_EQ(message.rfind("models.tsv:3: cooling capacity curve at ", 0), 0u) << message;
    EXPECT_NE(message.find(": the fitted curve deviates by "), std::string::npos) << e.what();
  }
}

TEST(PerformanceTool, WritesNothingOnAnError) {
  testsupport::TempDir dir;
  testsupport::WriteFile(dir.File("series.tsv"), kSeries);
  testsupport::WriteFile(dir.File("models.tsv"), Replaced(kModels, "22.4", "22,4"));
  testsupport::WriteFile(dir.File("out.tsv"), "previous");
  const std::string args =
      dir.File("out.tsv") + " " + dir.File("series.tsv") + " " + dir.File("models.tsv");
  std::string output;
  EXPECT_EQ(Performance(args, &output), "1");
  EXPECT_EQ(output, dir.File("models.tsv") + ":3: bad number '22,4' for CoolingCapacity\n");
  EXPECT_EQ(testsupport::ReadFile(dir.File("out.tsv")), "previous");
  // Neither is a temporary file left behind.
  int files = 0;
  if (DIR* d = ::opendir(dir.Path().c_str())) {
    while (const dirent* entry = ::readdir(d)) files += entry->d_name[0] != '.';
    ::closedir(d);
  }
  EXPECT_EQ(files, 3);

  EXPECT_EQ(Performance(dir.File("out.tsv") + " " + dir.File("missing.tsv"), &output), "1");
  EXPECT_EQ(output.rfind(dir.File("missing.tsv") + ": cannot open: ", 0), 0u) << output;
  EXPECT_EQ(Performance(dir.File("out.tsv"), &output), "2");

  // With good input the file is replaced.
  testsupport::WriteFile(dir.File("models.tsv"), kModels);
  EXPECT_EQ(Performance(args, &output), "0") << output;
  EXPECT_NE(testsupport::ReadFile(dir.File("out.tsv")).find("@table\tTBL_OutCapacity\n"),
            std::string::npos);
}

TEST(PerformanceInput, TablesNoCatalogueNeedsAreRefusedBeforeTheWork) {
  // Rows every 1 % to 200 % and 64 curve temperatures per mode: 51200 curves a model, so the
  // fourth model passes the limit.
  std::string temps;
  for (int t = 0; t < 64; ++t) temps += " " + std::to_string(t - 20);
  std::string series = Replaced(kSeries, "CombinationRows\t50\t10", "CombinationRows\t1\t1");
  series = Replaced(series, "CoolingOutdoorTemps\t-5 20 35 46", "CoolingOutdoorTemps\t" + temps);
  series = Replaced(series, "HeatingOutdoorTemps\t-20\t7\t15.5", "HeatingOutdoorTemps\t" + temps);
  std::string models =
      "@columns\tModel\tSeries\tCoolingCapacity\tCoolingPower\tHeatingCapacity\t"
      "HeatingPower\tIndex\tMaxRatio\n";
  for (int i = 1; i <= 5; ++i)
    models += "QOT" + std::to_string(i) + "\tQOT\t22.4\t5.6\t25\t5.8\t200\t200\n";
  LTPerformanceInput input;
  ReadPerformanceText("series.tsv", series, input);
  ReadPerformanceText("models.tsv", models, input);
  try {
    GeneratePerformanceTables(input, {"series.tsv", "models.tsv"});
    ADD_FAILURE() << "no error";
  } catch (const CTPerformanceError& e) {
    EXPECT_STREQ(e.what(), "models.tsv:5: the tables would hold more than 200000 curves");
  }
}

TEST(PerformanceInput, DamagedInputFailsWithAMessage) {
  // Random single-byte damage and truncation of good input: every outcome is either accepted
  // or a CTPerformanceError naming a place; nothing else may escape and nothing may crash.
  const std::string noise = testsupport::RandomBytes(4000, 17);
  for (int i = 0; i < 2000; ++i) {
    std::string series = kSeries, models = kModels;
    std::string& target = i % 2 ? series : models;
    const std::size_t at = static_cast<unsigned char>(noise[2 * i]) * target.size() / 256;
    if (i % 5 == 0) {
      target.resize(at);
    } else {
      target[at] = noise[2 * i + 1];
    }
    const std::string error = ErrorOf(series, models);
    if (error.empty()) continue;
    EXPECT_TRUE(error.rfind("series.tsv:", 0) == 0 || error.rfind("models.tsv:", 0) == 0) << error;
  }
}
