#pragma once

#include <memory>
#include <string>

#include "platform/FileStream.h"

// The folder a file path is in: "." for a bare file name, "/" for a file in the root.
std::string FolderOf(const std::string& path);

// Writes a file so that the previous file of that name survives until the new one is complete:
// the bytes go to a temporary file in the same folder, and Commit() flushes it and renames it over
// the target in one step. Destroying the writer without Commit() removes the temporary file and
// leaves the target untouched.
class CTSafeFileWriter {
 public:
  // Creates the temporary file; on failure Stream() is null and ErrorText() says why.
  explicit CTSafeFileWriter(std::string targetPath);
  ~CTSafeFileWriter();
  CTSafeFileWriter(const CTSafeFileWriter&) = delete;
  CTSafeFileWriter& operator=(const CTSafeFileWriter&) = delete;

  bool IsOpen() const { return stream_ != nullptr; }
  CTFileStream* Stream() { return stream_.get(); }
  const std::string& ErrorText() const { return error_; }
  const std::string& TargetPath() const { return target_; }

  // Makes the new file the target; returns false (with ErrorText) when that failed, in which
  // case the target is unchanged.
  bool Commit();

 private:
  std::string target_;
  std::string temp_;
  std::string error_;
  std::unique_ptr<CTFileStream> stream_;
};
