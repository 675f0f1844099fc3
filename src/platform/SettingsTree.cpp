#include "platform/SettingsTree.h"

#include <algorithm>

namespace {

unsigned char Folded(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b >= 'A' && b <= 'Z' ? static_cast<unsigned char>(b + ('a' - 'A')) : b;
}

template <class Node>
Node* FindIn(Node* node, const std::vector<std::string>& path) {
  for (const std::string& name : path) {
    auto it = node->SubKeys().find(name);
    if (it == node->SubKeys().end()) return nullptr;
    node = it->second.get();
  }
  return node;
}

}  // namespace

int CompareSettingsNames(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char x = Folded(a[i]);
    const unsigned char y = Folded(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

std::optional<std::vector<std::string>> SplitSettingsPath(std::string_view path) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) {
      if (names.size() == kMaxSettingsKeyDepth) return std::nullopt;
      names.emplace_back(path.substr(start, end - start));
    }
    start = end + 1;
  }
  return names;
}

CTSettingsNode& CTSettingsNode::AddSubKey(std::string_view name) {
  auto it = children_.find(name);
  if (it == children_.end())
    it = children_.emplace(std::string(name), std::make_unique<CTSettingsNode>()).first;
  return *it->second;
}

bool CTSettingsNode::RemoveSubKey(std::string_view name) {
  auto it = children_.find(name);
  if (it == children_.end()) return false;
  children_.erase(it);
  return true;
}

CTSettingsNode* CTSettingsNode::Find(const std::vector<std::string>& path) {
  return FindIn(this, path);
}

const CTSettingsNode* CTSettingsNode::Find(const std::vector<std::string>& path) const {
  return FindIn(this, path);
}

CTSettingsNode& CTSettingsNode::Create(const std::vector<std::string>& path) {
  CTSettingsNode* node = this;
  for (const std::string& name : path) node = &node->AddSubKey(name);
  return *node;
}

const LTSettingsValue* CTSettingsNode::Value(std::string_view name) const {
  auto it = valueIndex_.find(name);
  return it == valueIndex_.end() ? nullptr : &values_[it->second].value;
}

void CTSettingsNode::SetValue(std::string_view name, LTSettingsValue value) {
  auto it = valueIndex_.find(name);
  if (it != valueIndex_.end()) {
    values_[it->second].value = std::move(value);
    return;
  }
  valueIndex_.emplace(std::string(name), values_.size());
  values_.push_back({std::string(name), std::move(value)});
}

bool CTSettingsNode::RemoveValue(std::string_view name) {
  auto it = valueIndex_.find(name);
  if (it == valueIndex_.end()) return false;
  const std::size_t position = it->second;
  valueIndex_.erase(it);
  values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(position));
  for (auto& [ignored, index] : valueIndex_)
    if (index > position) --index;
  return true;
}
