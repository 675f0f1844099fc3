#pragma once

#include <stdexcept>
#include <string>

// The store's exception: its message is "CTDbException: " followed by the fixed text of its
// number (some texts end with a table name, an id or a capability given as the detail).
class CTDbException : public std::runtime_error {
 public:
  enum Code {
    kRecordNotFound = 0,
    kNotStored = 1,
    kAlreadyInserted = 2,
    kRelatedRequired = 3,
    kOneToOne = 4,
    kStructure = 5,
    kTypeConversion = 6,
    kHasCapability = 7,
    kLacksCapability = 8,
    kAbstractTable = 9,
    kNoEngineClasses = 10,
    kReadOnly = 11,
    kIdUsed = 12,
  };

  explicit CTDbException(int number, const std::string& detail = "");
  int Number() const { return number_; }

  // The text of a number with its detail, without the "CTDbException: " prefix.
  static std::string Text(int number, const std::string& detail);

 private:
  int number_;
};

// Connection errors of the factory ("Database already connected", "Database not connected").
class LTBseFactExc : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
