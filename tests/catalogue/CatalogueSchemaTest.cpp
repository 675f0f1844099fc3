#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "CatalogueTestStore.h"
#include "catalogue/CatalogueClasses.h"
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

// Each reference between catalogue tables points at a field pair <stem>_CLS_REF/_OBJ_REF of the
// referring table, so that the factory can attach the reference there.
TEST(CatalogueSchema, ReferencesLandOnReferenceFieldPairs) {
  CTCatalogueTestStore store;
  ASSERT_EQ(store.factory.Links().size(), CatalogueLinks().size());
  for (const auto& link : store.factory.Links()) {
    SCOPED_TRACE(link->Name());
    const CTTableInfo* table = link->ReferringTable();
    ASSERT_NE(table, nullptr);
    ASSERT_LT(link->FieldIndex() + 1, table->FieldCount());
    const std::string& cls = table->Field(link->FieldIndex())->Name();
    const std::string& obj = table->Field(link->FieldIndex() + 1)->Name();
    const std::string suffix = "_CLS_REF";
    ASSERT_GT(cls.size(), suffix.size());
    const std::string stem = cls.substr(0, cls.size() - suffix.size());
    EXPECT_EQ(cls, stem + "_CLS_REF");
    EXPECT_EQ(obj, stem + "_OBJ_REF");
    EXPECT_EQ(table->Field(link->FieldIndex())->Type(), kFtInteger);
    EXPECT_EQ(table->Field(link->FieldIndex() + 1)->Type(), kFtInteger);
  }
}
