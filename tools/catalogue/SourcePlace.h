#pragma once

#include <string>
#include <vector>

// A line of a table source, for messages; line 0 stands for the file as a whole.
struct LTSourcePlace {
  std::string file;
  int line = 0;
};

// The errors of one compilation, each "file:line: message", in the order they were found.
class CTCompileErrors {
 public:
  void Add(const LTSourcePlace& place, const std::string& message);
  bool Empty() const { return lines_.empty(); }
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
};
