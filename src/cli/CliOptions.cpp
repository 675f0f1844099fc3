#include "cli/CliOptions.h"

#include <algorithm>
#include <cmath>
#include <ostream>

#include "cli/CliErrors.h"
#include "cli/CliText.h"
#include "objectstore/FloatText.h"

std::string LTCliOption::RangeText() const {
  std::string text = what;
  if (aboveMin) {
    text += " above " + GeneralText(min) + " and at most " + GeneralText(max);
  } else {
    text += " from " + GeneralText(min) + " to " + GeneralText(max);
  }
  return text + unit;
}

const std::string& CTCliOptions::Text(std::string_view name) const {
  static const std::string none;
  const auto it = values_.find(name);
  return it == values_.end() ? none : it->second;
}

double CTCliOptions::Number(std::string_view name, double otherwise) const {
  const auto it = numbers_.find(name);
  return it == numbers_.end() ? otherwise : it->second;
}

std::optional<CTCliOptions> ParseCliOptions(const std::vector<std::string>& args,
                                            const std::vector<LTCliOption>& options,
                                            const char* usage, std::ostream& err) {
  CTCliOptions parsed;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const auto option = std::find_if(options.begin(), options.end(),
                                     [&](const LTCliOption& o) { return args[i] == o.name; });
    const bool flag = option != options.end() && option->kind == LTCliOption::Kind::Flag;
    if (option == options.end() || (!flag && i + 1 >= args.size())) {
      err << usage;
      return std::nullopt;
    }
    if (parsed.Has(option->name)) {
      CliReport(err, std::string(option->name) + " is given twice", kCliNotUnderstood);
      return std::nullopt;
    }
    const std::string value = flag ? std::string() : args[++i];
    if (option->kind == LTCliOption::Kind::Number) {
      const auto number = ParseStoreFloat(value);
      const bool inRange = number && std::isfinite(*number) && *number <= option->max &&
                           (option->aboveMin ? *number > option->min : *number >= option->min);
      if (!inRange) {
        CliReport(
            err,
            std::string(option->name) + " needs " + option->RangeText() + ", not '" + value + "'",
            kCliNotUnderstood);
        return std::nullopt;
      }
      parsed.numbers_[option->name] = *number;
    } else if (!flag && value.empty()) {
      CliReport(err, std::string(option->name) + " needs a value", kCliNotUnderstood);
      return std::nullopt;
    }
    parsed.values_[option->name] = value;
  }
  return parsed;
}
