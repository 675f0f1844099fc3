#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/Design.h"
#include "cli/DesignJson.h"

// The checked reading of one JSON object of a design: each getter names a key the object may
// have and reports, with the key's path, a value of the wrong type or outside its range; Finish
// reports every key no getter asked for.

// What a number is, its unit and range: from min to max, or above min (exclusive) and at most
// max; whole numbers only when asked.
struct LTDesignRange {
  const char* what;
  const char* unit;
  double min;
  double max;
  bool aboveMin = false;
  bool whole = false;

  bool Contains(double value) const;
  // "a dry bulb from 20 to 32 °C", "a length above 0 and at most 1000 m".
  std::string Text() const;
};

// How a text is read: its length limit in characters of the program's code page, whether it may
// be blank, and whether it may hold line breaks.
struct LTDesignTextRule {
  std::size_t maxChars;
  bool mayBeBlank = false;
  bool lineBreaks = false;
};
inline constexpr LTDesignTextRule kDesignNameRule{100};
inline constexpr LTDesignTextRule kDesignCodeRule{64};

class CTDesignObject {
 public:
  // A value that is not an object is reported (needs an object) and reads as empty.
  CTDesignObject(const TDesignJson& value, std::string path, LTDesignErrors& errors);
  CTDesignObject(const CTDesignObject&) = delete;
  CTDesignObject& operator=(const CTDesignObject&) = delete;

  bool IsObject() const { return object_; }
  const std::string& Path() const { return path_; }
  std::string PathOf(const char* key) const { return DesignKeyPath(path_, key); }
  bool Has(const char* key) const;
  // The value of a key, null when absent (the key counts as known).
  const TDesignJson* Find(const char* key);

  // Each returns nothing when the key is absent or its value refused (then reported); a required
  // key that is absent is reported.
  std::optional<std::string> Text(const char* key, const LTDesignTextRule& rule,
                                  bool required = false);
  std::optional<double> Number(const char* key, const LTDesignRange& range, bool required = false);
  std::optional<bool> Flag(const char* key);
  // One of the words (the index of the word).
  std::optional<int> Word(const char* key, std::initializer_list<const char*> words,
                          bool required = false);
  // A list: its elements, or nothing (reported) when the value is not a list.
  const TDesignJson* List(const char* key, bool required = false);

  // Reports the keys no getter asked for, in the document's order.
  void Finish();

  LTDesignErrors& Errors() { return errors_; }
  void Report(const std::string& path, const std::string& message);

 private:
  const TDesignJson& value_;
  std::string path_;
  LTDesignErrors& errors_;
  bool object_ = false;
  std::vector<std::string> known_;
};

// The English name of a JSON value's type: "a text", "a number", "true or false", "null", "an
// object", "a list".
std::string DesignTypeName(const TDesignJson& value);

// A UTF-8 text of the design in the program's code page, checked by the rule; nothing (reported
// at path) when it is refused.
std::optional<std::string> DesignText(const TDesignJson& value, const std::string& path,
                                      const LTDesignTextRule& rule, LTDesignErrors& errors);

// A text in the program's code page as UTF-8, for messages: quoted.
std::string QuotedDesignText(const std::string& cp1251);
