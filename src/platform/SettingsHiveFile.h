#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "platform/SettingsTree.h"

// The file of one settings hive: the copy of it loaded last, and the way changes reach it.
//
// A change locks "<file>.lock" (flock), reads the file afresh, applies itself and replaces the
// file through CTSafeFileWriter before the lock goes, so that changes of another instance of the
// program are never overwritten with an old copy and a crash leaves either the old or the new
// file. Reading needs no lock: the file is only ever replaced whole.
class CTSettingsHiveFile {
 public:
  enum class Change { Refused, Unchanged, Changed };

  explicit CTSettingsHiveFile(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const { return path_; }

  // The hive as the file holds it. The copy read last serves until the file is replaced or
  // touched (or while its last change is too recent to tell). A missing, unreadable or malformed
  // file reads as far as it is valid, or as empty.
  std::shared_ptr<const CTSettingsNode> Current();

  // Applies change to the hive as the file holds it now and saves the result when the answer is
  // Changed. False when change refused, or when the file could not be read or written; then the
  // file is as before and ErrorText() says why (empty for a refusal).
  bool Modify(const std::function<Change(CTSettingsNode&)>& change);

  // Whether Modify could save: the folder exists and is writable (or could be created) and an
  // existing file may be written.
  bool CanWrite() const;
  std::string ErrorText() const;

 private:
  // What tells one version of the file from another (replacement makes a new inode).
  struct Identity {
    bool exists = false;
    std::uint64_t device = 0, inode = 0;
    std::int64_t size = 0, modified = 0, modifiedNs = 0, changed = 0, changedNs = 0;
    bool operator==(const Identity&) const = default;
  };
  enum class Load { Read, Missing, Unreadable };

  Load ReadFile(std::string& text, Identity& identity, std::string& reason) const;
  Identity IdentityNow() const;
  static Identity IdentityOf(const struct stat& info);
  bool PrepareToWrite(std::string& reason) const;
  bool Save(const std::string& text, std::string& reason) const;
  // Records the file's text and identity behind current_; readAfter is when reading began.
  void Keep(std::string text, const Identity& identity, std::int64_t readAfter);

  std::string path_;
  mutable std::mutex mutex_;
  std::shared_ptr<const CTSettingsNode> current_;
  std::string currentText_;  // the bytes current_ was parsed from
  Identity currentIdentity_;
  bool settled_ = false;  // current_ cannot be mistaken for a later version of the file
  std::string error_;
};
