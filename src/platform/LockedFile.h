#pragma once

#include <memory>
#include <string>

#include "platform/FileStream.h"

// Opening files that another instance of the program may be writing. A save holds an exclusive
// advisory lock (flock) on the file it replaces until the new file is in place; a load opens the
// file with a shared lock. When the lock is held elsewhere the open is retried: after 100 ms,
// then with the delay doubled while it stays below 1,600 ms, then one last time (at most five
// attempts, 1.5 s of waiting). Once an open needed retries, later opens start with the delay
// reached. Other failures (a missing file, no permission) are not retried.
class CTLockedFile {
 public:
  // Opens path for reading under a shared lock; null with errorText on failure (busyOut tells
  // whether the file stayed locked by a writer).
  static std::unique_ptr<CTFileStream> OpenForReading(const std::string& path,
                                                      std::string* errorText = nullptr,
                                                      bool* busyOut = nullptr);

  // Takes the exclusive lock on an existing file that is about to be replaced; an absent file
  // needs no lock and gives a lock object that holds nothing. Null when the file stayed busy.
  static std::unique_ptr<CTLockedFile> LockForReplacing(const std::string& path,
                                                        std::string* errorText = nullptr);
  ~CTLockedFile();
  CTLockedFile(const CTLockedFile&) = delete;
  CTLockedFile& operator=(const CTLockedFile&) = delete;

  // The first delay of the next retrying open, in milliseconds (100 at program start).
  static int FirstDelayMs();
  static void ResetFirstDelay();

 private:
  explicit CTLockedFile(int fd) : fd_(fd) {}
  int fd_;
};
