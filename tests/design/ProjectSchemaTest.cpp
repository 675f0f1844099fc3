#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "ProjectTestStore.h"
#include "design/ProjectClasses.h"
#include "objectstore/TableInfo.h"
#include "support/TestSupport.h"

namespace {

std::string DefaultText(const CTFieldInfo& field) {
  std::ostringstream out;
  switch (field.Type()) {
    case kFtBoolean:
      out << (field.DefaultBool() ? "true" : "false");
      break;
    case kFtInteger:
      out << field.DefaultInt();
      break;
    case kFtDouble:
      out << field.DefaultDouble();
      break;
    case kFtString:
      out << '"' << field.DefaultBytes() << '"';
      break;
    default:
      out << "?";
      break;
  }
  return out.str();
}

// The fields of every project table after inheritance, in the form of the checked-in listing.
std::string SchemaListing(const CTBaseFactory& factory) {
  std::ostringstream out;
  for (const auto& table : factory.Tables()) {
    if (!table || table->DatabaseIndex() != 1) continue;
    out << table->Id() << ' ' << table->TableName() << " name-field " << table->NameFieldIndex()
        << '\n';
    for (int i = 0; i < table->FieldCount(); ++i) {
      const CTFieldInfo* field = table->Field(i);
      if (!field) {
        out << "  " << i << " (missing)\n";
        continue;
      }
      out << "  " << i << ' ' << field->Name() << ' ' << static_cast<int>(field->Type()) << ' '
          << (field->Eager() ? "eager" : "lazy") << ' ' << DefaultText(*field)
          << (field->Translate() ? " translated" : "") << '\n';
    }
  }
  return out.str();
}

}  // namespace

// A field with a wrong name, type, index, default or loading flag would corrupt every project
// file; the listing was drawn up from the table definitions of the design and reviewed by hand.
TEST(ProjectSchema, FieldsOfEveryTableMatchTheListing) {
  CTProjectTestFactory factory;
  const auto actual = testsupport::ListingLines(SchemaListing(factory));
  const auto expected = testsupport::ListingLines(
      testsupport::ReadFile(testsupport::DataPath("design/project-schema.txt")));
  testsupport::ExpectSameListing(actual, expected);
}

// Each reference a project table holds names its target table: the pair at the link's field
// index is Fld_<target table name without its Tbl_ prefix>[digits]_CLS_REF / _OBJ_REF.
TEST(ProjectSchema, ReferencePairsSitWhereTheLinksExpectThem) {
  CTProjectTestFactory factory;
  std::size_t checked = 0;
  for (const auto& link : factory.Links()) {
    const CTTableInfo& referring = *link->ReferringTable();
    if (referring.DatabaseIndex() != 1) continue;
    ++checked;
    const int index = link->FieldIndex();
    const CTFieldInfo& cls = *referring.Field(index);
    const CTFieldInfo& obj = *referring.Field(index + 1);
    SCOPED_TRACE(link->Name() + " in " + referring.TableName());
    const std::string& target = link->ReferencedTable()->TableName();
    const std::string stem = "Fld_" + target.substr(target.find('_') + 1);
    const std::string prefix = cls.Name().substr(0, cls.Name().size() - 8);
    EXPECT_EQ(cls.Name().substr(prefix.size()), "_CLS_REF");
    EXPECT_EQ(obj.Name(), prefix + "_OBJ_REF");
    EXPECT_EQ(prefix.substr(0, stem.size()), stem);
    EXPECT_EQ(prefix.find_first_not_of("0123456789", stem.size()), std::string::npos);
    EXPECT_EQ(cls.Type(), kFtInteger);
    EXPECT_EQ(obj.Type(), kFtInteger);
  }
  EXPECT_EQ(checked, ProjectLinks().size());
}
