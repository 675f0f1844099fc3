#pragma once

#include <string>
#include <utility>

// How loading, connecting or saving a database ended. A front end tells "the file could not be
// read or written" (kIoError) from "the file is not a database of this program" (kInvalid) by
// it; reason holds the stream's or the system's explanation, or what is wrong with the content.
struct LTDbIoResult {
  enum Status {
    kOk,
    kNoEngine,  // no engine class took the database (message 5007)
    kNoFile,    // nothing to save to: no file name, or the database is not connected
    kIoError,   // the bytes could not be read or written (messages -2 and -3)
    kInvalid,   // the bytes were read but are no valid database (message 5004)
  };

  Status status = kOk;
  std::string reason;
  int database = -1;  // the factory's index of the database concerned, where known

  static LTDbIoResult Ok() { return {}; }
  static LTDbIoResult Failure(Status status, std::string reason, int database = -1) {
    return LTDbIoResult{status, std::move(reason), database};
  }

  bool IsOk() const { return status == kOk; }
  explicit operator bool() const { return IsOk(); }
};
