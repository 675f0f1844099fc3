#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/SettingsStore.h"

// A key of the settings store, opened for reading or writing, with typed access to its values.
// The key holds only its place (store, hive, path); every call goes to the store, so a key that
// another instance deleted reads as empty, and writing to it creates it again.
class CTSettingsKey {
 public:
  enum class Access {
    Read,    // the key must exist
    Write,   // the key must exist and its hive must be writable
    Create,  // the key is created with its parents when missing; the hive must be writable
  };

  // The key, or nullopt when it cannot be opened that way. The store must outlive the key.
  static std::optional<CTSettingsKey> Open(CTSettingsStore& store, CTSettingsHive hive,
                                           std::string path, Access access);

  CTSettingsHive Hive() const { return hive_; }
  const std::string& Path() const { return path_; }
  bool Exists() const { return store_->KeyExists(hive_, path_); }

  std::optional<LTSettingsValue> Read(std::string_view name) const {
    return store_->ReadValue(hive_, path_, name);
  }
  std::optional<std::int32_t> ReadInteger(std::string_view name) const;
  std::optional<std::string> ReadString(std::string_view name) const;
  std::optional<std::string> ReadBinary(std::string_view name) const;
  // A double stored as 8 raw bytes.
  std::optional<double> ReadDouble(std::string_view name) const;

  bool Write(std::string_view name, const LTSettingsValue& value) {
    return store_->WriteValue(hive_, path_, name, value);
  }
  bool WriteInteger(std::string_view name, std::int32_t value) {
    return Write(name, LTSettingsValue::Integer(value));
  }
  bool WriteString(std::string_view name, std::string text) {
    return Write(name, LTSettingsValue::String(std::move(text)));
  }
  bool WriteBinary(std::string_view name, std::string bytes) {
    return Write(name, LTSettingsValue::Binary(std::move(bytes)));
  }
  bool WriteDouble(std::string_view name, double value) {
    return Write(name, LTSettingsValue::Double(value));
  }

  // Several values in one change of the settings file.
  bool WriteValues(const std::vector<std::pair<std::string, LTSettingsValue>>& values) {
    return store_->WriteValues(hive_, path_, values);
  }

  bool ValueExists(std::string_view name) const { return store_->ValueExists(hive_, path_, name); }
  bool DeleteValue(std::string_view name) { return store_->DeleteValue(hive_, path_, name); }
  std::vector<std::string> ValueNames() const { return store_->ValueNames(hive_, path_); }

  bool HasSubKeys() const { return store_->HasSubKeys(hive_, path_); }
  std::vector<std::string> SubKeyNames() const { return store_->SubKeyNames(hive_, path_); }
  // Deletes the named subkey (a relative path) with everything below it; an empty name deletes
  // nothing.
  bool DeleteSubKey(std::string_view name);

 private:
  CTSettingsKey(CTSettingsStore& store, CTSettingsHive hive, std::string path)
      : store_(&store), hive_(hive), path_(std::move(path)) {}

  CTSettingsStore* store_;
  CTSettingsHive hive_;
  std::string path_;
};
