// Default names of new placements: the kind's prefix and the next free number.

#include <string>
#include <vector>

#include "design/QsDevicePlacement.h"
#include "design/QsIndPlacement.h"
#include "objectstore/TableInfo.h"

namespace {

// Whether the decimal text a (no leading zeros) stands for a larger number than b.
bool GreaterNumber(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return a.size() > b.size();
  return a > b;
}

// The decimal text plus one.
std::string Increment(std::string number) {
  for (std::size_t i = number.size(); i-- > 0;) {
    if (number[i] != '9') {
      ++number[i];
      return number;
    }
    number[i] = '0';
  }
  return "1" + number;
}

}  // namespace

std::string TrailingNumber(const std::string& name) {
  std::size_t begin = name.size();
  while (begin > 0 && name[begin - 1] >= '0' && name[begin - 1] <= '9') --begin;
  if (begin == name.size()) return {};
  while (begin + 1 < name.size() && name[begin] == '0') ++begin;
  return name.substr(begin);
}

// Numbers are compared as decimal texts, so a name ending in any number of digits counts with
// its exact value and never overflows.
std::string NextDefaultName(const std::string& prefix, const std::vector<std::string>& names) {
  std::string largest = "0";
  for (const std::string& name : names) {
    const std::string number = TrailingNumber(name);
    if (!number.empty() && GreaterNumber(number, largest)) largest = number;
  }
  return prefix + Increment(largest);
}

void Cls_QsDevicePlacement::MakeDefaultName(std::string& text) {
  // Indoor units and their variants are numbered together.
  const bool indoor = Table().DescendsFrom(Cls_QsIndPlacement::kTableId);
  const int tableId = indoor ? Cls_QsIndPlacement::kTableId : TableId();
  std::vector<std::string> names;
  for (const auto& other : AllObjects(tableId, indoor, &Factory())) {
    if (other->RecordId() == RecordId() && other->TableId() == TableId()) continue;
    names.push_back(other->Name());
  }
  std::string prefix;
  GetNamePrefix(prefix);
  text = NextDefaultName(prefix, names);
}
