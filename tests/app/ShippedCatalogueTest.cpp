// Checks of the catalogue the program ships with: it loads, its references resolve, and every
// outdoor model's performance data, piping rows and compatibility make sense for design work.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/ProgramFactory.h"
#include "app/ProgramGlossary.h"
#include "catalogue/CapacityTables.h"
#include "catalogue/Combinations.h"
#include "catalogue/DeviceOptions.h"
#include "catalogue/Devices.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorCapacity.h"
#include "catalogue/OutdoorUnits.h"
#include "catalogue/PipingTables.h"
#include "catalogue/VersionInfo.h"
#include "i18n/BuiltinMessages.h"
#include "i18n/Glossary.h"
#include "i18n/HeadlessMessageUi.h"
#include "objectstore/DbEngine.h"
#include "objectstore/TableInfo.h"
#include "physics/MoistAir.h"
#include "platform/CodePage.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

namespace {

// The program's factory connected once to the embedded catalogue for the whole suite.
class ShippedCatalogue : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir = new testsupport::TempDir;
    settings = new CTSettingsStore(dir->File("user.txt"), dir->File("machine.txt"));
    CTSettingsStore::SetProcess(settings);
    RegisterBuiltinMessages();
    ui = new CTHeadlessMessageUi;
    scoped = new CTScopedMessageUi(*ui);
    RegisterProgramEngines();
    factory = new CTFactory;
    defaultFactory = new CTScopedDefaultFactory(*factory);
    factory->SetReadOnly(CTFactory::kCatalogue, true);
    glossary = new CTGlossary;
    glossaryLoaded = LoadProgramGlossary(*glossary);
    factory->SetGlossary(CTFactory::kCatalogue, glossary);
    connected = factory->ConnectAll();
  }
  static void TearDownTestSuite() {
    factory->DisconnectAll();
    delete defaultFactory;
    delete factory;
    delete glossary;
    delete scoped;
    delete ui;
    CTSettingsStore::SetProcess(nullptr);
    delete settings;
    delete dir;
  }
  void SetUp() override { ASSERT_TRUE(connected); }

  template <class T>
  static std::vector<T*> All(int tableId) {
    std::vector<T*> result;
    for (const auto& object : CTDbObject::AllObjects(tableId, false, factory)) {
      auto* cached =
          dynamic_cast<T*>(CTDbObject::CachedObject(tableId, object->RecordId(), factory));
      if (cached && !cached->IsDeleted()) result.push_back(cached);
    }
    return result;
  }
  static std::vector<Cls_OutdoorUnit*> OutdoorUnits() {
    return All<Cls_OutdoorUnit>(Cls_OutdoorUnit::kTableId);
  }

  static testsupport::TempDir* dir;
  static CTSettingsStore* settings;
  static CTHeadlessMessageUi* ui;
  static CTScopedMessageUi* scoped;
  static CTFactory* factory;
  static CTScopedDefaultFactory* defaultFactory;
  static CTGlossary* glossary;
  static bool glossaryLoaded;
  static bool connected;
};

testsupport::TempDir* ShippedCatalogue::dir = nullptr;
CTSettingsStore* ShippedCatalogue::settings = nullptr;
CTHeadlessMessageUi* ShippedCatalogue::ui = nullptr;
CTScopedMessageUi* ShippedCatalogue::scoped = nullptr;
CTFactory* ShippedCatalogue::factory = nullptr;
CTScopedDefaultFactory* ShippedCatalogue::defaultFactory = nullptr;
CTGlossary* ShippedCatalogue::glossary = nullptr;
bool ShippedCatalogue::glossaryLoaded = false;
bool ShippedCatalogue::connected = false;

// Collects failures so that one test reports every offending model, not only the first.
class LTFindings {
 public:
  void Add(const std::string& text) {
    if (++count_ <= 25) list_ << "  " << text << '\n';
  }
  bool Empty() const { return count_ == 0; }
  std::string Text() const { return std::to_string(count_) + " finding(s):\n" + list_.str(); }

 private:
  int count_ = 0;
  std::ostringstream list_;
};

// The nominal cooling or heating capacity of the model's 100 % combination row.
double RatedAt100(Cls_OutdoorUnit& unit, bool cooling) {
  for (const auto& record :
       unit.RelatedObjects(Cls_OutCombination::kTableId, Cls_OutCombination::kOutdoorUnit)) {
    auto* row = dynamic_cast<Cls_OutCombination*>(record.get());
    if (row && row->Combination() == 100.0) return cooling ? row->CUnitSize() : row->HUnitSize();
  }
  return 0.0;
}

// The rated values of every model as the performance sources give them: model name -> cooling
// capacity, cooling power, heating capacity, heating power (kW; heating 0 for cooling only).
std::map<std::string, std::vector<double>> RatedValuesFromSources() {
  std::map<std::string, std::vector<double>> rated;
  std::istringstream lines(testsupport::ReadFile(
      std::string(QRN_SOURCE_DIR) + "/data/catalogue/performance/outdoor-performance.tsv"));
  std::vector<std::string> columns;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> cells;
    std::istringstream split(line);
    for (std::string cell; std::getline(split, cell, '\t');) cells.push_back(cell);
    if (cells[0] == "@columns") {
      columns.assign(cells.begin() + 1, cells.end());
      continue;
    }
    auto cell = [&](const std::string& name) {
      for (std::size_t i = 0; i < columns.size() && i < cells.size(); ++i)
        if (columns[i] == name && !cells[i].empty()) return std::stod(cells[i]);
      return 0.0;
    };
    rated[cells[0]] = {cell("CoolingCapacity"), cell("CoolingPower"), cell("HeatingCapacity"),
                       cell("HeatingPower")};
  }
  return rated;
}

std::string Num(double value) {
  std::ostringstream text;
  text << value;
  return text.str();
}

}  // namespace

TEST_F(ShippedCatalogue, LoadsWithItsVersionRecord) {
  EXPECT_TRUE(CheckCatalogueVersion("5.3", factory));
  EXPECT_EQ(CatalogueDataVersion(factory), "QRN 2026.12");
  EXPECT_EQ(CatalogueDataRegion(factory), 0);
  EXPECT_TRUE(ui->Shown().empty());
  EXPECT_GE(OutdoorUnits().size(), 55u);
  EXPECT_GE(All<Cls_IndoorUnit>(Cls_IndoorUnit::kTableId).size(), 40u);
}

TEST_F(ShippedCatalogue, EveryReferenceResolves) {
  LTFindings findings;
  int checked = 0;
  for (const auto& table : factory->Tables()) {
    if (!table || table->DatabaseIndex() != CTFactory::kCatalogue || table->IsAbstract()) continue;
    for (const auto& record : CTDbObject::AllObjects(table->Id(), false, factory)) {
      for (int f = 0; f < table->FieldCount(); ++f) {
        const CTTableLink* link = table->Field(f)->Link();
        if (!link) continue;
        const LTRecordRef ref = ReadReference(*record, f);
        ++f;  // the record-id half
        if (!ref.IsSet()) continue;
        ++checked;
        const CTTableInfo* target = factory->TableById(ref.tableId);
        const std::string where = table->TableName() + " " + std::to_string(record->RecordId()) +
                                  " " + table->Field(f - 1)->Name();
        if (!target || !target->DescendsFrom(link->ReferencedTable()->Id())) {
          findings.Add(where + ": points into table " + std::to_string(ref.tableId));
        } else if (!CTDbObject::CachedObject(ref.tableId, ref.recordId, factory)) {
          findings.Add(where + ": no record " + std::to_string(ref.recordId));
        }
      }
    }
  }
  EXPECT_GT(checked, 1000);
  EXPECT_TRUE(findings.Empty()) << findings.Text();
}

TEST_F(ShippedCatalogue, RatedPerformanceAndIndexesOfEveryOutdoorModel) {
  const TAir air;
  const auto rated = RatedValuesFromSources();
  ASSERT_EQ(rated.size(), OutdoorUnits().size());
  LTFindings findings;
  for (Cls_OutdoorUnit* unit : OutdoorUnits()) {
    const std::string name = unit->Name();
    const auto& rows = unit->GetCombinationRows();
    if (rows.empty()) {
      findings.Add(name + ": no combination rows");
      continue;
    }
    for (std::size_t i = 1; i < rows.size(); ++i) {
      if (!(rows[i].capIndex > rows[i - 1].capIndex))
        findings.Add(name + ": capacity index does not rise at " + Num(rows[i].ratio) + " %");
    }
    const double index = unit->GetCapacityIndexAt(100.0);
    const double ratedCool = RatedAt100(*unit, true);
    int status = -1;
    const double cool =
        unit->GetCapacityAt(true, unit->NomIndoorTempCooling(), 50.0, unit->NomAmbientTempCooling(),
                            40.0, index, air, status);
    const double coolPower = unit->GetPowerInputAt(true, unit->NomIndoorTempCooling(), 50.0,
                                                   unit->NomAmbientTempCooling(), 40.0, index, air);
    if (status != 0 || std::abs(cool - ratedCool) > 0.02 * ratedCool)
      findings.Add(name + ": cooling " + Num(cool) + " kW (status " + std::to_string(status) +
                   ") against rated " + Num(ratedCool));
    const auto ratedValues = rated.find(name);
    if (ratedValues == rated.end()) {
      findings.Add(name + ": no rated values in the performance sources");
      continue;
    }
    if (std::abs(coolPower - ratedValues->second[1]) > 0.02 * ratedValues->second[1])
      findings.Add(name + ": cooling power input " + Num(coolPower) + " kW against rated " +
                   Num(ratedValues->second[1]));
    if (std::abs(ratedCool - ratedValues->second[0]) > 1e-9)
      findings.Add(name + ": nominal cooling " + Num(ratedCool) + " kW, rated " +
                   Num(ratedValues->second[0]));
    const double eer = coolPower > 0 ? cool / coolPower : 0.0;
    if (eer < 2.6 || eer > 5.5) findings.Add(name + ": EER " + Num(eer));
    if (unit->Family() == 2) continue;  // cooling only
    const double ratedHeat = RatedAt100(*unit, false);
    const double heat =
        unit->GetCapacityAt(false, unit->NomIndoorTempHeating(), 50.0,
                            unit->NomAmbientTempHeating(), 80.0, index, air, status);
    const double heatPower = unit->GetPowerInputAt(false, unit->NomIndoorTempHeating(), 50.0,
                                                   unit->NomAmbientTempHeating(), 80.0, index, air);
    if (status != 0 || std::abs(heat - ratedHeat) > 0.02 * ratedHeat)
      findings.Add(name + ": heating " + Num(heat) + " kW (status " + std::to_string(status) +
                   ") against rated " + Num(ratedHeat));
    if (std::abs(heatPower - ratedValues->second[3]) > 0.02 * ratedValues->second[3])
      findings.Add(name + ": heating power input " + Num(heatPower) + " kW against rated " +
                   Num(ratedValues->second[3]));
    const double cop = heatPower > 0 ? heat / heatPower : 0.0;
    if (cop < 2.8 || cop > 5.8) findings.Add(name + ": COP " + Num(cop));
  }
  EXPECT_TRUE(findings.Empty()) << findings.Text();
}

// Over a grid of the operating envelope: every family has a value (no status 3/4 inside the
// envelope), cooling capacity rises with the indoor wet bulb and falls with the outdoor
// temperature, heating capacity (before defrost) rises with the outdoor temperature.
TEST_F(ShippedCatalogue, CurvesCoverTheEnvelopeAndTrendTheRightWay) {
  LTFindings findings;
  for (Cls_OutdoorUnit* unit : OutdoorUnits()) {
    const std::string name = unit->Name();
    for (const int kind :
         {kCurveCoolingCapacity, kCurveCoolingPower, kCurveHeatingCapacity, kCurveHeatingPower}) {
      const bool cooling = TPolyCapList::IsCoolingKind(kind);
      if (!cooling && unit->Family() == 2) continue;
      const auto& families = unit->GetCapacityFamilies(kind);
      if (families.empty()) {
        findings.Add(name + ": no curves of kind " + std::to_string(kind));
        continue;
      }
      const LTOperatingEnvelope e = LTOperatingEnvelope::Of(*unit, cooling);
      for (const TPolyCapList& family : families) {
        const std::string what =
            name + " kind " + std::to_string(kind) + " at " + Num(family.Ratio()) + " %";
        bool reported = false;
        for (double ti = e.minIndoor; ti <= e.maxIndoor + 1e-9 && !reported; ti += 0.5) {
          double previousTo = 0.0;
          double previousValue = -1.0;
          for (double to = e.minOutdoor; to <= e.maxOutdoor + 1e-9 && !reported; to += 0.5) {
            if (e.IsOutside(ti, to)) continue;
            int status = -1;
            const double value = family.Value(ti, to, status);
            if (status != 0 || !(value > 0.0)) {
              findings.Add(what + ": " + Num(value) + " kW, status " + std::to_string(status) +
                           " at " + Num(ti) + " / " + Num(to));
              reported = true;
              break;
            }
            if (kind == kCurveCoolingCapacity && previousValue > 0 &&
                value > previousValue * (1 + 1e-9)) {
              findings.Add(what + ": rises with outdoor temperature at " + Num(ti) + " / " +
                           Num(previousTo) + ".." + Num(to));
              reported = true;
            }
            if (kind == kCurveHeatingCapacity && previousValue > 0 &&
                value < previousValue * (1 - 1e-9)) {
              findings.Add(what + ": falls with outdoor temperature at " + Num(ti) + " / " +
                           Num(previousTo) + ".." + Num(to));
              reported = true;
            }
            previousTo = to;
            previousValue = value;
          }
        }
        if (kind != kCurveCoolingCapacity || reported) continue;
        for (double to = e.minOutdoor; to <= e.maxOutdoor + 1e-9; to += 1.0) {
          double previous = -1.0;
          for (double ti = e.minIndoor; ti <= e.maxIndoor + 1e-9; ti += 0.5) {
            if (e.IsOutside(ti, to)) continue;
            int status = -1;
            const double value = family.Value(ti, to, status);
            if (previous > 0 && value < previous) {
              findings.Add(what + ": falls with the wet bulb at " + Num(ti) + " / " + Num(to));
              break;
            }
            previous = value;
          }
        }
      }
    }
  }
  EXPECT_TRUE(findings.Empty()) << findings.Text();
}

// The main-pipe diameter rows and the joints reach each model's largest connected index (at
// its highest combination ratio), and the box joints reach each box's index.
TEST_F(ShippedCatalogue, PipingRowsCoverEveryIndexThatCanOccur) {
  LTFindings findings;
  for (Cls_OutdoorUnit* unit : OutdoorUnits()) {
    const std::string name = unit->Name();
    const double largest = unit->GetCapacityIndexAt(unit->GetMaxCombinationRatio(true));
    const auto& diameters = GetDiameterRows(*unit);
    if (diameters.empty() || diameters.back()->MaxCap() < largest)
      findings.Add(name + ": diameter rows end below " + Num(largest));
    if (unit->LengthForSizeUpMain() > 0 && !HasSizeUpRow(*unit))
      findings.Add(name + ": no size-up row");
    double joints = 0.0;
    double firstJoints = 0.0;
    std::set<int> headers;
    for (const LTOutdoorJointRow& j : GetJointRows(*unit)) {
      if (j.joint->Connections() == 2) {
        joints = std::max(joints, j.row->MaxCapIndex());
        if (j.row->FirstInPiping()) firstJoints = std::max(firstJoints, j.row->MaxFCapIndex());
      } else {
        headers.insert(j.joint->Connections());
      }
    }
    if (joints < largest) findings.Add(name + ": joints end at " + Num(joints));
    if (firstJoints < largest)
      findings.Add(name + ": first-branch joints end at " + Num(firstJoints));
    if (unit->Family() != 0 && headers.empty()) findings.Add(name + ": no header");
  }
  for (Cls_BSBox* box : All<Cls_BSBox>(Cls_BSBox::kTableId)) {
    double joints = 0.0;
    for (const LTBoxJointRow& j : GetJointRows(*box))
      joints = std::max(joints, j.row->MaxCapIndex());
    if (joints < box->MaxCapIndex() && box->MaxCapIndex() > 0)
      findings.Add(box->Name() + ": box joints end at " + Num(joints));
  }
  EXPECT_TRUE(findings.Empty()) << findings.Text();
}

TEST_F(ShippedCatalogue, EveryModelConnectsAndEveryOptionIsOffered) {
  LTFindings findings;
  std::set<int> connectable;
  for (Cls_OutdoorUnit* unit : OutdoorUnits()) {
    const auto& indoor = unit->GetCompatibleIndoorUnits();
    if (indoor.empty()) findings.Add(unit->Name() + ": no indoor model");
    for (Cls_IndoorUnit* model : indoor) connectable.insert(model->RecordId());
    if (unit->Family() == 0 && unit->GetCompatibleBSBoxes().empty())
      findings.Add(unit->Name() + ": heat recovery without boxes");
    if (unit->IsMultiModule() && !unit->GetMultiModuleKit())
      findings.Add(unit->Name() + ": multi-module unit without its piping kit");
  }
  for (Cls_IndoorUnit* model : All<Cls_IndoorUnit>(Cls_IndoorUnit::kTableId)) {
    if (!connectable.count(model->RecordId()))
      findings.Add(model->Name() + ": connects to no outdoor model");
  }
  std::set<std::pair<int, int>> offered;
  for (const auto& offer :
       CTDbObject::AllObjects(Cls_DevOptCombination::kTableId, false, factory)) {
    const LTRecordRef ref = ReadReference(*offer, Cls_DevOptCombination::kDeviceOption);
    offered.insert({ref.tableId, ref.recordId});
  }
  for (const auto& option : CTDbObject::AllObjects(Cls_DeviceOption::kTableId, true, factory)) {
    if (!offered.count({option->TableId(), option->RecordId()}))
      findings.Add(option->Name() + ": offered to no device");
  }
  EXPECT_TRUE(findings.Empty()) << findings.Text();
}

// Every text of a translated field that a user sees reads in Russian through the embedded
// glossary, and the glossary holds no term that no record uses.
TEST_F(ShippedCatalogue, EveryTranslatedTextHasItsTranslation) {
  ASSERT_TRUE(glossaryLoaded);
  LTFindings findings;
  std::set<std::string> used;
  for (const auto& table : factory->Tables()) {
    if (!table || table->DatabaseIndex() != CTFactory::kCatalogue || table->IsAbstract()) continue;
    for (const auto& record : CTDbObject::AllObjects(table->Id(), false, factory)) {
      for (int f = 0; f < table->FieldCount(); ++f) {
        if (table->Field(f)->Type() != kFtString || !table->Field(f)->Translate()) continue;
        const std::string text = record->GetString(f);
        if (text.empty()) continue;
        used.insert(text);
        int charset = 0;
        const std::string shown = record->GetTranslatedString(f, charset);
        if (charset != kCyrillicCharset || shown.empty())
          findings.Add(table->TableName() + "." + table->Field(f)->Name() + " '" + text +
                       "' is not translated");
      }
    }
  }
  EXPECT_EQ(glossary->TermCount(), used.size());
  EXPECT_TRUE(findings.Empty()) << findings.Text();
}
