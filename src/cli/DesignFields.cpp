#include "cli/DesignFields.h"

#include <algorithm>
#include <cmath>

#include "cli/CliText.h"
#include "platform/CodePage.h"

bool LTDesignRange::Contains(double value) const {
  if (!std::isfinite(value) || value > max) return false;
  if (aboveMin ? value <= min : value < min) return false;
  return !whole || value == std::floor(value);
}

std::string LTDesignRange::Text() const {
  std::string text = what;
  if (whole) text = "a whole " + text.substr(text.find(' ') + 1);
  if (aboveMin) {
    text += " above " + GeneralText(min) + " and at most " + GeneralText(max);
  } else {
    text += " from " + GeneralText(min) + " to " + GeneralText(max);
  }
  return text + unit;
}

std::string DesignTypeName(const TDesignJson& value) {
  if (value.is_string()) return "a text";
  if (value.is_number()) return "a number";
  if (value.is_boolean()) return "true or false";
  if (value.is_object()) return "an object";
  if (value.is_array()) return "a list";
  return "null";
}

std::string QuotedDesignText(const std::string& cp1251) {
  return "'" + Utf8FromCp1251(cp1251) + "'";
}

std::optional<std::string> DesignText(const TDesignJson& value, const std::string& path,
                                      const LTDesignTextRule& rule, LTDesignErrors& errors) {
  if (!value.is_string()) {
    errors.push_back({path, "needs a text, not " + DesignTypeName(value)});
    return std::nullopt;
  }
  const std::string& utf8 = value.get_ref<const std::string&>();
  for (char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && !(rule.lineBreaks && (c == '\n' || c == '\r'))) || byte == 0x7F) {
      errors.push_back({path, "holds a control character"});
      return std::nullopt;
    }
  }
  // The program holds its texts in its code page: a character it cannot hold would turn into
  // '?' without notice.
  std::string text = Cp1251FromUtf8(utf8);
  if (Utf8FromCp1251(text) != utf8) {
    errors.push_back({path, "holds characters the program's code page (CP1251) cannot hold"});
    return std::nullopt;
  }
  if (text.size() > rule.maxChars) {
    errors.push_back({path, "is longer than " + std::to_string(rule.maxChars) + " characters"});
    return std::nullopt;
  }
  if (!rule.mayBeBlank && text.find_first_not_of(" \t\r\n") == std::string::npos) {
    errors.push_back({path, "needs a text that is not blank"});
    return std::nullopt;
  }
  return text;
}

CTDesignObject::CTDesignObject(const TDesignJson& value, std::string path, LTDesignErrors& errors)
    : value_(value), path_(std::move(path)), errors_(errors), object_(value.is_object()) {
  if (!object_) {
    Report(path_, "needs an object, not " + DesignTypeName(value));
  }
}

void CTDesignObject::Report(const std::string& path, const std::string& message) {
  errors_.push_back({path.empty() ? "design" : path, message});
}

bool CTDesignObject::Has(const char* key) const {
  return object_ && value_.contains(key);
}

const TDesignJson* CTDesignObject::Find(const char* key) {
  known_.emplace_back(key);
  if (!object_) return nullptr;
  const auto it = value_.find(key);
  return it == value_.end() ? nullptr : &*it;
}

std::optional<std::string> CTDesignObject::Text(const char* key, const LTDesignTextRule& rule,
                                                bool required) {
  const TDesignJson* value = Find(key);
  if (!value) {
    if (required && object_) Report(PathOf(key), "is missing");
    return std::nullopt;
  }
  return DesignText(*value, PathOf(key), rule, errors_);
}

std::optional<double> CTDesignObject::Number(const char* key, const LTDesignRange& range,
                                             bool required) {
  const TDesignJson* value = Find(key);
  if (!value) {
    if (required && object_) Report(PathOf(key), "is missing");
    return std::nullopt;
  }
  if (!value->is_number()) {
    Report(PathOf(key), "needs " + range.Text() + ", not " + DesignTypeName(*value));
    return std::nullopt;
  }
  const double number = value->get<double>();
  if (!range.Contains(number)) {
    Report(PathOf(key), "needs " + range.Text() + ", not " + GeneralText(number));
    return std::nullopt;
  }
  return number;
}

std::optional<bool> CTDesignObject::Flag(const char* key) {
  const TDesignJson* value = Find(key);
  if (!value) return std::nullopt;
  if (!value->is_boolean()) {
    Report(PathOf(key), "needs true or false, not " + DesignTypeName(*value));
    return std::nullopt;
  }
  return value->get<bool>();
}

std::optional<int> CTDesignObject::Word(const char* key, std::initializer_list<const char*> words,
                                        bool required) {
  const TDesignJson* value = Find(key);
  if (!value) {
    if (required && object_) Report(PathOf(key), "is missing");
    return std::nullopt;
  }
  std::string choices;
  for (const char* word : words) {
    choices += (choices.empty()              ? ""
                : word == *(words.end() - 1) ? " or "
                                             : ", ") +
               std::string("\"") + word + "\"";
  }
  if (value->is_string()) {
    const std::string& text = value->get_ref<const std::string&>();
    int index = 0;
    for (const char* word : words) {
      if (text == word) return index;
      ++index;
    }
  }
  Report(PathOf(key), "needs " + choices + ", not " +
                          (value->is_string()
                               ? "\"" + ShownDesignText(value->get_ref<const std::string&>()) + "\""
                               : DesignTypeName(*value)));
  return std::nullopt;
}

const TDesignJson* CTDesignObject::List(const char* key, bool required) {
  const TDesignJson* value = Find(key);
  if (!value) {
    if (required && object_) Report(PathOf(key), "is missing");
    return nullptr;
  }
  if (!value->is_array()) {
    Report(PathOf(key), "needs a list, not " + DesignTypeName(*value));
    return nullptr;
  }
  return value;
}

void CTDesignObject::Finish() {
  if (!object_) return;
  for (const auto& [key, value] : value_.items()) {
    if (std::find(known_.begin(), known_.end(), key) == known_.end()) {
      Report(DesignKeyPath(path_, key), "unknown key");
    }
  }
}
