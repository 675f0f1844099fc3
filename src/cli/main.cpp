#include <iostream>

#include "cli/CliCommands.h"

int main(int argc, char** argv) {
  return CliMain(argc, argv, std::cout, std::cerr);
}
