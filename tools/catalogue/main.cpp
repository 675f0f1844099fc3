#include <iostream>
#include <string>
#include <vector>

#include "tools/catalogue/CatalogueCompiler.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return RunCatalogueCompiler(args, std::cerr);
}
