// The program's tables and references against their listing written down independently of the
// code, and the test stores of the lower layers against the program.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/ProgramFactory.h"
#include "catalogue/CatalogueClasses.h"
#include "catalogue/CatalogueTestStore.h"  // tests/catalogue
#include "design/ProjectClasses.h"
#include "design/ProjectTestStore.h"  // tests/design
#include "objectstore/TableInfo.h"
#include "support/TestSupport.h"

namespace {

std::string TableFlags(const CTTableInfo& table) {
  std::string flags;
  if (table.UniqueNames()) flags += 'U';
  if (table.NameRequired()) flags += 'R';
  if (table.IsAbstract()) flags += 'A';
  return flags.empty() ? "-" : flags;
}

std::string LinkFlags(const CTTableLink& link) {
  std::string flags;
  if (link.Cascade()) flags += 'C';
  if (link.Checked()) flags += 'K';
  if (link.OneToOne()) flags += 'O';
  return flags.empty() ? "-" : flags;
}

std::string LinkLine(const CTTableLink& link) {
  std::ostringstream out;
  out << "link\t" << link.Id() << '\t' << link.Name() << '\t'
      << (link.PropertyName().empty() ? "-" : link.PropertyName()) << '\t'
      << link.ReferencedTable()->Id() << '\t' << link.ReferringTableId() << '\t'
      << link.FieldIndex() << '\t' << LinkFlags(link);
  return out.str();
}

// The tables and references as the factory registered them, in the form of the listing.
std::vector<std::string> RegistryLines(const CTBaseFactory& factory) {
  std::vector<std::string> lines;
  for (const auto& table : factory.Tables()) {
    if (!table) continue;
    std::ostringstream out;
    out << "table\t" << table->Id() << '\t' << table->TableName() << '\t' << table->DisplayName()
        << '\t';
    if (table->ParentId() < 0) {
      out << '-';
    } else {
      out << table->ParentId();
    }
    out << '\t' << table->DatabaseIndex() << '\t' << TableFlags(*table);
    lines.push_back(out.str());
  }
  for (const auto& link : factory.Links()) lines.push_back(LinkLine(*link));
  return lines;
}

std::string DefaultText(const CTFieldInfo& field) {
  std::ostringstream out;
  switch (field.Type()) {
    case kFtBoolean:
      out << field.DefaultBool();
      break;
    case kFtInteger:
      out << field.DefaultInt();
      break;
    case kFtDouble:
    case kFtDateTime:
      out << field.DefaultDouble();
      break;
    case kFtCurrency:
      out << field.DefaultCurrency();
      break;
    default:
      out << '"' << field.DefaultBytes() << '"';
      break;
  }
  return out.str();
}

// Everything a factory knows of one table: its registration, every field after inheritance
// (name, type, default, loading and translation flags, the reference it carries) and the
// references found on it that run between the given tables.
std::string TableText(const CTTableInfo& table, const std::set<int>& tables) {
  std::ostringstream out;
  out << table.Id() << ' ' << table.TableName() << ' ' << table.DisplayName() << " parent "
      << table.ParentId() << " db " << table.DatabaseIndex() << ' ' << TableFlags(table)
      << " name-field " << table.NameFieldIndex() << '\n';
  for (int i = 0; i < table.FieldCount(); ++i) {
    const CTFieldInfo* field = table.Field(i);
    if (!field) {
      out << "  " << i << " (missing)\n";
      continue;
    }
    out << "  " << i << ' ' << field->Name() << ' ' << static_cast<int>(field->Type()) << ' '
        << DefaultText(*field) << (field->Eager() ? " eager" : " lazy")
        << (field->Translate() ? " translated" : "");
    if (field->Link()) out << " link " << field->Link()->Id();
    out << '\n';
  }
  for (const CTTableLink* link : table.Links()) {
    if (tables.count(link->ReferencedTable()->Id()) && tables.count(link->ReferringTableId()))
      out << "  " << LinkLine(*link) << '\n';
  }
  return out.str();
}

// A test factory registers exactly what the program registers for the tables it defines: the
// same tables, fields and references, in the same order.
void ExpectTheProgramsSchema(const CTBaseFactory& store, const CTBaseFactory& program) {
  std::set<int> defined;
  for (const auto& table : store.Tables()) {
    if (table) defined.insert(table->Id());
  }
  ASSERT_FALSE(defined.empty());
  for (const int id : defined) {
    const CTTableInfo* own = program.TableById(id);
    ASSERT_NE(own, nullptr) << id << " is not a table of the program";
    EXPECT_EQ(TableText(*store.TableById(id), defined), TableText(*own, defined));
  }
  std::vector<std::string> links, programLinks;
  for (const auto& link : store.Links()) links.push_back(LinkLine(*link));
  for (const auto& link : program.Links()) {
    if (defined.count(link->ReferencedTable()->Id()) && defined.count(link->ReferringTableId()))
      programLinks.push_back(LinkLine(*link));
  }
  EXPECT_EQ(links, programLinks);
}

}  // namespace

// The tables and references of the factory, with their ids, names, parents, databases, flags
// and fields, in registration order, are those of the listing.
TEST(ProgramSchema, TablesAndReferencesAreThoseOfTheListing) {
  CTFactory factory;
  const auto actual = RegistryLines(factory);
  const auto expected = testsupport::ListingLines(
      testsupport::ReadFile(testsupport::DataPath("app/program-schema.txt")));
  testsupport::ExpectSameListing(actual, expected);
}

// The catalogue and design tests run against stores of their own; those must not drift from the
// program's schema.
TEST(ProgramSchema, TestStoresRegisterTheProgramsSchema) {
  const CTFactory program;
  {
    SCOPED_TRACE("catalogue test store");
    const CTCatalogueTestFactory catalogue;
    ExpectTheProgramsSchema(catalogue, program);
  }
  {
    SCOPED_TRACE("design test store");
    const CTProjectTestFactory design;
    ExpectTheProgramsSchema(design, program);
    EXPECT_EQ(design.Links().size(), program.Links().size());
  }
}

// A concrete table of either layer creates objects of its own class, an abstract one none.
TEST(ProgramSchema, EveryConcreteTableCreatesObjectsOfItsOwn) {
  CTFactory factory;
  for (const auto* tables : {&CatalogueTables(), &ProjectTables()}) {
    for (const LTTableDefinition& t : *tables) {
      SCOPED_TRACE(t.tableName);
      const bool abstract = (t.flags & CTTableInfo::kAbstract) != 0;
      EXPECT_EQ(static_cast<bool>(t.create), !abstract);
      auto object = factory.CreateObject(t.id, 0);
      if (abstract) {
        EXPECT_EQ(object, nullptr);
        continue;
      }
      ASSERT_NE(object, nullptr);
      EXPECT_EQ(object->TableId(), t.id);
      EXPECT_EQ(&object->Table(), factory.TableById(t.id));
    }
  }
}
