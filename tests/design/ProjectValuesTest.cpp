#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "DesignStore.h"
#include "catalogue/IndoorUnits.h"
#include "design/QsBSBPlacement.h"
#include "design/QsCentralControl.h"
#include "design/QsHeaderPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"
#include "design/ValueFormat.h"
#include "design/VentilationChoice.h"
#include "i18n/NumberText.h"
#include "i18n/Units.h"
#include "support/TestSupport.h"

namespace {

using testsupport::Ansi;

class ProjectValues : public ::testing::Test {
 protected:
  void TearDown() override {
    CTUnitData::ResetUnits();
    SetUserDecimalSeparator('.');
  }
};

TEST_F(ProjectValues, FormattedInTheDisplayUnits) {
  using P = Cls_QsProject;
  struct Case {
    std::string what;
    std::function<std::string()> format;
    std::string expected;  // UTF-8
  };
  auto in = [](U_RepUnit dimension, int unit, std::function<std::string()> format) {
    return [=] {
      CTUnitData::SetCurrentUnit(dimension, unit);
      const std::string text = format();
      CTUnitData::SetCurrentUnit(dimension, 0);
      return text;
    };
  };
  const std::vector<Case> cases = {
      {"power", [] { return P::FormatPower(false, 2.54); }, "2.5"},
      {"power with unit", [] { return P::FormatPower(true, 2.54); }, "2.5 кВт"},
      {"no power", [] { return P::FormatPower(true, 0); }, ""},
      {"power in kcal/h", in(U_Power, 1, [] { return P::FormatPower(true, 1.163); }),
       "1000 ккал/ ч"},
      {"temperature 0", [] { return P::FormatTemperature(true, 0); }, "0.0 °C"},
      {"temperature in F", in(U_Temperature, 1, [] { return P::FormatTemperature(true, 20); }),
       "68.0 °F"},
      // Air flows are given in m³/h and shown in l/s by default.
      {"air flow", [] { return P::FormatAirflow(true, 360); }, "100.0 л/с"},
      {"air flow 0", [] { return P::FormatAirflow(false, 0); }, "0.0"},
      {"air flow in m3/h", in(U_Airflow, 1, [] { return P::FormatAirflow(true, 360); }),
       "360 миль/ч"},
      {"mass", [] { return P::FormatMass(true, false, 12.3456); }, "12.346 кг"},
      {"no mass", [] { return P::FormatMass(true, false, 0); }, ""},
      {"mass as integer", [] { return P::FormatMass(true, true, 12.6); }, "13 кг"},
      {"mass rounding to 0", [] { return P::FormatMass(false, true, 0.4); }, ""},
      {"mass rounding to 0 with unit", [] { return P::FormatMass(true, true, 0.4); }, "кг"},
      {"mass in lbs", in(U_Mass, 1, [] { return P::FormatMass(true, true, 1); }), "2 lbs"},
      {"length", [] { return P::FormatLength(true, 45); }, "45.000 м"},
      {"no length", [] { return P::FormatLength(true, 0); }, ""},
      {"short length 0", [] { return P::FormatShortLength(true, 0); }, "0 мм"},
      {"short length in inches",
       in(U_ShortLength, 1, [] { return P::FormatShortLength(true, 25.4); }), "1.0 дюйм"},
      {"the user's decimal separator",
       [] {
         SetUserDecimalSeparator(',');
         const std::string text = P::FormatPower(false, 2.5) + " " + FormatGeneralNumber(22.5);
         SetUserDecimalSeparator('.');
         return text;
       },
       "2,5 22,5"},
      {"general numbers", [] { return FormatGeneralNumber(45) + " " + FormatGeneralNumber(0.1); },
       "45 0.1"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.format(), Ansi(c.expected)) << c.what;
}

TEST_F(ProjectValues, FormatVersionAcceptance) {
  struct Case {
    std::string file;
    std::string program;
    bool accepted;
  };
  for (const Case& c : std::vector<Case>{{"1.3", "1.3", true},
                                         {"1.1", "1.3", true},
                                         {"2.0", "1.3", true},
                                         {" 1.2 ", "1.3", true},
                                         {"1.0", "1.3", false},
                                         {"", "1.3", false},
                                         {"abc", "1.3", false},
                                         {"0", "1.3", false},
                                         {"1,3", "1.3", false},
                                         // An older program reads only its own version.
                                         {"1.1", "1.1", true},
                                         {"1.3", "1.1", false},
                                         {"1.3", "", false}}) {
    EXPECT_EQ(Cls_QsProject::IsFormatVersionAccepted(c.file, c.program), c.accepted)
        << "'" << c.file << "' in " << c.program;
  }
  EXPECT_TRUE(Cls_QsProject::IsFormatVersionAccepted("1.1"));
}

TEST(PlacementImages, IndexesByKindAndChoice) {
  DesignStore d;
  Cls_QsOutPlacement* system = d.AddSystem();
  struct Case {
    std::string what;
    CTDbObject* object;
    int index;
  };
  Cls_QsIndPlacement* automatic = d.project->AddIndoorPlacement();
  Cls_QsIndPlacement* manual = d.project->AddIndoorPlacement();
  manual->SetManualSelect(true);
  Cls_QsAXDPlacement* axd = d.project->AddAXDPlacement();
  Cls_QsAXDPlacement* axdManual = d.project->AddAXDPlacement();
  axdManual->SetManualSelect(true);
  Cls_QsCenCoPlacement controller(0, &d.store.factory);
  const std::vector<Case> cases = {
      {"box", d.project->AddBSBoxPlacement(*system, *system, nullptr), 0},
      {"indoor unit", automatic, 1},
      {"indoor unit by hand", manual, 4},
      {"controller", &controller, 8},
      {"project", d.project.get(), 10},
      {"header", d.project->AddHeaderPlacement(*system, *system, nullptr, 2), 11},
      {"unit with DX coil", axd, 12},
      {"unit with DX coil by hand", axdManual, 13},
      {"adapter-connected", d.project->AddAdapterPlacement(), 14},
      {"ventilation unit", d.project->AddAEXPlacement(), 15},
      {"catalogue model", d.Catalogue<Cls_IndoorUnit>("QFC-20"), -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cls_QsProject::GetPlacementImageIndex(*c.object), c.index) << c.what;
  }
  for (const auto& [family, index] : std::vector<std::pair<int, int>>{{0, 5}, {1, 7}, {2, 6}}) {
    system->SetFamily(family);
    EXPECT_EQ(Cls_QsProject::GetPlacementImageIndex(*system), index) << family;
  }

  EXPECT_EQ(Cls_QsProject::GetPlacementStateImage(*system), -1);
  system->SetError(10042, "", -1);
  EXPECT_EQ(Cls_QsProject::GetPlacementStateImage(*system), 9);
  system->SetError(10042, "", 1);
  EXPECT_EQ(Cls_QsProject::GetPlacementStateImage(*system), 3);
}

TEST(VentilationChoice, KindToAdd) {
  using K = TVentilationKind;
  struct Case {
    bool catalogueHasUnits;
    bool projectHasAXD;
    std::optional<std::optional<bool>> answer;  // unset: the chooser must not be asked
    K expected;
  };
  const std::vector<Case> cases = {
      {true, false, std::nullopt, K::kAEX},
      {true, true, std::optional<bool>(true), K::kAEX},
      {true, true, std::optional<bool>(false), K::kAXD},
      {true, true, std::optional<bool>(), K::kNone},
      {false, true, std::nullopt, K::kAXD},
      {false, false, std::nullopt, K::kNone},
  };
  for (const Case& c : cases) {
    bool asked = false;
    const K kind = ChooseVentilationKind(c.catalogueHasUnits, c.projectHasAXD, [&] {
      asked = true;
      return c.answer.value_or(std::nullopt);
    });
    EXPECT_EQ(kind, c.expected) << c.catalogueHasUnits << c.projectHasAXD;
    EXPECT_EQ(asked, c.answer.has_value()) << c.catalogueHasUnits << c.projectHasAXD;
  }
  EXPECT_EQ(ChooseVentilationKind(true, true, nullptr), K::kNone);
}

}  // namespace
