#include "platform/Resources.h"

#include <mutex>
#include <vector>

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

struct Registry {
  std::mutex mutex;
  std::vector<LTResource> resources;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

std::optional<std::string_view> CTResources::Find(std::string_view name) {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.mutex);
  for (auto it = r.resources.rbegin(); it != r.resources.rend(); ++it) {
    if (SameIgnoringCase(it->name, name)) {
      return std::string_view(reinterpret_cast<const char*>(it->data), it->size);
    }
  }
  return std::nullopt;
}

void CTResources::Register(const LTResource& resource) {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.mutex);
  r.resources.push_back(resource);
}

void CTResources::Unregister(std::string_view name) {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.mutex);
  for (auto it = r.resources.rbegin(); it != r.resources.rend(); ++it) {
    if (SameIgnoringCase(it->name, name)) {
      r.resources.erase(std::next(it).base());
      return;
    }
  }
}
