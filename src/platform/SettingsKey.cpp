#include "platform/SettingsKey.h"

std::optional<CTSettingsKey> CTSettingsKey::Open(CTSettingsStore& store, CTSettingsHive hive,
                                                 std::string path, Access access) {
  bool opened = false;
  switch (access) {
    case Access::Read:
      opened = store.KeyExists(hive, path);
      break;
    case Access::Write:
      opened = store.KeyExists(hive, path) && store.CanWrite(hive);
      break;
    case Access::Create:
      opened = store.CreateKey(hive, path);
      break;
  }
  if (!opened) return std::nullopt;
  return CTSettingsKey(store, hive, std::move(path));
}

std::optional<std::int32_t> CTSettingsKey::ReadInteger(std::string_view name) const {
  const auto value = Read(name);
  return value ? value->AsInteger() : std::nullopt;
}

std::optional<std::string> CTSettingsKey::ReadString(std::string_view name) const {
  const auto value = Read(name);
  return value ? value->AsString() : std::nullopt;
}

std::optional<std::string> CTSettingsKey::ReadBinary(std::string_view name) const {
  const auto value = Read(name);
  return value ? value->AsBinary() : std::nullopt;
}

std::optional<double> CTSettingsKey::ReadDouble(std::string_view name) const {
  const auto value = Read(name);
  return value ? value->AsDouble() : std::nullopt;
}

bool CTSettingsKey::DeleteSubKey(std::string_view name) {
  if (name.find_first_not_of('\\') == std::string_view::npos) return false;
  return store_->DeleteKey(hive_, path_ + "\\" + std::string(name));
}
