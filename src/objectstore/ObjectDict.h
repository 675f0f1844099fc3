#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

// A paged hash dictionary: a chain of pages of N slots each, where an object with key k lives at
// slot k mod N of the first page whose slot is free. Iteration goes page by page and, within a
// page, by slot; this order fixes the record order of the store's files, so it is part of the
// format. An index from key to position makes look-ups constant time however long the chain is.
template <class T>
class CTObjectDict {
 public:
  using KeyFunction = std::function<int(const T&)>;

  CTObjectDict(int pageSize, KeyFunction key)
      : pageSize_(pageSize <= 30 ? 31 : pageSize),
        key_(std::move(key)),
        slots_(static_cast<std::size_t>(pageSize_)),
        height_(static_cast<std::size_t>(pageSize_), 0),
        holes_(static_cast<std::size_t>(pageSize_)) {}

  int PageSize() const { return pageSize_; }
  int PageCount() const { return static_cast<int>(slots_.size()) / pageSize_; }
  int Count() const { return static_cast<int>(index_.size()); }

  // Adds an object whose key is not present yet.
  T* Add(std::unique_ptr<T> object) {
    const int key = key_(*object);
    const std::size_t slot = SlotOf(key);
    auto& holes = holes_[slot];
    std::size_t page;
    if (!holes.empty()) {
      std::pop_heap(holes.begin(), holes.end(), std::greater<>());
      page = holes.back();
      holes.pop_back();
    } else {
      page = height_[slot]++;
    }
    const std::size_t position = page * static_cast<std::size_t>(pageSize_) + slot;
    if (position >= slots_.size()) slots_.resize((page + 1) * static_cast<std::size_t>(pageSize_));
    slots_[position] = std::move(object);
    index_[key] = position;
    return slots_[position].get();
  }

  T* Find(int key) const {
    const auto it = index_.find(key);
    return it == index_.end() ? nullptr : slots_[it->second].get();
  }

  // Removes the object with the key and hands it over (null when absent).
  std::unique_ptr<T> Take(int key) {
    const auto it = index_.find(key);
    if (it == index_.end()) return nullptr;
    const std::size_t position = it->second;
    index_.erase(it);
    auto& holes = holes_[position % static_cast<std::size_t>(pageSize_)];
    holes.push_back(position / static_cast<std::size_t>(pageSize_));
    std::push_heap(holes.begin(), holes.end(), std::greater<>());
    return std::move(slots_[position]);
  }

  bool Remove(int key) { return Take(key) != nullptr; }

  // Every object, page by page and within a page by slot.
  template <class F>
  void ForEach(F&& visit) const {
    for (const auto& object : slots_) {
      if (object) visit(*object);
    }
  }
  void AllObjects(std::vector<T*>& out) const {
    for (const auto& object : slots_) {
      if (object) out.push_back(object.get());
    }
  }

  int MaxKey() const {
    int max = 0;
    bool any = false;
    for (const auto& [key, position] : index_) {
      if (!any || key > max) max = key;
      any = true;
    }
    return max;
  }

  // Removes every object and every page but the first.
  void Clear() {
    slots_.clear();
    slots_.resize(static_cast<std::size_t>(pageSize_));
    std::fill(height_.begin(), height_.end(), 0);
    for (auto& holes : holes_) holes.clear();
    index_.clear();
  }

 private:
  std::size_t SlotOf(int key) const {
    const int slot = key % pageSize_;
    return static_cast<std::size_t>(slot < 0 ? slot + pageSize_ : slot);
  }

  int pageSize_;
  KeyFunction key_;
  std::vector<std::unique_ptr<T>> slots_;        // page p, slot s at p * N + s
  std::vector<std::size_t> height_;              // per slot: pages above this are free there
  std::vector<std::vector<std::size_t>> holes_;  // per slot: freed pages below the height (heap)
  std::unordered_map<int, std::size_t> index_;
};
