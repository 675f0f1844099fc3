#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// The strings a caller gives to fill the placeholders "$1".."$9" of a message. Each string carries
// an integer object beside it; for the free-text message -100 the object of the first string is
// the character set of the assembled text.
class CTMsgList {
 public:
  CTMsgList() = default;
  // Strings with object 0, in order: CTMsgList{fileName} or {name, value, limit}.
  CTMsgList(std::initializer_list<std::string> strings) {
    items_.reserve(strings.size());
    for (const std::string& text : strings) items_.push_back({text, 0});
  }

  void Add(std::string text, int object = 0) { items_.push_back({std::move(text), object}); }

  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }
  // Index must be in 0 .. Count() - 1.
  const std::string& String(int index) const { return items_.at(index).text; }
  int Object(int index) const { return items_.at(index).object; }
  void SetObject(int index, int object) { items_.at(index).object = object; }

 private:
  struct Item {
    std::string text;
    int object = 0;
  };
  std::vector<Item> items_;
};
