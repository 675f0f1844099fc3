// The catalogue compiler: table sources compiled and loaded through the program's factory, and
// the errors it reports for broken sources.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/ProgramFactory.h"
#include "catalogue/CapacityTables.h"
#include "catalogue/Devices.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorUnits.h"
#include "catalogue/Pictures.h"
#include "catalogue/VersionInfo.h"
#include "i18n/BuiltinMessages.h"
#include "i18n/HeadlessMessageUi.h"
#include "objectstore/TableInfo.h"
#include "platform/MemoryStream.h"
#include "platform/Resources.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"
#include "tools/catalogue/CatalogueCompiler.h"

namespace {

std::string Fixture(const std::string& name) {
  return testsupport::DataPath("tools/catalogue/" + name);
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// The fixture sources compiled with the program's catalogue tables.
std::string CompiledFixtures() {
  CTFactory factory;
  CTCatalogueCompiler compiler(factory, CTFactory::kCatalogue);
  compiler.AddSourceFile(Fixture("base.tsv"));
  compiler.AddSourceFile(Fixture("links.tsv"));
  EXPECT_TRUE(compiler.Compile()) << Joined(compiler.Errors().Lines());
  return compiler.Text();
}

// The program's factory connected once to the compiled fixtures, put in place of the embedded
// catalogue.
class CompiledCatalogue : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir = new testsupport::TempDir;
    settings = new CTSettingsStore(dir->File("user.txt"), dir->File("machine.txt"));
    CTSettingsStore::SetProcess(settings);
    RegisterBuiltinMessages();
    ui = new CTHeadlessMessageUi;
    scoped = new CTScopedMessageUi(*ui);
    text = new std::string(CompiledFixtures());
    CTResources::Register(LTResource{
        "DEVICE_DATABASE", reinterpret_cast<const unsigned char*>(text->data()), text->size()});
    RegisterProgramEngines();
    factory = new CTFactory;
    defaultFactory = new CTScopedDefaultFactory(*factory);
    factory->SetReadOnly(CTFactory::kCatalogue, true);
    factory->SetScratchProject(true);
    connected = factory->ConnectAll();
  }
  static void TearDownTestSuite() {
    factory->DisconnectAll();
    delete defaultFactory;
    CTResources::Unregister("DEVICE_DATABASE");
    delete factory;
    delete text;
    delete scoped;
    delete ui;
    CTSettingsStore::SetProcess(nullptr);
    delete settings;
    delete dir;
  }
  void SetUp() override { ASSERT_TRUE(connected); }

  // The records of a table, keyed by name (for tables with a name field) in record order.
  static CTDbObjectList All(int tableId) { return CTDbObject::AllObjects(tableId, false, factory); }
  template <class T>
  static std::unique_ptr<T> Named(const std::string& name) {
    for (auto& object : All(T::kTableId)) {
      if (object->Name() == name) return std::unique_ptr<T>(dynamic_cast<T*>(object.release()));
    }
    return nullptr;
  }
  static int Field(CTDbObject& object, const char* name) {
    return object.Table().FieldIndexByName(name);
  }
  static std::pair<int, int> Ref(CTDbObject& object, const char* stem) {
    int table = 0;
    int id = 0;
    object.GetReference(Field(object, (std::string(stem) + "_CLS_REF").c_str()), table, id);
    return {table, id};
  }

  static inline testsupport::TempDir* dir = nullptr;
  static inline CTSettingsStore* settings = nullptr;
  static inline CTHeadlessMessageUi* ui = nullptr;
  static inline CTScopedMessageUi* scoped = nullptr;
  static inline std::string* text = nullptr;
  static inline CTFactory* factory = nullptr;
  static inline CTScopedDefaultFactory* defaultFactory = nullptr;
  static inline bool connected = false;
};

TEST_F(CompiledCatalogue, IdsAreKeptOrCountedOnFromTheHighestSoFar) {
  std::vector<std::pair<int, std::string>> units;
  for (auto& unit : All(Cls_OutdoorUnit::kTableId))
    units.emplace_back(unit->RecordId(), unit->Name());
  const std::vector<std::pair<int, std::string>> expected = {
      {1, "QOH-08"}, {2, "QOH-10"}, {10, "QOH-12"}, {11, "QOH-22"}, {12, "QOM-04"}};
  EXPECT_EQ(units, expected);
  auto family = Named<Cls_IndFamily>("Wall mounted");
  ASSERT_TRUE(family);
  EXPECT_EQ(family->RecordId(), 5);
}

TEST_F(CompiledCatalogue, CellsSectionDefaultsAndSchemaDefaults) {
  auto h08 = Named<Cls_OutdoorUnit>("QOH-08");
  auto h12 = Named<Cls_OutdoorUnit>("QOH-12");
  auto m04 = Named<Cls_OutdoorUnit>("QOM-04");
  ASSERT_TRUE(h08 && h12 && m04);
  EXPECT_EQ(h08->Horsepower(), 8);
  EXPECT_EQ(h08->MaxIndoorUnits(), 13);
  EXPECT_EQ(h12->MaxIndoorUnits(), 8);  // empty trailing cell: the schema default
  EXPECT_EQ(h08->Series(), "QOH");      // @set
  EXPECT_EQ(m04->Series(), "QOM");      // a later @set replaces it
  EXPECT_EQ(m04->Family(), 1);          // ... and leaves the others
  EXPECT_DOUBLE_EQ(h08->MaxConnRatio(), 200.0);
  EXPECT_DOUBLE_EQ(m04->MaxConnRatio(), 130.0);  // @unset: the schema default again
  EXPECT_DOUBLE_EQ(h08->MinConnRatio(), 50.0);   // never written

  auto small = Named<Cls_IndoorUnit>("QWL-36");
  ASSERT_TRUE(small);
  EXPECT_EQ(small->Family(), "WL");
  EXPECT_DOUBLE_EQ(small->CapIndex(), 36.0);
  EXPECT_DOUBLE_EQ(small->CUnitSize(), 1.0);
  EXPECT_EQ(small->LiquidPipeSide(), 1);

  auto box = Named<Cls_BSBox>("QBS-4");
  ASSERT_TRUE(box);
  EXPECT_DOUBLE_EQ(box->GasPipesDischOutdoor(), 1e-3);
  EXPECT_DOUBLE_EQ(box->EquivalentLength(), 4.0);

  double capIndexOfH12 = 0.0;
  for (auto& row : All(Cls_OutCombination::kTableId)) {
    auto& combination = dynamic_cast<Cls_OutCombination&>(*row);
    if (combination.OutdoorUnitRef().recordId == h12->RecordId())
      capIndexOfH12 = combination.CapIndex();
  }
  EXPECT_DOUBLE_EQ(capIndexOfH12, -1.0);
}

TEST_F(CompiledCatalogue, ReferencesResolveByNameAndIdAcrossSources) {
  auto h08 = Named<Cls_OutdoorUnit>("QOH-08");
  auto m04 = Named<Cls_OutdoorUnit>("QOM-04");
  ASSERT_TRUE(h08 && m04);
  EXPECT_EQ(h08->RefrigerantRef(), (LTRecordRef{128, 1}));  // by name, from @set
  EXPECT_EQ(m04->RefrigerantRef(), (LTRecordRef{128, 2}));  // by id
  // Rows by name (QOH-08) and by id (2 is QOH-10) reach the units' combination rows.
  EXPECT_DOUBLE_EQ(h08->GetCapacityIndexAt(100.0), 200.0);
  EXPECT_DOUBLE_EQ(Named<Cls_OutdoorUnit>("QOH-10")->GetCapacityIndexAt(100.0), 250.0);
  // The joint rows name a joint of the second source from the first.
  const CTDbObjectList rows = All(113);
  ASSERT_EQ(rows.size(), 4u);
  for (const auto& row : rows) EXPECT_EQ(Ref(*row, "OHJ_HeaderJoint"), std::make_pair(105, 1));
  // A reference to a base table holds the concrete table of the record.
  const CTDbObjectList docs = All(107);
  ASSERT_EQ(docs.size(), 1u);
  EXPECT_EQ(Ref(*docs[0], "Fld_Device"),
            std::make_pair(109, Named<Cls_IndoorUnit>("QCF-28")->RecordId()));
}

TEST_F(CompiledCatalogue, PatternsRepeatARowForEveryCombination) {
  std::vector<std::pair<std::string, std::string>> pairs;
  for (auto& row : All(114)) {
    const auto [indoorTable, indoor] = Ref(*row, "CIO_IndoorUnit");
    const auto [outdoorTable, outdoor] = Ref(*row, "CIO_OutdoorUnit");
    ASSERT_EQ(indoorTable, 109);
    ASSERT_EQ(outdoorTable, 119);
    pairs.emplace_back(CTDbObject::CachedObject(109, indoor, factory)->Name(),
                       CTDbObject::CachedObject(119, outdoor, factory)->Name());
  }
  // The first pattern column varies slowest; matches come in record order; "?" is one
  // character, so QOM-04 is not a QOH-?? and the second row has a plain reference too.
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"QCF-28", "QOH-08"}, {"QCF-28", "QOH-10"}, {"QCF-28", "QOH-12"}, {"QCF-28", "QOH-22"},
      {"QCF-56", "QOH-08"}, {"QCF-56", "QOH-10"}, {"QCF-56", "QOH-12"}, {"QCF-56", "QOH-22"},
      {"QWL-22", "QOM-04"}, {"QWL-36", "QOM-04"}};
  EXPECT_EQ(pairs, expected);
}

TEST_F(CompiledCatalogue, TextsDatesAndBlobs) {
  ASSERT_TRUE(CheckCatalogueVersion("5.3", factory));
  EXPECT_EQ(CatalogueDataVersion(factory), testsupport::Ansi("Тестовый каталог 1.0"));
  EXPECT_EQ(CatalogueDataRegion(factory), 2);
  auto version = CTDbObject::SingleObject(Cls_DdbVersionInfo::kTableId, false, factory);
  ASSERT_TRUE(version);
  // Days since 1899-12-30.
  EXPECT_DOUBLE_EQ(dynamic_cast<Cls_DdbVersionInfo&>(*version).DbDate(), 45352.0);

  const CTDbObjectList pictures = All(Cls_Visualization::kTableId);
  ASSERT_EQ(pictures.size(), 1u);
  auto& picture = dynamic_cast<Cls_Visualization&>(*pictures[0]);
  CTMemoryStream small;
  ASSERT_TRUE(picture.SmallImage(small));
  EXPECT_EQ(small.Text(), testsupport::ReadFile(Fixture("pictures/small.bin")));
  CTMemoryStream large;
  EXPECT_FALSE(picture.LargeImage(large));
}

TEST(CatalogueCompiler, WritesTheStoreTextFormDeterministically) {
  const std::string text = CompiledFixtures();
  EXPECT_EQ(text, CompiledFixtures());
  EXPECT_EQ(text.substr(0, 8), "EDI100\r\n");
  // Every concrete catalogue table is declared, records are lines of typed tokens.
  CTFactory factory;
  for (const auto& table : factory.Tables()) {
    if (!table || table->DatabaseIndex() != CTFactory::kCatalogue) continue;
    const std::string line = "\r\n5 " + std::to_string(table->TableName().size()) + " " +
                             table->TableName() + " " + std::to_string(table->Id()) + "\r\n";
    EXPECT_EQ(text.find(line) != std::string::npos, !table->IsAbstract()) << line;
  }
  EXPECT_NE(text.find("\r\n2 128 2 2\r\n2 1 2 1 5 5 R410A 0 0 \r\n2 2 2 2 5 3 R32 0 0 \r\n"),
            std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 3), "0\r\n");
}

TEST(CatalogueCompiler, EveryReferenceColumnKnowsItsTarget) {
  CTFactory factory;
  const CTCatalogueSchema schema(factory, CTFactory::kCatalogue);
  int references = 0;
  for (const CTTableInfo* table : schema.ConcreteTables()) {
    for (const LTSourceColumn& column : schema.Columns(*table)) {
      EXPECT_EQ(column.name.find("_REF"), std::string::npos) << table->TableName();
      if (!column.reference) continue;
      ++references;
      EXPECT_TRUE(column.target) << table->TableName() << " " << column.name;
    }
  }
  EXPECT_GT(references, 30);
  const CTTableInfo* documentation = schema.FindTable("TBL_IndDocumentation");
  ASSERT_TRUE(documentation);
  const int device = schema.ColumnIndex(*documentation, "Fld_Device");
  ASSERT_GE(device, 0);
  EXPECT_EQ(schema.Columns(*documentation)[static_cast<std::size_t>(device)].target->TableName(),
            "Tbl_Device");
}

// Sources of the error cases: two refrigerants and an outdoor unit to refer to.
const char kTargets[] =
    "@table TBL_Refrigerant\n"
    "@columns\tRFR_ID\tRFR_Name\n"
    "1\tR410A\n"
    "2\tR32\n"
    "@table TBL_OutdoorUnit\n"
    "@columns\tFld_Name\n"
    "QOH-08\n";

struct LTErrorCase {
  const char* name;
  const char* source;
  const char* expected;  // the whole first error line after "e.tsv:"
};

TEST(CatalogueCompiler, ErrorsNameTheFileAndLine) {
  const LTErrorCase cases[] = {
      {"unknown table", "@table TBL_Nothing\n", "1: unknown table TBL_Nothing"},
      {"table in other case", "@table tbl_bsbox\n",
       "1: unknown table tbl_bsbox (did you mean TBL_BSBox?)"},
      {"unknown field", "@table TBL_BSBox\n@columns\tFld_Name\tBSU_Colour\n",
       "2: unknown field BSU_Colour in TBL_BSBox"},
      {"reference half", "@table TBL_OutdoorUnit\n@set\tOUT_Refrigerant_CLS_REF\t128\n",
       "2: unknown field OUT_Refrigerant_CLS_REF in TBL_OutdoorUnit (did you mean "
       "OUT_Refrigerant?)"},
      {"abstract table", "@table Tbl_Device\n",
       "1: Tbl_Device is abstract and holds no records; use one of the tables below it"},
      {"row outside a table", "QOH-08\n", "1: row before any @table"},
      {"row without columns", "@table TBL_BSBox\nQBS-1\n",
       "2: row before @columns in this section"},
      {"bad number", "@table TBL_BSBox\n@columns\tFld_Name\tBSU_MaxCapIndex\nQBS-1\t16o\n",
       "3: BSU_MaxCapIndex: bad number '16o'"},
      {"number with comma", "@table TBL_BSBox\n@set\tBSU_MaxCapIndex\t1,5\n",
       "2: BSU_MaxCapIndex: bad number '1,5'"},
      {"bad integer", "@table TBL_OutdoorUnit\n@columns\tFld_Name\tOUT_Horsepower\nX\t8.5\n",
       "3: OUT_Horsepower: bad integer '8.5'"},
      {"bad boolean", "@table TBL_BSBox\n@columns\tFld_Name\tFld_Deleted\nQBS-1\tyes\n",
       "3: Fld_Deleted: bad boolean 'yes' (write 0 or 1)"},
      {"bad date", "@table TBL_DdbVersionInfo\n@columns\tDVI_DbDate\n2023-02-29\n",
       "3: DVI_DbDate: bad date '2023-02-29' (write YYYY-MM-DD)"},
      {"id not positive", "@table TBL_BSBox\n@columns\tBSU_ID\tFld_Name\n0\tQBS-1\n",
       "3: BSU_ID: record id 0 is not positive"},
      {"too many cells", "@table TBL_BSBox\n@columns\tFld_Name\tBSU_Series\nQBS-1\tQBS\t160\n",
       "3: row has 3 cells but @columns names 2 fields"},
      {"duplicate id", "@table TBL_BSBox\n@columns\tBSU_ID\tFld_Name\n4\tA\n\tB\n5\tC\n",
       "5: duplicate id 5 in TBL_BSBox (first used at e.tsv:4)"},
      {"character outside the code page",
       "@table TBL_BSBox\n@columns\tFld_Name\nQBS-\xE2\x98\x83\n",
       "3: Fld_Name: character U+2603 is not in code page 1251"},
      {"malformed text", "@table TBL_BSBox\n@columns\tFld_Name\nQBS-\xC3\n",
       "3: Fld_Name: malformed UTF-8 (byte 0xC3)"},
      {"missing blob file", "@table Tbl_Visualization\n@columns\tFld_SmallImage\nfile:none.bmp\n",
       "3: Fld_SmallImage: cannot read none.bmp: "},
      {"blob without file:", "@table Tbl_Visualization\n@columns\tFld_SmallImage\nnone.bmp\n",
       "3: Fld_SmallImage: bad blob 'none.bmp' (write file:PATH)"},
      {"reference without table", "@table TBL_OutdoorUnit\n@set\tOUT_Refrigerant\tR410A\n",
       "2: OUT_Refrigerant: bad reference 'R410A' (write TABLE:ID or TABLE:NAME)"},
      {"reference to the wrong table",
       "@table TBL_OutdoorUnit\n@set\tOUT_Refrigerant\tTBL_BSBox:1\n",
       "2: OUT_Refrigerant: refers to TBL_Refrigerant, not to TBL_BSBox"},
      {"reference to an abstract table",
       "@table TBL_IndDocumentation\n@set\tFld_Device\tTbl_Device:1\n",
       "2: Fld_Device: Tbl_Device is abstract; name the table the record is in"},
      {"name of a table without names",
       "@table TBL_RefChargeCoefficient\n@columns\tRCC_Diameter\nTBL_Diameter:6.4\n",
       "3: RCC_Diameter: TBL_Diameter records have no name; refer to them by id"},
      {"unknown name",
       "@table "
       "TBL_OutdoorUnit\n@set\tOUT_Refrigerant\tTBL_Refrigerant:R22\n@columns\tFld_Name\nX\n",
       "2: OUT_Refrigerant: no record TBL_Refrigerant:R22"},
      {"unknown id",
       "@table TBL_OutdoorUnit\n@columns\tFld_Name\tOUT_Refrigerant\nX\tTBL_Refrigerant:3\n",
       "3: OUT_Refrigerant: no record TBL_Refrigerant:3"},
      {"ambiguous name",
       "@table TBL_Refrigerant\n@columns\tRFR_Name\nR32\n"
       "@table TBL_OutdoorUnit\n@columns\tFld_Name\tOUT_Refrigerant\nX\tTBL_Refrigerant:R32\n",
       "6: OUT_Refrigerant: TBL_Refrigerant:R32 names 2 records (t.tsv:4, e.tsv:3)"},
      {"name in other case",
       "@table TBL_OutdoorUnit\n@columns\tFld_Name\tOUT_Refrigerant\nX\tTBL_Refrigerant:r32\n",
       "3: OUT_Refrigerant: no record TBL_Refrigerant:r32"},
      {"pattern matching nothing",
       "@table TBL_OICombination\n@columns\tCIO_OutdoorUnit\nTBL_OutdoorUnit:QOX*\n",
       "3: CIO_OutdoorUnit: TBL_OutdoorUnit:QOX* matches no record"},
      {"pattern giving one id twice",
       "@table TBL_OICombination\n@columns\tCIO_ID\tCIO_OutdoorUnit\n7\tTBL_OutdoorUnit:*\n"
       "@table TBL_OutdoorUnit\n@columns\tFld_Name\nQOH-10\n",
       "3: duplicate id 7 in TBL_OICombination (first used at e.tsv:3)"},
      {"second documentation of a device",
       "@table TBL_OutDocumentation\n@columns\tFld_Device\nTBL_OutdoorUnit:QOH-08\n"
       "TBL_OutdoorUnit:1\n",
       "4: Fld_Device: TBL_OutdoorUnit:1 is already referred to by e.tsv:3 and may have only one"},
      {"unknown directive", "@tabel TBL_BSBox\n", "1: unknown directive @tabel"},
      {"duplicate column", "@table TBL_BSBox\n@columns\tFld_Name\tFld_Name\n",
       "2: field Fld_Name named twice in @columns"},
      {"set of the id", "@table TBL_BSBox\n@set\tBSU_ID\t3\n",
       "2: @set of the record id BSU_ID would give every row the same id"},
  };
  CTFactory factory;
  for (const LTErrorCase& c : cases) {
    CTCatalogueCompiler compiler(factory, CTFactory::kCatalogue);
    compiler.AddSource("t.tsv", kTargets);
    compiler.AddSource("e.tsv", c.source);
    EXPECT_FALSE(compiler.Compile()) << c.name;
    const std::vector<std::string>& lines = compiler.Errors().Lines();
    ASSERT_FALSE(lines.empty()) << c.name;
    const std::string expected = std::string("e.tsv:") + c.expected;
    EXPECT_EQ(lines[0].substr(0, expected.size()), expected) << c.name << "\n" << Joined(lines);
  }
}

TEST(CatalogueCompiler, EveryBrokenLineIsReported) {
  CTFactory factory;
  CTCatalogueCompiler compiler(factory, CTFactory::kCatalogue);
  compiler.AddSource("e.tsv",
                     "@table TBL_BSBox\n@columns\tFld_Name\tBSU_MaxCapIndex\nA\tx\nB\t1\nC\ty\n");
  EXPECT_FALSE(compiler.Compile());
  const std::vector<std::string> expected = {"e.tsv:3: BSU_MaxCapIndex: bad number 'x'",
                                             "e.tsv:5: BSU_MaxCapIndex: bad number 'y'"};
  EXPECT_EQ(compiler.Errors().Lines(), expected);
}

TEST(CatalogueCompiler, RefusesARowThatWouldMakeTooManyRecords) {
  std::string units = "@table TBL_OutdoorUnit\n@columns\tFld_Name\n";
  for (int i = 0; i < 1001; ++i) units += "Q" + std::to_string(i) + "\n";
  CTFactory factory;
  CTCatalogueCompiler compiler(factory, CTFactory::kCatalogue);
  compiler.AddSource("units.tsv", units);
  compiler.AddSource("e.tsv",
                     "@table TBL_OMCombination\n@columns\tCOM_OutdoorUnit\tCOM_OutdoorUnit2\n"
                     "TBL_OutdoorUnit:Q*\tTBL_OutdoorUnit:Q*\n");
  EXPECT_FALSE(compiler.Compile());
  const std::vector<std::string> expected = {
      "e.tsv:3: the patterns of this row would make 1002001 records; at most 1000000 are allowed"};
  EXPECT_EQ(compiler.Errors().Lines(), expected);
}

TEST(CatalogueCompiler, CommandReplacesItsOutputOnlyWhenAllSourcesCompile) {
  testsupport::TempDir dir;
  const std::string out = dir.File("catalogue.txt");
  testsupport::WriteFile(out, "previous");
  testsupport::WriteFile(dir.File("bad.tsv"), "@table TBL_BSBox\n@columns\tFld_Name\nA\tB\n");
  std::ostringstream err;
  EXPECT_EQ(RunCatalogueCompiler({out, Fixture("base.tsv"), dir.File("missing.tsv")}, err), 1);
  EXPECT_EQ(err.str().rfind(dir.File("missing.tsv") + ":0: cannot open: ", 0), 0u) << err.str();
  EXPECT_EQ(testsupport::ReadFile(out), "previous");

  // The tool itself: one line per error and exit status 1, then a run that succeeds.
  std::string output;
  EXPECT_EQ(testsupport::RunCommand(
                std::string(QRN_CATALOGUE_TOOL) + " " + out + " " + dir.File("bad.tsv"), &output),
            1);
  EXPECT_EQ(output, dir.File("bad.tsv") + ":3: row has 2 cells but @columns names 1 field\n");
  EXPECT_EQ(testsupport::ReadFile(out), "previous");
  ASSERT_EQ(testsupport::RunCommand(std::string(QRN_CATALOGUE_TOOL) + " " + out + " " +
                                        Fixture("base.tsv") + " " + Fixture("links.tsv"),
                                    &output),
            0)
      << output;
  EXPECT_EQ(testsupport::ReadFile(out), CompiledFixtures());
  EXPECT_EQ(testsupport::RunCommand(std::string(QRN_CATALOGUE_TOOL) + " " + out, &output), 2);
}

}  // namespace
