#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "objectstore/BaseFactory.h"
#include "objectstore/DbObject.h"
#include "objectstore/TableDefinitions.h"
#include "objectstore/TableInfo.h"

namespace {

// Field 0 and two reference pairs (fields 1 and 2, 3 and 4).
void DefineWithReference(CTTableInfo& table, const std::string&) {
  table.AddField(0, CTFieldInfo::Integer(table.TableName() + "_ID", true, 0));
  table.AddField(1, CTFieldInfo::Integer("REF_CLS_REF", true, 0));
  table.AddField(2, CTFieldInfo::Integer("REF_OBJ_REF", true, 0));
  table.AddField(3, CTFieldInfo::Integer("REF2_CLS_REF", true, 0));
  table.AddField(4, CTFieldInfo::Integer("REF2_OBJ_REF", true, 0));
}

std::vector<int> LinkIds(const std::vector<CTTableLink*>& links) {
  std::vector<int> ids;
  for (const CTTableLink* link : links) ids.push_back(link->Id());
  return ids;
}

}  // namespace

// Tables come in ascending id whatever list they were in, each in the database of its list;
// references follow their referenced table in the order of the lists.
TEST(SchemaBuilder, RegistersInIdOrderWithTheReferencesOfEachTable) {
  const std::vector<LTTableDefinition> first = {
      {7, "T7", "Seven", -1, 0, &DefineWithReference, nullptr},
      {3, "T3", "Three", -1, CTTableInfo::kAbstract, &DefineWithReference, nullptr},
  };
  const std::vector<LTTableDefinition> second = {
      {5, "T5", "Five", 3, 0, &DefineWithReference, nullptr},
  };
  const std::vector<LTLinkDefinition> links = {{20, "a", "", 7, 3, 1, CTTableLink::kChecked},
                                               {10, "b", "", 3, 7, 1, 0}};
  const std::vector<LTLinkDefinition> more = {{30, "c", "", 7, 5, 3, 0}};
  CTBaseFactory factory("T", 1, 1);
  factory.RegisterDatabase("A");
  factory.RegisterDatabase("B");
  CTSchemaBuilder schema(factory);
  schema.AddTables(1, first);
  schema.AddTables(0, second);
  schema.AddLinks(links);
  schema.AddLinks(more);
  schema.Register();

  ASSERT_NE(factory.TableById(3), nullptr);
  EXPECT_EQ(factory.TableById(3)->DatabaseIndex(), 1);
  EXPECT_EQ(factory.TableById(5)->DatabaseIndex(), 0);
  EXPECT_EQ(factory.TableById(5)->Parent(), factory.TableById(3));
  EXPECT_EQ(factory.TableById(7)->DisplayName(), "Seven");
  std::vector<int> order;
  for (const auto& link : factory.Links()) order.push_back(link->Id());
  EXPECT_EQ(order, (std::vector<int>{10, 20, 30}));
  EXPECT_EQ(LinkIds(factory.TableById(7)->Links()), (std::vector<int>{20, 30}));
  // Registered through its ancestor 3.
  EXPECT_EQ(LinkIds(factory.TableById(5)->Links()), (std::vector<int>{10}));
  EXPECT_EQ(factory.TableById(3)->Field(1)->Link()->Id(), 20);
}

TEST(SchemaBuilder, RefusesTwiceTheSameTableAndReferencesToTablesItDoesNotHave) {
  const std::vector<LTTableDefinition> tables = {
      {3, "T3", "", -1, 0, &DefineWithReference, nullptr},
  };
  const std::vector<LTLinkDefinition> dangling = {{10, "b", "", 3, 4, 1, 0}};
  {
    CTBaseFactory factory("T", 1, 1);
    CTSchemaBuilder schema(factory);
    schema.AddTables(0, tables);
    schema.AddTables(0, tables);
    EXPECT_THROW(schema.Register(), std::logic_error);
    EXPECT_EQ(factory.TableById(3), nullptr);
  }
  CTBaseFactory factory("T", 1, 1);
  CTSchemaBuilder schema(factory);
  schema.AddTables(0, tables);
  schema.AddLinks(dangling);
  EXPECT_THROW(schema.Register(), std::logic_error);
  EXPECT_EQ(factory.TableById(3), nullptr);
}
