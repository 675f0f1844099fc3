#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/SettingsValue.h"

// The in-memory form of one settings hive: a tree of keys, each with its named values. Names
// compare with ASCII letters folded to lower case and keep the spelling they were created with.

// Keys nest at most this deep; deeper paths are refused (and skipped when a file holds them), so
// that no input can make the tree deep enough to exhaust the stack.
inline constexpr std::size_t kMaxSettingsKeyDepth = 512;

// <0, 0, >0 as a orders before, with, after b when ASCII case is ignored.
int CompareSettingsNames(std::string_view a, std::string_view b);

struct LTSettingsNameLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const {
    return CompareSettingsNames(a, b) < 0;
  }
};

// The key names of a backslash-separated path; empty names (from doubled, leading or trailing
// backslashes) drop out, so "" is the hive's root. nullopt when the path is nested too deep.
std::optional<std::vector<std::string>> SplitSettingsPath(std::string_view path);

struct LTSettingsEntry {
  std::string name;
  LTSettingsValue value;
};

class CTSettingsNode {
 public:
  // Subkeys by name, ordered with case ignored.
  using Children = std::map<std::string, std::unique_ptr<CTSettingsNode>, LTSettingsNameLess>;

  const Children& SubKeys() const { return children_; }
  // The subkey of that name, created when missing.
  CTSettingsNode& AddSubKey(std::string_view name);
  bool RemoveSubKey(std::string_view name);

  // The key at path below this one (nullptr when missing); Create makes missing keys on the way.
  CTSettingsNode* Find(const std::vector<std::string>& path);
  const CTSettingsNode* Find(const std::vector<std::string>& path) const;
  CTSettingsNode& Create(const std::vector<std::string>& path);

  // The values in the order they were first written.
  const std::vector<LTSettingsEntry>& Values() const { return values_; }
  const LTSettingsValue* Value(std::string_view name) const;
  // Replaces the value of that name (keeping the name's first spelling) or appends a new one.
  void SetValue(std::string_view name, LTSettingsValue value);
  bool RemoveValue(std::string_view name);

 private:
  Children children_;
  std::vector<LTSettingsEntry> values_;
  std::map<std::string, std::size_t, LTSettingsNameLess> valueIndex_;  // positions in values_
};
