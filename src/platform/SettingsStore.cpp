#include "platform/SettingsStore.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/SettingsHiveFile.h"

namespace {

using Change = CTSettingsHiveFile::Change;

// Runs body, turning anything it throws (allocation failures) into the failure answer.
template <class Result, class Body>
Result Guarded(Result failure, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return failure;
  }
}

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string HomeFolder() {
  std::string home = Variable("HOME");
  if (!home.empty()) return home;
  passwd entry{};
  passwd* found = nullptr;
  char buffer[16384];
  if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found &&
      found->pw_dir)
    return found->pw_dir;
  return ".";
}

}  // namespace

CTSettingsStore::CTSettingsStore()
    : CTSettingsStore(DefaultFilePath(CTSettingsHive::CurrentUser),
                      DefaultFilePath(CTSettingsHive::LocalMachine)) {}

CTSettingsStore::CTSettingsStore(std::string userFile, std::string machineFile)
    : user_(std::make_unique<CTSettingsHiveFile>(std::move(userFile))),
      machine_(std::make_unique<CTSettingsHiveFile>(std::move(machineFile))) {}

CTSettingsStore::~CTSettingsStore() = default;

std::string CTSettingsStore::DefaultFilePath(CTSettingsHive hive) {
  const bool user = hive == CTSettingsHive::CurrentUser;
  const std::string fileName = user ? "user-settings.txt" : "machine-settings.txt";
  const std::string redirected = Variable("QRNSOLVO_SETTINGS_DIR");
  if (!redirected.empty()) return redirected + "/" + fileName;
  if (!user) return "/etc/xdg/qrnsolvo/" + fileName;
  // A relative XDG_CONFIG_HOME is not valid and is ignored.
  std::string config = Variable("XDG_CONFIG_HOME");
  if (config.empty() || config.front() != '/') config = HomeFolder() + "/.config";
  return config + "/qrnsolvo/" + fileName;
}

CTSettingsHiveFile& CTSettingsStore::Hive(CTSettingsHive hive) const {
  return hive == CTSettingsHive::CurrentUser ? *user_ : *machine_;
}

const std::string& CTSettingsStore::FilePath(CTSettingsHive hive) const {
  return Hive(hive).Path();
}

bool CTSettingsStore::KeyExists(CTSettingsHive hive, std::string_view path) {
  return Guarded(false, [&] {
    const auto names = SplitSettingsPath(path);
    return names && Hive(hive).Current()->Find(*names) != nullptr;
  });
}

bool CTSettingsStore::HasSubKeys(CTSettingsHive hive, std::string_view path) {
  return Guarded(false, [&] {
    const auto names = SplitSettingsPath(path);
    if (!names) return false;
    const auto root = Hive(hive).Current();
    const CTSettingsNode* key = root->Find(*names);
    return key && !key->SubKeys().empty();
  });
}

std::vector<std::string> CTSettingsStore::SubKeyNames(CTSettingsHive hive, std::string_view path) {
  return Guarded(std::vector<std::string>(), [&] {
    std::vector<std::string> names;
    const auto keyPath = SplitSettingsPath(path);
    if (!keyPath) return names;
    const auto root = Hive(hive).Current();
    if (const CTSettingsNode* key = root->Find(*keyPath))
      for (const auto& [name, subKey] : key->SubKeys()) names.push_back(name);
    return names;
  });
}

std::vector<std::string> CTSettingsStore::ValueNames(CTSettingsHive hive, std::string_view path) {
  return Guarded(std::vector<std::string>(), [&] {
    std::vector<std::string> names;
    const auto keyPath = SplitSettingsPath(path);
    if (!keyPath) return names;
    const auto root = Hive(hive).Current();
    if (const CTSettingsNode* key = root->Find(*keyPath))
      for (const LTSettingsEntry& entry : key->Values()) names.push_back(entry.name);
    return names;
  });
}

bool CTSettingsStore::ValueExists(CTSettingsHive hive, std::string_view path,
                                  std::string_view name) {
  return Guarded(false, [&] { return ReadValue(hive, path, name).has_value(); });
}

std::optional<LTSettingsValue> CTSettingsStore::ReadValue(CTSettingsHive hive,
                                                          std::string_view path,
                                                          std::string_view name) {
  return Guarded(std::optional<LTSettingsValue>(), [&]() -> std::optional<LTSettingsValue> {
    const auto keyPath = SplitSettingsPath(path);
    if (!keyPath) return std::nullopt;
    const auto root = Hive(hive).Current();
    const CTSettingsNode* key = root->Find(*keyPath);
    const LTSettingsValue* value = key ? key->Value(name) : nullptr;
    if (!value) return std::nullopt;
    return *value;
  });
}

bool CTSettingsStore::CanWrite(CTSettingsHive hive) {
  return Guarded(false, [&] { return Hive(hive).CanWrite(); });
}

bool CTSettingsStore::CreateKey(CTSettingsHive hive, std::string_view path) {
  return Guarded(false, [&] {
    const auto keyPath = SplitSettingsPath(path);
    return keyPath && Hive(hive).Modify([&](CTSettingsNode& root) {
      if (root.Find(*keyPath)) return Change::Unchanged;
      root.Create(*keyPath);
      return Change::Changed;
    });
  });
}

bool CTSettingsStore::WriteValue(CTSettingsHive hive, std::string_view path, std::string_view name,
                                 const LTSettingsValue& value) {
  return Guarded(false, [&] {
    const auto keyPath = SplitSettingsPath(path);
    return keyPath && Hive(hive).Modify([&](CTSettingsNode& root) {
      CTSettingsNode& key = root.Create(*keyPath);
      const LTSettingsValue* old = key.Value(name);
      if (old && *old == value) return Change::Unchanged;
      key.SetValue(name, value);
      return Change::Changed;
    });
  });
}

bool CTSettingsStore::WriteValues(
    CTSettingsHive hive, std::string_view path,
    const std::vector<std::pair<std::string, LTSettingsValue>>& values) {
  return Guarded(false, [&] {
    const auto keyPath = SplitSettingsPath(path);
    return keyPath && Hive(hive).Modify([&](CTSettingsNode& root) {
      CTSettingsNode& key = root.Create(*keyPath);
      bool changed = false;
      for (const auto& [name, value] : values) {
        const LTSettingsValue* old = key.Value(name);
        if (old && *old == value) continue;
        key.SetValue(name, value);
        changed = true;
      }
      return changed ? Change::Changed : Change::Unchanged;
    });
  });
}

bool CTSettingsStore::DeleteValue(CTSettingsHive hive, std::string_view path,
                                  std::string_view name) {
  return Guarded(false, [&] {
    const auto keyPath = SplitSettingsPath(path);
    return keyPath && Hive(hive).Modify([&](CTSettingsNode& root) {
      CTSettingsNode* key = root.Find(*keyPath);
      return key && key->RemoveValue(name) ? Change::Changed : Change::Refused;
    });
  });
}

bool CTSettingsStore::DeleteKey(CTSettingsHive hive, std::string_view path) {
  return Guarded(false, [&] {
    auto keyPath = SplitSettingsPath(path);
    if (!keyPath || keyPath->empty()) return false;
    const std::string name = std::move(keyPath->back());
    keyPath->pop_back();
    return Hive(hive).Modify([&](CTSettingsNode& root) {
      CTSettingsNode* parent = root.Find(*keyPath);
      return parent && parent->RemoveSubKey(name) ? Change::Changed : Change::Refused;
    });
  });
}

std::string CTSettingsStore::ErrorText(CTSettingsHive hive) const {
  return Guarded(std::string(), [&] { return Hive(hive).ErrorText(); });
}

namespace {

CTSettingsStore* g_processStore = nullptr;

}  // namespace

CTSettingsStore& CTSettingsStore::Process() {
  if (g_processStore) return *g_processStore;
  static CTSettingsStore store;
  return store;
}

void CTSettingsStore::SetProcess(CTSettingsStore* store) {
  g_processStore = store;
}
