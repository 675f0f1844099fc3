#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "CatalogueTestStore.h"
#include "objectstore/DbObject.h"
#include "objectstore/TableInfo.h"
#include "support/TestSupport.h"

namespace {

// The field definitions of a table in the form of the expected listing.
std::string Listing(const CTTableInfo& table) {
  std::ostringstream out;
  out << table.TableName() << ' ' << table.Id() << '\n';
  for (int i = 0; i < table.FieldCount(); ++i) {
    const CTFieldInfo* f = table.Field(i);
    if (!f) {
      out << i << " (missing)\n";
      continue;
    }
    out << i << ' ' << f->Name() << ' ' << static_cast<int>(f->Type());
    switch (f->Type()) {
      case kFtBoolean:
        if (f->DefaultBool()) out << " =1";
        break;
      case kFtInteger:
        if (f->DefaultInt() != 0) out << " =" << f->DefaultInt();
        break;
      case kFtDouble:
      case kFtDateTime:
        if (f->DefaultDouble() != 0.0) out << " =" << f->DefaultDouble();
        break;
      case kFtString:
        if (!f->DefaultBytes().empty()) out << " =" << f->DefaultBytes();
        break;
      default:
        break;
    }
    if (f->Translate()) out << " translated";
    if (table.NameFieldIndex() == i) out << " name";
    out << '\n';
  }
  return out.str();
}

// The expected listing without its comments, tables separated by blank lines as in the file.
std::string ExpectedListing() {
  std::istringstream in(testsupport::ReadFile(testsupport::DataPath("catalogue/schema.txt")));
  std::string text, line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    // A table line starts a new block.
    if (line[0] < '0' || line[0] > '9') text += '\n';
    text += line + '\n';
  }
  return text;
}

}  // namespace

// Every catalogue table, after inheritance, holds exactly the fields of the catalogue file form:
// names, order, types, defaults, translation and name field. A wrong entry here would misread
// every catalogue file.
TEST(CatalogueSchema, FieldsMatchTheExpectedListing) {
  CTCatalogueTestStore store;
  std::string actual;
  for (const auto& table : store.factory.Tables()) {
    if (!table) continue;
    actual += '\n' + Listing(*table);
    for (const CTFieldInfo* f : table->Fields()) {
      if (f && f->Type() != kFtBlob) {
        EXPECT_TRUE(f->Eager()) << table->TableName() << '.' << f->Name();
      }
    }
  }
  EXPECT_EQ(actual, ExpectedListing());
}

// The class list covers exactly the catalogue tables, in ascending id, with a creator for each
// concrete table whose objects report that table.
TEST(CatalogueSchema, ClassListCoversEveryCatalogueTable) {
  CTCatalogueTestStore store;
  std::vector<int> expected;
  for (const auto& entry : CTCatalogueTestStore::TableList()) expected.push_back(entry.id);
  EXPECT_EQ(store.visited, expected);

  for (const auto& entry : CTCatalogueTestStore::TableList()) {
    auto object = store.factory.CreateObject(entry.id, 0);
    if (entry.flags & CTTableInfo::kAbstract) {
      EXPECT_EQ(object, nullptr) << entry.tableName;
      continue;
    }
    ASSERT_NE(object, nullptr) << entry.tableName;
    EXPECT_EQ(object->TableId(), entry.id) << entry.tableName;
  }
}

// Each reference between catalogue tables points at a field pair <stem>_CLS_REF/_OBJ_REF of the
// referring table, so that the factory can attach the reference there.
TEST(CatalogueSchema, ReferencesLandOnReferenceFieldPairs) {
  struct Link {
    const char* name;
    int referringTable;
    int field;
  };
  const Link links[] = {
      {"QRNBSBox_Header", 74, 3},
      {"QRNBSBox_Indoor", 106, 1},
      {"QRNBSBox_Outdoor", 112, 1},
      {"Parent_CentralController", 185, 1},
      {"Combinable_CentralControllers", 185, 3},
      {"QRNLiquidPipeRef", 102, 3},
      {"QRNGasPipeRef", 102, 5},
      {"QRNDischargeRef", 102, 7},
      {"QRNPipeDiameterCharges", 127, 2},
      {"QRNHeader_BSBox", 74, 5},
      {"QRNHeader_Outdoor", 113, 6},
      {"QRNIndoor_BSBox", 106, 3},
      {"QRNIndoor_Outdoor", 114, 1},
      {"QRNCapacityVariations", 79, 4},
      {"QRNOutdoorPipeDiameters", 102, 9},
      {"QRNFreezeupCoefficients", 104, 3},
      {"QRNOutdoor_BSBox", 112, 3},
      {"QRNOutdoor_Header", 113, 8},
      {"QRNOutdoor_Indoor", 114, 3},
      {"QRNOutdoorCapacities", 116, 12},
      {"QRNConnectionRatios", 117, 5},
      {"Outdoor_Modules", 184, 2},
      {"Parent_Outdoor", 184, 4},
      {"Ass 1", 164, 8},
      {"PowerSupply_Device", 165, 4},
      {"QRNRefrigerants", 119, 72},
      {"QRNRefrigerantCharges", 127, 4},
      {"Ass 3", 164, 4},
      {"Device_Powersupply", 165, 2},
      {"Device_Documentation", 166, 5},
      {"Ass 2", 164, 6},
  };
  CTCatalogueTestStore store;
  for (const Link& link : links) {
    SCOPED_TRACE(link.name);
    const CTTableInfo* table = store.factory.TableById(link.referringTable);
    ASSERT_NE(table, nullptr);
    ASSERT_LT(link.field + 1, table->FieldCount());
    const std::string& cls = table->Field(link.field)->Name();
    const std::string& obj = table->Field(link.field + 1)->Name();
    const std::string suffix = "_CLS_REF";
    ASSERT_GT(cls.size(), suffix.size());
    const std::string stem = cls.substr(0, cls.size() - suffix.size());
    EXPECT_EQ(cls, stem + "_CLS_REF");
    EXPECT_EQ(obj, stem + "_OBJ_REF");
    EXPECT_EQ(table->Field(link.field)->Type(), kFtInteger);
    EXPECT_EQ(table->Field(link.field + 1)->Type(), kFtInteger);
  }
}
