// Build tool: compiles the glossary source into the program's "Glossary" resource.
//   qrn-glossary OUT.gls IN.tsv
// The output is the glossary file form, version 3 (language id 0, character set 0), compressed
// behind the "Q3T" magic. OUT is replaced only once it is complete. Errors are one line
// "file:line: message" on standard error, exit status 1; a wrong command line exits with 2.
#include <iostream>
#include <string>

#include "i18n/Glossary.h"
#include "platform/CompressedWrapper.h"
#include "platform/FileStream.h"
#include "platform/SafeFileWriter.h"

#include "GlossarySource.h"

namespace {

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error) {
  std::string reason;
  const auto file = CTFileStream::Open(path, CTFileStream::Mode::Read, &reason);
  if (!file) {
    error = path + ": cannot read: " + reason;
    return false;
  }
  try {
    ReadRest(*file, bytes);
  } catch (const CTStreamError& e) {
    error = path + ": cannot read: " + e.what();
    return false;
  }
  return true;
}

bool WriteGlossary(const CTGlossary& glossary, const std::string& path, std::string& error) {
  CTSafeFileWriter file(path);
  if (!file.IsOpen()) {
    error = path + ": cannot create: " + file.ErrorText();
    return false;
  }
  try {
    CTCompressedTextWriter writer(*file.Stream(), kCompressedMagic);
    glossary.Write(writer.Text());
    writer.Finish();
  } catch (const CTStreamError& e) {
    error = path + ": cannot write: " + e.what();
    return false;
  }
  if (!file.Commit()) {
    error = path + ": cannot write: " + file.ErrorText();
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: qrn-glossary OUT.gls IN.tsv\n";
    return 2;
  }
  const std::string outPath = argv[1];
  const std::string inPath = argv[2];
  std::string source;
  CTGlossary glossary;
  std::string error;
  if (!ReadWholeFile(inPath, source, error) ||
      !ReadGlossarySource(source, inPath, glossary, error) ||
      !WriteGlossary(glossary, outPath, error)) {
    std::cerr << error << '\n';
    return 1;
  }
  return 0;
}
