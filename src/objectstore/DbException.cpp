#include "objectstore/DbException.h"

std::string CTDbException::Text(int number, const std::string& detail) {
  switch (number) {
    case kRecordNotFound:
      return "Record not found";
    case kNotStored:
      return "Record not stored in database";
    case kAlreadyInserted:
      return "The record is already inserted into the database";
    case kRelatedRequired:
      return "Related record required in table " + detail;
    case kOneToOne:
      return "1-to-1 relation with table " + detail;
    case kStructure:
      return "Error in database structure ";
    case kTypeConversion:
      return "Invalid type conversion";
    case kHasCapability:
      return "Database has the capability '" + detail + "'";
    case kLacksCapability:
      return "Database does not have the capability '" + detail + "'";
    case kAbstractTable:
      return "Cannot make instance of abstract table '" + detail + "'";
    case kNoEngineClasses:
      return "There are no registed CTDbEngine classes";
    case kReadOnly:
      return "Database table '" + detail + "' is read-only";
    case kIdUsed:
      return "ID " + detail + " is already used";
    default:
      return "Unknown exception code " + std::to_string(number);
  }
}

CTDbException::CTDbException(int number, const std::string& detail)
    : std::runtime_error("CTDbException: " + Text(number, detail)), number_(number) {}
