#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <tuple>

#include "objectstore/DbEngine.h"
#include "objectstore/DbObject.h"
#include "objectstore/StoreLock.h"
#include "objectstore/TableInfo.h"

// A view: data derived from stored records (ordered lists, tables copied out of records, resolved
// references) that is kept so that it is not derived again. The views of a database belong to
// its engine; every handle and every thread shares them, and they are dropped when the database
// disconnects.
class CTDbView {
 public:
  virtual ~CTDbView() = default;
};

// One part of a view, built by the first thread that needs it while the others that need it
// wait for it; read-only once built. A build that throws leaves the part unbuilt for the next
// request. Building runs under the shared store lock, taken before the part's own mutex: a
// builder's store queries are then nested reads that never wait, so no thread can block on the
// part while holding up a writer that the builder waits for. A build must not write to the
// store nor ask for the part it builds.
class CTOnce {
 public:
  template <class Build>
  void Run(Build&& build) {
    if (done_.load(std::memory_order_acquire)) return;
    CTSharedStoreLock store;
    std::lock_guard lock(mutex_);
    if (done_.load(std::memory_order_relaxed)) return;
    build();
    done_.store(true, std::memory_order_release);
  }
  bool Done() const { return done_.load(std::memory_order_acquire); }

 private:
  std::atomic<bool> done_{false};
  std::mutex mutex_;
};

// The views of one connected database, keyed by the view's type, a table id and a record id (0
// for a view of a whole table).
class CTDbViews {
 public:
  using Make = std::unique_ptr<CTDbView> (*)();

  CTDbViews();
  ~CTDbViews();
  CTDbViews(const CTDbViews&) = delete;
  CTDbViews& operator=(const CTDbViews&) = delete;

  // The view of type V for the record, created empty on first request; its parts build
  // themselves (CTOnce). Safe from any thread; the reference stays valid until Clear.
  template <class V>
  V& Get(int tableId, int recordId) {
    return static_cast<V&>(Find(KeyOf<V>(), tableId, recordId, &MakeView<V>));
  }
  CTDbView& Find(const void* type, int tableId, int recordId, Make make);

  // Differs between any two sets of views and changes with every Clear, so that a handle that
  // remembers a view can tell whether it still exists.
  std::uint64_t Serial() const { return serial_.load(std::memory_order_acquire); }
  // Drops every view. The caller holds the store lock exclusively and no other thread uses a
  // view of this database.
  void Clear();

  // A key per view type: the address of a variable of which each type has one.
  template <class V>
  static const void* KeyOf() {
    static const char key = 0;
    return &key;
  }
  template <class V>
  static std::unique_ptr<CTDbView> MakeView() {
    return std::make_unique<V>();
  }

 private:
  std::shared_mutex mutex_;  // look-ups share it, creating a view takes it alone
  std::map<std::tuple<const void*, int, int>, std::unique_ptr<CTDbView>> views_;
  std::atomic<std::uint64_t> serial_;
};

// A handle's way to the view of its record: the shared view of a stored record, remembered in
// the handle until the database's views are cleared, or a view of the handle's own for an
// object that is not stored (or whose table is not connected). A cached instance is one handle
// that threads share, so what it remembers is kept in atomics: threads that resolve at once
// store the same view.
class CTViewLinkBase {
 public:
  CTViewLinkBase() = default;
  CTViewLinkBase(const CTViewLinkBase&) = delete;
  CTViewLinkBase& operator=(const CTViewLinkBase&) = delete;

  // Whether the view last resolved is the shared one of the record (not the handle's own).
  bool IsShared() const { return serial_.load(std::memory_order_acquire) != 0; }

 protected:
  CTDbView& Resolve(const CTDbObject& object, const void* type, CTDbViews::Make make);
  // The remembered shared view while the views it came from exist, else null.
  CTDbView* Remembered(const CTDbObject& object) const {
    const std::uint64_t serial = serial_.load(std::memory_order_acquire);
    if (serial == 0) return nullptr;
    const CTDbEngine* engine = object.Table().Engine();
    if (!engine || engine->Views().Serial() != serial) return nullptr;
    return shared_.load(std::memory_order_relaxed);
  }

 private:
  // shared_ is stored before serial_ (release), so a matching serial_ shows its view.
  std::atomic<std::uint64_t> serial_{0};
  std::atomic<CTDbView*> shared_{nullptr};
  std::unique_ptr<CTDbView> own_;  // only for a handle that is not shared
};

template <class V>
class CTViewLink : public CTViewLinkBase {
 public:
  V& Of(const CTDbObject& object) {
    if (CTDbView* view = Remembered(object)) return static_cast<V&>(*view);
    return static_cast<V&>(Resolve(object, CTDbViews::KeyOf<V>(), &CTDbViews::MakeView<V>));
  }
};

// The shared view of type V of a stored record, or null when the object is not a stored record
// of a connected table.
template <class V>
V* SharedViewOf(const CTDbObject& object) {
  CTDbEngine* engine = object.Table().Engine();
  if (!engine || object.RecordId() <= 0 ||
      (object.State() != CTDbObject::kStored && object.State() != CTDbObject::kPartial))
    return nullptr;
  return &engine->Views().Get<V>(object.Table().Id(), object.RecordId());
}
