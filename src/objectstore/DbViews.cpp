#include "objectstore/DbViews.h"

namespace {

std::atomic<std::uint64_t> g_nextSerial{1};

std::uint64_t NewSerial() {
  return g_nextSerial.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

CTDbViews::CTDbViews() : serial_(NewSerial()) {}

CTDbViews::~CTDbViews() = default;

CTDbView& CTDbViews::Find(const void* type, int tableId, int recordId, Make make) {
  const auto key = std::make_tuple(type, tableId, recordId);
  {
    std::shared_lock lock(mutex_);
    const auto it = views_.find(key);
    if (it != views_.end()) return *it->second;
  }
  std::unique_lock lock(mutex_);
  auto& slot = views_[key];
  if (!slot) slot = make();
  return *slot;
}

void CTDbViews::Clear() {
  std::map<std::tuple<const void*, int, int>, std::unique_ptr<CTDbView>> dropped;
  {
    std::unique_lock lock(mutex_);
    dropped.swap(views_);
    serial_.store(NewSerial(), std::memory_order_release);
  }
}

CTDbView& CTViewLinkBase::Resolve(const CTDbObject& object, const void* type,
                                  CTDbViews::Make make) {
  CTDbEngine* engine = object.Table().Engine();
  const bool stored = object.RecordId() > 0 && (object.State() == CTDbObject::kStored ||
                                                object.State() == CTDbObject::kPartial);
  if (engine && stored) {
    CTDbViews& views = engine->Views();
    const std::uint64_t serial = views.Serial();
    CTDbView& view = views.Find(type, object.Table().Id(), object.RecordId(), make);
    shared_.store(&view, std::memory_order_relaxed);
    serial_.store(serial, std::memory_order_release);
    return view;
  }
  serial_.store(0, std::memory_order_release);
  if (!own_) own_ = make();
  return *own_;
}
