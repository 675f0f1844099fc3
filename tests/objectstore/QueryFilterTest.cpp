#include <gtest/gtest.h>

#include "TestStore.h"
#include "objectstore/QueryFilter.h"
#include "objectstore/TableInfo.h"

using namespace teststore;

namespace {

struct Fixture {
  Fixture() : indoor(store.factory.TableById(kIndoor)), values(indoor->Fields()) {}
  std::unique_ptr<CTQFValueComparison> Compare(int field, int op, const std::string& constant) {
    return std::make_unique<CTQFValueComparison>(indoor, op, constant, indoor->Field(field));
  }
  TestStore store;
  CTTableInfo* indoor;
  CTValueList values;
};

}  // namespace

TEST(QueryFilter, ConstantsConvertToTheFieldType) {
  Fixture f;
  f.values.SetBool(kIndCooling, true);
  f.values.SetDouble(kDevPower, 5.6);
  f.values.SetBytes(kDevName, "A");
  struct Case {
    int field, op;
    const char* constant;
    bool accepted;
  };
  const Case cases[] = {
      {kIndCooling, CTQFValueComparison::kEqual, "yes", true},
      {kIndCooling, CTQFValueComparison::kEqual, "TRUE", true},
      {kIndCooling, CTQFValueComparison::kEqual, "1", true},
      {kIndCooling, CTQFValueComparison::kEqual, "maybe", false},
      {kIndCooling, CTQFValueComparison::kNotEqual, "maybe", false},
      {kIndCooling, CTQFValueComparison::kGreater, "no", true},  // false orders before true
      {kDevPower, CTQFValueComparison::kGreaterOrEqual, "5,6", true},
      {kDevPower, CTQFValueComparison::kLess, "5.5", false},
      {kDevPower, CTQFValueComparison::kEqual, "abc", false},
      {kDevName, CTQFValueComparison::kLess, "B", true},
      {kDevFamily, CTQFValueComparison::kEqual, "x", false},  // not an integer
      {kDevFamily, CTQFValueComparison::kEqual, "0", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(f.Compare(c.field, c.op, c.constant)->Accepts(f.values), c.accepted)
        << c.field << " " << c.op << " " << c.constant;
  }
  f.values.SetBytes(kDevName, "a");  // byte order puts "B" before "a"
  EXPECT_FALSE(f.Compare(kDevName, CTQFValueComparison::kLess, "B")->Accepts(f.values));
}

TEST(QueryFilter, LogicalFiltersAndConditionText) {
  Fixture f;
  CTQFLogical either(f.indoor, true, f.Compare(kDevFamily, CTQFValueComparison::kEqual, "7"),
                     f.Compare(kDevFamily, CTQFValueComparison::kEqual, "5"));
  for (int v : {4, 5, 6, 7}) {
    f.values.SetInt(kDevFamily, v);
    EXPECT_EQ(either.Accepts(f.values), v == 5 || v == 7) << v;
  }
  std::string text;
  either.ConditionText(text);
  EXPECT_EQ(text, "([TBL_Indoor].[DEV_Family_CLS_REF]=5) OR ([TBL_Indoor].[DEV_Family_CLS_REF]=7)");
  CTQFLogical both(f.indoor, false, f.Compare(kDevName, CTQFValueComparison::kNotEqual, "O'Neil"),
                   f.Compare(kDevPower, CTQFValueComparison::kGreater, "1"));
  both.ConditionText(text);
  EXPECT_EQ(text, "([TBL_Indoor].[DEV_Power]>1) AND ([TBL_Indoor].[DEV_Name]<>O''Neil)");
}
