#pragma once

#include <memory>
#include <string>

#include "objectstore/ValueList.h"

class CTTableInfo;
class CTFieldInfo;

// A condition a record's values must pass in a related-records query; filters form a tree of
// comparisons joined by AND or OR and can render themselves as an SQL condition.
class CTQueryFilter {
 public:
  explicit CTQueryFilter(const CTTableInfo* table) : table_(table) {}
  virtual ~CTQueryFilter() = default;
  virtual bool Accepts(const CTValueList& values) const = 0;
  virtual void ConditionText(std::string& text) const = 0;
  const CTTableInfo* Table() const { return table_; }

 private:
  const CTTableInfo* table_;
};

class CTQFComparison : public CTQueryFilter {
 public:
  using CTQueryFilter::CTQueryFilter;
};

// Compares one field with a constant given as text, converted to the field's type.
class CTQFValueComparison : public CTQFComparison {
 public:
  enum Operator {
    kEqual = 0,
    kNotEqual = 1,
    kLess = 2,
    kLessOrEqual = 3,
    kGreater = 4,
    kGreaterOrEqual = 5
  };

  CTQFValueComparison(const CTTableInfo* table, int op, std::string constant,
                      const CTFieldInfo* field);
  bool Accepts(const CTValueList& values) const override;
  void ConditionText(std::string& text) const override;

 private:
  int op_;
  std::string constant_;
  const CTFieldInfo* field_;
  int fieldIndex_;
};

// Two filters joined by AND (the right one is asked only when the left accepts) or OR (only when
// the left refuses). Owns both.
class CTQFLogical : public CTQueryFilter {
 public:
  CTQFLogical(const CTTableInfo* table, bool isOr, std::unique_ptr<CTQueryFilter> right,
              std::unique_ptr<CTQueryFilter> left);
  bool Accepts(const CTValueList& values) const override;
  void ConditionText(std::string& text) const override;

 private:
  bool or_;
  std::unique_ptr<CTQueryFilter> right_;
  std::unique_ptr<CTQueryFilter> left_;
};
