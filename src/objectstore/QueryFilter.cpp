#include "objectstore/QueryFilter.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "i18n/NumberText.h"
#include "objectstore/TableInfo.h"

namespace {

const char* const kOperatorText[] = {"=", "<>", "<", "<=", ">", ">="};

template <class T>
bool Compare(const T& value, int op, const T& constant) {
  switch (op) {
    case CTQFValueComparison::kEqual:
      return value == constant;
    case CTQFValueComparison::kNotEqual:
      return value != constant;
    case CTQFValueComparison::kLess:
      return value < constant;
    case CTQFValueComparison::kLessOrEqual:
      return value <= constant;
    case CTQFValueComparison::kGreater:
      return value > constant;
    case CTQFValueComparison::kGreaterOrEqual:
      return value >= constant;
    default:
      return false;
  }
}

std::optional<std::int64_t> ParseInteger(const std::string& text) {
  std::int64_t value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;
  const auto result = std::from_chars(first, last, value);
  if (result.ec != std::errc() || result.ptr != last || first == last) return std::nullopt;
  return value;
}

bool EqualsIgnoringCase(const std::string& a, const char* b) {
  return SameNameIgnoringCase(a, b);
}

std::optional<bool> ParseBoolean(const std::string& text) {
  if (const auto number = ParseInteger(text)) return *number != 0;
  if (EqualsIgnoringCase(text, "True") || EqualsIgnoringCase(text, "Yes")) return true;
  if (EqualsIgnoringCase(text, "False") || EqualsIgnoringCase(text, "No")) return false;
  return std::nullopt;
}

}  // namespace

CTQFValueComparison::CTQFValueComparison(const CTTableInfo* table, int op, std::string constant,
                                         const CTFieldInfo* field)
    : CTQFComparison(table),
      op_(op),
      constant_(std::move(constant)),
      field_(field),
      fieldIndex_(-1) {
  if (table) {
    const auto& fields = table->Fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (fields[i] == field) fieldIndex_ = static_cast<int>(i);
    }
  }
}

bool CTQFValueComparison::Accepts(const CTValueList& values) const {
  if (fieldIndex_ < 0 || fieldIndex_ >= values.Count()) return false;
  switch (field_->Type()) {
    case kFtBoolean: {
      const auto constant = ParseBoolean(constant_);
      return constant && Compare(values.GetBool(fieldIndex_), op_, *constant);
    }
    case kFtInteger: {
      const auto constant = ParseInteger(constant_);
      return constant && Compare<std::int64_t>(values.GetInt(fieldIndex_), op_, *constant);
    }
    case kFtDouble:
    case kFtDateTime: {
      const auto constant = TryParseValue(constant_);
      return constant && Compare(values.GetDouble(fieldIndex_), op_, *constant);
    }
    case kFtCurrency: {
      const auto constant = TryParseValue(constant_);
      return constant && Compare<double>(static_cast<double>(values.GetCurrency(fieldIndex_)), op_,
                                         std::round(*constant * 10000.0));
    }
    case kFtString:
      return Compare(values.GetBytes(fieldIndex_), op_, constant_);
    default:
      return false;
  }
}

void CTQFValueComparison::ConditionText(std::string& text) const {
  std::string constant = constant_;
  if (field_->Type() == kFtString) {
    std::string doubled;
    for (char c : constant) {
      doubled.push_back(c);
      if (c == '\'') doubled.push_back('\'');
    }
    constant = doubled;
  }
  const char* op = op_ >= 0 && op_ <= 5 ? kOperatorText[op_] : "=";
  text = "[" + (Table() ? Table()->TableName() : std::string()) + "].[" + field_->Name() + "]" +
         op + constant;
}

CTQFLogical::CTQFLogical(const CTTableInfo* table, bool isOr, std::unique_ptr<CTQueryFilter> right,
                         std::unique_ptr<CTQueryFilter> left)
    : CTQueryFilter(table), or_(isOr), right_(std::move(right)), left_(std::move(left)) {}

bool CTQFLogical::Accepts(const CTValueList& values) const {
  if (or_) return left_->Accepts(values) || right_->Accepts(values);
  return left_->Accepts(values) && right_->Accepts(values);
}

void CTQFLogical::ConditionText(std::string& text) const {
  std::string left, right;
  left_->ConditionText(left);
  right_->ConditionText(right);
  text = "(" + left + ") " + (or_ ? "OR" : "AND") + " (" + right + ")";
}
