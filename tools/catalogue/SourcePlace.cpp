#include "tools/catalogue/SourcePlace.h"

void CTCompileErrors::Add(const LTSourcePlace& place, const std::string& message) {
  lines_.push_back(place.file + ":" + std::to_string(place.line) + ": " + message);
}
