// Build tool: turns a file into a C++ source that registers its bytes as a program resource.
//   qrn-embed OUTPUT.cpp RESOURCE_NAME INPUT [--compress]
// With --compress the bytes are stored in the object store's compressed form ("Q3T" followed by
// the LZSS stream of the file).
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "platform/CompressedWrapper.h"
#include "platform/MemoryStream.h"

int main(int argc, char** argv) {
  if (argc < 4 || argc > 5 || (argc == 5 && std::string(argv[4]) != "--compress")) {
    std::cerr << "usage: qrn-embed OUTPUT.cpp RESOURCE_NAME INPUT [--compress]\n";
    return 2;
  }
  std::ifstream in(argv[3], std::ios::binary);
  if (!in) {
    std::cerr << "qrn-embed: cannot read " << argv[3] << '\n';
    return 1;
  }
  std::ostringstream content;
  content << in.rdbuf();
  std::string bytes = content.str();
  if (argc == 5) {
    CTMemoryStream packed;
    CTCompressedTextWriter writer(packed, kCompressedMagic);
    writer.Text().WriteAll(bytes);
    writer.Finish();
    bytes = packed.Text();
  }
  std::ostringstream out;
  out << "// Generated from " << argv[3] << "; do not edit.\n"
      << "#include \"platform/Resources.h\"\n\nnamespace {\n\nconst unsigned char kBytes[] = {";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i % 20 == 0) out << "\n   ";
    out << ' ' << static_cast<unsigned>(static_cast<unsigned char>(bytes[i])) << ',';
  }
  if (bytes.empty()) out << " 0";
  out << "\n};\n\nconst CTResourceRegistration kRegistration(\"" << argv[2] << "\", kBytes, "
      << bytes.size() << ");\n\n}  // namespace\n";
  const std::string temp = std::string(argv[1]) + ".tmp";
  {
    std::ofstream file(temp, std::ios::binary | std::ios::trunc);
    file << out.str();
    if (!file) {
      std::cerr << "qrn-embed: cannot write " << argv[1] << '\n';
      return 1;
    }
  }
  return std::rename(temp.c_str(), argv[1]) == 0 ? 0 : 1;
}
