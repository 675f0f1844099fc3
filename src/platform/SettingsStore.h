#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/SettingsValue.h"

// The two settings hives: the user's own, and the machine's (shared by all users).
enum class CTSettingsHive { CurrentUser, LocalMachine };

class CTSettingsHiveFile;

// The program's settings. Each hive is a tree of keys named by backslash-separated paths
// ("Software\\Ostrel\\Hi-QRN Selection\\QRNSolvo\\Preferences"; "" is the hive's root), each key
// holding named typed values. Key and value names compare without regard to ASCII case and keep
// the spelling they were created with; the empty value name is the key's default value.
//
// Each hive is one text file (SettingsFile.h). Every change is saved before the call returns,
// without losing what another instance of the program changed in the meantime
// (SettingsHiveFile.h). Reads answer from the copy loaded last, reloaded when the file changed.
// No operation throws: failures answer false, nullopt or an empty list.
class CTSettingsStore {
 public:
  // The hives at their usual places (DefaultFilePath).
  CTSettingsStore();
  CTSettingsStore(std::string userFile, std::string machineFile);
  ~CTSettingsStore();
  CTSettingsStore(const CTSettingsStore&) = delete;
  CTSettingsStore& operator=(const CTSettingsStore&) = delete;

  // $QRNSOLVO_SETTINGS_DIR/{user,machine}-settings.txt when that variable is set; otherwise
  // $XDG_CONFIG_HOME/qrnsolvo/user-settings.txt ($HOME/.config without it) and
  // /etc/xdg/qrnsolvo/machine-settings.txt.
  static std::string DefaultFilePath(CTSettingsHive hive);
  // The program's store (at the default locations unless another was put in its place).
  static CTSettingsStore& Process();
  // Puts a store in the place of the program's (null: back to the default one); for tests.
  static void SetProcess(CTSettingsStore* store);
  const std::string& FilePath(CTSettingsHive hive) const;

  bool KeyExists(CTSettingsHive hive, std::string_view path);
  bool HasSubKeys(CTSettingsHive hive, std::string_view path);
  // Names of the key's direct subkeys, ordered without regard to case.
  std::vector<std::string> SubKeyNames(CTSettingsHive hive, std::string_view path);
  // Names of the key's values in the order they were first written ("" for the default value).
  std::vector<std::string> ValueNames(CTSettingsHive hive, std::string_view path);
  bool ValueExists(CTSettingsHive hive, std::string_view path, std::string_view name);
  std::optional<LTSettingsValue> ReadValue(CTSettingsHive hive, std::string_view path,
                                           std::string_view name);

  // Whether changes to the hive can be saved (its folder and file are writable).
  bool CanWrite(CTSettingsHive hive);
  // Creates the key and any missing parents; true also when it exists and the hive is writable.
  bool CreateKey(CTSettingsHive hive, std::string_view path);
  // Sets a value, creating its key when missing.
  bool WriteValue(CTSettingsHive hive, std::string_view path, std::string_view name,
                  const LTSettingsValue& value);
  // Writes several values of one key (created when missing) in one change of the file: the
  // file is replaced once, not once per value.
  bool WriteValues(CTSettingsHive hive, std::string_view path,
                   const std::vector<std::pair<std::string, LTSettingsValue>>& values);
  bool DeleteValue(CTSettingsHive hive, std::string_view path, std::string_view name);
  // Deletes the key with all its subkeys and values; the root cannot be deleted.
  bool DeleteKey(CTSettingsHive hive, std::string_view path);
  // Why the last change of the hive failed to be saved; empty when it was saved or refused.
  std::string ErrorText(CTSettingsHive hive) const;

 private:
  CTSettingsHiveFile& Hive(CTSettingsHive hive) const;

  std::unique_ptr<CTSettingsHiveFile> user_;
  std::unique_ptr<CTSettingsHiveFile> machine_;
};

// Puts a store in the place of the program's for a scope and restores the one before it, also
// when an exception leaves the scope.
class CTScopedProcessSettings {
 public:
  explicit CTScopedProcessSettings(CTSettingsStore& store)
      : previous_(&CTSettingsStore::Process()) {
    CTSettingsStore::SetProcess(&store);
  }
  ~CTScopedProcessSettings() { CTSettingsStore::SetProcess(previous_); }
  CTScopedProcessSettings(const CTScopedProcessSettings&) = delete;
  CTScopedProcessSettings& operator=(const CTScopedProcessSettings&) = delete;

 private:
  CTSettingsStore* previous_;
};
